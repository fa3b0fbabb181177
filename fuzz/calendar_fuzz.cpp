// Fuzz target of the calendar texts: the input's texts (separated by zero bytes) are taken as a
// date, a time of day and a legacy date-time text. The legacy parse and its text form, the
// folding of a number of seconds into a start date and time, and the calendar axis setters with
// their date and time checks and the getters that fold the start offset in are all run on them.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzzinput.h"
#include "fuzz/touch.h"
#include "lrx/gbx.h"
#include "src/gbx/time/gbxcalendar.h"
#include "src/legacy/legacycalendar.h"

namespace {

using lrxfuzz::touchText;

// The next text of the rest, up to a zero byte or the end.
std::string nextText(const uint8_t*& at, const uint8_t* end) {
    if (at == end) return {};
    const uint8_t* stop = static_cast<const uint8_t*>(std::memchr(at, 0, static_cast<std::size_t>(end - at)));
    if (stop == nullptr) stop = end;
    std::string text(reinterpret_cast<const char*>(at), static_cast<std::size_t>(stop - at));
    at = stop < end ? stop + 1 : end;
    return text;
}

int64_t twoWords(lrxfuzz::FuzzInput& input) {
    const uint64_t high = static_cast<uint32_t>(input.word());
    const uint64_t bits = high << 32 | static_cast<uint32_t>(input.word());
    int64_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double offsetOf(lrxfuzz::FuzzInput& input) {
    const int64_t bits = twoWords(input);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return input.pick(0, 1) == 0 ? static_cast<double>(bits % 1000000000000) : value;
}

void calendarAxes(const std::string& date, const std::string& time, lrxfuzz::FuzzInput& input) {
    const int units[] = {1400, 1401, 1402, 1403, 1404, 1405, input.word()};
    const int unit = units[input.pick(0, 6)];
    const double offset = offsetOf(input);
    for (const int fileType : {F_EQTIME_FIXEDSPACE_ALLITEMS, F_NEQTIME_FIXEDSPACE_ALLITEMS}) {
        GbxHeader* header = nullptr;
        if (gbxHeaderCreate(fileType, "calendar", "fuzz", 1, 1, 1, &header) != 0) continue;
        const char *unitText = nullptr, *foldedDate = nullptr, *foldedTime = nullptr;
        double start = 0, step = 0;
        int steps = 0, index = 0, axisUnit = 0;
        if (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS) {
            gbxSetEqCalendarAxis(header, date.c_str(), time.c_str(), unit, offset, 60.0, 0);
            gbxGetEqCalendarAxis(header, &axisUnit, &unitText, &foldedDate, &foldedTime, &start, &step, &steps, &index);
        } else {
            gbxSetNeqCalendarAxis(header, date.c_str(), time.c_str(), unit, offset, 0);
            gbxGetNeqCalendarAxis(header, &axisUnit, &unitText, &foldedDate, &foldedTime, &start, &step, &steps,
                                  &index);
        }
        touchText(unitText);
        touchText(foldedDate);
        touchText(foldedTime);
        gbxHeaderDestroy(&header);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lrxfuzz::FuzzInput input(data, size);
    const uint8_t* at = input.rest();
    const uint8_t* end = at + input.restSize();
    const std::string date = nextText(at, end);
    const std::string time = nextText(at, end);
    const std::string legacy = nextText(at, end);

    lrx::legacy::DayTime parsed{};
    if (lrx::legacy::parseDateTime(legacy.c_str(), &parsed)) {
        char text[32];
        lrx::legacy::dayTimeText(parsed, text, static_cast<std::size_t>(input.pick(1, 32)));
    }
    const int64_t seconds = twoWords(input);
    char foldedDate[11];
    char foldedTime[9];
    gbxFoldSecondsIntoStart(date.c_str(), time.c_str(), seconds, foldedDate, sizeof foldedDate, foldedTime,
                            sizeof foldedTime);
    calendarAxes(date, time, input);
    return 0;
}

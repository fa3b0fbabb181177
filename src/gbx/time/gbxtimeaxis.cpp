// The time axis of a data file: setters and getters of the four axis kinds with their checks
// against the file type and of the calendar texts, the start of a calendar axis with its offset
// folded in, and the span of the axis. Calls the checks, the dispatcher, the call trace, the
// calendar arithmetic and the unit library.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/file/gbxposition.h"
#include "src/gbx/time/gbxcalendar.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxtimeaxis";
constexpr const char* kDatePattern = "9999-99-99";  // '9' stands for a decimal digit
constexpr const char* kTimePattern = "99:99:99";
constexpr double kTwoPow63 = 9223372036854775808.0;

enum class Spacing { Equidistant, NonEquidistant };

// ---- Checks --------------------------------------------------------------------------------

// Equidistant axes belong to file types 1 and 2, non-equidistant ones to 4, 8 and 16.
int checkFileType(GbxHeader* header, Spacing spacing) {
    const int32_t type = header->fileType;
    const bool equidistantFile = type == F_EQTIME_FIXEDSPACE_ALLITEMS || type == F_EQTIME_TVARSPACE_ALLITEMS;
    const bool nonEquidistantFile = type == F_NEQTIME_FIXEDSPACE_ALLITEMS || type == F_NEQTIME_FIXEDSPACE_VARITEMS ||
                                    type == F_NEQTIME_TVARSPACE_VARITEMS;
    if (!equidistantFile && !nonEquidistantFile) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
    if (equidistantFile != (spacing == Spacing::Equidistant)) {
        return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    }
    return 0;
}

int checkSetter(GbxHeader* header, Spacing spacing) {
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return code;
    return checkFileType(header, spacing);
}

// Written as a negated comparison so that a step that is not a number fails too.
int checkStep(GbxHeader* header, double step) {
    return !(step > 0) ? GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE) : 0;
}

// True when text has exactly the length of pattern, a digit wherever pattern has '9' and
// pattern's character everywhere else.
bool matchesPattern(const char* text, const char* pattern) {
    if (text == nullptr) return false;
    for (; *pattern != '\0'; ++pattern, ++text) {
        const bool digit = *text >= '0' && *text <= '9';
        if (*text == '\0' || (*pattern == '9' ? !digit : *text != *pattern)) return false;
    }
    return *text == '\0';
}

// The date and time text checks report with null handles; the setter reports once more with
// its header.
int checkDateFormat(const char* date) {
    return matchesPattern(date, kDatePattern) ? 0 : GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_DATE_FORMAT);
}

int checkTimeFormat(const char* time) {
    return matchesPattern(time, kTimePattern) ? 0 : GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_TIME_FORMAT);
}

int checkAxisType(GbxHeader* header, int axisType) {
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return code;
    return header->timeAxisType != axisType ? GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE) : 0;
}

// ---- Setting -------------------------------------------------------------------------------

// Both axis kinds share one record, so every setter drops the unit text that a file gave.
void clearUnitText(GbxTimeAxisRecord& axis) {
    std::free(axis.unitText);
    axis.unitText = nullptr;
}

// step is null for a non-equidistant axis, whose span slot is left as it is.
void setTimeAxis(GbxHeader* header, int axisType, int unit, double start, const double* step, int index) {
    GbxTimeAxisRecord& axis = header->timeAxis;
    clearUnitText(axis);
    axis.start = start;
    if (step != nullptr) axis.step = *step;
    header->timeAxisType = axisType;
    axis.unitKey = unit;
    axis.index = index;
}

// The type is set before the texts are checked, and a date is kept when the time that follows
// it fails: a failed call leaves the header as far as it got.
int setCalendarAxis(GbxCall& call, GbxHeader* header, int axisType, const char* date, const char* time, int unit,
                    double startOffset, const double* step, int index) {
    GbxTimeAxisRecord& axis = header->timeAxis;
    header->timeAxisType = axisType;
    if (const int code = checkDateFormat(date)) {
        call.exit("F_ERR_DATE_FORMAT %d", __LINE__);
        return GBX_REPORT(header, nullptr, nullptr, code);
    }
    std::memcpy(axis.startDate, date, sizeof axis.startDate);
    if (const int code = checkTimeFormat(time)) {
        call.exit("F_ERR_TIME_FORMAT %d", __LINE__);
        return GBX_REPORT(header, nullptr, nullptr, code);
    }
    std::memcpy(axis.startTime, time, sizeof axis.startTime);
    clearUnitText(axis);
    axis.unitKey = unit;
    axis.start = startOffset;
    if (step != nullptr) axis.step = *step;
    axis.index = index;
    call.exit("F_NO_ERROR = OK");
    return 0;
}

// ---- Reading -------------------------------------------------------------------------------

// Hands out the unit key and its name. A key the unit library does not know (-1 for an axis
// whose file gave the unit as text) is named by that text, and the key handed out becomes the
// one the unit library makes of it.
void handOutUnit(const GbxTimeAxisRecord& axis, int* unit, const char** unitText) {
    if (unit != nullptr) *unit = axis.unitKey;
    if (unitText == nullptr) return;
    const char* name = nullptr;
    if (vnkGetUnitKey(axis.unitKey, &name) != 0) {
        *unitText = name;
    } else if (axis.unitText != nullptr) {
        *unitText = axis.unitText;
        if (unit != nullptr) vnkGetUnitTag(axis.unitText, unit);
    } else {
        *unitText = "";
    }
}

// The unit of the stored offset: the key, or the key named by the unit text a file gave.
int offsetUnit(const GbxTimeAxisRecord& axis) {
    const char* name = nullptr;
    int unit = axis.unitKey;
    if (vnkGetUnitKey(unit, &name) == 0 && axis.unitText != nullptr) vnkGetUnitTag(axis.unitText, &unit);
    return unit;
}

// The offset in whole seconds, truncated towards zero; false when it is no finite number of
// seconds that 64 bits hold. A unit the unit library cannot convert leaves the value as it is.
bool offsetSeconds(const GbxTimeAxisRecord& axis, int64_t* seconds) {
    double value = axis.start;
    vnkConvertUnit(offsetUnit(axis), axis.start, VNK_UNIT_SECOND, &value);
    if (!std::isfinite(value) || std::fabs(value) >= kTwoPow63) return false;
    *seconds = static_cast<int64_t>(value);
    return true;
}

// A terminated copy of a fixed text slot, which a file may have filled to the last byte.
template <std::size_t N>
void copySlot(char (&to)[N], const char (&from)[N]) {
    std::memcpy(to, from, N - 1);
    to[N - 1] = '\0';
}

// Fills the header's folded date and time with the start of the calendar axis, the offset
// folded in, and returns the offset left to hand out: 0.0, or the stored offset when it cannot
// be folded (not a number, too large, or texts that hold no date or time). The stored texts and
// offset are never changed, so repeated calls agree, the file keeps what was set and reading
// goes on giving times relative to the folded start.
double foldStartOffset(GbxHeader* header) {
    const GbxTimeAxisRecord& axis = header->timeAxis;
    char date[sizeof axis.startDate];
    char time[sizeof axis.startTime];
    copySlot(date, axis.startDate);
    copySlot(time, axis.startTime);
    copySlot(header->foldedDate, date);
    copySlot(header->foldedTime, time);
    if (axis.start == 0.0) return 0.0;
    int64_t seconds = 0;
    const bool folded = offsetSeconds(axis, &seconds) &&
                        gbxFoldSecondsIntoStart(date, time, seconds, header->foldedDate, sizeof header->foldedDate,
                                                header->foldedTime, sizeof header->foldedTime);
    return folded ? 0.0 : axis.start;
}

int getTimeAxis(GbxHeader* header, int axisType, int* unit, const char** unitText, double* start, double* step,
                int* numberOfSteps, int* index) {
    if (const int code = checkAxisType(header, axisType)) return code;
    const GbxTimeAxisRecord& axis = header->timeAxis;
    handOutUnit(axis, unit, unitText);
    if (start != nullptr) *start = axis.start;
    if (step != nullptr) *step = axis.step;
    if (numberOfSteps != nullptr) *numberOfSteps = axis.noOfTimeSteps;
    if (index != nullptr) *index = axis.index;
    return 0;
}

int getCalendarAxis(GbxHeader* header, int axisType, int* unit, const char** unitText, const char** date,
                    const char** time, double* startOffset, double* step, int* numberOfSteps, int* index) {
    if (const int code = checkAxisType(header, axisType)) return code;
    const GbxTimeAxisRecord& axis = header->timeAxis;
    handOutUnit(axis, unit, unitText);
    const double offsetLeft = foldStartOffset(header);
    if (date != nullptr) *date = header->foldedDate;
    if (time != nullptr) *time = header->foldedTime;
    if (startOffset != nullptr) *startOffset = offsetLeft;
    if (step != nullptr) *step = axis.step;
    if (numberOfSteps != nullptr) *numberOfSteps = axis.noOfTimeSteps;
    if (index != nullptr) *index = axis.index;
    return 0;
}

// ---- Span ----------------------------------------------------------------------------------

// The span of a non-equidistant axis: the time of its last time step, which reading gives
// relative to the start (or calendar start offset); 0 without time steps. The file is then
// put back at the start of its static section, or, for a file without one (whose search for
// it runs to the end of the file), at the start of its dynamic section, so that a reader can
// go on from there.
// The time of the last time step, read from the file. The read moves through the file and the
// header's cursor; both are handed back as they were, also when the read fails part way, so
// that the caller's next read is the one it expects.
int nonEquidistantSpan(GbxHeader* header, GbxFile* file, double* span) {
    int steps = 0;
    int code =
        header->timeAxisType == F_TM_NEQ_AXIS
            ? gbxGetNeqTimeAxis(header, nullptr, nullptr, nullptr, nullptr, &steps, nullptr)
            : gbxGetNeqCalendarAxis(header, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
    if (code != 0) return code;
    if (steps < 1) {
        *span = 0.0;
        return 0;
    }
    GbxSavedPosition saved{};
    if ((code = gbxSavePosition(header, file, &saved)) != 0) return code;
    code = gbxFindTimeStep(header, file, steps - 1);
    if (code == 0) code = gbxReadItemTimeStep(header, file, span, nullptr);
    const int restored = gbxRestorePosition(header, file, saved);
    return code != 0 ? code : restored;
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxGetTimeAxisType(GbxHeader* header) {
    GbxCall call("gbxGetTimeAxisType");
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    return call.value(code == 0 ? header->timeAxisType : 0, code);
}

LRX_EXPORT int LRX_CALL gbxSetEqTimeAxis(GbxHeader* header, int unit, double start, double step, int index) {
    GbxCall call("gbxSetEqTimeAxis");
    int code = checkSetter(header, Spacing::Equidistant);
    if (code == 0) code = checkStep(header, step);
    if (code == 0) setTimeAxis(header, F_TM_EQ_AXIS, unit, start, &step, index);
    return call.result(code);
}

LRX_EXPORT int LRX_CALL gbxSetNeqTimeAxis(GbxHeader* header, int unit, double start, int index) {
    GbxCall call("gbxSetNeqTimeAxis");
    const int code = checkSetter(header, Spacing::NonEquidistant);
    if (code == 0) setTimeAxis(header, F_TM_NEQ_AXIS, unit, start, nullptr, index);
    return call.result(code);
}

LRX_EXPORT int LRX_CALL gbxSetEqCalendarAxis(GbxHeader* header, const char* date, const char* time, int unit,
                                             double startOffset, double step, int index) {
    GbxCall call("gbxSetEqCalendarAxis");
    // Unlike the time axis, the calendar axis takes its step as given: callers may rely on
    // setting the step later or keeping one that only they interpret.
    const int code = checkSetter(header, Spacing::Equidistant);
    if (code != 0) return call.result(code);
    return setCalendarAxis(call, header, F_CAL_EQ_AXIS, date, time, unit, startOffset, &step, index);
}

LRX_EXPORT int LRX_CALL gbxSetNeqCalendarAxis(GbxHeader* header, const char* date, const char* time, int unit,
                                              double startOffset, int index) {
    GbxCall call("gbxSetNeqCalendarAxis");
    if (const int code = checkSetter(header, Spacing::NonEquidistant)) return call.result(code);
    return setCalendarAxis(call, header, F_CAL_NEQ_AXIS, date, time, unit, startOffset, nullptr, index);
}

LRX_EXPORT int LRX_CALL gbxGetEqTimeAxis(GbxHeader* header, int* unit, const char** unitText, double* start,
                                         double* step, int* numberOfSteps, int* index) {
    GbxCall call("gbxGetEqTimeAxis");
    return call.result(getTimeAxis(header, F_TM_EQ_AXIS, unit, unitText, start, step, numberOfSteps, index));
}

LRX_EXPORT int LRX_CALL gbxGetNeqTimeAxis(GbxHeader* header, int* unit, const char** unitText, double* start,
                                          double* span, int* numberOfSteps, int* index) {
    GbxCall call("gbxGetNeqTimeAxis");
    return call.result(getTimeAxis(header, F_TM_NEQ_AXIS, unit, unitText, start, span, numberOfSteps, index));
}

LRX_EXPORT int LRX_CALL gbxGetEqCalendarAxis(GbxHeader* header, int* unit, const char** unitText, const char** date,
                                             const char** time, double* startOffset, double* step, int* numberOfSteps,
                                             int* index) {
    GbxCall call("gbxGetEqCalendarAxis");
    return call.result(
        getCalendarAxis(header, F_CAL_EQ_AXIS, unit, unitText, date, time, startOffset, step, numberOfSteps, index));
}

LRX_EXPORT int LRX_CALL gbxGetNeqCalendarAxis(GbxHeader* header, int* unit, const char** unitText, const char** date,
                                              const char** time, double* startOffset, double* span, int* numberOfSteps,
                                              int* index) {
    GbxCall call("gbxGetNeqCalendarAxis");
    return call.result(
        getCalendarAxis(header, F_CAL_NEQ_AXIS, unit, unitText, date, time, startOffset, span, numberOfSteps, index));
}

LRX_EXPORT int LRX_CALL _gbxGetTimeAxisSpan(GbxHeader* header, GbxFile* file, double* span) {
    GbxCall call("_gbxGetTimeAxisSpan");
    double value = gbxDefaultDeleteDouble();
    if (span != nullptr) *span = value;
    if (const int code = gbxCheckHeaderFile(header, file, kModule, __LINE__)) return call.result(code);
    const GbxTimeAxisRecord& axis = header->timeAxis;
    int code = 0;
    switch (header->timeAxisType) {
        case F_TM_EQ_AXIS:
        case F_CAL_EQ_AXIS:
            value = axis.noOfTimeSteps * axis.step;
            break;
        case F_TM_NEQ_AXIS:
        case F_CAL_NEQ_AXIS:
            code = nonEquidistantSpan(header, file, &value);
            break;
        default:
            break;
    }
    if (span != nullptr) *span = value;
    return call.result(code);
}

}  // extern "C"

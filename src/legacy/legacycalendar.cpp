// The legacy calendar on top of the data-file layer's civil-date arithmetic: day numbers
// shifted to their own origin, normalisation, the text form and the date-time parse. Calls
// only that arithmetic and the C library's number reading and formatting.
#include "src/legacy/legacycalendar.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lrx::legacy {

namespace {

// Day 0 of the legacy calendar, 1900-02-28, counted from 1970-01-01.
const int64_t kDayZero = gbxDaysFromCivil(1900, 2, 28);
constexpr int kMaxFields = 6;
constexpr std::size_t kMaxText = 64;

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

bool isLeap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t monthLength(int64_t year, int64_t month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

// Reads up to kMaxFields numbers as "%ld" would, each after optional blanks; stops at the
// first text that is no number. Returns how many were read.
int readNumbers(const char* text, int64_t (&fields)[kMaxFields]) {
    int count = 0;
    while (count < kMaxFields) {
        char* end = nullptr;
        const long long value = std::strtoll(text, &end, 10);
        if (end == text) break;
        fields[count++] = value;
        text = end;
    }
    return count;
}

bool inRange(int64_t value, int64_t low, int64_t high) {
    return value >= low && value <= high;
}

}  // namespace

int64_t dayNumber(int64_t year, int64_t month, int64_t day) {
    return gbxDaysFromCivil(year, month, day) - kDayZero;
}

GbxCivilDate dateOfDay(int64_t dayNumber) {
    return gbxCivilFromDays(dayNumber + kDayZero);
}

DayTime normalise(DayTime time) {
    time.minutes += floorDiv(time.seconds, 60);
    time.seconds -= floorDiv(time.seconds, 60) * 60;
    time.hours += floorDiv(time.minutes, 60);
    time.minutes -= floorDiv(time.minutes, 60) * 60;
    time.days += floorDiv(time.hours, 24);
    time.hours -= floorDiv(time.hours, 24) * 24;
    return time;
}

bool dayTimeText(DayTime time, char* text, std::size_t size) {
    time = normalise(time);
    const GbxCivilDate date = dateOfDay(time.days);
    if (!inRange(date.year, 1, 9999)) return false;
    std::snprintf(text, size, "%4d/%02d/%02d %02d:%02d:%02d", static_cast<int>(date.year), date.month, date.day,
                  static_cast<int>(time.hours), static_cast<int>(time.minutes), static_cast<int>(time.seconds));
    return true;
}

bool parseDateTime(const char* text, DayTime* time) {
    if (text == nullptr) return false;
    char copy[kMaxText];
    std::snprintf(copy, sizeof copy, "%s", text);
    if (std::strpbrk(copy, "/:") != nullptr) {
        for (char* c = copy; *c != '\0'; ++c) {
            if (std::strchr("/:-;", *c) != nullptr) *c = ' ';
        }
    }
    int64_t f[kMaxFields] = {};
    if (readNumbers(copy, f) < 3) return false;
    const bool valid = inRange(f[0], 1800, 2100) && inRange(f[1], 1, 12) && inRange(f[2], 1, monthLength(f[0], f[1])) &&
                       inRange(f[3], 0, 23) && inRange(f[4], 0, 59) && inRange(f[5], 0, 59);
    if (!valid) return false;
    *time = {dayNumber(f[0], f[1], f[2]), f[3], f[4], f[5]};
    return true;
}

}  // namespace lrx::legacy

// Gregorian calendar arithmetic: day numbers of civil dates and back (eras of 400 years,
// 146097 days, so that no loop and no table is needed), and the folding of seconds into a
// start date and time of day. Calls only the C library's formatting.
#include "src/gbx/time/gbxcalendar.h"

#include <cstdio>

namespace {

constexpr int64_t kDaysPerEra = 146097;  // days in 400 Gregorian years
constexpr int64_t kEpochShift = 719468;  // days from 0000-03-01 to 1970-01-01
constexpr int64_t kSecondsPerDay = 86400;
constexpr int kMaxDigits = 12;  // fields of more digits are no date or time

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

int64_t floorMod(int64_t a, int64_t b) {
    const int64_t remainder = a % b;
    return (remainder != 0 && (remainder < 0) != (b < 0)) ? remainder + b : remainder;
}

// Reads one field as "%d" does (blanks, an optional sign, decimal digits), then expects
// `separator` unless it is '\0'. Advances *text past what it read.
bool readField(const char** text, char separator, int64_t* value) {
    const char* p = *text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    int digits = 0;
    int64_t number = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (++digits > kMaxDigits) return false;
        number = number * 10 + (*p - '0');
    }
    if (digits == 0) return false;
    if (separator != '\0') {
        if (*p != separator) return false;
        ++p;
    }
    *value = negative ? -number : number;
    *text = p;
    return true;
}

bool readTriple(const char* text, char separator, int64_t fields[3]) {
    if (text == nullptr) return false;
    return readField(&text, separator, &fields[0]) && readField(&text, separator, &fields[1]) &&
           readField(&text, '\0', &fields[2]);
}

}  // namespace

int64_t gbxDaysFromCivil(int64_t year, int64_t month, int64_t day) {
    // Carry the month into the year, then count years from March so that the leap day is the
    // last day of the counted year.
    year += floorDiv(month - 1, 12);
    month = floorMod(month - 1, 12) + 1;
    if (month <= 2) --year;
    const int64_t era = floorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kEpochShift;
}

GbxCivilDate gbxCivilFromDays(int64_t days) {
    // Shift to days from 0000-03-01 without overflowing: split into eras first.
    const int64_t shifted = floorMod(days, kDaysPerEra) + kEpochShift % kDaysPerEra;
    const int64_t era = floorDiv(days, kDaysPerEra) + kEpochShift / kDaysPerEra + shifted / kDaysPerEra;
    const int64_t dayOfEra = shifted % kDaysPerEra;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    GbxCivilDate date;
    date.day = static_cast<int32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int32_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}

bool gbxFoldSecondsIntoStart(const char* date, const char* time, int64_t seconds, char* foldedDate,
                             std::size_t dateSize, char* foldedTime, std::size_t timeSize) {
    int64_t ymd[3];
    int64_t hms[3];
    if (!readTriple(date, '-', ymd) || !readTriple(time, ':', hms)) return false;
    // Whole days of the offset are split off first, so that the sums below stay far from the
    // 64-bit limits whatever the offset.
    const int64_t secondOfDay = hms[0] * 3600 + hms[1] * 60 + hms[2] + floorMod(seconds, kSecondsPerDay);
    const int64_t days = gbxDaysFromCivil(ymd[0], ymd[1], ymd[2]) + floorDiv(seconds, kSecondsPerDay) +
                         floorDiv(secondOfDay, kSecondsPerDay);
    const GbxCivilDate civil = gbxCivilFromDays(days);
    const int64_t rest = floorMod(secondOfDay, kSecondsPerDay);
    std::snprintf(foldedDate, dateSize, "%.4lld-%.2d-%.2d", static_cast<long long>(civil.year), civil.month, civil.day);
    std::snprintf(foldedTime, timeSize, "%.2d:%.2d:%.2d", static_cast<int>(rest / 3600),
                  static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    return true;
}

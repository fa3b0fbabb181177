// Proleptic Gregorian day arithmetic (days counted in eras of 400 years, so that no table and
// no loop is needed), and the date texts of calendar axes, netCDF time units and ISO 8601.
#include "calendar.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lrxtool {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

bool isLeap(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int64_t year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

bool validDateTime(int64_t year, int month, int day, int hour, int minute, int second) {
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month) && hour >= 0 && hour < 24 &&
           minute >= 0 && minute < 60 && second >= 0 && second < 61;
}

// Reads an unsigned number of at least one digit at text[*at]; false when there is none.
bool readNumber(const std::string& text, std::size_t* at, int64_t* value) {
    std::size_t i = *at;
    int64_t number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - *at < 12)
        number = number * 10 + (text[i++] - '0');
    if (i == *at) return false;
    *at = i;
    *value = number;
    return true;
}

bool expect(const std::string& text, std::size_t* at, char c) {
    if (*at >= text.size() || text[*at] != c) return false;
    ++*at;
    return true;
}

void skipBlanks(const std::string& text, std::size_t* at) {
    while (*at < text.size() && text[*at] == ' ')
        ++*at;
}

// A time of day "h:m[:s[.f]]" after the date; absent parts are 0.
bool readTimeOfDay(const std::string& text, std::size_t* at, int64_t* seconds, double* fraction) {
    int64_t hour = 0, minute = 0, second = 0;
    if (!readNumber(text, at, &hour) || !expect(text, at, ':') || !readNumber(text, at, &minute)) return false;
    if (expect(text, at, ':')) {
        if (!readNumber(text, at, &second)) return false;
        if (*at < text.size() && text[*at] == '.') {
            const std::size_t start = *at;
            ++*at;
            while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9')
                ++*at;
            *fraction = std::strtod(text.substr(start, *at - start).c_str(), nullptr);
        }
    }
    if (hour > 24 || minute > 59 || second > 60) return false;
    *seconds = hour * 3600 + minute * 60 + second;
    return true;
}

// A zone after the time: "Z", "UTC", "GMT", "+hh", "+hh:mm", "-hhmm"; its offset east of UTC.
bool readZone(const std::string& text, std::size_t* at, int64_t* offset) {
    *offset = 0;
    const std::string rest = text.substr(*at);
    if (rest.empty()) return true;
    if (rest == "Z" || rest == "UTC" || rest == "GMT") {
        *at = text.size();
        return true;
    }
    if (rest[0] != '+' && rest[0] != '-') return false;
    const int64_t sign = rest[0] == '-' ? -1 : 1;
    ++*at;
    const std::size_t start = *at;
    int64_t hours = 0, minutes = 0;
    if (!readNumber(text, at, &hours)) return false;
    if (*at - start == 4) {
        minutes = hours % 100;
        hours /= 100;
    } else if (expect(text, at, ':') && !readNumber(text, at, &minutes)) {
        return false;
    }
    *offset = sign * (hours * 3600 + minutes * 60);
    return *at == text.size();
}

}  // namespace

int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = floorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, int64_t* year, int* month, int* day) {
    days += 719468;
    const int64_t era = floorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    *day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    *month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    *year = yearOfEra + era * 400 + (*month <= 2 ? 1 : 0);
}

bool epochSeconds(const std::string& date, const std::string& time, int64_t* seconds) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char extra = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &extra) != 3) return false;
    if (time.size() != 8 || std::sscanf(time.c_str(), "%2d:%2d:%2d%c", &hour, &minute, &second, &extra) != 3)
        return false;
    if (!validDateTime(year, month, day, hour, minute, second)) return false;
    *seconds = daysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return true;
}

std::string isoText(int64_t seconds, double offset) {
    const double whole = std::floor(offset);
    auto micros = static_cast<int64_t>(std::llround((offset - whole) * 1e6));
    int64_t total = seconds + static_cast<int64_t>(whole);
    if (micros >= 1000000) {
        micros -= 1000000;
        total += 1;
    }
    const int64_t days = floorDiv(total, kSecondsPerDay);
    const int64_t inDay = total - days * kSecondsPerDay;
    int64_t year = 0;
    int month = 0, day = 0;
    civilFromDays(days, &year, &month, &day);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d", static_cast<long long>(year), month, day,
                  static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
    std::string result = text;
    if (micros != 0) {
        std::snprintf(text, sizeof text, ".%06lld", static_cast<long long>(micros));
        std::string fraction = text;
        while (fraction.back() == '0')
            fraction.pop_back();
        result += fraction;
    }
    return result;
}

bool dateAndTimeTexts(int64_t seconds, std::string* date, std::string* time) {
    const int64_t days = floorDiv(seconds, kSecondsPerDay);
    const int64_t inDay = seconds - days * kSecondsPerDay;
    int64_t year = 0;
    int month = 0, day = 0;
    civilFromDays(days, &year, &month, &day);
    if (year < 0 || year > 9999) return false;
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(year), month, day);
    *date = text;
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(inDay / 3600),
                  static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
    *time = text;
    return true;
}

bool parseReferenceDate(const std::string& text, int64_t* seconds, double* fraction) {
    std::size_t at = 0;
    skipBlanks(text, &at);
    int64_t year = 0, month = 0, day = 0;
    const bool negativeYear = expect(text, &at, '-');
    if (!readNumber(text, &at, &year) || !expect(text, &at, '-') || !readNumber(text, &at, &month) ||
        !expect(text, &at, '-') || !readNumber(text, &at, &day))
        return false;
    if (negativeYear) year = -year;
    int64_t timeOfDay = 0;
    *fraction = 0.0;
    if (at < text.size() && (text[at] == 'T' || text[at] == ' ')) {
        ++at;
        skipBlanks(text, &at);
        if (at < text.size() && !readTimeOfDay(text, &at, &timeOfDay, fraction)) return false;
        skipBlanks(text, &at);
    }
    int64_t zone = 0;
    if (!readZone(text, &at, &zone)) return false;
    if (!validDateTime(year, static_cast<int>(month), static_cast<int>(day), 0, 0, 0)) return false;
    *seconds = daysFromCivil(year, static_cast<int>(month), static_cast<int>(day)) * kSecondsPerDay + timeOfDay - zone;
    return true;
}

}  // namespace lrxtool

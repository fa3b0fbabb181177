// Dates on the proleptic Gregorian calendar as seconds since 1970-01-01 00:00:00: reading the
// date and time texts of calendar axes and of netCDF time units, and ISO 8601 texts.
#pragma once

#include <cstdint>
#include <string>

namespace lrxtool {

// Days since 1970-01-01 of a date, and the date of such a day number.
int64_t daysFromCivil(int64_t year, int month, int day);
void civilFromDays(int64_t days, int64_t* year, int* month, int* day);

// Seconds since 1970-01-01 00:00:00 of a date "yyyy-mm-dd" and a time of day "hh:mm:ss".
// False when the texts are not of that form or name no valid date or time.
bool epochSeconds(const std::string& date, const std::string& time, int64_t* seconds);

// "yyyy-mm-ddThh:mm:ss" of an instant given as whole seconds plus an offset in seconds; the
// offset's fraction, rounded to microseconds, follows as ".f" without trailing zeros.
std::string isoText(int64_t seconds, double offset = 0.0);

// The date "yyyy-mm-dd" and time of day "hh:mm:ss" of whole seconds since 1970; false when
// the year does not have four digits.
bool dateAndTimeTexts(int64_t seconds, std::string* date, std::string* time);

// Reads the date of a netCDF time unit: "2026-01-01", "2026-1-1 0:0:0", "2026-01-01T00:00:00Z",
// "2026-01-01 06:00:00.5 +01:00" and the like. Gives whole seconds since 1970 (UTC) and the
// fraction of a second; false when the text is no such date.
bool parseReferenceDate(const std::string& text, int64_t* seconds, double* fraction);

}  // namespace lrxtool

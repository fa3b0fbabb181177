// Gregorian calendar arithmetic for calendar time axes: day numbers of civil dates and back,
// and the folding of a number of seconds into a start date and time of day given as texts.
// Pure arithmetic on 64-bit integers; calls nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

struct GbxCivilDate {
    int64_t year;
    int32_t month;  // 1 to 12
    int32_t day;    // 1 to 31
};

// Days from 1970-01-01 to the date. Month and day may lie outside their ranges and are
// carried (month 13 is January of the next year, day 0 the last day of the month before).
// Exact for |year|, |month| and |day| below 10^12.
int64_t gbxDaysFromCivil(int64_t year, int64_t month, int64_t day);

// The date of a day number counted from 1970-01-01; any 64-bit day number, negative ones too.
GbxCivilDate gbxCivilFromDays(int64_t days);

// Adds seconds to the start given as date "yyyy-mm-dd" and time "hh:mm:ss" (each field read as
// a decimal number with optional sign, so out-of-range fields such as 24:99:99 are carried) and
// writes the result as "%.4d-%.2d-%.2d" and "%.2d:%.2d:%.2d" into the two buffers, cut to their
// sizes. Returns false, writing nothing, when a text does not have three numeric fields.
bool gbxFoldSecondsIntoStart(const char* date, const char* time, int64_t seconds, char* foldedDate,
                             std::size_t dateSize, char* foldedTime, std::size_t timeSize);

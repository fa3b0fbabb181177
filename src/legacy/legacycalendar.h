// The calendar of the legacy family: day numbers that count day 1 = 1900-03-01 (day 0 is
// 1900-02-28, 1900-01-01 is day -58) in the Gregorian calendar, their dates, day-and-time
// normalisation, the text form and the parse of a date-time text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "src/gbx/time/gbxcalendar.h"

namespace lrx::legacy {

struct DayTime {
    int64_t days;
    int64_t hours;
    int64_t minutes;
    int64_t seconds;
};

int64_t dayNumber(int64_t year, int64_t month, int64_t day);
GbxCivilDate dateOfDay(int64_t dayNumber);
// Carries seconds into minutes, minutes into hours and hours into days, borrowing from the
// next larger unit for negative remainders.
DayTime normalise(DayTime time);
// "%4d/%02d/%02d %02d:%02d:%02d" of the normalised time; false when the year is outside 1 to 9999.
bool dayTimeText(DayTime time, char* text, std::size_t size);
// Reads "year month day [hour [minute [second]]]" from text. When the text holds a "/" or ":",
// the characters "/", ":", "-" and ";" separate the numbers; otherwise they stay, so that a
// dash reads as a sign. Accepts years 1800 to 2100 and dates and times that exist; false else.
bool parseDateTime(const char* text, DayTime* time);

}  // namespace lrx::legacy

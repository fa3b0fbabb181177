// The legacy calendar: day numbers against the standard library's civil calendar over several
// centuries, the text form with its normalisation, and the date-time parse.
#include <gtest/gtest.h>

#include <chrono>

#include "src/legacy/legacycalendar.h"

using namespace lrx::legacy;
namespace chrono = std::chrono;

TEST(LegacyCalendar, DayNumbersCountFromTheFirstOfMarch1900) {
    const chrono::sys_days dayZero = chrono::year{1900} / chrono::February / 28;
    for (chrono::sys_days day = chrono::year{1700} / 1 / 1; day < chrono::year{2400} / 1 / 1; day += chrono::days{1}) {
        const chrono::year_month_day ymd{day};
        const int64_t expected = (day - dayZero).count();
        const int64_t number = dayNumber(int{ymd.year()}, unsigned{ymd.month()}, unsigned{ymd.day()});
        ASSERT_EQ(number, expected) << int{ymd.year()} << "-" << unsigned{ymd.month()} << "-" << unsigned{ymd.day()};
        const GbxCivilDate date = dateOfDay(number);
        ASSERT_EQ(date.year, int{ymd.year()});
        ASSERT_EQ(date.month, static_cast<int>(unsigned{ymd.month()}));
        ASSERT_EQ(date.day, static_cast<int>(unsigned{ymd.day()}));
    }
    EXPECT_EQ(dayNumber(1900, 3, 1), 1);
    EXPECT_EQ(dayNumber(1900, 1, 1), -58);
    EXPECT_EQ(dayNumber(2000, 1, 1), 36466);
}

TEST(LegacyCalendar, TextNormalisesSecondsIntoTheDay) {
    const std::pair<DayTime, const char*> cases[] = {
        {{36466, 0, 0, 3600}, "2000/01/01 01:00:00"},
        {{36466, 0, 0, -1}, "1999/12/31 23:59:59"},
        {{36465, 23, 59, 61}, "2000/01/01 00:00:01"},
        {{1, -25, 0, 0}, "1900/02/27 23:00:00"},
    };
    for (const auto& [time, expected] : cases) {
        char text[40];
        ASSERT_TRUE(dayTimeText(time, text, sizeof text));
        EXPECT_STREQ(text, expected);
    }
}

TEST(LegacyCalendar, ParseAcceptsOnlyDatesAndTimesThatExist) {
    struct Case {
        const char* text;
        bool accepted;
        DayTime time;
    };
    const Case cases[] = {
        {"1996/2/29 12:00", true, {dayNumber(1996, 2, 29), 12, 0, 0}},
        {"2000-01-01 01:00:00", true, {36466, 1, 0, 0}},
        {"2100/12/31 23:59:59", true, {dayNumber(2100, 12, 31), 23, 59, 59}},
        {"2000 2 29", true, {dayNumber(2000, 2, 29), 0, 0, 0}},
        {"1900-02-29 00:00:00", false, {}},
        {"2001-05-03", false, {}},  // no "/" or ":": the dashes are signs
        {"1799/12/31", false, {}},
        {"2000/4/31", false, {}},
        {"2000/1/1 24:00", false, {}},
        {"2000/1", false, {}},
    };
    for (const Case& c : cases) {
        DayTime time{-1, -1, -1, -1};
        EXPECT_EQ(parseDateTime(c.text, &time), c.accepted) << c.text;
        if (!c.accepted) continue;
        EXPECT_EQ(time.days, c.time.days) << c.text;
        EXPECT_EQ(time.hours * 3600 + time.minutes * 60 + time.seconds,
                  c.time.hours * 3600 + c.time.minutes * 60 + c.time.seconds)
            << c.text;
    }
}

// The time axis: setters and their checks, getters with the unit-text fallback, the calendar
// start with its offset folded in, the span, and the axis written to a file and read back.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "src/gbx/time/gbxcalendar.h"
#include "support/headerfiles.h"
#include "support/reports.h"
#include "vnk/vnk.h"

using namespace gbxtest;
using lrxtest::TempDir;

namespace {

constexpr int kSecond = VNK_UNIT_SECOND;
constexpr int kHour = 1402;

double deletedDouble() {
    const uint64_t bits = GBX_DELETE_DOUBLE_BITS;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

HeaderPtr makeHeaderOfType(int fileType) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(fileType, "axis", "test", 1, 1, 1, &header);
    return HeaderPtr(header);
}

struct CalendarStart {
    std::string date;
    std::string time;
    double offset;
};

// The start an equidistant or non-equidistant calendar getter hands out.
CalendarStart calendarStart(GbxHeader* header) {
    const char* date = nullptr;
    const char* time = nullptr;
    double offset = -1;
    const int code =
        header->timeAxisType == F_CAL_EQ_AXIS
            ? gbxGetEqCalendarAxis(header, nullptr, nullptr, &date, &time, &offset, nullptr, nullptr, nullptr)
            : gbxGetNeqCalendarAxis(header, nullptr, nullptr, &date, &time, &offset, nullptr, nullptr, nullptr);
    EXPECT_EQ(code, 0);
    return {date != nullptr ? date : "?", time != nullptr ? time : "?", offset};
}

// The start plus whole seconds, computed with the standard library's calendar.
std::pair<std::string, std::string> expectedStart(std::chrono::sys_days day, std::chrono::seconds timeOfDay,
                                                  long long offsetSeconds) {
    using namespace std::chrono;
    const sys_seconds moment = day + timeOfDay + std::chrono::seconds(offsetSeconds);
    const sys_days newDay = floor<days>(moment);
    const year_month_day ymd(newDay);
    const hh_mm_ss<seconds> hms(moment - newDay);
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%.4d-%.2u-%.2u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()));
    std::snprintf(time, sizeof time, "%.2d:%.2d:%.2d", static_cast<int>(hms.hours().count()),
                  static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count()));
    return {date, time};
}

}  // namespace

TEST(GbxTimeAxisCalendar, OffsetIsFoldedIntoStartDateAndTime) {
    struct Case {
        const char* date;
        const char* time;
        int unit;
        double offset;
        const char* wantDate;
        const char* wantTime;
    };
    const Case cases[] = {
        {"1999-12-31", "23:59:30", kSecond, 45, "2000-01-01", "00:00:15"},
        {"2000-03-01", "00:00:30", kSecond, -90, "2000-02-29", "23:59:00"},
        {"1900-03-01", "00:00:00", kSecond, -1, "1900-02-28", "23:59:59"},
        {"2000-01-01", "00:00:00", kHour, -0.5, "1999-12-31", "23:30:00"},
        {"2000-01-01", "24:99:99", kSecond, 1, "2000-01-02", "01:40:40"},
        {"2001-01-01", "00:00:00", kSecond, 1.9, "2001-01-01", "00:00:01"},
        {"2001-01-01", "00:00:00", kSecond, -1.9, "2000-12-31", "23:59:59"},
        {"2004-13-01", "00:00:00", kSecond, 1, "2005-01-01", "00:00:01"},
    };
    for (int fileType : {F_EQTIME_FIXEDSPACE_ALLITEMS, F_NEQTIME_FIXEDSPACE_ALLITEMS}) {
        for (const Case& c : cases) {
            HeaderPtr header = makeHeaderOfType(fileType);
            const int code = fileType == F_EQTIME_FIXEDSPACE_ALLITEMS
                                 ? gbxSetEqCalendarAxis(header.get(), c.date, c.time, c.unit, c.offset, 60, 0)
                                 : gbxSetNeqCalendarAxis(header.get(), c.date, c.time, c.unit, c.offset, 0);
            ASSERT_EQ(code, 0) << c.date;
            const CalendarStart start = calendarStart(header.get());
            EXPECT_EQ(start.date, c.wantDate) << c.date << " " << c.time << " + " << c.offset;
            EXPECT_EQ(start.time, c.wantTime) << c.date << " " << c.time << " + " << c.offset;
            EXPECT_EQ(start.offset, 0.0);
        }
    }
}

TEST(GbxTimeAxisCalendar, LargeOffsetsAgreeWithStandardCalendar) {
    using namespace std::chrono;
    const sys_days day = sys_days(year(2004) / February / 29);
    const std::chrono::seconds timeOfDay = hours(13) + minutes(7) + std::chrono::seconds(5);
    struct Case {
        int unit;
        double offset;
        long long seconds;
    };
    const Case cases[] = {
        {kSecond, 3.0e9, 3000000000LL},    {kSecond, -2.5e9, -2500000000LL},  {kHour, 87654.25, 315555300LL},
        {kHour, -300000.5, -1080001800LL}, {kSecond, 1.5e11, 150000000000LL}, {kHour, 7.0e6, 25200000000LL},
    };
    for (const Case& c : cases) {
        HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
        ASSERT_EQ(gbxSetEqCalendarAxis(header.get(), "2004-02-29", "13:07:05", c.unit, c.offset, 1, 0), 0);
        const auto [wantDate, wantTime] = expectedStart(day, timeOfDay, c.seconds);
        const CalendarStart start = calendarStart(header.get());
        EXPECT_EQ(start.date, wantDate) << c.offset;
        EXPECT_EQ(start.time, wantTime) << c.offset;
    }
}

TEST(GbxTimeAxisCalendar, DayNumbersRoundTripAcrossEras) {
    using namespace std::chrono;
    for (long long days : {-1000000LL, -719469LL, -146097LL, -1LL, 0LL, 59LL, 11016LL, 146097LL, 2932896LL}) {
        const year_month_day want{sys_days{std::chrono::days{days}}};
        const GbxCivilDate got = gbxCivilFromDays(days);
        EXPECT_EQ(got.year, static_cast<int>(want.year())) << days;
        EXPECT_EQ(got.month, static_cast<int>(static_cast<unsigned>(want.month()))) << days;
        EXPECT_EQ(got.day, static_cast<int>(static_cast<unsigned>(want.day()))) << days;
        EXPECT_EQ(gbxDaysFromCivil(got.year, got.month, got.day), days);
    }
    // The extremes of 64-bit day numbers convert without overflow.
    for (int64_t days : {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()}) {
        const GbxCivilDate date = gbxCivilFromDays(days);
        EXPECT_TRUE(date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31) << days;
    }
}

TEST(GbxTimeAxisCalendar, RepeatedGettersAgreeAndLeaveStoredStartAlone) {
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetEqCalendarAxis(header.get(), "1999-12-31", "23:59:30", kSecond, 45, 60, 3), 0);
    for (int call = 0; call < 3; ++call) {
        const CalendarStart start = calendarStart(header.get());
        EXPECT_EQ(start.date, "2000-01-01");
        EXPECT_EQ(start.time, "00:00:15");
        EXPECT_EQ(start.offset, 0.0);
    }
    EXPECT_STREQ(header->timeAxis.startDate, "1999-12-31");
    EXPECT_STREQ(header->timeAxis.startTime, "23:59:30");
    EXPECT_EQ(header->timeAxis.start, 45.0);
}

TEST(GbxTimeAxisCalendar, OffsetThatCannotBeFoldedIsHandedOutAsStored) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double offset : {std::nan(""), inf, -inf, 1e19, -1e30}) {
        HeaderPtr header = makeHeaderOfType(F_NEQTIME_FIXEDSPACE_ALLITEMS);
        ASSERT_EQ(gbxSetNeqCalendarAxis(header.get(), "2000-01-01", "12:00:00", kSecond, offset, 0), 0);
        const CalendarStart start = calendarStart(header.get());
        EXPECT_EQ(start.date, "2000-01-01") << offset;
        EXPECT_EQ(start.time, "12:00:00") << offset;
        EXPECT_TRUE(std::isnan(offset) ? std::isnan(start.offset) : start.offset == offset) << offset;
    }
    // The largest offsets that fit are folded into a year far out of range, cut to the text.
    for (double offset : {9.2e18, -9.2e18}) {
        HeaderPtr header = makeHeaderOfType(F_NEQTIME_FIXEDSPACE_ALLITEMS);
        ASSERT_EQ(gbxSetNeqCalendarAxis(header.get(), "2000-01-01", "12:00:00", kSecond, offset, 0), 0);
        const CalendarStart start = calendarStart(header.get());
        EXPECT_EQ(start.offset, 0.0);
        EXPECT_EQ(start.date.size(), 10u);
        EXPECT_EQ(start.time.size(), 8u);
    }
}

TEST(GbxTimeAxisCalendar, StoredTextsWithoutDateAreHandedOutUnfolded) {
    // A file may hold any bytes in the date slot, filled to the last one.
    HeaderPtr header = makeHeaderOfType(F_NEQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetNeqCalendarAxis(header.get(), "2000-01-01", "12:00:00", kSecond, 30, 0), 0);
    std::memset(header->timeAxis.startDate, '7', sizeof header->timeAxis.startDate);
    CalendarStart start = calendarStart(header.get());
    EXPECT_EQ(start.date, "7777777777");
    EXPECT_EQ(start.time, "12:00:00");
    EXPECT_EQ(start.offset, 30.0);
}

TEST(GbxTimeAxisSetters, DateAndTimeTextsMustHaveTheirExactForm) {
    const char* badDates[] = {"2004-1-01", "2004-01-011", "2004/01/01", "20a4-01-01", "", nullptr};
    const char* badTimes[] = {"1:00:00", "10:00:0a", "10-00-00", "10:00:000", nullptr};
    for (const char* date : badDates) {
        HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
        EXPECT_EQ(gbxSetEqCalendarAxis(header.get(), date, "00:00:00", kSecond, 0, 60, 0), F_ERR_DATE_FORMAT);
        EXPECT_EQ(gbxGetTimeAxisType(header.get()), F_CAL_EQ_AXIS);
    }
    for (const char* time : badTimes) {
        HeaderPtr header = makeHeaderOfType(F_NEQTIME_FIXEDSPACE_ALLITEMS);
        EXPECT_EQ(gbxSetNeqCalendarAxis(header.get(), "2010-05-06", time, kSecond, 0, 0), F_ERR_TIME_FORMAT);
        EXPECT_EQ(gbxGetTimeAxisType(header.get()), F_CAL_NEQ_AXIS);
        EXPECT_STREQ(header->timeAxis.startDate, "2010-05-06");
    }
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    EXPECT_EQ(gbxSetEqCalendarAxis(header.get(), "2004-13-99", "24:99:99", kSecond, 0, 60, 0), 0);
}

TEST(GbxTimeAxisSetters, BadDateIsReportedFirstWithoutThenWithHeader) {
    lrxtest::ReportedCodes handlers({1000, 2010, 2011, 2012});
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    EXPECT_EQ(gbxSetEqCalendarAxis(header.get(), "2004-1-01", "00:00:00", kSecond, 0, 60, 0), F_ERR_DATE_FORMAT);
    ASSERT_EQ(handlers.all().size(), 2u);
    EXPECT_EQ(handlers.all()[0].code, F_ERR_DATE_FORMAT);
    EXPECT_EQ(handlers.all()[0].header, nullptr);
    EXPECT_EQ(handlers.all()[1].code, F_ERR_DATE_FORMAT);
    EXPECT_EQ(handlers.all()[1].header, header.get());
}

TEST(GbxTimeAxisSetters, CalendarSetterTracesTheTextCheckOutcome) {
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxSetEqCalendarAxis(header.get(), "2004-1-01", "00:00:00", kSecond, 0, 60, 0);
    gbxSetEqCalendarAxis(header.get(), "2004-01-01", "0:00:00", kSecond, 0, 60, 0);
    gbxSetEqCalendarAxis(header.get(), "2004-01-01", "00:00:00", kSecond, 0, 60, 0);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_NE(trace.find("<-}gbxSetEqCalendarAxis F_ERR_DATE_FORMAT "), std::string::npos) << trace;
    EXPECT_NE(trace.find("<-}gbxSetEqCalendarAxis F_ERR_TIME_FORMAT "), std::string::npos) << trace;
    EXPECT_NE(trace.find("<-}gbxSetEqCalendarAxis F_NO_ERROR = OK\n"), std::string::npos) << trace;
}

TEST(GbxTimeAxisSetters, AxisKindMustSuitFileType) {
    using Setter = int (*)(GbxHeader*);
    const Setter eqTime = [](GbxHeader* h) { return gbxSetEqTimeAxis(h, kSecond, 0, 60, 0); };
    const Setter neqTime = [](GbxHeader* h) { return gbxSetNeqTimeAxis(h, kSecond, 0, 0); };
    const Setter eqCal = [](GbxHeader* h) {
        return gbxSetEqCalendarAxis(h, "2000-01-01", "00:00:00", kSecond, 0, 60, 0);
    };
    const Setter neqCal = [](GbxHeader* h) {
        return gbxSetNeqCalendarAxis(h, "2000-01-01", "00:00:00", kSecond, 0, 0);
    };
    struct Case {
        Setter setter;
        int fileType;
        int code;
    };
    const Case cases[] = {
        {eqTime, 1, 0},     {eqTime, 2, 0},     {eqTime, 4, 1000}, {eqTime, 16, 1000}, {eqTime, 3, 2010},
        {neqTime, 1, 1000}, {neqTime, 3, 2010}, {neqTime, 8, 0},   {neqTime, 0, 2010}, {eqCal, 8, 1000},
        {eqCal, 2, 0},      {eqCal, 32, 2010},  {neqCal, 2, 1000}, {neqCal, 16, 0},    {neqCal, 5, 2010},
    };
    for (const Case& c : cases) {
        lrxtest::ReportedCodes handlers({1000, 2010, 2011, 2012});
        HeaderPtr header = makeHeaderOfType(c.fileType);
        EXPECT_EQ(c.setter(header.get()), c.code) << "file type " << c.fileType;
        if (c.code == 0) continue;
        EXPECT_EQ(gbxGetTimeAxisType(header.get()), F_UNDEFINED_TAXIS);
        ASSERT_EQ(handlers.all().size(), 1u);
        EXPECT_EQ(handlers.all()[0].header, header.get());
    }
    EXPECT_EQ(eqTime(nullptr), F_ERR_USAGE);
    EXPECT_EQ(neqCal(nullptr), F_ERR_USAGE);
}

TEST(GbxTimeAxisSetters, EquidistantTimeStepMustBePositiveCalendarStepIsTakenAsGiven) {
    for (double step : {0.0, -1.0, std::nan(""), -std::numeric_limits<double>::infinity()}) {
        HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
        EXPECT_EQ(gbxSetEqTimeAxis(header.get(), kSecond, 0, step, 0), F_ERR_USAGE) << step;
        EXPECT_EQ(gbxGetTimeAxisType(header.get()), F_UNDEFINED_TAXIS);
        EXPECT_EQ(gbxSetEqCalendarAxis(header.get(), "2000-01-01", "00:00:00", kSecond, 0, step, 0), 0);
        EXPECT_EQ(gbxGetTimeAxisType(header.get()), F_CAL_EQ_AXIS);
    }
}

TEST(GbxTimeAxisGetters, GetterOfAnotherKindIsRefused) {
    lrxtest::ReportedCodes handlers({1000, 2010, 2011, 2012});
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetEqTimeAxis(header.get(), kSecond, 0, 60, 0), 0);
    const char* date = "untouched";
    EXPECT_EQ(gbxGetNeqTimeAxis(header.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), F_ERR_USAGE);
    EXPECT_EQ(gbxGetEqCalendarAxis(header.get(), nullptr, nullptr, &date, nullptr, nullptr, nullptr, nullptr, nullptr),
              F_ERR_USAGE);
    EXPECT_STREQ(date, "untouched");
    EXPECT_EQ(handlers.codes(), (std::vector<int>{1000, 1000}));
    EXPECT_EQ(handlers.all()[0].header, header.get());
    EXPECT_EQ(gbxGetEqTimeAxis(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), F_ERR_USAGE);
    EXPECT_EQ(gbxGetTimeAxisType(nullptr), 0);
}

TEST(GbxTimeAxisGetters, UnitTextFallsBackToTextFromFileThenEmpty) {
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetEqTimeAxis(header.get(), kSecond, 0, 60, 0), 0);
    int unit = 0;
    const char* text = nullptr;
    ASSERT_EQ(gbxGetEqTimeAxis(header.get(), &unit, &text, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(unit, kSecond);
    EXPECT_STREQ(text, "s");

    // As read from an older file: the unit as text, key -1.
    header->timeAxis.unitKey = -1;
    header->timeAxis.unitText = strdup("hours");
    ASSERT_EQ(gbxGetEqTimeAxis(header.get(), &unit, &text, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(text, "hours");
    EXPECT_EQ(unit, kHour);
    ASSERT_EQ(gbxGetEqTimeAxis(header.get(), &unit, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(unit, -1);

    std::free(header->timeAxis.unitText);
    header->timeAxis.unitText = nullptr;
    ASSERT_EQ(gbxGetEqTimeAxis(header.get(), &unit, &text, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(unit, -1);

    // Both axis kinds share the record: any setter drops the text a file gave.
    header->timeAxis.unitText = strdup("min");
    ASSERT_EQ(gbxSetEqCalendarAxis(header.get(), "2000-01-01", "00:00:00", kSecond, 0, 5, 0), 0);
    EXPECT_EQ(header->timeAxis.unitText, nullptr);
}

TEST(GbxTimeAxisGetters, CalendarOffsetInUnitNamedByFileTextIsFoldedInThatUnit) {
    HeaderPtr header = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetEqCalendarAxis(header.get(), "2000-01-01", "00:00:00", kSecond, 2, 1, 0), 0);
    header->timeAxis.unitKey = -1;
    header->timeAxis.unitText = strdup("hours");
    const CalendarStart start = calendarStart(header.get());
    EXPECT_EQ(start.time, "02:00:00");
}

TEST(GbxTimeAxisSpan, SpanOfEachAxisKind) {
    TempDir dir;
    DataFilePtr file(FOpenFileCreate(dir.path("span.gbx").c_str()));
    ASSERT_NE(file, nullptr);
    double span = 0;

    HeaderPtr none = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    EXPECT_EQ(_gbxGetTimeAxisSpan(none.get(), file.get(), &span), 0);
    EXPECT_EQ(span, deletedDouble());

    HeaderPtr eq = makeHeaderOfType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetEqTimeAxis(eq.get(), kSecond, 5, 60, 0), 0);
    eq->timeAxis.noOfTimeSteps = 10;
    EXPECT_EQ(_gbxGetTimeAxisSpan(eq.get(), file.get(), &span), 0);
    EXPECT_EQ(span, 600.0);
    ASSERT_EQ(gbxSetEqCalendarAxis(eq.get(), "2000-01-01", "00:00:00", kSecond, 7, 2.5, 0), 0);
    EXPECT_EQ(_gbxGetTimeAxisSpan(eq.get(), file.get(), &span), 0);
    EXPECT_EQ(span, 25.0);

    // A non-equidistant axis without time steps spans nothing; with steps the span is read
    // from the file's last time step (see the time-step tests).
    HeaderPtr neq = makeHeaderOfType(F_NEQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetNeqCalendarAxis(neq.get(), "2000-01-01", "00:00:00", kSecond, 100, 0), 0);
    EXPECT_EQ(_gbxGetTimeAxisSpan(neq.get(), file.get(), &span), 0);
    EXPECT_EQ(span, 0.0);

    span = 0;
    EXPECT_EQ(_gbxGetTimeAxisSpan(neq.get(), nullptr, &span), F_ERR_USAGE);
    EXPECT_EQ(span, deletedDouble());
}

TEST(GbxTimeAxisFile, EachAxisKindSurvivesWriteAndRead) {
    struct Case {
        int fileType;
        int axisType;
    };
    const Case cases[] = {{1, F_TM_EQ_AXIS}, {4, F_TM_NEQ_AXIS}, {2, F_CAL_EQ_AXIS}, {16, F_CAL_NEQ_AXIS}};
    TempDir dir;
    for (const Case& c : cases) {
        HeaderPtr header = makeHeaderOfType(c.fileType);
        switch (c.axisType) {
            case F_TM_EQ_AXIS:
                ASSERT_EQ(gbxSetEqTimeAxis(header.get(), kHour, 1.5, 0.25, 3), 0);
                break;
            case F_TM_NEQ_AXIS:
                ASSERT_EQ(gbxSetNeqTimeAxis(header.get(), kHour, 1.5, 3), 0);
                break;
            case F_CAL_EQ_AXIS:
                ASSERT_EQ(gbxSetEqCalendarAxis(header.get(), "1999-12-31", "23:59:30", kSecond, 45, 0.25, 3), 0);
                break;
            default:
                ASSERT_EQ(gbxSetNeqCalendarAxis(header.get(), "1999-12-31", "23:59:30", kSecond, 45, 3), 0);
        }
        header->timeAxis.noOfTimeSteps = 7;
        header->timeAxis.step = c.axisType == F_TM_EQ_AXIS || c.axisType == F_CAL_EQ_AXIS ? 0.25 : 8.0;
        // A getter call before writing must not change what is written.
        if (c.axisType >= F_CAL_EQ_AXIS) calendarStart(header.get());
        const std::string path = dir.path("axis" + std::to_string(c.axisType) + ".gbx");
        ASSERT_EQ(writeDataFile(path, header.get()), 0);
        int error = -1;
        HeaderPtr read = readDataFile(path, &error);
        ASSERT_EQ(error, 0);
        ASSERT_NE(read, nullptr);
        const GbxTimeAxisRecord& axis = read->timeAxis;
        EXPECT_EQ(read->timeAxisType, c.axisType);
        EXPECT_EQ(axis.unitKey, header->timeAxis.unitKey);
        EXPECT_EQ(axis.start, header->timeAxis.start);
        EXPECT_EQ(axis.step, header->timeAxis.step);
        EXPECT_EQ(axis.noOfTimeSteps, 7);
        EXPECT_EQ(axis.index, 3);
        if (c.axisType >= F_CAL_EQ_AXIS) {
            EXPECT_STREQ(axis.startDate, "1999-12-31");
            EXPECT_STREQ(axis.startTime, "23:59:30");
            const CalendarStart start = calendarStart(read.get());
            EXPECT_EQ(start.date, "2000-01-01");
            EXPECT_EQ(start.time, "00:00:15");
        }
    }
}

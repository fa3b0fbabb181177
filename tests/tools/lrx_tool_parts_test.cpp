// The tool's own pieces that a wrong line would quietly spoil: dates of netCDF time units and
// ISO texts, the UTM projection and projection names, tidied coordinates, and the step ranges
// and delimiters of `lrx dump`.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/lrx/calendar.h"
#include "tools/lrx/dumpselect.h"
#include "tools/lrx/ncgeo.h"
#include "tools/lrx/numbertext.h"

namespace {

using namespace lrxtool;

TEST(LrxToolParts, ReferenceDatesOfTimeUnitsReadWithTimeZoneAndFraction) {
    const int64_t newYear = daysFromCivil(2026, 1, 1) * 86400;
    struct Case {
        const char* text;
        bool valid;
        int64_t seconds;
        double fraction;
    };
    const std::vector<Case> cases = {
        {"2026-01-01", true, newYear, 0.0},
        {"2026-1-1 0:0:0", true, newYear, 0.0},
        {"2026-01-01T06:00:00Z", true, newYear + 6 * 3600, 0.0},
        {"2026-01-01 06:00:00 +01:00", true, newYear + 5 * 3600, 0.0},
        {"2026-01-01 06:00", true, newYear + 6 * 3600, 0.0},
        {"1970-01-01 00:00:00.5", true, 0, 0.5},
        {"2026-02-29", false, 0, 0.0},
        {"2026-01-01 25:00:00", false, 0, 0.0},
        {"yesterday", false, 0, 0.0},
    };
    for (const Case& c : cases) {
        int64_t seconds = -1;
        double fraction = -1;
        EXPECT_EQ(parseReferenceDate(c.text, &seconds, &fraction), c.valid) << c.text;
        if (!c.valid) continue;
        EXPECT_EQ(seconds, c.seconds) << c.text;
        EXPECT_EQ(fraction, c.fraction) << c.text;
    }
}

TEST(LrxToolParts, IsoTextsCrossDaysYearsAndLeapDays) {
    EXPECT_EQ(isoText(0), "1970-01-01T00:00:00");
    EXPECT_EQ(isoText(0, -0.5), "1969-12-31T23:59:59.5");
    EXPECT_EQ(isoText(daysFromCivil(2024, 2, 28) * 86400, 86400 + 3600.25), "2024-02-29T01:00:00.25");
    EXPECT_EQ(isoText(daysFromCivil(2023, 12, 31) * 86400 + 86399, 0.9999996), "2024-01-01T00:00:00");
    std::string date, time;
    ASSERT_TRUE(dateAndTimeTexts(daysFromCivil(2000, 3, 1) * 86400 - 60, &date, &time));
    EXPECT_EQ(date + " " + time, "2000-02-29 23:59:00");
}

TEST(LrxToolParts, UtmProjectionOfKnownPoints) {
    double easting = 0, northing = 0;
    utmFromLongLat(9.0, 0.0, 32, false, &easting, &northing);
    EXPECT_NEAR(easting, 500000.0, 1e-6);
    EXPECT_NEAR(northing, 0.0, 1e-6);
    // On the central meridian the northing is the meridian arc (4984944.378 m to 45 degrees)
    // times the scale factor; the southern hemisphere adds its false northing.
    utmFromLongLat(9.0, 45.0, 32, false, &easting, &northing);
    EXPECT_NEAR(northing, 0.9996 * 4984944.378, 0.01);
    utmFromLongLat(9.0, -45.0, 32, true, &easting, &northing);
    EXPECT_NEAR(northing, 10000000.0 - 0.9996 * 4984944.378, 0.01);
    // Points mirrored across the central meridian mirror their eastings.
    double west = 0, east = 0;
    utmFromLongLat(7.5, 55.7, 32, false, &west, &northing);
    utmFromLongLat(10.5, 55.7, 32, false, &east, &northing);
    EXPECT_NEAR(west + east, 1000000.0, 1e-6);
}

TEST(LrxToolParts, ProjectionNamesThatCfKnows) {
    struct Case {
        const char* text;
        ProjectionKind kind;
        int zone;
        bool south;
    };
    const std::vector<Case> cases = {
        {"UTM-32", ProjectionKind::Utm, 32, false},
        {"UTM-33S", ProjectionKind::Utm, 33, true},
        {"utm zone 5n", ProjectionKind::Utm, 5, false},
        {"PROJCS[\"WGS_1984_UTM_Zone_60S\",GEOGCS[...]]", ProjectionKind::Utm, 60, true},
        {"UTM-61", ProjectionKind::Unknown, 0, false},
        {"LONG/LAT", ProjectionKind::LongLat, 0, false},
        {"GEOGCS[\"GCS_WGS_1984\"]", ProjectionKind::LongLat, 0, false},
        {"NON-UTM", ProjectionKind::Unknown, 0, false},
    };
    for (const Case& c : cases) {
        const Projection projection = recogniseProjection(c.text, false);
        EXPECT_EQ(projection.kind, c.kind) << c.text;
        EXPECT_EQ(projection.zone, c.zone) << c.text;
        EXPECT_EQ(projection.south, c.south) << c.text;
    }
}

TEST(LrxToolParts, TidyNumbersStayWithinTheirTolerance) {
    EXPECT_EQ(tidyNumber(0.1 + 2 * double(0.1f), 1e-7), 0.3);
    EXPECT_EQ(tidyNumber(500000.125, 1e-9), 500000.125);
    EXPECT_EQ(tidyNumber(1.0 / 3.0, 0.0), 1.0 / 3.0);
}

TEST(LrxToolParts, StepRangesAndDelimitersOfDump) {
    struct Case {
        const char* text;
        bool valid;
        int first, last, stride;
    };
    const std::vector<Case> cases = {
        {"2:5", true, 2, 5, 1},  {"10:", true, 10, -1, 1},  {":20:5", true, 0, 20, 5}, {"::3", true, 0, -1, 3},
        {"5:2", false, 0, 0, 0}, {"1:2:0", false, 0, 0, 0}, {"-1:3", false, 0, 0, 0},  {"7", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        StepRange range;
        std::string problem;
        EXPECT_EQ(parseStepRange(c.text, &range, &problem), c.valid) << c.text;
        if (!c.valid) continue;
        EXPECT_EQ(range.first, c.first) << c.text;
        EXPECT_EQ(range.last, c.last) << c.text;
        EXPECT_EQ(range.stride, c.stride) << c.text;
    }
    std::string delimiter;
    EXPECT_TRUE(parseDelimiter("tab", &delimiter));
    EXPECT_EQ(delimiter, "\t");
    for (const char* refused : {".", "-", "e", "5", "\"", ";;"})
        EXPECT_FALSE(parseDelimiter(refused, &delimiter)) << refused;
}

}  // namespace

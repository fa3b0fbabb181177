// Item statistics and compression calls: accumulation per data type with its delete value,
// the figures derived per element, unit conversion of the outputs, the checks of the queries,
// the encoding-key test and the trace lines of these calls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "lrx/trace.h"
#include "src/gbx/items/gbxitemstats.h"
#include "support/axisitems.h"

using namespace gbxtest;

namespace {

constexpr int kLevel = VNK_ITEM_LEVEL;
constexpr int kWaterTemperature = 100040;
constexpr int kCelsius = 2400;
constexpr int kFahrenheit = 2401;

// A header with one item of the data type on an EqD1 axis of nx cells (defined and given its
// axis through the public calls, so its statistics storage is made as in use).
HeaderPtr statsHeader(int statsType, int dataType, int nx = 1, int itemType = kLevel, int unit = kMetre) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "stats", "test", 1, 1, statsType, &header);
    GbxItem* item = gbxItemD(header, 1);
    EXPECT_EQ(gbxSetItemInfo(header, item, itemType, "value", unit, dataType), 0);
    EXPECT_EQ(gbxSetItemAxisEqD1(item, kMetre, nx, 0.0f, 1.0f), 0);
    return HeaderPtr(header);
}

// Adds each value as one time step of the header's one-element item 1.
template <typename T>
void writeSeries(GbxHeader* header, const std::vector<T>& series) {
    for (const T& value : series)
        ASSERT_EQ(gbxCalcStatistics(header, 1, &value), 0);
}

struct ElementStats {
    int code = -1;
    double min = 0, max = 0, mean = 0, stdDev = 0, autoCorr = 0;
    int valid = -1, deletes = -1, pairs = -1;
};

ElementStats statsOf(GbxHeader* header, int element, int itemNo = 1) {
    ElementStats s;
    s.code = gbxGetItemStats(header, itemNo, element, &s.min, &s.max, &s.mean, &s.stdDev, &s.autoCorr, &s.valid,
                             &s.deletes, &s.pairs);
    return s;
}

struct GlobalStats {
    int code = -1;
    double min = 0, max = 0;
    int deletes = -1;
};

GlobalStats globalOf(GbxHeader* header) {
    GlobalStats s;
    s.code = gbxGetItemStatsGlobal(gbxItemD(header, 1), &s.min, &s.max, &s.deletes);
    return s;
}

}  // namespace

TEST(GbxStatsElement, SeriesWithDeleteValueGivesExtremesCountsAndDerivedFigures) {
    HeaderPtr header = statsHeader(2, LRX_FLOAT);
    const float D = header->deleteValueFloat;
    writeSeries<float>(header.get(), {1, 2, D, 4});

    const ElementStats s = statsOf(header.get(), 0);
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.min, 1);
    EXPECT_EQ(s.max, 4);
    EXPECT_EQ(s.valid, 3);
    EXPECT_EQ(s.deletes, 1);
    EXPECT_EQ(s.pairs, 1);  // only 1, 2 are consecutive
    EXPECT_DOUBLE_EQ(s.mean, 7.0 / 3.0);
    // Sample variance of 1, 2, 4 is 7/3; covariance of the pair (1, 2) about the mean is
    // 2 - 49/9, so the autocorrelation is -31/21.
    EXPECT_DOUBLE_EQ(s.stdDev, std::sqrt(7.0 / 3.0));
    EXPECT_NEAR(s.autoCorr, -31.0 / 21.0, 1e-12);

    const GlobalStats g = globalOf(header.get());
    EXPECT_EQ(g.code, 0);
    EXPECT_EQ(g.min, 1);
    EXPECT_EQ(g.max, 4);
    EXPECT_EQ(g.deletes, 1);
}

TEST(GbxStatsElement, FiguresThatCannotBeFormedAreTheDoubleDeleteValue) {
    struct Case {
        const char* name;
        std::vector<double> series;  // kDel marks the delete value
        double mean, stdDev, autoCorr;
        int valid, deletes;
    };
    constexpr double kDel = 1e300;  // stands for the delete value in a series
    const double D = -1e-255;       // the header's double delete value
    const Case cases[] = {
        {"only delete values", {kDel, kDel}, D, D, D, 0, 2},
        {"one value", {3}, 3, D, D, 1, 0},
        {"constant series", {5, 5, 5}, 5, 0, D, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeaderPtr header = statsHeader(2, LRX_DOUBLE);
        ASSERT_EQ(header->deleteValueDouble, D);
        std::vector<double> series;
        for (double v : c.series)
            series.push_back(v == kDel ? D : v);
        writeSeries(header.get(), series);
        const ElementStats s = statsOf(header.get(), 0);
        EXPECT_EQ(s.code, 0);
        EXPECT_EQ(s.mean, c.mean);
        EXPECT_EQ(s.stdDev, c.stdDev);
        EXPECT_EQ(s.autoCorr, c.autoCorr);
        EXPECT_EQ(s.valid, c.valid);
        EXPECT_EQ(s.deletes, c.deletes);
    }
}

TEST(GbxStatsAccumulate, EachDataTypeIsReadAsStoredAndMatchedWithItsDeleteValue) {
    // Each series is: a low value, the type's delete value, a high value.
    HeaderPtr bytes = statsHeader(2, LRX_BYTE);
    writeSeries<uint8_t>(bytes.get(), {200, 0, 100});  // 200 is -56 as a signed byte
    HeaderPtr ints = statsHeader(2, LRX_INT4);
    writeSeries<int32_t>(ints.get(), {-7, 2147483647, 9});
    HeaderPtr unsigneds = statsHeader(2, LRX_UINT4);
    writeSeries<uint32_t>(unsigneds.get(), {3000000000u, 2147483647u, 4000000000u});
    HeaderPtr floats = statsHeader(2, LRX_FLOAT);
    writeSeries<float>(floats.get(), {0.5f, floats->deleteValueFloat, 1.5f});

    struct Case {
        const char* name;
        GbxHeader* header;
        double min, max;
    };
    const Case cases[] = {
        {"byte", bytes.get(), -56, 100},
        {"int32", ints.get(), -7, 9},
        {"uint32", unsigneds.get(), 3000000000.0, 4000000000.0},
        {"float", floats.get(), 0.5, 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ElementStats s = statsOf(c.header, 0);
        EXPECT_EQ(s.code, 0);
        EXPECT_EQ(s.min, c.min);
        EXPECT_EQ(s.max, c.max);
        EXPECT_EQ(s.valid, 2);
        EXPECT_EQ(s.deletes, 1);
        EXPECT_EQ(s.pairs, 0);  // the delete value separates the two values
        const GlobalStats g = globalOf(c.header);
        EXPECT_EQ(g.min, c.min);
        EXPECT_EQ(g.max, c.max);
        EXPECT_EQ(g.deletes, 1);
    }
}

TEST(GbxStatsAccumulate, ElementsAreKeptApartWithinOneTimeStep) {
    HeaderPtr header = statsHeader(3, LRX_INT4, 3);
    const int32_t steps[2][3] = {{1, 2147483647, 30}, {3, 20, 10}};
    for (const auto& step : steps)
        ASSERT_EQ(gbxCalcStatistics(header.get(), 1, step), 0);

    const ElementStats first = statsOf(header.get(), 0);
    EXPECT_EQ(first.min, 1);
    EXPECT_EQ(first.max, 3);
    EXPECT_EQ(first.pairs, 1);
    const ElementStats second = statsOf(header.get(), 1);
    EXPECT_EQ(second.min, 20);
    EXPECT_EQ(second.valid, 1);
    EXPECT_EQ(second.deletes, 1);
    EXPECT_EQ(second.pairs, 0);
    const ElementStats third = statsOf(header.get(), 2);
    EXPECT_EQ(third.mean, 20);
    const GlobalStats g = globalOf(header.get());
    EXPECT_EQ(g.min, 1);
    EXPECT_EQ(g.max, 30);
    EXPECT_EQ(g.deletes, 1);
}

TEST(GbxStatsAccumulate, ElementsBeyondTheStoredStatisticsCountOnlyItemWide) {
    // Keys installed after the item got its storage make more elements used than stored.
    HeaderPtr header = statsHeader(2, LRX_FLOAT, 1);
    const int32_t keyX[3] = {0, 0, 0};
    const int32_t keyY[3] = {0, 0, 0};
    ASSERT_EQ(gbxSetEncodeKey(header.get(), keyX, keyY, nullptr, 3), 0);
    ASSERT_EQ(gbxGetUsedItemElements(gbxItemD(header.get(), 1)), 3);
    ASSERT_EQ(header->items[0].statsElements, 1);

    ReportedCodes reported;
    const float step[3] = {2, 8, header->deleteValueFloat};
    EXPECT_EQ(gbxCalcStatistics(header.get(), 1, step), 0);
    const ElementStats s = statsOf(header.get(), 0);
    EXPECT_EQ(s.max, 2);
    EXPECT_EQ(s.valid, 1);
    EXPECT_EQ(statsOf(header.get(), 1).code, F_ERR_ELEMENT_NO);
    EXPECT_EQ(reported.codes(), std::vector<int>({F_ERR_ELEMENT_NO}));
    const GlobalStats g = globalOf(header.get());
    EXPECT_EQ(g.max, 8);
    EXPECT_EQ(g.deletes, 1);
}

TEST(GbxStatsAccumulate, BadCallsAreReportedAndReturned) {
    HeaderPtr header = statsHeader(2, LRX_FLOAT);
    const float value = 1;
    ReportedCodes reported;
    EXPECT_EQ(gbxCalcStatistics(header.get(), 2, &value), F_ERR_ITEM_NO);
    EXPECT_EQ(gbxCalcStatistics(header.get(), 1, nullptr), F_ERR_DATA);
    EXPECT_EQ(gbxCalcStatistics(nullptr, 1, &value), F_ERR_USAGE);
    header->itemStatsType = 4;
    EXPECT_EQ(gbxCalcStatistics(header.get(), 1, &value), F_ERR_DATA);
    EXPECT_EQ(reported.codes(), std::vector<int>({F_ERR_ITEM_NO, F_ERR_DATA, F_ERR_USAGE, F_ERR_DATA}));
    EXPECT_EQ(reported.all()[3].header, header.get());
    header->itemStatsType = 2;
    EXPECT_EQ(statsOf(header.get(), 0).valid, 0);
}

TEST(GbxStatsAccumulate, DataTypeWithoutValueSizeLeavesStatisticsAlone) {
    HeaderPtr header = statsHeader(2, LRX_FLOAT);
    header->items[0].dataType = LRX_INT2;
    const int16_t value = 4;
    ReportedCodes reported;
    EXPECT_EQ(gbxCalcStatistics(header.get(), 1, &value), 0);
    EXPECT_EQ(reported.codes(), std::vector<int>());
    header->items[0].dataType = LRX_FLOAT;
    EXPECT_EQ(statsOf(header.get(), 0).valid, 0);
    EXPECT_EQ(globalOf(header.get()).max, header->deleteValueDouble);
}

TEST(GbxStatsQuery, RefusalsWriteNoOutputs) {
    HeaderPtr typeOne = statsHeader(1, LRX_FLOAT);
    writeSeries<float>(typeOne.get(), {2, typeOne->deleteValueFloat, 6});
    HeaderPtr typeTwo = statsHeader(2, LRX_FLOAT);
    HeaderPtr legacy = statsHeader(2, LRX_FLOAT);
    int legacyFile = 0;
    legacy->legacyFile = &legacyFile;

    struct Case {
        const char* name;
        GbxHeader* header;
        int itemNo, element, code;
    };
    const Case cases[] = {
        {"statistics type 1", typeOne.get(), 1, 0, F_ERR_USAGE},
        {"negative element", typeTwo.get(), 1, -1, F_ERR_ELEMENT_NO},
        {"element past the end", typeTwo.get(), 1, 1, F_ERR_ELEMENT_NO},
        {"item number", typeTwo.get(), 2, 0, F_ERR_ITEM_NO},
        {"legacy header", legacy.get(), 1, 0, F_ERR_USAGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportedCodes reported;
        const ElementStats s = statsOf(c.header, c.element, c.itemNo);
        EXPECT_EQ(s.code, c.code);
        EXPECT_EQ(reported.codes(), std::vector<int>({c.code}));
        EXPECT_EQ(reported.all()[0].header, c.header);
        EXPECT_EQ(s.min, 0);
        EXPECT_EQ(s.valid, -1);
        EXPECT_EQ(s.pairs, -1);
    }
    legacy->legacyFile = nullptr;

    // Type 1 keeps the item-wide figures all the same.
    const GlobalStats g = globalOf(typeOne.get());
    EXPECT_EQ(g.code, 0);
    EXPECT_EQ(g.min, 2);
    EXPECT_EQ(g.max, 6);
    EXPECT_EQ(g.deletes, 1);

    ReportedCodes reported;
    double min = 7;
    int deletes = 7;
    EXPECT_EQ(gbxGetItemStatsGlobal(nullptr, &min, nullptr, &deletes), F_ERR_USAGE);
    EXPECT_EQ(min, 7);
    EXPECT_EQ(deletes, 7);
}

TEST(GbxStatsQuery, OutputsAreConvertedToTheCallersUnit) {
    HeaderPtr header = statsHeader(2, LRX_DOUBLE);
    writeSeries<double>(header.get(), {1, 2, 4});
    ASSERT_EQ(gbxSetItemUnitConversion(gbxItemD(header.get(), 1), 2, kFoot), 0);
    const double feet = 1 / 0.3048;

    const ElementStats s = statsOf(header.get(), 0);
    EXPECT_DOUBLE_EQ(s.min, 1 * feet);
    EXPECT_DOUBLE_EQ(s.max, 4 * feet);
    EXPECT_DOUBLE_EQ(s.mean, 7.0 / 3.0 * feet);
    EXPECT_DOUBLE_EQ(s.stdDev, std::sqrt(7.0 / 3.0) * feet);
    // Pairs (1, 2) and (2, 4): covariance 5 - 49/9 over variance 7/3. A ratio: no unit.
    EXPECT_NEAR(s.autoCorr, -4.0 / 21.0, 1e-12);
    EXPECT_EQ(s.valid, 3);
    const GlobalStats g = globalOf(header.get());
    EXPECT_DOUBLE_EQ(g.min, 1 * feet);
    EXPECT_DOUBLE_EQ(g.max, 4 * feet);
}

TEST(GbxStatsQuery, DeviationConvertsByScaleOnlyAndDeleteValuesStayUnconverted) {
    HeaderPtr header = statsHeader(2, LRX_FLOAT, 1, kWaterTemperature, kCelsius);
    writeSeries<float>(header.get(), {10, 12});
    HeaderPtr empty = statsHeader(2, LRX_FLOAT, 1, kWaterTemperature, kCelsius);
    for (GbxHeader* h : {header.get(), empty.get()})
        ASSERT_EQ(gbxSetItemUnitConversion(gbxItemD(h, 1), 2, kFahrenheit), 0);

    const ElementStats s = statsOf(header.get(), 0);
    EXPECT_NEAR(s.mean, 51.8, 1e-9);
    // A spread of sqrt(2) degrees Celsius is 1.8 times as many degrees Fahrenheit: the 32
    // degrees between the scales' zeros do not enter.
    EXPECT_NEAR(s.stdDev, std::sqrt(2.0) * 1.8, 1e-9);

    const double D = empty->deleteValueDouble;
    const ElementStats none = statsOf(empty.get(), 0);
    EXPECT_EQ(none.min, D);
    EXPECT_EQ(none.max, D);
    EXPECT_EQ(none.mean, D);
    EXPECT_EQ(none.stdDev, D);
    const GlobalStats g = globalOf(empty.get());
    EXPECT_EQ(g.min, D);
    EXPECT_EQ(g.max, D);
}

TEST(GbxStatsCompression, KeySizeNeedsXAndYKeysWhateverTheSwitch) {
    const int32_t key[4] = {0, 1, 2, 3};
    HeaderPtr onlyX = statsHeader(1, LRX_FLOAT);
    gbxSetEncodeKey(onlyX.get(), key, nullptr, nullptr, 4);
    HeaderPtr xy = statsHeader(1, LRX_FLOAT);
    gbxSetEncodeKey(xy.get(), key, key, nullptr, 4);
    HeaderPtr xyOn = statsHeader(1, LRX_FLOAT);
    gbxSetEncodeKey(xyOn.get(), key, key, nullptr, 4);
    gbxItemEnableCompression(xyOn.get());
    EXPECT_EQ(xyOn->itemCompression, 1);
    gbxItemEnableCompression(nullptr);

    struct Case {
        const char* name;
        GbxHeader* header;
        int keySize;
    };
    const Case cases[] = {{"only X", onlyX.get(), 0}, {"X and Y", xy.get(), 4}, {"switch on", xyOn.get(), 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int keySize = -1;
        EXPECT_EQ(gbxIsItemCompressed(gbxItemD(c.header, 1), &keySize), 0);
        EXPECT_EQ(keySize, c.keySize);
    }

    ReportedCodes reported;
    int keySize = -1;
    EXPECT_EQ(gbxIsItemCompressed(nullptr, &keySize), F_ERR_USAGE);
    EXPECT_EQ(keySize, 0);
    EXPECT_EQ(reported.codes(), std::vector<int>({F_ERR_USAGE}));
}

TEST(GbxStatsTrace, CallsWriteTheirLinesAndLeaveTheNameStackBalanced) {
    HeaderPtr header = statsHeader(2, LRX_FLOAT);
    int legacyFile = 0;
    const float value = 1;
    int keySize = 0;
    GbxItem* item = gbxItemD(header.get(), 1);
    PutFunctionName("marker");
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxIsItemCompressed(item, &keySize);
    gbxItemEnableCompression(header.get());
    gbxCalcStatistics(header.get(), 1, &value);
    header->legacyFile = &legacyFile;
    gbxGetItemStats(header.get(), 1, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    header->legacyFile = nullptr;
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(std::string(GetFunctionName()), "marker");

    // The compression calls and the legacy refusal write their entry line only.
    EXPECT_EQ(trace,
              "->{gbxIsItemCompressed\n"
              "  ->{gbxCheckItem\n"
              "  <-}gbxCheckItem [0]\n"
              "->{gbxItemEnableCompression\n"
              "->{gbxCalcStatistics 1\n"
              "  ->{gbxCheckHeaderItemNo\n"
              "    ->{gbxCheckHeader\n"
              "    <-}gbxCheckHeader [0]\n"
              "  <-}gbxCheckHeaderItemNo [0]\n"
              "  ->{gbxCheckItem\n"
              "  <-}gbxCheckItem [0]\n"
              "<-}gbxCalcStatistics F_NO_ERROR = OK\n"
              "->{gbxGetItemStats 1 0\n");
}

// Item definitions in memory: counts and sizes per axis code, compression-dependent counts,
// defining items with a unit key or text, what the definition gives back, conversion
// settings, value type, associated statics and the statistics storage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "src/gbx/items/gbxitem.h"
#include "support/axisitems.h"

using namespace gbxtest;

namespace {

constexpr int kLevel = VNK_ITEM_LEVEL;
constexpr int kSecond = VNK_UNIT_SECOND;

double deletedDouble(const GbxHeader* header) {
    return header->deleteValueDouble;
}

// The first item of the header, owned by it, with axis code `code` and the sizes set directly.
GbxItem* itemWithAxis(GbxHeader* header, int code, int nx = 3, int ny = 4, int nz = 5, int nt = 2) {
    GbxItem* item = gbxItemD(header, 1);
    item->header = header;
    item->axisType = code;
    item->axisUnit = kMetre;
    const int32_t sizes[4] = {nx, ny, nz, nt};
    std::memcpy(item->axis.sizes, sizes, sizeof sizes);
    return item;
}

}  // namespace

TEST(GbxItemCounts, EveryAxisCodeGivesItsCountsDimensionAndGeometry) {
    struct Row {
        int code, xyz, xy, x, dim, geometry;
    };
    // 0 in a count column marks a query that reports 2010. Sizes are 3, 4, 5, 2.
    // clang-format off
    const Row rows[] = {
        // code  xyz  xy   x  dim  geometry
        {  0,    0,   0,  0,  -1,    999},
        {  1,    1,   1,  1,   0, 100185},
        {  2,    3,   1,  3,   1, 100186},
        {  3,    3,   0,  3,   1, 100186},
        {  4,    3,   0,  3,   1, 100186},
        {  5,   12,  12,  3,   2, 100187},
        {  6,   12,  12,  3,   2, 100187},
        {  7,   12,  12,  3,   2, 100187},
        {  8,   60,  12,  3,   3, 100188},
        {  9,   60,  12,  3,   3, 100188},
        { 10,   60,  12,  3,   3, 100188},
        { 11,  120,  12,  3,   4, 100188},
        { 12,   12,  12,  3,  -1,    999},
        { 13,   60,  12,  3,  -1,    999},
        { 14,    0,   0,  0,  -1,    999},
    };
    // clang-format on
    HeaderPtr header = makeHeader(1, 1);
    for (const Row& row : rows) {
        GbxItem* item = itemWithAxis(header.get(), row.code);
        ReportedCodes reports;
        EXPECT_EQ(gbxGetItemXYZSize(item), row.xyz) << row.code;
        EXPECT_EQ(gbxGetItemElements(item), row.xyz) << row.code;
        EXPECT_EQ(gbxGetUsedItemElements(item), row.xyz) << row.code;
        EXPECT_EQ(gbxGetItemXYSize(item), row.xy) << row.code;
        EXPECT_EQ(gbxGetItemXSize(item), row.x) << row.code;
        EXPECT_EQ(gbxGetItemDim(item), row.dim) << row.code;
        EXPECT_EQ(gbxGetItemGeometryType(item), row.geometry) << row.code;
        EXPECT_EQ(gbxGetItemAxisType(item), row.code) << row.code;
        EXPECT_EQ(gbxGetItemGeometryUnit(item), row.code >= 1 && row.code <= 13 ? kMetre : 0) << row.code;
        const int failures = (row.xyz == 0 ? 3 : 0) + (row.xy == 0) + (row.x == 0);
        EXPECT_EQ(reports.codes(), std::vector<int>(failures, F_ERR_DATA)) << row.code;
    }
}

// 16-bit items count two bytes a value, what a time-step read of them writes.
TEST(GbxItemCounts, BytesFollowTheDataType) {
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = itemWithAxis(header.get(), GBX_EQD1, 10);
    const int bytes[8] = {0, 40, 80, 10, 40, 40, 20, 20};
    for (int dataType = 0; dataType < 8; ++dataType) {
        item->dataType = dataType;
        EXPECT_EQ(gbxGetItemBytes(item), bytes[dataType]) << dataType;
        EXPECT_EQ(gbxGetUsedItemBytes(item), bytes[dataType]) << dataType;
    }
}

TEST(GbxItemCounts, CountsBeyond32BitsGive2010InsteadOfAWrappedNumber) {
    HeaderPtr header = makeHeader(1, 2);
    ReportedCodes reports;
    GbxItem* item = itemWithAxis(header.get(), GBX_EQD3, 2000, 2000, 2000);  // 8e9 cells
    EXPECT_EQ(gbxGetItemXYZSize(item), 0);
    EXPECT_EQ(gbxGetItemElements(item), 0);
    EXPECT_EQ(gbxGetUsedItemBytes(item), 0);
    EXPECT_EQ(gbxGetItemXYSize(item), 4000000);
    EXPECT_EQ(gbxItemXYZSize64(item), 8000000000);
    EXPECT_EQ(InitStats(item, "test", 1), F_ERR_DATA);
    EXPECT_EQ(item->elementStats, nullptr);

    item = itemWithAxis(header.get(), GBX_EQD4, 65536, 65536, 65536, 65536);  // beyond 64 bits
    EXPECT_EQ(gbxGetItemXYZSize(item), 0);
    item = itemWithAxis(header.get(), GBX_EQD2, 300000, 1000);  // fits, but not as doubles
    item->dataType = LRX_DOUBLE;
    EXPECT_EQ(gbxGetItemElements(item), 300000000);
    EXPECT_EQ(gbxGetItemBytes(item), 0);
    item = itemWithAxis(header.get(), GBX_EQD2, -3, 4);  // a damaged axis counts nothing
    EXPECT_EQ(gbxGetItemXYZSize(item), 0);
    EXPECT_EQ(reports.codes(), std::vector<int>(7, F_ERR_DATA));
}

TEST(GbxItemCounts, EncodingKeyCountsUsedElementsAndStoredOnesOnlyWithCompressionOn) {
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = itemWithAxis(header.get(), GBX_EQD2, 10, 10);
    item->dataType = LRX_FLOAT;
    const int32_t keyX[7] = {0, 1, 2, 3, 4, 5, 6}, keyY[7] = {};
    ASSERT_EQ(gbxSetEncodeKey(header.get(), keyX, keyY, nullptr, 7), 0);
    EXPECT_EQ(gbxGetUsedItemElements(item), 7);
    EXPECT_EQ(gbxGetUsedItemBytes(item), 28);
    EXPECT_EQ(gbxGetItemElements(item), 100);
    EXPECT_EQ(gbxGetItemBytes(item), 400);
    header->itemCompression = 1;
    EXPECT_EQ(gbxGetItemElements(item), 7);
    EXPECT_EQ(gbxGetItemBytes(item), 28);
    EXPECT_EQ(gbxGetItemXYZSize(item), 100) << "the grid itself keeps its size";
    item->header = nullptr;
    EXPECT_EQ(gbxGetUsedItemElements(item), 100) << "an item without header is never compressed";
    item->header = header.get();
    item->axisType = GBX_AXIS_NONE;
    ReportedCodes reports;
    EXPECT_EQ(gbxGetUsedItemElements(item), 0) << "no axis, no key size either";
    EXPECT_EQ(reports.codes(), std::vector<int>{F_ERR_DATA});
}

TEST(GbxItemCounts, NullItemGivesNeutralValues) {
    ReportedCodes reports;
    EXPECT_EQ(gbxGetItemElements(nullptr), 0);
    EXPECT_EQ(gbxGetUsedItemElements(nullptr), 0);
    EXPECT_EQ(gbxGetItemXYZSize(nullptr), 0);
    EXPECT_EQ(gbxGetItemXYSize(nullptr), 0);
    EXPECT_EQ(gbxGetItemXSize(nullptr), 0);
    EXPECT_EQ(gbxGetItemBytes(nullptr), 0);
    EXPECT_EQ(gbxGetUsedItemBytes(nullptr), 0);
    EXPECT_EQ(gbxGetItemAxisType(nullptr), 0);
    EXPECT_EQ(gbxGetItemDim(nullptr), -1);
    EXPECT_EQ(gbxGetItemGeometryType(nullptr), 999);
    EXPECT_EQ(gbxGetItemGeometryUnit(nullptr), 0);
    EXPECT_EQ(reports.codes(), std::vector<int>(11, F_ERR_USAGE)) << "each call reports once";
}

TEST(GbxItemCounts, AxisTypeQueriesTraceTypeAndResult) {
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = itemWithAxis(header.get(), GBX_CURVELINEARD2);
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxGetItemDim(item);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(trace,
              "->{gbxGetItemDim\n"
              "  ->{gbxGetItemAxisType\n"
              "    ->{gbxCheckItem\n"
              "    <-}gbxCheckItem [0]\n"
              "  <-}gbxGetItemAxisType 12 [0]\n"
              "<-}gbxGetItemDim 12 -1\n");
}

TEST(GbxItemDefinition, DefinedItemHasAnEqD0AxisAndFreshStatistics) {
    HeaderPtr header = makeHeader(2, 2);
    GbxItem* item = gbxItemD(header.get(), 2);
    ASSERT_NE(item, nullptr);
    gbxSetItemUnitConversion(item, 2, 1005);
    gbxSetItemValueType(item, 3);
    item->axisType = GBX_EQD2;
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "depth", kMetre, LRX_DOUBLE), 0);
    EXPECT_STREQ(item->name, "depth");
    EXPECT_EQ(item->unitText, nullptr);
    EXPECT_EQ(item->header, header.get());
    EXPECT_EQ(gbxGetItemAxisType(item), GBX_EQD0);
    EXPECT_EQ(gbxGetItemElements(item), 1);
    EXPECT_EQ(gbxGetItemDim(item), 0);
    EXPECT_EQ(gbxGetItemGeometryType(item), 100185);
    EXPECT_EQ(gbxGetItemXYSize(item), 1);
    EXPECT_EQ(gbxGetItemGeometryUnit(item), 0);
    int mode = -1, unit = -1, valueType = -1;
    gbxGetItemUnitConversion(item, &mode, &unit);
    gbxGetItemValueType(item, &valueType);
    EXPECT_EQ(std::vector<int>({mode, unit, valueType}), std::vector<int>({0, 0, 0})) << "a definition starts over";

    const double d = deletedDouble(header.get());
    ASSERT_NE(item->elementStats, nullptr);
    EXPECT_EQ(item->statsElements, 1);
    EXPECT_EQ(std::vector<double>(item->elementStats, item->elementStats + 9),
              std::vector<double>({d, d, 0, 0, 0, d, 0, 0, 0}));
    EXPECT_EQ(item->maxValue, d);
    EXPECT_EQ(item->minValue, d);
    EXPECT_EQ(item->deleteCount, 0.0);
}

TEST(GbxItemDefinition, UnitNotOfTheItemTypeGives2020AndKeepsThePreviousDefinition) {
    HeaderPtr header = makeHeader(1, 2);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "depth", kMetre, LRX_FLOAT), 0);
    ASSERT_EQ(gbxSetItemAxisEqD1(item, kMetre, 4, 0.0f, 1.0f), 0);
    gbxSetItemValueType(item, 2);
    const double* stats = item->elementStats;
    ReportedCodes reports;
    EXPECT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "time", kSecond, LRX_DOUBLE), F_ERR_UNIT);
    EXPECT_EQ(gbxSetItemInfo(header.get(), item, VNK_ITEM_UNDEFINED, "odd", 123456, LRX_DOUBLE), F_ERR_UNIT)
        << "the undefined item type accepts known units only";
    EXPECT_EQ(reports.codes(), std::vector<int>(2, F_ERR_UNIT));
    EXPECT_STREQ(item->name, "depth");
    EXPECT_EQ(item->unit, kMetre);
    EXPECT_EQ(item->dataType, LRX_FLOAT);
    EXPECT_EQ(item->axisType, GBX_EQD1);
    EXPECT_EQ(item->valueType, 2);
    EXPECT_EQ(item->elementStats, stats);
    EXPECT_EQ(gbxSetItemInfo(header.get(), item, VNK_ITEM_UNDEFINED, "time", kSecond, LRX_DOUBLE), 0);
}

TEST(GbxItemDefinition, UnitTextFormAcceptsAnyText) {
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    item->unit = 77;
    ASSERT_EQ(gbxSetItemInfo_(header.get(), item, kLevel, "speed", "furlongs per fortnight", LRX_INT4), 0);
    int itemType = 0, dataType = 0;
    const char* name = nullptr;
    const char* unitText = nullptr;
    EXPECT_EQ(gbxGetItemInfo_(item, &itemType, &name, &unitText, &dataType), 0);
    EXPECT_EQ(itemType, kLevel);
    EXPECT_STREQ(name, "speed");
    EXPECT_STREQ(unitText, "furlongs per fortnight");
    EXPECT_EQ(dataType, LRX_INT4);
    EXPECT_EQ(item->unit, 0);
    EXPECT_EQ(item->elementStats, nullptr) << "statistics type 1 keeps no storage";
}

TEST(GbxItemDefinition, RefusedCallsLeaveTheItemAlone) {
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    ReportedCodes reports;
    EXPECT_EQ(gbxSetItemInfo(nullptr, item, kLevel, "a", kMetre, 1), F_ERR_USAGE);
    EXPECT_EQ(gbxSetItemInfo(header.get(), nullptr, kLevel, "a", kMetre, 1), F_ERR_USAGE);
    EXPECT_EQ(gbxSetItemInfo(header.get(), item, kLevel, nullptr, kMetre, 1), F_ERR_USAGE);
    EXPECT_EQ(gbxSetItemInfo_(header.get(), item, kLevel, "a", nullptr, 1), F_ERR_USAGE);
    EXPECT_EQ(gbxItemTypesNameUnit_(item, kLevel, "a", kMetre, 1, 12, "test", 1), F_ERR_FILE_TYPE);
    EXPECT_EQ(gbxItemTypesNameUnit(item, kLevel, "a", "m", 1, -1, "test", 1), F_ERR_FILE_TYPE);
    EXPECT_EQ(reports.codes(), std::vector<int>({1000, 1000, 1000, 1000, 2018, 2018}));
    EXPECT_STREQ(item->name, "");
    EXPECT_EQ(item->header, nullptr);
}

TEST(GbxItemDefinition, StatisticsStorageFollowsTheStatisticsType) {
    HeaderPtr header = makeHeader(1, 3);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "grid", kMetre, LRX_FLOAT), 0);
    ASSERT_EQ(gbxSetItemAxisEqD2(item, kMetre, 3, 2, 0, 0, 1, 1), 0);
    EXPECT_EQ(item->statsElements, 6);
    const double d = deletedDouble(header.get());
    for (int element = 0; element < 6; ++element) {
        const double* entries = item->elementStats + element * 9;
        EXPECT_EQ(std::vector<double>(entries, entries + 9), std::vector<double>({d, d, 0, 0, 0, d, 0, 0, 0}));
    }
    ReportedCodes reports;
    header->itemStatsType = 4;
    EXPECT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "grid", kMetre, LRX_FLOAT), F_ERR_DATA);
    EXPECT_EQ(item->elementStats, nullptr);
    EXPECT_EQ(item->statsElements, 0);
    EXPECT_EQ(reports.codes(), std::vector<int>{F_ERR_DATA});

    StaticItem vector(header.get());
    ASSERT_EQ(gbxSetItemInfo(header.get(), &vector.item, kLevel, "static", kMetre, LRX_DOUBLE), 0);
    EXPECT_EQ(vector.item.elementStats, nullptr) << "a static item gets no statistics storage";
}

TEST(GbxItemInfo, NamesComeFromTheUnitLibrary) {
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "depth", kMetre, LRX_FLOAT), 0);
    int itemType = 0, unit = 0, dataType = 0;
    const char *typeName = nullptr, *name = nullptr, *unitName = nullptr;
    ASSERT_EQ(gbxGetItemInfo(item, &itemType, &typeName, &name, &unit, &unitName, &dataType), 0);
    EXPECT_EQ(itemType, kLevel);
    EXPECT_STREQ(typeName, "Water Level");
    EXPECT_STREQ(name, "depth");
    EXPECT_EQ(unit, kMetre);
    EXPECT_STREQ(unitName, "m");
    EXPECT_EQ(dataType, LRX_FLOAT);

    // Keys the unit library does not know: empty names, or the item's own unit text.
    item->itemType = 424242;
    item->unit = 424242;
    ASSERT_EQ(gbxGetItemInfo(item, &itemType, &typeName, nullptr, &unit, &unitName, nullptr), 0);
    EXPECT_STREQ(typeName, "");
    EXPECT_STREQ(unitName, "");
    EXPECT_EQ(unit, 424242);
    item->unitText = strdup("feet");
    ASSERT_EQ(gbxGetItemInfo(item, nullptr, nullptr, nullptr, &unit, &unitName, nullptr), 0);
    EXPECT_STREQ(unitName, "feet");
    EXPECT_EQ(unit, 1005) << "the unit text is turned into a key";
}

TEST(GbxItemAccess, ItemsAreNumberedFromOne) {
    HeaderPtr header = makeHeader(3, 1);
    EXPECT_EQ(gbxGetNoOfItems(header.get()), 3);
    EXPECT_EQ(gbxItemD(header.get(), 1), &header->items[0]);
    EXPECT_EQ(gbxItemD(header.get(), 3), &header->items[2]);
    StaticItem vector(header.get());
    EXPECT_EQ(gbxItemS(&vector.item), &vector.item);
    ReportedCodes reports;
    EXPECT_EQ(gbxItemD(header.get(), 0), nullptr);
    EXPECT_EQ(gbxItemD(header.get(), 4), nullptr);
    EXPECT_EQ(gbxItemD(nullptr, 1), nullptr);
    EXPECT_EQ(gbxItemS(nullptr), nullptr);
    EXPECT_EQ(gbxGetNoOfItems(nullptr), 0);
    EXPECT_EQ(reports.codes(), std::vector<int>({2007, 2007, 1000, 1000, 1000}));
}

TEST(GbxItemAssoc, AssociatedStaticsKeepTheirOrder) {
    HeaderPtr header = makeHeader(2, 1);
    EXPECT_EQ(gbxSetAssocStatic(header.get(), 2, 3), 0);
    EXPECT_EQ(gbxSetAssocStatic(header.get(), 2, 5), 0);
    EXPECT_EQ(gbxGetNoAssocStatic(header.get(), 2), 2);
    EXPECT_EQ(gbxGetNoAssocStatic(header.get(), 1), 0);
    int number = -1;
    EXPECT_EQ(gbxGetAssocStatic(header.get(), 2, 1, &number), 0);
    EXPECT_EQ(number, 3);
    EXPECT_EQ(gbxGetAssocStatic(header.get(), 2, 2, &number), 0);
    EXPECT_EQ(number, 5);
    EXPECT_EQ(gbxGetAssocStatic(header.get(), 2, 3, &number), 0);
    EXPECT_EQ(number, 0) << "past the end: no value, no error";

    ReportedCodes reports;
    number = -1;
    EXPECT_EQ(gbxGetAssocStatic(header.get(), 2, 0, &number), F_ERR_ITEM_NO);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(gbxSetAssocStatic(header.get(), 0, 4), F_ERR_ITEM_NO);
    EXPECT_EQ(gbxSetAssocStatic(header.get(), 1, 0), F_ERR_ITEM_NO);
    EXPECT_EQ(gbxGetNoAssocStatic(header.get(), 3), 0);
    EXPECT_EQ(gbxSetAssocStatic(nullptr, 1, 4), F_ERR_USAGE);
    EXPECT_EQ(reports.codes(), std::vector<int>({2007, 2007, 2007, 2007, 1000}));
    for (const auto& report : reports.all()) {
        if (report.code == F_ERR_ITEM_NO) {
            EXPECT_EQ(report.header, header.get());
        }
    }
    EXPECT_EQ(gbxGetNoAssocStatic(header.get(), 2), 2) << "refused numbers are not added";
}

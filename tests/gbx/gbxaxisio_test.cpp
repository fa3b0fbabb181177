// Axis blocks of item definitions: every axis type through a real file, the exact bytes of a
// block, the older blocks without axis unit, static items without arrays, damaged blocks, and
// the refresh of a stored block by the header update.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/axisitems.h"

namespace {

using namespace gbxtest;
using lrxtest::Bytes;

std::vector<double> ramp(size_t count, double start) {
    std::vector<double> values(count);
    for (size_t i = 0; i < count; ++i)
        values[i] = start + 0.25 * static_cast<double>(i);
    return values;
}

// One item per axis type with block, each with sizes and values of its own.
struct AxisCase {
    int code;
    int tag;
    std::function<int(GbxItem*)> set;
};

std::vector<AxisCase> everyWritableAxis() {
    static const std::vector<double> x = ramp(4, 1), y = ramp(3, -2), z = ramp(5, 7), nodes2 = ramp(12, 0),
                                     nodes3 = ramp(60, 3);
    static const float points[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    return {
        {GBX_EQD0, 31051, [](GbxItem* i) { return gbxSetItemAxisEqD0(i, 1005); }},
        {GBX_EQD1, 31052, [](GbxItem* i) { return gbxSetItemAxisEqD1(i, 1000, 7, -1.5f, 0.5f); }},
        {GBX_NEQD1, 31053, [](GbxItem* i) { return gbxSetItemAxisNeqD1(i, 1000, 3, points, 0); }},
        {GBX_TVARD1, 31054, [](GbxItem* i) { return gbxSetItemAxisTvarD1(i, 1000, 9); }},
        {GBX_EQD2, 31055, [](GbxItem* i) { return gbxSetItemAxisEqD2(i, 1000, 3, 4, 1, 2, 3, 4); }},
        {GBX_NEQD2, 31056, [](GbxItem* i) { return gbxSetItemAxisNeqD2(i, 1000, 3, 2, x.data(), y.data(), 0); }},
        {GBX_TVARD2, 31057, [](GbxItem* i) { return gbxSetItemAxisTvarD2(i, 1000, 5, 6); }},
        {GBX_EQD3, 31058, [](GbxItem* i) { return gbxSetItemAxisEqD3(i, 1000, 2, 3, 4, 1, 2, 3, 4, 5, 6); }},
        {GBX_NEQD3, 31059,
         [](GbxItem* i) { return gbxSetItemAxisNeqD3(i, 1000, 3, 2, 4, x.data(), y.data(), z.data(), 0); }},
        {GBX_TVARD3, 31060, [](GbxItem* i) { return gbxSetItemAxisTvarD3(i, 1000, 2, 2, 2); }},
        {GBX_CURVELINEARD2, 31061,
         [](GbxItem* i) { return gbxSetItemAxisCurveLinearD2(i, 1000, 2, 3, nodes2.data(), nodes2.data(), 0); }},
        {GBX_CURVELINEARD3, 31062,
         [](GbxItem* i) {
             return gbxSetItemAxisCurveLinearD3(i, 1000, 2, 3, 4, nodes3.data(), nodes3.data(), nodes3.data(), 0);
         }},
    };
}

void expectSameAxis(const GbxItem& read, const GbxItem& written) {
    EXPECT_EQ(read.axisType, written.axisType);
    EXPECT_EQ(read.axisUnit, written.axisUnit);
    EXPECT_EQ(std::memcmp(read.axis.sizes, written.axis.sizes, sizeof read.axis.sizes), 0);
    EXPECT_EQ(std::memcmp(read.axis.origins, written.axis.origins, sizeof read.axis.origins), 0);
    EXPECT_EQ(std::memcmp(read.axis.spacings, written.axis.spacings, sizeof read.axis.spacings), 0);
    const int32_t* n = written.axis.sizes;
    if (written.axis.points != nullptr) {
        ASSERT_NE(read.axis.points, nullptr);
        EXPECT_EQ(std::memcmp(read.axis.points, written.axis.points, sizeof(float) * 3 * n[0]), 0);
    }
    const bool curved = written.axisType >= GBX_CURVELINEARD2;
    const int64_t nodes = (n[0] + 1) * (n[1] + 1) * (written.axisType == GBX_CURVELINEARD3 ? n[2] + 1 : 1);
    for (int i = 0; i < 3; ++i) {
        if (written.axis.coords[i] == nullptr) continue;
        ASSERT_NE(read.axis.coords[i], nullptr);
        const int64_t length = curved ? nodes : n[i] + 1;
        EXPECT_EQ(std::memcmp(read.axis.coords[i], written.axis.coords[i], sizeof(double) * length), 0) << i;
    }
    const bool hasArrays = written.axis.points != nullptr || written.axis.coords[0] != nullptr;
    EXPECT_EQ(read.axis.owner, hasArrays ? 1 : 0);
    EXPECT_EQ(read.axis.converted, 0);
}

TEST(GbxAxisBlocks, EveryAxisTypeComesBackFromAFile) {
    lrxtest::TempDir dir;
    ReportedCodes reports;
    const std::vector<AxisCase> cases = everyWritableAxis();
    std::vector<HeaderPtr> owners;
    std::vector<GbxItem*> items;
    for (const AxisCase& c : cases) {
        owners.push_back(headerOfFileType(c.code == GBX_TVARD1 || c.code == GBX_TVARD2 || c.code == GBX_TVARD3
                                              ? F_NEQTIME_TVARSPACE_VARITEMS
                                              : F_EQTIME_FIXEDSPACE_ALLITEMS));
        items.push_back(firstItem(owners.back()));
        ASSERT_EQ(c.set(items.back()), 0) << c.code;
    }
    const std::string path = dir.path("axes.gbx");
    EXPECT_EQ(writeAxisFile(path, items), std::vector<int>(cases.size(), 0));

    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    ASSERT_NE(file, nullptr);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].code);
        StaticItem read(nullptr);
        int id = 0;
        ASSERT_EQ(readAxisBlock(file.get(), &read.item, &id), 0);
        EXPECT_EQ(id, cases[i].tag);
        expectSameAxis(read.item, *items[i]);
    }
    EXPECT_TRUE(reports.codes().empty());
}

TEST(GbxAxisBlocks, EqD1IsWrittenAsBlock31052OfUnitSizeOriginAndSpacing) {
    lrxtest::TempDir dir;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    ASSERT_EQ(gbxSetItemAxisEqD1(firstItem(header), 1000, 10, 0.0f, 1.0f), 0);
    const std::string path = dir.path("eqd1.gbx");
    ASSERT_EQ(writeAxisFile(path, {firstItem(header)}), std::vector<int>({0}));
    const Bytes expected = {
        0xFE, 0x4C, 0x79,                                                              // block 31052
        0x04, 0x02, 0x00, 0x00, 0x00, 0xE8, 0x03, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00,  // int32: 1000, 10
        0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,  // float: 0.0, 1.0
        0xFF,
    };
    EXPECT_EQ(blockBytes(path), expected);
}

TEST(GbxAxisBlocks, AxesWithoutBlockAreRefusedAndNothingIsWritten) {
    lrxtest::TempDir dir;
    ReportedCodes reports;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisEqD4(item, 1000, 2, 2, 2, 2, 0, 0, 0, 0, 1, 1, 1, 1), 0);
    for (int code : {int(GBX_EQD4), 0, 14, -1}) {
        SCOPED_TRACE(code);
        item->axisType = code;
        const std::string path = dir.path("none" + std::to_string(code) + ".gbx");
        reports.clear();
        EXPECT_EQ(writeAxisFile(path, {item}), std::vector<int>({F_ERR_DATA}));
        ASSERT_EQ(reports.all().size(), 1u);
        EXPECT_NE(reports.all()[0].file, nullptr);
        EXPECT_TRUE(blockBytes(path).empty());
    }
    item->axisType = GBX_EQD4;
}

TEST(GbxAxisBlocks, StaticArrayAxisIsWrittenWithZeroArrays) {
    lrxtest::TempDir dir;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    StaticItem neq(header.get());
    StaticItem curve(header.get());
    const double unused[1] = {};
    ASSERT_EQ(gbxSetItemAxisNeqD2(&neq.item, 1000, 3, 2, unused, unused, 0), 0);
    ASSERT_EQ(gbxSetItemAxisCurveLinearD2(&curve.item, 1000, 1, 2, unused, unused, 0), 0);
    const std::string path = dir.path("static.gbx");
    ASSERT_EQ(writeAxisFile(path, {&neq.item, &curve.item}), std::vector<int>({0, 0}));

    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    ASSERT_NE(file, nullptr);
    const struct { int lengths[2]; } expected[] = {{{4, 3}}, {{6, 6}}};
    for (const auto& e : expected) {
        LrxLrec* chain = FReadLogicalBlock(file.get());
        ASSERT_NE(chain, nullptr);
        LrxLrec* record = chain->next;
        for (int length : e.lengths) {
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->type, LRX_DOUBLE);
            ASSERT_EQ(record->count, length);
            EXPECT_EQ(
                std::vector<double>(static_cast<double*>(record->data), static_cast<double*>(record->data) + length),
                std::vector<double>(length, 0.0));
            record = record->next;
        }
        EXPECT_EQ(record, nullptr);
        FFreeLogicalBlock(chain);
    }
}

TEST(GbxAxisBlocks, ArraysConvertedForTheCallerAreWrittenInTheAxisUnit) {
    lrxtest::TempDir dir;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    const double x[3] = {1, 2, 3};
    ASSERT_EQ(gbxSetItemAxisNeqD2(item, 1005, 2, 2, x, x, 0), 0);
    ASSERT_EQ(gbxSetItemAxisUnitConversion(item, 1, 0), 0);
    double* metres = nullptr;
    ASSERT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, &metres, nullptr), 0);
    ASSERT_DOUBLE_EQ(metres[2], 3 * 0.3048);

    const std::string path = dir.path("converted.gbx");
    ASSERT_EQ(writeAxisFile(path, {item}), std::vector<int>({0}));
    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    ASSERT_NE(file, nullptr);
    StaticItem read(nullptr);
    int id = 0;
    ASSERT_EQ(readAxisBlock(file.get(), &read.item, &id), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(read.item.axis.coords[0][i], x[i], 1e-12);
    EXPECT_DOUBLE_EQ(metres[2], 3 * 0.3048);  // the item's own arrays stay as the caller has them
}

TEST(GbxAxisBlocks, OlderBlocksReadWithAxisUnitZero) {
    lrxtest::TempDir dir;
    const std::string path = dir.path("old.gbx");
    {
        DataFilePtr file(FOpenFileCreate(path.c_str()));
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(lrxBlockWrite(31001, file.get(), nullptr), 0);
        const int32_t nx = 10;
        const float originAndSpacing[2] = {0.5f, 2.0f};
        LrxLrec* chain = FCreateLogicalBlock(LRX_INT4, 1, &nx);
        FAppendToLogicalBlock(LRX_FLOAT, 2, originAndSpacing, chain);
        ASSERT_EQ(lrxBlockWrite(31002, file.get(), chain), 0);
        FFreeLogicalBlock(chain);
    }
    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    ASSERT_NE(file, nullptr);
    StaticItem eqd0(nullptr);
    eqd0.item.axisUnit = 77;
    int id = 0;
    ASSERT_EQ(readAxisBlock(file.get(), &eqd0.item, &id), 0);
    EXPECT_EQ(eqd0.item.axisType, GBX_EQD0);
    EXPECT_EQ(eqd0.item.axisUnit, 0);

    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(readAxisBlock(file.get(), item, &id), 0);
    EXPECT_EQ(id, 31002);
    int unit = -1, nx = 0;
    float x0 = 0, dx = 0;
    ASSERT_EQ(gbxGetItemAxisEqD1(item, &unit, nullptr, &nx, &x0, &dx), 0);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(nx, 10);
    EXPECT_EQ(x0, 0.5f);
    EXPECT_EQ(dx, 2.0f);
}

// A block made of records: int32 records given as int lists, doubles as counts of zeros.
struct Record {
    int type;
    std::vector<int32_t> ints;
    int count;
};

LrxLrec* chainOf(const std::vector<Record>& records) {
    LrxLrec* chain = nullptr;
    for (const Record& r : records) {
        const std::vector<double> zeros(static_cast<size_t>(r.count) + 1);
        const void* data = r.type == LRX_INT4 ? static_cast<const void*>(r.ints.data()) : zeros.data();
        const int count = r.type == LRX_INT4 ? static_cast<int>(r.ints.size()) : r.count;
        if (chain == nullptr)
            chain = FCreateLogicalBlock(r.type, count, data);
        else
            FAppendToLogicalBlock(r.type, count, data, chain);
    }
    return chain;
}

TEST(GbxAxisBlocks, DamagedBlocksAreRefusedWithoutTouchingTheItem) {
    ReportedCodes reports;
    const struct {
        const char* label;
        int tag;
        std::vector<Record> records;
        int code;
    } cases[] = {
        {"y one short", 31056, {{LRX_INT4, {1000, 2, 3}, 0}, {LRX_DOUBLE, {}, 3}, {LRX_DOUBLE, {}, 3}}, F_ERR_SIZE},
        {"y missing", 31056, {{LRX_INT4, {1000, 2, 3}, 0}, {LRX_DOUBLE, {}, 3}}, F_ERR_READ},
        {"x as floats", 31056, {{LRX_INT4, {1000, 2, 3}, 0}, {LRX_FLOAT, {}, 3}, {LRX_DOUBLE, {}, 4}}, F_ERR_TYPE},
        {"sizes one short", 31052, {{LRX_INT4, {1000}, 0}, {LRX_FLOAT, {}, 2}}, F_ERR_SIZE},
        {"new block in old form", 31052, {{LRX_INT4, {10}, 0}, {LRX_FLOAT, {}, 2}}, F_ERR_SIZE},
        {"no records", 31059, {}, F_ERR_READ},
        {"origins missing", 31058, {{LRX_INT4, {1000, 2, 2, 2}, 0}}, F_ERR_READ},
        {"nodes one short", 31061, {{LRX_INT4, {1000, 2, 2}, 0}, {LRX_DOUBLE, {}, 8}, {LRX_DOUBLE, {}, 9}}, F_ERR_SIZE},
        {"negative size", 31061, {{LRX_INT4, {1000, -1, 5}, 0}}, F_ERR_DATA},
        {"zero size", 31055, {{LRX_INT4, {1000, 0, 5}, 0}, {LRX_FLOAT, {}, 4}}, F_ERR_DATA},
        {"nodes beyond 32 bits", 31062, {{LRX_INT4, {1000, 2000, 2000, 2000}, 0}}, F_ERR_DATA},
        {"points beyond 32 bits", 31053, {{LRX_INT4, {1000, 1000000000}, 0}}, F_ERR_DATA},
        {"elements beyond 32 bits", 31010, {{LRX_INT4, {65536, 65536, 1}, 0}}, F_ERR_DATA},
        {"no axis block", 31011, {{LRX_INT4, {1000}, 0}}, F_ERR_FILE_TYPE},
        {"item block", 30006, {{LRX_INT4, {1}, 0}}, F_ERR_FILE_TYPE},
    };
    const double x[4] = {9, 8, 7, 6};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
        GbxItem* item = firstItem(header);
        ASSERT_EQ(gbxSetItemAxisNeqD2(item, 1005, 3, 1, x, x, 0), 0);
        LrxLrec* chain = chainOf(c.records);
        reports.clear();
        EXPECT_EQ(gbxReadItemAxis(item, c.tag, chain, nullptr), c.code);
        EXPECT_EQ(reports.codes(), std::vector<int>({c.code}));
        EXPECT_EQ(item->axisType, GBX_NEQD2);
        EXPECT_EQ(item->axisUnit, 1005);
        EXPECT_EQ(item->axis.sizes[0], 3);
        EXPECT_EQ(item->axis.coords[0][3], 6.0);
        for (LrxLrec* record = chain; record != nullptr; record = record->next)
            EXPECT_NE(record->data, nullptr);
        FFreeLogicalBlock(chain);
    }
}

TEST(GbxAxisBlocks, RefreshPutsCurrentUnitOriginsAndSpacingsIntoTheStoredBlock) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisEqD2(item, 1005, 3, 4, 1, 2, 3, 4), 0);

    const int32_t stored[3] = {1000, 3, 4};
    const float storedValues[4] = {0, 0, 1, 1};
    LrxLrec* chain = FCreateLogicalBlock(LRX_INT4, 3, stored);
    FAppendToLogicalBlock(LRX_FLOAT, 4, storedValues, chain);
    EXPECT_FALSE(gbxRefreshAxisBlock(item, 31052, chain));  // another axis type
    EXPECT_FALSE(gbxRefreshAxisBlock(item, 31005, chain));  // the old form has no unit
    EXPECT_EQ(static_cast<int32_t*>(chain->data)[0], 1000);

    ASSERT_TRUE(gbxRefreshAxisBlock(item, 31055, chain));
    EXPECT_EQ(std::vector<int32_t>(static_cast<int32_t*>(chain->data), static_cast<int32_t*>(chain->data) + 3),
              std::vector<int32_t>({1005, 3, 4}));
    const auto* values = static_cast<float*>(chain->next->data);
    EXPECT_EQ(std::vector<float>(values, values + 4), std::vector<float>({1, 2, 3, 4}));
    FFreeLogicalBlock(chain);

    // A block whose records do not have the axis's shape is left alone.
    LrxLrec* odd = FCreateLogicalBlock(LRX_INT4, 3, stored);
    FAppendToLogicalBlock(LRX_FLOAT, 2, storedValues, odd);
    EXPECT_FALSE(gbxRefreshAxisBlock(item, 31055, odd));
    EXPECT_EQ(static_cast<int32_t*>(odd->data)[0], 1000);
    FFreeLogicalBlock(odd);
}

}  // namespace

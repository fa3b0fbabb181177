// Item definitions in a data file: the definition, value-type and axis blocks of one item, and
// the items of a header with their element statistics and associated statics, written, read
// back, damaged and rewritten in place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/items/gbxitem.h"
#include "support/axisitems.h"

using namespace gbxtest;
using lrxtest::Bytes;
using lrxtest::TempDir;

namespace {

constexpr int kLevel = VNK_ITEM_LEVEL;

// A data file written block by block.
class BlockFile {
public:
    explicit BlockFile(const std::string& path) : file_(FOpenFileCreate(path.c_str())) {}
    BlockFile& block(uint16_t tag, GbxBlockBuilder& builder) {
        builder.write(tag, file_.get(), "test", __LINE__);
        return *this;
    }
    BlockFile& block(uint16_t tag, GbxBlockBuilder&& builder) { return block(tag, builder); }
    BlockFile& ints(uint16_t tag, std::vector<int32_t> values, int type = LRX_INT4) {
        GbxBlockBuilder builder;
        builder.add(type, static_cast<int>(values.size()), values.data());
        return block(tag, builder);
    }
    BlockFile& item(GbxItem* item) {
        EXPECT_EQ(gbxWriteItem(item, file_.get()), 0);
        return *this;
    }
    // The blocks of a readable header up to its item count.
    BlockFile& headerBlocks(int32_t statsType, int32_t items) {
        const int16_t fileType = F_EQTIME_FIXEDSPACE_ALLITEMS;
        block(10000, GbxBlockBuilder()).block(10004, std::move(GbxBlockBuilder().add(LRX_INT2, 1, &fileType)));
        ints(10005, {statsType}).block(20000, GbxBlockBuilder());
        const double times[2] = {0, 60};
        const int32_t unit = 1400, counts[2] = {0, 0};
        GbxBlockBuilder axis;
        axis.add(LRX_INT4, 1, &unit).add(LRX_DOUBLE, 2, times).add(LRX_INT4, 2, counts);
        return block(20051, axis).block(30000, GbxBlockBuilder()).ints(30001, {items});
    }
    GbxFile* get() { return file_.get(); }
    void close() { file_.reset(); }

private:
    DataFilePtr file_;
};

// The bytes of blocks as the record stream stores them (little-endian host).
class ExpectedBlocks {
public:
    ExpectedBlocks& head(uint16_t id) {
        bytes_.push_back(0xFE);
        lrxtest::putLittle(bytes_, id, 2);
        return *this;
    }
    ExpectedBlocks& end() {
        bytes_.push_back(0xFF);
        return *this;
    }
    ExpectedBlocks& int32(int32_t value) { return record(LRX_INT4, 1, &value, 4); }
    ExpectedBlocks& text(const std::string& text) { return record(LRX_BYTE, text.size() + 1, text.c_str(), 1); }
    ExpectedBlocks& doubles(std::vector<double> values) { return record(LRX_DOUBLE, values.size(), values.data(), 8); }
    ExpectedBlocks& floats(std::vector<float> values) { return record(LRX_FLOAT, values.size(), values.data(), 4); }
    const Bytes& bytes() const { return bytes_; }

private:
    ExpectedBlocks& record(int type, std::size_t count, const void* values, std::size_t size) {
        bytes_.push_back(static_cast<unsigned char>(type));
        lrxtest::putLittle(bytes_, count, 4);
        const auto* raw = static_cast<const unsigned char*>(values);
        bytes_.insert(bytes_.end(), raw, raw + count * size);
        return *this;
    }
    Bytes bytes_;
};

// The ids of the blocks of a data file behind its file header.
std::vector<int> blockIds(const std::string& path) {
    std::vector<int> ids;
    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    for (int id = FQueryLogicalBlock(file.get()); id != 0; id = FQueryLogicalBlock(file.get())) {
        ids.push_back(id);
        FSkipLogicalBlock(file.get());
    }
    return ids;
}

// Reads the first item definition of a file into a fresh item; returns gbxReadItem's code.
int readFirstItem(const std::string& path, StaticItem& item) {
    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    return gbxReadItem(&item.item, file.get());
}

std::vector<int> assocStatics(GbxHeader* header, int itemNo) {
    std::vector<int> numbers;
    for (int i = 1; i <= gbxGetNoAssocStatic(header, itemNo); ++i) {
        int number = 0;
        gbxGetAssocStatic(header, itemNo, i, &number);
        numbers.push_back(number);
    }
    return numbers;
}

std::vector<double> statsOf(const GbxItem* item) {
    if (item->elementStats == nullptr) return {};
    return std::vector<double>(item->elementStats, item->elementStats + 9 * item->statsElements);
}

}  // namespace

TEST(GbxItemBlocks, UnitKeyDefinitionIsWrittenAs30005ThenValueTypeAndAxis) {
    TempDir dir;
    const std::string path = dir.path("item.gbx");
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "depth", kMetre, LRX_FLOAT), 0);
    gbxSetItemValueType(item, 2);
    gbxSetItemAxisOrientation(item, 1, 2, 3);
    item->refCoords[0] = 0.5f;
    BlockFile(path).item(item);

    ExpectedBlocks expected;
    const double d = header->deleteValueDouble;
    const float f = gbxDefaultDeleteFloat();
    expected.head(30005).int32(kLevel).text("depth").int32(kMetre).int32(LRX_FLOAT);
    expected.doubles({d, d, 0.0}).floats({0.5f, f, f}).floats({1, 2, 3}).end();
    expected.head(30006).int32(2).end();
    expected.head(31051).int32(0).end();
    EXPECT_EQ(blockBytes(path), expected.bytes());
}

TEST(GbxItemBlocks, ReadingTheUnitKeyFormGivesTheUnitNameAsUnitText) {
    TempDir dir;
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "depth", kMetre, LRX_DOUBLE), 0);
    ASSERT_EQ(gbxSetItemAxisEqD1(item, kMetre, 4, 1.5f, 0.25f), 0);
    gbxSetItemValueType(item, 3);
    gbxSetItemRefCoords(item, 1, 2, 3);
    item->maxValue = 9;
    item->minValue = -9;
    item->deleteCount = 4;
    BlockFile(dir.path("a.gbx")).item(item);

    StaticItem read(nullptr);
    ASSERT_EQ(readFirstItem(dir.path("a.gbx"), read), 0);
    EXPECT_EQ(read.item.itemType, kLevel);
    EXPECT_STREQ(read.item.name, "depth");
    EXPECT_EQ(read.item.unit, kMetre);
    EXPECT_STREQ(read.item.unitText, "m");
    EXPECT_EQ(read.item.dataType, LRX_DOUBLE);
    EXPECT_EQ(read.item.valueType, 3);
    EXPECT_EQ(std::vector<double>({read.item.maxValue, read.item.minValue, read.item.deleteCount}),
              std::vector<double>({9, -9, 4}));
    EXPECT_EQ(std::vector<float>(read.item.refCoords, read.item.refCoords + 3), std::vector<float>({1, 2, 3}));
    EXPECT_EQ(read.item.axisType, GBX_EQD1);
    EXPECT_EQ(read.item.axis.sizes[0], 4);
    EXPECT_EQ(read.item.axis.origins[0], 1.5f);

    BlockFile(dir.path("b.gbx")).item(&read.item);
    EXPECT_EQ(blockIds(dir.path("b.gbx")), std::vector<int>({30002, 30006, 31052})) << "written again with its text";
}

TEST(GbxItemBlocks, GetItemInfoTurnsAStoredUnitTextBackIntoAKey) {
    TempDir dir;
    const std::string path = dir.path("text.gbx");
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo_(header.get(), item, kLevel, "depth", "ft", LRX_FLOAT), 0);
    BlockFile(path).item(item);
    EXPECT_EQ(blockIds(path), std::vector<int>({30002, 30006, 31051}));

    StaticItem read(nullptr);
    ASSERT_EQ(readFirstItem(path, read), 0);
    EXPECT_EQ(read.item.unit, -1);
    EXPECT_STREQ(read.item.unitText, "ft");
    int unit = 0;
    const char* unitName = nullptr;
    ASSERT_EQ(gbxGetItemInfo(&read.item, nullptr, nullptr, nullptr, &unit, &unitName, nullptr), 0);
    EXPECT_EQ(unit, kFoot);
    EXPECT_STREQ(unitName, "ft");
}

TEST(GbxItemBlocks, RefusedItemsWriteOnlyWhatCameBeforeTheFault) {
    TempDir dir;
    HeaderPtr header = makeHeader(1, 1);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "depth", kMetre, LRX_FLOAT), 0);
    ReportedCodes reports;
    {
        item->unit = VNK_UNIT_SECOND;  // no longer a unit of a level
        BlockFile file(dir.path("unit.gbx"));
        EXPECT_EQ(gbxWriteItem(item, file.get()), F_ERR_UNIT);
    }
    EXPECT_EQ(blockIds(dir.path("unit.gbx")), std::vector<int>{});
    item->unit = kMetre;
    ASSERT_EQ(gbxSetItemAxisEqD4(item, kMetre, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1), 0);
    {
        BlockFile file(dir.path("eqd4.gbx"));
        EXPECT_EQ(gbxWriteItem(item, file.get()), F_ERR_DATA);
    }
    EXPECT_EQ(blockIds(dir.path("eqd4.gbx")), std::vector<int>({30005, 30006}));
    EXPECT_EQ(reports.codes(), std::vector<int>({F_ERR_UNIT, F_ERR_DATA}));
    EXPECT_NE(reports.all()[0].file, nullptr) << "reported with the file";
}

TEST(GbxItemBlocks, DamagedDefinitionsGiveTheCheckCodes) {
    using Build = std::function<void(BlockFile&)>;
    using Check = std::function<void(const GbxItem&)>;
    const auto axis = [](BlockFile& f) { f.ints(31051, {kMetre}); };
    const auto definition = [](BlockFile& f, uint16_t tag,
                               std::vector<std::function<void(GbxBlockBuilder&)>> records) -> BlockFile& {
        GbxBlockBuilder builder;
        for (auto& record : records)
            record(builder);
        return f.block(tag, builder);
    };
    const auto i32 = [](int32_t value) { return [value](GbxBlockBuilder& b) { b.add(LRX_INT4, 1, &value); }; };
    const auto text = [](const char* value) {
        return [value](GbxBlockBuilder& b) { b.add(LRX_BYTE, static_cast<int>(std::strlen(value)), value); };
    };
    const auto floats = [](GbxBlockBuilder& b) {
        const float values[3] = {7, 8, 9};
        b.add(LRX_FLOAT, 3, values);
    };
    const auto stats = [](GbxBlockBuilder& b) {
        const double values[3] = {1, 2, 3};
        b.add(LRX_DOUBLE, 3, values);
    };
    struct Case {
        const char* name;
        Build build;
        int code;
        std::vector<int> reported;
        Check check;
    } cases[] = {
        {"value type first", [](BlockFile& f) { f.ints(30006, {1}); }, F_ERR_SKIP, {}, nullptr},
        {"name as integer",
         [&](BlockFile& f) {
             definition(f, 30005, {i32(kLevel), i32(5), i32(kMetre), i32(2)});
             axis(f);
         },
         F_ERR_TYPE,
         {F_ERR_TYPE},
         [](const GbxItem& item) {
             EXPECT_EQ(item.name, nullptr);
             EXPECT_EQ(item.dataType, 2) << "the records behind a damaged one are still taken";
         }},
        {"two item types",
         [&](BlockFile& f) {
             const int32_t types[2] = {1, 2};
             f.block(30005, std::move(GbxBlockBuilder().add(LRX_INT4, 2, types)));
             axis(f);
         },
         F_ERR_SIZE,
         {F_ERR_SIZE},
         nullptr},
        {"short definition",
         [&](BlockFile& f) {
             definition(f, 30005, {i32(kLevel), text("short")});
             axis(f);
         },
         0,
         {},
         [](const GbxItem& item) {
             EXPECT_STREQ(item.name, "short") << "a name without its zero is terminated";
             EXPECT_EQ(item.unitText, nullptr);
             EXPECT_EQ(item.dataType, 0);
             EXPECT_EQ(item.refCoords[0], gbxDefaultDeleteFloat());
         }},
        {"eighth record",
         [&](BlockFile& f) {
             definition(f, 30002, {i32(kLevel), text("n"), text("m"), i32(1), stats, floats, floats, i32(8)});
             axis(f);
         },
         0,
         {},
         [](const GbxItem& item) {
             EXPECT_EQ(item.unit, -1);
             EXPECT_EQ(item.orientation[2], 9.0f);
             EXPECT_EQ(item.deleteCount, 3.0);
         }},
        {"float value type",
         [&](BlockFile& f) {
             definition(f, 30005, {i32(kLevel)});
             f.block(30006, std::move(GbxBlockBuilder().add(LRX_FLOAT, 1, "abcd")));
             axis(f);
         },
         F_ERR_TYPE,
         {F_ERR_TYPE},
         nullptr},
        {"empty value type",
         [&](BlockFile& f) {
             definition(f, 30005, {i32(kLevel)});
             f.block(30006, GbxBlockBuilder());
             axis(f);
         },
         F_ERR_READ,
         {F_ERR_READ},
         nullptr},
        {"unknown axis block",
         [&](BlockFile& f) { definition(f, 30005, {i32(kLevel)}).ints(31011, {1}); },
         F_ERR_FILE_TYPE,
         {F_ERR_FILE_TYPE},
         nullptr},
        {"next definition instead of an axis",
         [&](BlockFile& f) {
             definition(f, 30005, {i32(kLevel)});
             definition(f, 30005, {i32(kLevel)});
         },
         F_ERR_FILE_TYPE,
         {F_ERR_FILE_TYPE},
         nullptr},
        {"file ends after the definition",
         [&](BlockFile& f) {
             definition(f, 30005, {i32(kLevel), text("name")});
         },
         LRX_END_OF_FILE,
         {},
         nullptr},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.path("damaged.gbx");
        {
            BlockFile file(path);
            c.build(file);
        }
        ReportedCodes reports;
        StaticItem read(nullptr);
        EXPECT_EQ(readFirstItem(path, read), c.code) << c.name;
        EXPECT_EQ(reports.codes(), c.reported) << c.name;
        if (c.check) c.check(read.item);
    }
}

TEST(GbxItemHeader, ItemsSurviveWriteAndRead) {
    TempDir dir;
    const std::string path = dir.path("items.gbx");
    HeaderPtr header = makeHeader(3, 2);
    GbxHeader* h = header.get();
    ASSERT_EQ(gbxSetItemInfo(h, gbxItemD(h, 1), kLevel, "level", kMetre, LRX_FLOAT), 0);
    ASSERT_EQ(gbxSetItemInfo_(h, gbxItemD(h, 2), VNK_ITEM_UNDEFINED, "grid", "furlongs", LRX_DOUBLE), 0);
    ASSERT_EQ(gbxSetItemAxisEqD2(gbxItemD(h, 2), kMetre, 3, 2, 0.5f, 1.5f, 2, 4), 0);
    ASSERT_EQ(gbxSetItemValueType(gbxItemD(h, 2), 1), 0);
    ASSERT_EQ(gbxSetItemInfo(h, gbxItemD(h, 3), VNK_ITEM_UNDEFINED, "line", kFoot, LRX_INT4), 0);
    ASSERT_EQ(gbxSetItemAxisTvarD1(gbxItemD(h, 3), kMetre, 5), F_ERR_DATA) << "file type 1 has fixed axes";
    ASSERT_EQ(gbxSetItemAxisEqD1(gbxItemD(h, 3), kFoot, 5, 0, 1), 0);
    for (int number : {3, 5})
        ASSERT_EQ(gbxSetAssocStatic(h, 2, number), 0);
    ASSERT_EQ(gbxSetAssocStatic(h, 3, 8), 0);
    GbxItem* grid = gbxItemD(h, 2);
    for (int i = 0; i < 6 * 9; ++i)
        grid->elementStats[i] = i * 0.5;
    grid->maxValue = 26.5;
    ASSERT_EQ(writeDataFile(path, h), 0);
    EXPECT_EQ(blockIds(path),
              std::vector<int>({10000, 10004, 10001, 10002, 10003, 10012, 10013, 10005, 10006, 10007, 10008,
                                10009, 10010, 20000, 20051, 30000, 30001, 30005, 30006, 31051, 30003, 30002,
                                30006, 31055, 30003, 30004, 30005, 30006, 31052, 30003, 30004, 40000}));

    int error = -1;
    HeaderPtr read = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    ASSERT_EQ(gbxGetNoOfItems(read.get()), 3);
    for (int itemNo = 1; itemNo <= 3; ++itemNo) {
        const GbxItem* before = gbxItemD(h, itemNo);
        const GbxItem* after = gbxItemD(read.get(), itemNo);
        EXPECT_EQ(after->header, read.get());
        EXPECT_STREQ(after->name, before->name);
        EXPECT_EQ(after->itemType, before->itemType);
        EXPECT_EQ(after->dataType, before->dataType);
        EXPECT_EQ(after->valueType, before->valueType);
        EXPECT_EQ(after->axisType, before->axisType);
        EXPECT_EQ(after->axisUnit, before->axisUnit);
        EXPECT_EQ(std::memcmp(after->axis.sizes, before->axis.sizes, sizeof before->axis.sizes), 0);
        EXPECT_EQ(after->maxValue, before->maxValue);
        EXPECT_EQ(statsOf(after), statsOf(before)) << itemNo;
        EXPECT_EQ(assocStatics(read.get(), itemNo), assocStatics(h, itemNo)) << itemNo;
    }
    EXPECT_STREQ(gbxItemD(read.get(), 1)->unitText, "m");
    EXPECT_STREQ(gbxItemD(read.get(), 2)->unitText, "furlongs");
    EXPECT_EQ(gbxItemD(read.get(), 2)->unit, -1);
    EXPECT_STREQ(gbxItemD(read.get(), 3)->unitText, "ft");
    EXPECT_EQ(gbxItemD(read.get(), 3)->unit, kFoot);
}

TEST(GbxItemHeader, CompressedFileKeepsTheStatisticsOfItsKeyCells) {
    TempDir dir;
    const std::string path = dir.path("keyed.gbx");
    HeaderPtr header = makeHeader(1, 3);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "grid", kMetre, LRX_FLOAT), 0);
    ASSERT_EQ(gbxSetItemAxisEqD2(item, kMetre, 10, 10, 0, 0, 1, 1), 0);
    for (int i = 0; i < 100 * 9; ++i)
        item->elementStats[i] = i;
    // Keys installed after the item was defined: 7 of its 100 cells are stored.
    const int32_t keyX[7] = {0, 1, 2, 3, 4, 5, 6}, keyY[7] = {};
    ASSERT_EQ(gbxSetEncodeKey(header.get(), keyX, keyY, nullptr, 7), 0);
    ASSERT_EQ(writeDataFile(path, header.get()), 0);

    // The keys come after the header, so the reader does not know them yet.
    int error = -1;
    HeaderPtr read = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    const GbxItem* back = gbxItemD(read.get(), 1);
    EXPECT_EQ(read->compressed, 1);
    EXPECT_EQ(back->statsElements, 7);
    EXPECT_EQ(statsOf(back), std::vector<double>(item->elementStats, item->elementStats + 63));
}

TEST(GbxItemHeader, StatisticsWrittenForMoreElementsThanTheItemHoldsStartFresh) {
    TempDir dir;
    const std::string path = dir.path("grown.gbx");
    HeaderPtr header = makeHeader(1, 2);
    GbxItem* item = gbxItemD(header.get(), 1);
    ASSERT_EQ(gbxSetItemInfo(header.get(), item, kLevel, "grid", kMetre, LRX_FLOAT), 0);
    item->elementStats[2] = 42;
    item->axisType = GBX_EQD1;  // grown behind the statistics' back
    item->axis.sizes[0] = 2;
    item->axis.spacings[0] = 1;
    ASSERT_EQ(writeDataFile(path, header.get()), 0);
    int error = -1;
    HeaderPtr read = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    const double d = header->deleteValueDouble;
    EXPECT_EQ(statsOf(gbxItemD(read.get(), 1)),
              std::vector<double>({d, d, 42, 0, 0, d, 0, 0, 0, d, d, 0, 0, 0, d, 0, 0, 0}));
}

TEST(GbxItemHeader, DamagedStatisticsAndStaticListsGiveTheCheckCodes) {
    struct Case {
        const char* name;
        int statsType;
        std::function<void(BlockFile&)> blocks;
        int code;
        std::vector<int> statics;
        std::vector<int> reported;
    };
    const auto nine = [](int type, int count) {
        return [type, count](BlockFile& f) {
            const std::vector<double> values(static_cast<std::size_t>(count), 1.0);
            f.block(30003, std::move(GbxBlockBuilder().add(type, count, values.data())));
        };
    };
    const auto twice = [&](BlockFile& f) {
        nine(LRX_DOUBLE, 9)(f);
        nine(LRX_DOUBLE, 9)(f);
    };
    const auto statics = [](std::vector<int32_t> numbers) {
        return [numbers](BlockFile& f) { f.ints(30004, numbers, LRX_UINT4); };
    };
    const auto twoRecords = [](BlockFile& f) {
        const uint32_t a = 1, b[2] = {2, 3};
        f.block(30004, std::move(GbxBlockBuilder().add(LRX_UINT4, 1, &a).add(LRX_UINT4, 2, b)));
    };
    // clang-format off
    const Case cases[] = {
        {"eight statistics",              2, nine(LRX_DOUBLE, 8), F_ERR_SIZE, {},        {}},
        {"float statistics",              2, nine(LRX_FLOAT, 9),  F_ERR_TYPE, {},        {}},
        {"statistics under type 1",       1, nine(LRX_FLOAT, 1),  0,          {},        {}},
        {"statistics twice",              3, twice,               0,          {},        {}},
        {"signed statics",                1, [](BlockFile& f) { f.ints(30004, {4}); }, F_ERR_TYPE, {}, {}},
        {"static number 0 ends the list", 1, statics({4, 0, 6}),  0,          {4},       {F_ERR_ITEM_NO}},
        {"statics in two records",        1, twoRecords,          0,          {1, 2, 3}, {}},
    };
    // clang-format on
    TempDir dir;
    HeaderPtr source = makeHeader(1, 1);
    defineFreshItems(source.get());
    for (const Case& c : cases) {
        const std::string path = dir.path("damaged.gbx");
        {
            BlockFile file(path);
            file.headerBlocks(c.statsType, 1).item(gbxItemD(source.get(), 1));
            c.blocks(file);
            file.block(40000, GbxBlockBuilder());
        }
        ReportedCodes reports;
        int error = -1;
        HeaderPtr read = readDataFile(path, &error);
        EXPECT_EQ(error, c.code) << c.name;
        if (c.code != 0) {
            EXPECT_EQ(reports.codes(), std::vector<int>{c.code}) << c.name;
            continue;
        }
        ASSERT_NE(read, nullptr) << c.name;
        EXPECT_EQ(reports.codes(), c.reported) << c.name;
        EXPECT_EQ(assocStatics(read.get(), 1), c.statics) << c.name;
        EXPECT_EQ(gbxItemD(read.get(), 1)->statsElements, c.statsType == 1 ? 0 : 1) << c.name;
    }
}

TEST(GbxItemHeader, ItemCountBeyondWhatTheFileCanHoldEndsTheRead) {
    TempDir dir;
    const std::string path = dir.path("many.gbx");
    HeaderPtr source = makeHeader(1, 1);
    defineFreshItems(source.get());
    {
        BlockFile file(path);
        file.headerBlocks(1, 20).item(gbxItemD(source.get(), 1)).block(40000, GbxBlockBuilder());
    }
    // One item definition of 132 bytes and the static-section block stand behind the count;
    // twenty items take at least 20 x 8 bytes, more than the file has left.
    int error = 0;
    EXPECT_EQ(readDataFile(path, &error), nullptr);
    EXPECT_EQ(error, LRX_END_OF_FILE);
}

TEST(GbxItemHeader, UpdateRewritesItemsInPlace) {
    TempDir dir;
    const std::string path = dir.path("update.gbx");
    {
        HeaderPtr header = makeHeader(2, 2);
        defineFreshItems(header.get());
        ASSERT_EQ(gbxSetItemAxisEqD1(gbxItemD(header.get(), 2), kMetre, 3, 0, 1), 0);
        ASSERT_EQ(writeDataFile(path, header.get(), {9, 9, 9}), 0);
    }
    const Bytes before = lrxtest::readBytes(path);
    int error = 0;
    DataFilePtr file(FOpenFileEdit(path.c_str(), &error));
    HeaderPtr header(gbxReadHeader(file.get(), &error));
    ASSERT_EQ(error, 0);
    GbxItem* item = gbxItemD(header.get(), 2);
    std::free(item->name);
    item->name = strdup("a much longer name");
    item->itemType = VNK_ITEM_UNDEFINED;
    item->maxValue = 5;
    item->minValue = 1;
    item->deleteCount = 2;
    item->elementStats[9 * 2 + 6] = 12;  // valid values of the third element
    item->axis.origins[0] = 7.5f;
    ASSERT_EQ(gbxUpdateHeader(header.get(), 1, file.get()), 0);
    file.reset();

    const Bytes after = lrxtest::readBytes(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(after.end() - 7, after.end(), before.end() - 7)) << "static marker and data stay";
    HeaderPtr reread = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    const GbxItem* back = gbxItemD(reread.get(), 2);
    EXPECT_STREQ(back->name, "a much") << "cut to the stored length";
    EXPECT_EQ(back->itemType, VNK_ITEM_UNDEFINED);
    EXPECT_EQ(std::vector<double>({back->maxValue, back->minValue, back->deleteCount}), std::vector<double>({5, 1, 2}));
    EXPECT_EQ(statsOf(back), statsOf(item));
    EXPECT_EQ(back->axis.origins[0], 7.5f);
    EXPECT_STREQ(gbxItemD(reread.get(), 1)->name, "item 1");
}

TEST(GbxItemHeader, UpdateNeverReachesPastTheItemArray) {
    TempDir dir;
    const std::string path = dir.path("more.gbx");
    {
        HeaderPtr header = makeHeader(3, 2);
        ASSERT_EQ(writeDataFile(path, header.get()), 0);
    }
    const Bytes before = lrxtest::readBytes(path);
    HeaderPtr smaller = makeHeader(1, 2);
    defineFreshItems(smaller.get());
    gbxItemD(smaller.get(), 1)->maxValue = 3;
    int error = 0;
    DataFilePtr file(FOpenFileEdit(path.c_str(), &error));
    ASSERT_EQ(gbxUpdateHeader(smaller.get(), 1, file.get()), 0);
    file.reset();
    HeaderPtr reread = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(gbxItemD(reread.get(), 1)->maxValue, 3);
    EXPECT_NE(gbxItemD(reread.get(), 2)->maxValue, 3) << "items beyond the header's are left alone";
    EXPECT_EQ(lrxtest::readBytes(path).size(), before.size());
}

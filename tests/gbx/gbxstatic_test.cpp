// Static items of a data file: written behind the header under one section marker, read back
// until the time steps begin, converted between units on the way, and refused when damaged.
#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>
#include <vector>

#include "src/gbx/items/gbxitem.h"
#include "support/axisitems.h"

using namespace gbxtest;
using lrxtest::Bytes;
using lrxtest::TempDir;

namespace {

constexpr int kLevel = VNK_ITEM_LEVEL;

struct VectorDestroyer {
    void operator()(GbxVector* vector) const { gbxStaticDestroy(&vector); }
};
using VectorPtr = std::unique_ptr<GbxVector, VectorDestroyer>;

// A water level in metres on an nx x ny grid (an EqD0 item for nx = 0).
VectorPtr makeStatic(GbxHeader* header, const char* name, int dataType, int nx, int ny = 1) {
    GbxVector* vector = nullptr;
    EXPECT_EQ(gbxStaticCreate(&vector), 0);
    EXPECT_EQ(gbxSetItemInfo(header, gbxItemS(vector), kLevel, name, kMetre, dataType), 0);
    if (nx > 0) {
        EXPECT_EQ(gbxSetItemAxisEqD2(vector, kMetre, nx, ny, 0, 0, 1, 1), 0);
    }
    return VectorPtr(vector);
}

std::vector<float> ramp(int count, float start = 1) {
    std::vector<float> values;
    for (int i = 0; i < count; ++i)
        values.push_back(start + 0.5f * static_cast<float>(i));
    return values;
}

// A new data file holding a written header, open for the static section behind it.
class NewDataFile {
public:
    explicit NewDataFile(const std::string& path) : header_(makeHeader(1, 1)), file_(FOpenFileCreate(path.c_str())) {
        defineFreshItems(header_.get());
        EXPECT_EQ(gbxWriteHeader(header_.get(), file_.get()), 0);
        staticStart_ = lrxTell64(file_.get());
    }
    GbxHeader* header() { return header_.get(); }
    GbxFile* file() { return file_.get(); }
    int64_t staticStart() const { return staticStart_; }
    int64_t tell() { return lrxTell64(file_.get()); }
    void marker(uint16_t id) { EXPECT_EQ(lrxBlockWrite(id, file_.get(), nullptr), 0); }
    void block(uint16_t id, GbxBlockBuilder& builder) {
        EXPECT_EQ(builder.write(id, file_.get(), "test", __LINE__), 0);
    }
    void close() { file_.reset(); }

private:
    HeaderPtr header_;
    DataFilePtr file_;
    int64_t staticStart_ = 0;
};

// A data file read up to its static section.
struct OpenedDataFile {
    explicit OpenedDataFile(const std::string& path) {
        int error = 0;
        file.reset(FOpenFileRead(path.c_str(), &error));
        EXPECT_EQ(error, 0);
        header.reset(gbxReadHeader(file.get(), &error));
        EXPECT_EQ(error, 0);
    }
    DataFilePtr file;
    HeaderPtr header;
};

// Reads static items until none comes back; *code receives the last read's code.
std::vector<VectorPtr> readAll(GbxFile* file, int* code) {
    std::vector<VectorPtr> vectors;
    for (;;) {
        *code = -1;
        GbxVector* vector = gbxStaticRead(file, code);
        if (vector == nullptr) return vectors;
        vectors.emplace_back(vector);
    }
}

template <typename T>
std::vector<T> valuesOf(GbxVector* vector, int* code = nullptr) {
    std::vector<T> values(static_cast<std::size_t>(gbxGetUsedItemElements(vector)));
    const int result = gbxStaticGetData(vector, values.data());
    if (code != nullptr) *code = result;
    return values;
}

// The ids of the blocks from the static section on.
std::vector<int> staticBlockIds(const std::string& path, int64_t staticStart) {
    std::vector<int> ids;
    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    lrxSeek64(file.get(), staticStart, 0);
    for (int id = FQueryLogicalBlock(file.get()); id != 0; id = FQueryLogicalBlock(file.get())) {
        ids.push_back(id);
        FSkipLogicalBlock(file.get());
    }
    return ids;
}

}  // namespace

TEST(GbxStaticFile, ItemsWrittenInARowShareOneSectionMarker) {
    TempDir dir;
    const std::string path = dir.path("two.gbx");
    NewDataFile data(path);
    VectorPtr grid = makeStatic(data.header(), "grid", LRX_FLOAT, 2, 3);
    VectorPtr single = makeStatic(data.header(), "single", LRX_INT4, 0);
    const std::vector<float> gridValues = ramp(6);
    const int32_t singleValue = -7;
    EXPECT_EQ(gbxStaticWrite(grid.get(), data.file(), gridValues.data()), 0);
    const int64_t valuesAt = data.tell() - (3 + 5 + 6 * 4 + 1);
    EXPECT_EQ(gbxStaticWrite(single.get(), data.file(), &singleValue), 0);
    EXPECT_EQ(data.file()->positionState, 2);
    data.close();

    EXPECT_EQ(staticBlockIds(path, data.staticStart()),
              std::vector<int>({40000, 30005, 30006, 31055, 40001, 30005, 30006, 31051, 40001}));
    Bytes expected = {0xFE, 0x41, 0x9C, LRX_FLOAT, 6, 0, 0, 0};
    for (float value : gridValues)
        lrxtest::putLittle(expected, std::bit_cast<uint32_t>(value), 4);
    expected.push_back(0xFF);
    const Bytes all = lrxtest::readBytes(path);
    EXPECT_EQ(Bytes(all.begin() + valuesAt, all.begin() + valuesAt + static_cast<int64_t>(expected.size())), expected);
}

TEST(GbxStaticFile, ReadsItemsUntilTheTimeStepsAndStandsBeforeThem) {
    TempDir dir;
    const std::string path = dir.path("read.gbx");
    const std::vector<float> gridValues = ramp(6);
    const int32_t singleValue = -7;
    {
        NewDataFile data(path);
        VectorPtr grid = makeStatic(data.header(), "grid", LRX_FLOAT, 3, 2);
        VectorPtr single = makeStatic(data.header(), "single", LRX_INT4, 0);
        gbxStaticWrite(grid.get(), data.file(), gridValues.data());
        gbxStaticWrite(single.get(), data.file(), &singleValue);
        data.marker(50000);
    }

    OpenedDataFile opened(path);
    GbxFile* file = opened.file.get();
    int code = -1;
    std::vector<VectorPtr> vectors = readAll(file, &code);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(vectors.size(), 2u);
    EXPECT_STREQ(vectors[0]->name, "grid");
    EXPECT_EQ(vectors[0]->isStatic, 1);
    EXPECT_EQ(vectors[0]->header, nullptr);
    EXPECT_EQ(gbxGetItemAxisType(vectors[0].get()), GBX_EQD2);
    EXPECT_EQ(valuesOf<float>(vectors[0].get(), &code), gridValues);
    EXPECT_EQ(code, 0);
    EXPECT_STREQ(vectors[1]->name, "single");
    EXPECT_EQ(valuesOf<int32_t>(vectors[1].get()), std::vector<int32_t>({singleValue}));

    const int64_t standing = lrxTell64(file);
    EXPECT_EQ(gbxStaticRead(file, &code), nullptr);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(lrxTell64(file), standing);
    int32_t id = 0;
    EXPECT_EQ(lrxQuery(file, &id), LRX_BLOCK);
    EXPECT_EQ(id, 50000);
    EXPECT_EQ(file->positionState, 2);
}

TEST(GbxStaticFile, SkipPassesOverItemsAndGivesZeroAtTheEnd) {
    TempDir dir;
    const std::string path = dir.path("skip.gbx");
    {
        NewDataFile data(path);
        for (const char* name : {"a", "b"}) {
            VectorPtr vector = makeStatic(data.header(), name, LRX_FLOAT, 0);
            const float value = 1;
            gbxStaticWrite(vector.get(), data.file(), &value);
        }
    }
    OpenedDataFile opened(path);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(gbxStaticSkip(opened.file.get()), 0) << "skip " << i;
    int code = -1;
    EXPECT_EQ(gbxStaticRead(opened.file.get(), &code), nullptr);
    EXPECT_EQ(code, 0);
}

TEST(GbxStaticFile, ConvertsValuesIntoTheItemUnitAndBackWithoutTouchingTheCallersArray) {
    TempDir dir;
    const std::string path = dir.path("feet.gbx");
    std::vector<float> feet = ramp(200, -20);
    float deleteValue = 0;
    {
        NewDataFile data(path);
        deleteValue = data.header()->deleteValueFloat;
        feet[7] = deleteValue;
        VectorPtr grid = makeStatic(data.header(), "depth", LRX_FLOAT, 10, 20);
        ASSERT_EQ(gbxSetItemUnitConversion(grid.get(), 2, kFoot), 0);
        const std::vector<float> given = feet;
        ASSERT_EQ(gbxStaticWrite(grid.get(), data.file(), feet.data()), 0);
        EXPECT_EQ(feet, given);
    }

    OpenedDataFile opened(path);
    int code = -1;
    VectorPtr read(gbxStaticRead(opened.file.get(), &code));
    ASSERT_NE(read, nullptr);
    std::vector<float> metres = feet;
    vnkConvertItemArrayF(kFoot, kMetre, metres.data(), 200, deleteValue);
    const std::vector<float> stored = valuesOf<float>(read.get());
    EXPECT_EQ(stored, metres);
    EXPECT_EQ(stored[7], deleteValue);
    EXPECT_FLOAT_EQ(stored[0], -20 * 0.3048f);

    ASSERT_EQ(gbxSetItemUnitConversion(read.get(), 2, kFoot), 0);
    std::vector<float> back = metres;
    vnkConvertItemArrayF(kMetre, kFoot, back.data(), 200, gbxDefaultDeleteFloat());
    EXPECT_EQ(valuesOf<float>(read.get()), back);
    for (int i = 0; i < 200; ++i)
        EXPECT_NEAR(back[i], feet[i], 1e-4f) << i;
    EXPECT_EQ(valuesOf<float>(read.get()), back) << "the item keeps its values in metres";
}

TEST(GbxStaticFile, StaticGridMayHaveZeroSpacing) {
    TempDir dir;
    const std::string path = dir.path("flat.gbx");
    {
        NewDataFile data(path);
        GbxVector* vector = nullptr;
        gbxStaticCreate(&vector);
        VectorPtr flat(vector);
        gbxSetItemInfo(data.header(), vector, kLevel, "flat", kMetre, LRX_DOUBLE);
        ASSERT_EQ(gbxSetItemAxisEqD2(vector, kMetre, 2, 3, 5, 6, 0, 0), 0);
        const std::vector<double> values = {1, 2, 3, 4, 5, 6};
        ASSERT_EQ(gbxStaticWrite(vector, data.file(), values.data()), 0);
    }
    OpenedDataFile opened(path);
    int code = -1;
    VectorPtr read(gbxStaticRead(opened.file.get(), &code));
    ASSERT_NE(read, nullptr);
    int nx = 0, ny = 0;
    float x0 = 0, y0 = 0, dx = 1, dy = 1;
    ASSERT_EQ(gbxGetItemAxisEqD2(read.get(), nullptr, nullptr, &nx, &ny, &x0, &y0, &dx, &dy), 0);
    EXPECT_EQ(std::vector<float>({float(nx), float(ny), x0, y0, dx, dy}), std::vector<float>({2, 3, 5, 6, 0, 0}));
    EXPECT_EQ(valuesOf<double>(read.get()), std::vector<double>({1, 2, 3, 4, 5, 6}));
}

TEST(GbxStaticFile, RefusedWritesLeaveOnlyWhatCameBefore) {
    struct Case {
        const char* what;
        int axisType;  // 0: the item is never defined
        int positionState;
        bool data;
        int code;
        std::vector<int> blocks;
    };
    const std::vector<Case> cases = {
        {"time-varying axis", GBX_TVARD1, 1, true, F_ERR_DATA, {40000}},
        {"undefined item", 0, 1, true, F_ERR_DATA, {40000}},
        {"4-D axis", GBX_EQD4, 1, true, F_ERR_DATA, {40000, 30005, 30006}},
        {"time steps begun", GBX_EQD1, 3, true, F_ERR_USAGE, {}},
        {"no data", GBX_EQD1, 1, false, F_ERR_DATA, {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.path("refused.gbx");
        ReportedCodes reported;
        NewDataFile data(path);
        GbxVector* vector = nullptr;
        gbxStaticCreate(&vector);
        VectorPtr owned(vector);
        if (c.axisType != 0) gbxSetItemInfo(data.header(), vector, kLevel, "x", kMetre, LRX_FLOAT);
        if (c.axisType == GBX_TVARD1) gbxSetItemAxisTvarD1(vector, kMetre, 4);
        if (c.axisType == GBX_EQD1) gbxSetItemAxisEqD1(vector, kMetre, 4, 0, 1);
        if (c.axisType == GBX_EQD4) gbxSetItemAxisEqD4(vector, kMetre, 1, 1, 1, 4, 0, 0, 0, 0, 1, 1, 1, 1);
        data.file()->positionState = c.positionState;
        const std::vector<float> values = ramp(4);
        reported.clear();
        EXPECT_EQ(gbxStaticWrite(vector, data.file(), c.data ? values.data() : nullptr), c.code) << c.what;
        EXPECT_EQ(reported.codes(), std::vector<int>({c.code})) << c.what;
        data.close();
        EXPECT_EQ(staticBlockIds(path, data.staticStart()), c.blocks) << c.what;
    }
    TempDir dir;
    NewDataFile data(dir.path("handles.gbx"));
    const float value = 0;
    EXPECT_EQ(gbxStaticWrite(nullptr, data.file(), &value), F_ERR_USAGE);
    VectorPtr vector = makeStatic(data.header(), "v", LRX_FLOAT, 0);
    EXPECT_EQ(gbxStaticWrite(vector.get(), nullptr, &value), F_ERR_USAGE);
}

TEST(GbxStaticFile, DamagedValueBlockGivesNoItem) {
    struct Case {
        const char* what;
        uint16_t id;
        int type;
        int count;
        int code;
    };
    // The item is 10 floats.
    const std::vector<Case> cases = {
        {"doubles for a float item", 40001, LRX_DOUBLE, 10, F_ERR_TYPE},
        {"too few values", 40001, LRX_FLOAT, 5, F_ERR_SIZE},
        {"too many values", 40001, LRX_FLOAT, 11, F_ERR_SIZE},
        {"no record", 40001, 0, 0, F_ERR_READ},
        {"time steps in place of the values", 50000, 0, 0, F_ERR_SKIP},
        {"end of file in place of the values", 0, 0, 0, F_ERR_SKIP},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.path("damaged.gbx");
        {
            NewDataFile data(path);
            VectorPtr vector = makeStatic(data.header(), "v", LRX_FLOAT, 10);
            data.marker(40000);
            ASSERT_EQ(gbxWriteItem(vector.get(), data.file()), 0);
            const std::vector<double> values(static_cast<std::size_t>(c.count), 1.0);
            GbxBlockBuilder block;
            if (c.type != 0) block.add(c.type, c.count, values.data());
            if (c.id != 0) data.block(c.id, block);
        }
        OpenedDataFile opened(path);
        int code = -1;
        EXPECT_EQ(gbxStaticRead(opened.file.get(), &code), nullptr) << c.what;
        EXPECT_EQ(code, c.code) << c.what;
    }
}

TEST(GbxStaticFile, GetDataCopiesOnlyValuesTheItemHolds) {
    TempDir dir;
    const std::string path = dir.path("held.gbx");
    NewDataFile data(path);
    VectorPtr built = makeStatic(data.header(), "built", LRX_FLOAT, 4);
    const std::vector<float> values = ramp(4);
    ASSERT_EQ(gbxStaticWrite(built.get(), data.file(), values.data()), 0);
    data.close();

    std::vector<double> buffer(64);
    EXPECT_EQ(gbxStaticGetData(built.get(), buffer.data()), F_ERR_DATA) << "an item built for writing holds none";
    EXPECT_EQ(gbxStaticGetData(nullptr, buffer.data()), F_ERR_USAGE);

    OpenedDataFile opened(path);
    int code = -1;
    VectorPtr read(gbxStaticRead(opened.file.get(), &code));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(gbxStaticGetData(read.get(), nullptr), F_ERR_DATA);
    // A read item has no header; the axis setters want one, and a redefinition keeps the values.
    ASSERT_EQ(gbxSetItemInfo(data.header(), read.get(), kLevel, "grown", kMetre, LRX_FLOAT), 0);
    ASSERT_EQ(gbxSetItemAxisEqD1(read.get(), kMetre, 5, 0, 1), 0);
    EXPECT_EQ(gbxStaticGetData(read.get(), buffer.data()), F_ERR_SIZE) << "an axis grown after reading";
    // The block keeps the 16 bytes read: four doubles need more, two fit.
    ASSERT_EQ(gbxSetItemInfo(data.header(), read.get(), kLevel, "wide", kMetre, LRX_DOUBLE), 0);
    ASSERT_EQ(gbxSetItemAxisEqD1(read.get(), kMetre, 4, 0, 1), 0);
    EXPECT_EQ(gbxStaticGetData(read.get(), buffer.data()), F_ERR_SIZE);
    ASSERT_EQ(gbxSetItemAxisEqD1(read.get(), kMetre, 2, 0, 1), 0);
    EXPECT_EQ(gbxStaticGetData(read.get(), buffer.data()), 0);
}

TEST(GbxStaticFile, FileCutAtAnyByteReadsTheWholeItemsBeforeTheCut) {
    TempDir dir;
    const std::string path = dir.path("whole.gbx");
    int64_t staticStart = 0;
    std::vector<int64_t> itemEnds;
    int64_t markerEnd = 0;
    {
        NewDataFile data(path);
        staticStart = data.staticStart();
        VectorPtr grid = makeStatic(data.header(), "grid", LRX_FLOAT, 2, 2);
        VectorPtr single = makeStatic(data.header(), "single", LRX_DOUBLE, 0);
        const std::vector<float> values = ramp(4);
        const double value = 3;
        gbxStaticWrite(grid.get(), data.file(), values.data());
        itemEnds.push_back(data.tell());
        markerEnd = staticStart + 4;
        gbxStaticWrite(single.get(), data.file(), &value);
        itemEnds.push_back(data.tell());
        data.marker(50000);
    }
    const Bytes whole = lrxtest::readBytes(path);
    const std::string cutPath = dir.path("cut.gbx");
    for (int64_t length = staticStart; length < static_cast<int64_t>(whole.size()); ++length) {
        lrxtest::writeBytes(cutPath, Bytes(whole.begin(), whole.begin() + length));
        int error = 0;
        DataFilePtr file(FOpenFileRead(cutPath.c_str(), &error));
        ASSERT_NE(file, nullptr);
        lrxSeek64(file.get(), staticStart, 0);
        int code = -1;
        const std::vector<VectorPtr> vectors = readAll(file.get(), &code);
        std::size_t wholeItems = 0;
        for (int64_t end : itemEnds)
            wholeItems += end <= length ? 1 : 0;
        EXPECT_EQ(vectors.size(), wholeItems) << "cut at " << length;
        const bool atBoundary = length == staticStart || length == markerEnd || length == itemEnds[0];
        if (length <= itemEnds[1]) {
            EXPECT_EQ(code == 0, atBoundary || length == itemEnds[1]) << "cut at " << length;
        }
    }
}

// Opening, creating, appending, flushing and closing data files, and the encoding keys that
// compressed files keep as their first static items.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "src/gbx/common/fileio.h"
#include "src/gbx/header/gbxheader.h"
#include "src/lrx/lrxblock.h"
#include "src/lrx/lrxfile.h"
#include "support/headerfiles.h"
#include "support/osfaults.h"
#include "support/reports.h"
#include "support/tempfiles.h"

using lrxtest::openDescriptors;
using lrxtest::TempDir;

namespace {

using lrxtest::ReportedCodes;

using gbxtest::HeaderPtr;

// A file handle closed with the data-file close call of the header it belongs to.
struct OpenFile {
    HeaderPtr header;
    GbxFile* file = nullptr;
    OpenFile() = default;
    OpenFile(OpenFile&& other) noexcept : header(std::move(other.header)), file(std::exchange(other.file, nullptr)) {}
    ~OpenFile() {
        if (file != nullptr) gbxFileClose(header.get(), &file);
    }
};

using Opener = int(LRX_CALL*)(const char*, GbxHeader**, GbxFile**);

OpenFile openWith(Opener opener, const std::string& path, int* code) {
    OpenFile opened;
    GbxHeader* header = nullptr;
    *code = opener(path.c_str(), &header, &opened.file);
    opened.header.reset(header);
    return opened;
}

const std::vector<int32_t> kKeyX = {0, 1, 2, 3};
const std::vector<int32_t> kKeyY = {0, 0, 1, 1};
const std::vector<int32_t> kKeyZ = {0, 0, 0, 1};
const std::vector<int32_t> kCellIds = {7, 8, 9, 10};

// A header of the given file type with one float item and a time axis of that type's kind.
HeaderPtr newHeader(int fileType = F_EQTIME_FIXEDSPACE_ALLITEMS, int statsType = 1) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(fileType, "open test", "tests", 3, 1, statsType, &header);
    if (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS) {
        gbxSetEqTimeAxis(header, 1400, 0.0, 60.0, 0);
    } else {
        gbxSetNeqTimeAxis(header, 1400, 100.0, 0);
    }
    gbxSetItemInfo(header, gbxItemD(header, 1), 100000, "level", 1000, LRX_FLOAT);
    return HeaderPtr(header);
}

// Writes a static item of 32-bit integers on an EqD1 axis, as the encoding keys are written.
void writeIntStatic(GbxHeader* header, GbxFile* file, const char* name, const std::vector<int32_t>& values) {
    GbxVector* vector = nullptr;
    gbxStaticCreate(&vector);
    gbxSetItemInfo(header, gbxItemS(vector), 999, name, 0, LRX_INT4);
    gbxSetItemAxisEqD1(gbxItemS(vector), 0, static_cast<int>(values.size()), 0.0f, 1.0f);
    EXPECT_EQ(gbxStaticWrite(vector, file, values.data()), 0) << name;
    gbxStaticDestroy(&vector);
}

// Creates a compressed file with the keys given (null: absent), followed by one ordinary
// static item "Cell ids" that has the shape of a key.
void writeCompressedFile(const std::string& path, const int32_t* x, const int32_t* y, const int32_t* z) {
    HeaderPtr header = newHeader();
    ASSERT_EQ(gbxSetEncodeKey(header.get(), x, y, z, 4), 0);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
    writeIntStatic(header.get(), file, "Cell ids", kCellIds);
    ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
}

struct StaticItem {
    std::string name;
    int itemType = 0;
    int unit = -1;
    int dataType = 0;
    std::array<int, 3> axis{};  // nx, x0, dx
    std::vector<int32_t> values;
};

// The next static item of the file, or an item with an empty name when there is none.
StaticItem nextStatic(GbxFile* file) {
    int code = -1;
    GbxVector* vector = gbxStaticRead(file, &code);
    EXPECT_EQ(code, 0);
    StaticItem item;
    if (vector == nullptr) return item;
    const char* name = nullptr;
    gbxGetItemInfo(gbxItemS(vector), &item.itemType, nullptr, &name, &item.unit, nullptr, &item.dataType);
    item.name = name;
    float x0 = -1;
    float dx = -1;
    gbxGetItemAxisEqD1(gbxItemS(vector), nullptr, nullptr, &item.axis[0], &x0, &dx);
    item.axis[1] = static_cast<int>(x0);
    item.axis[2] = static_cast<int>(dx);
    item.values.resize(static_cast<std::size_t>(gbxGetItemElements(gbxItemS(vector))));
    gbxStaticGetData(vector, item.values.data());
    gbxStaticDestroy(&vector);
    return item;
}

// Every static item of a data file, read through the header and static calls alone.
std::vector<StaticItem> staticItemsOf(const std::string& path) {
    int code = 0;
    LrxFile* file = FOpenFileRead(path.c_str(), &code);
    GbxHeader* header = gbxReadHeader(file, &code);
    std::vector<StaticItem> items;
    for (StaticItem item = nextStatic(file); !item.name.empty(); item = nextStatic(file))
        items.push_back(item);
    gbxHeaderDestroy(&header);
    FCloseFile(&file);
    return items;
}

std::vector<int32_t> keyOf(const int32_t* key, int size) {
    return key != nullptr ? std::vector<int32_t>(key, key + size) : std::vector<int32_t>{};
}

// Writes one time step of the one-value item of a newHeader() file.
int writeStep(GbxHeader* header, GbxFile* file, float value) {
    return gbxWriteItemTimeStep(header, file, 0.0, &value);
}

// ---- Paths ------------------------------------------------------------------------------

TEST(GbxOpenPaths, ReadRefusesPathsItCannotOpenWithoutReportOrOutput) {
    TempDir dir;
    const std::string existing = dir.path("data.gbx");
    writeCompressedFile(existing, kKeyX.data(), nullptr, nullptr);
    // A path of 260 bytes or more does not fit the path buffer, whether the file exists or not.
    const std::string longName(260 - dir.path("").size(), 'n');
    const std::string tooLong = dir.path(longName);
    ASSERT_EQ(tooLong.size(), 260u);
    lrxtest::writeBytes(tooLong, lrxtest::readBytes(existing));
    lrxtest::writeBytes(dir.path("run.lnk"), lrxtest::readBytes(existing));
    const std::string linkPath = dir.path("run.lnk");
    const std::string missing = dir.path("missing.gbx");
    const std::string folder = dir.path("");

    const char* paths[] = {nullptr, "", missing.c_str(), folder.c_str(), tooLong.c_str(), linkPath.c_str()};
    for (const char* path : paths) {
        ReportedCodes reported;
        auto* header = reinterpret_cast<GbxHeader*>(0x1);
        auto* file = reinterpret_cast<GbxFile*>(0x2);
        EXPECT_EQ(gbxFileRead(path, &header, &file), F_ERR_OPEN) << (path != nullptr ? path : "null");
        EXPECT_EQ(header, reinterpret_cast<GbxHeader*>(0x1));
        EXPECT_EQ(file, reinterpret_cast<GbxFile*>(0x2));
        EXPECT_TRUE(reported.codes().empty());
    }
}

TEST(GbxOpenPaths, ReadOpensThePathOneByteShorterThanTheBuffer) {
    TempDir dir;
    const std::string path = dir.path(std::string(259 - dir.path("").size(), 'n'));
    ASSERT_EQ(path.size(), 259u);
    writeCompressedFile(path, kKeyX.data(), nullptr, nullptr);
    int code = -1;
    OpenFile opened = openWith(gbxFileRead, path, &code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(opened.file, nullptr);
}

TEST(GbxOpenPaths, CreateRefusesUnusablePathsWithoutReportOrOutput) {
    TempDir dir;
    HeaderPtr header = newHeader();
    const std::string folder = dir.path("");
    for (const char* path : {static_cast<const char*>(nullptr), "", folder.c_str()}) {
        ReportedCodes reported;
        auto* file = reinterpret_cast<GbxFile*>(0x2);
        EXPECT_EQ(gbxFileCreate(path, header.get(), &file), F_ERR_WRITE);
        EXPECT_EQ(file, reinterpret_cast<GbxFile*>(0x2));
        EXPECT_TRUE(reported.codes().empty());
    }
}

TEST(GbxOpenPaths, CreateWithoutHeaderReports1000AndMakesNoFile) {
    TempDir dir;
    ReportedCodes reported;
    auto* file = reinterpret_cast<GbxFile*>(0x2);
    EXPECT_EQ(gbxFileCreate(dir.path("new.gbx").c_str(), nullptr, &file), F_ERR_USAGE);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(reported.codes(), std::vector<int>{F_ERR_USAGE});
    EXPECT_FALSE(std::filesystem::exists(dir.path("new.gbx")));
}

// ---- Round trip and closing ------------------------------------------------------------------

TEST(GbxOpenRoundTrip, HeaderCreatedAndClosedReadsBackThroughTheExportedCalls) {
    TempDir dir;
    const std::string path = dir.path("round.gbx");
    GbxHeader* written = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "North Sea", "model", 12, 2, 1, &written), 0);
    gbxSetEqTimeAxis(written, 1400, 30.0, 600.0, 4);
    gbxSetItemInfo(written, gbxItemD(written, 1), 100000, "water level", 1000, LRX_FLOAT);
    gbxSetItemInfo(written, gbxItemD(written, 2), 100001, "depth", 1000, LRX_DOUBLE);
    gbxSetDeleteValFloat(written, -99.0f);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), written, &file), 0);
    ASSERT_EQ(gbxFileClose(written, &file), 0);
    gbxHeaderDestroy(&written);

    GbxHeader* read = nullptr;
    ASSERT_EQ(gbxFileRead(path.c_str(), &read, &file), 0);
    EXPECT_STREQ(gbxGetFileTitle(read), "North Sea");
    EXPECT_STREQ(gbxGetAppTitle(read), "model");
    EXPECT_EQ(gbxGetAppVersionNo(read), 12);
    EXPECT_EQ(gbxGetDeleteValFloat(read), -99.0f);
    EXPECT_EQ(gbxGetNoOfItems(read), 2);
    const char* name = nullptr;
    int dataType = 0;
    gbxGetItemInfo(gbxItemD(read, 2), nullptr, nullptr, &name, nullptr, nullptr, &dataType);
    EXPECT_STREQ(name, "depth");
    EXPECT_EQ(dataType, LRX_DOUBLE);
    double start = 0;
    double step = 0;
    int steps = -1;
    int index = 0;
    EXPECT_EQ(gbxGetEqTimeAxis(read, nullptr, nullptr, &start, &step, &steps, &index), 0);
    EXPECT_EQ(start, 30.0);
    EXPECT_EQ(step, 600.0);
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(gbxFileClose(read, &file), 0);
    gbxHeaderDestroy(&read);
}

// Only a new file that holds nothing behind its header gets the empty static section, when it
// is closed: a file with time steps and no static items starts its dynamic section right behind
// the header, and a fresh file has no marker to be searched for.
TEST(GbxOpenCreate, OnlyAHeaderOnlyFileGetsTheEmptyStaticSectionAtClose) {
    for (int steps : {0, 2}) {
        TempDir dir;
        const std::string path = dir.path("new.gbx");
        HeaderPtr header = newHeader();
        GbxFile* file = nullptr;
        ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
        const int64_t headerEnd = lrxTell64(file);
        EXPECT_EQ(gbxFindBlockStatic(header.get(), file), 0);
        EXPECT_EQ(lrxPeekError(file), 0);
        for (int t = 0; t < steps; ++t)
            ASSERT_EQ(writeStep(header.get(), file, 1.0f), 0);
        ASSERT_EQ(gbxFileClose(header.get(), &file), 0);

        const lrxtest::Bytes bytes = lrxtest::readBytes(path);
        const uint16_t firstBlock = static_cast<uint16_t>(bytes[headerEnd + 1] | bytes[headerEnd + 2] << 8);
        EXPECT_EQ(firstBlock, steps == 0 ? 40000 : 50000);
        int code = -1;
        OpenFile read = openWith(gbxFileRead, path, &code);
        ASSERT_EQ(code, 0);
        EXPECT_EQ(gbxStaticRead(read.file, &code), nullptr);
        EXPECT_EQ(code, 0);
    }
}

// Appending adds time steps only, also to a file that has none yet.
TEST(GbxOpenAppend, AppendedFileRefusesStaticItems) {
    TempDir dir;
    const std::string path = dir.path("append.gbx");
    {
        HeaderPtr header = newHeader();
        GbxFile* file = nullptr;
        ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
        ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
    }
    int code = -1;
    OpenFile appended = openWith(gbxFileAppend, path, &code);
    ASSERT_EQ(code, 0);
    GbxVector* late = nullptr;
    gbxStaticCreate(&late);
    gbxSetItemInfo(appended.header.get(), gbxItemS(late), 999, "late", 0, LRX_INT4);
    gbxSetItemAxisEqD1(gbxItemS(late), 0, 4, 0.0f, 1.0f);
    EXPECT_EQ(gbxStaticWrite(late, appended.file, kCellIds.data()), F_ERR_USAGE);
    gbxStaticDestroy(&late);
    EXPECT_EQ(writeStep(appended.header.get(), appended.file, 2.0f), 0);
}

// A reader that opens a file while it is being written sees every time step flushed so far.
TEST(GbxOpenFlush, ReaderSeesTheTimeStepsFlushedSoFar) {
    TempDir dir;
    const std::string path = dir.path("growing.gbx");
    HeaderPtr header = newHeader();
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
    for (float value : {1.0f, 2.0f})
        ASSERT_EQ(writeStep(header.get(), file, value), 0);
    ASSERT_EQ(gbxFileFlush(header.get(), file), 0);
    ASSERT_EQ(writeStep(header.get(), file, 3.0f), 0);

    int code = -1;
    OpenFile reader = openWith(gbxFileRead, path, &code);
    ASSERT_EQ(code, 0);
    int steps = -1;
    gbxGetEqTimeAxis(reader.header.get(), nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
    EXPECT_EQ(steps, 2);
    float value = 0;
    EXPECT_EQ(gbxReadItemTimeStep(reader.header.get(), reader.file, nullptr, &value), 0);
    EXPECT_EQ(gbxReadItemTimeStep(reader.header.get(), reader.file, nullptr, &value), 0);
    EXPECT_EQ(value, 2.0f);
    EXPECT_EQ(gbxFileClose(header.get(), &file), 0);
}

TEST(GbxOpenClose, ClosingAFileOpenedForReadingWritesNothing) {
    TempDir dir;
    const std::string path = dir.path("read.gbx");
    writeCompressedFile(path, kKeyX.data(), kKeyY.data(), kKeyZ.data());
    const lrxtest::Bytes before = lrxtest::readBytes(path);
    int code = -1;
    OpenFile opened = openWith(gbxFileRead, path, &code);
    ASSERT_EQ(code, 0);
    gbxSetFileTitle(opened.header.get(), "changed");
    const uint64_t commits = lrxtest::counters().commits;
    EXPECT_EQ(gbxFileClose(opened.header.get(), &opened.file), 0);
    EXPECT_EQ(opened.file, nullptr);
    EXPECT_EQ(lrxtest::counters().commits, commits);
    EXPECT_EQ(lrxtest::readBytes(path), before);
}

TEST(GbxOpenClose, ClosingAFileOpenedForEditingWritesTheHeaderBack) {
    TempDir dir;
    const std::string path = dir.path("edit.gbx");
    writeCompressedFile(path, kKeyX.data(), kKeyY.data(), kKeyZ.data());
    int code = -1;
    {
        OpenFile opened = openWith(gbxFileEdit, path, &code);
        ASSERT_EQ(code, 0);
        gbxSetFileTitle(opened.header.get(), "edited");
        EXPECT_EQ(gbxFileClose(opened.header.get(), &opened.file), 0);
        EXPECT_EQ(opened.file, nullptr);
    }
    OpenFile reread = openWith(gbxFileRead, path, &code);
    EXPECT_STREQ(gbxGetFileTitle(reread.header.get()), "edited");
}

TEST(GbxOpenClose, SecondCloseOfTheNulledHandleReports1000) {
    TempDir dir;
    const std::string path = dir.path("twice.gbx");
    writeCompressedFile(path, kKeyX.data(), nullptr, nullptr);
    int code = -1;
    OpenFile opened = openWith(gbxFileRead, path, &code);
    ASSERT_EQ(gbxFileClose(opened.header.get(), &opened.file), 0);
    ASSERT_EQ(opened.file, nullptr);
    ReportedCodes reported;
    EXPECT_EQ(gbxFileClose(opened.header.get(), &opened.file), F_ERR_USAGE);
    EXPECT_EQ(gbxFileClose(opened.header.get(), nullptr), F_ERR_USAGE);
    EXPECT_EQ(gbxFileFlush(opened.header.get(), nullptr), F_ERR_USAGE);
    EXPECT_EQ(reported.codes(), (std::vector<int>{F_ERR_USAGE, F_ERR_USAGE, F_ERR_USAGE}));
}

// ---- Encoding keys -------------------------------------------------------------------------

TEST(GbxOpenKeys, CompressedFileHoldsItsThreeKeysBeforeAnyOtherStaticItem) {
    TempDir dir;
    const std::string path = dir.path("keys.gbx");
    writeCompressedFile(path, kKeyX.data(), kKeyY.data(), kKeyZ.data());
    const std::vector<StaticItem> items = staticItemsOf(path);
    ASSERT_EQ(items.size(), 4u);
    const char* names[] = {"X-Encoding Key", "Y-Encoding Key", "Z-Encoding Key"};
    const std::vector<int32_t>* keys[] = {&kKeyX, &kKeyY, &kKeyZ};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i].name, names[i]);
        EXPECT_EQ(items[i].itemType, 999);
        EXPECT_EQ(items[i].unit, 0);
        EXPECT_EQ(items[i].dataType, LRX_INT4);
        EXPECT_EQ(items[i].axis, (std::array<int, 3>{4, 0, 1}));
        EXPECT_EQ(items[i].values, *keys[i]);
    }
    EXPECT_EQ(items[3].name, "Cell ids");
}

TEST(GbxOpenKeys, EveryOpeningLoadsTheKeysAndPointsCompressionAtThem) {
    TempDir dir;
    const std::string path = dir.path("keys.gbx");
    writeCompressedFile(path, kKeyX.data(), kKeyY.data(), kKeyZ.data());
    for (Opener opener : {gbxFileRead, gbxFileEdit, gbxFileAppend}) {
        int code = -1;
        OpenFile opened = openWith(opener, path, &code);
        ASSERT_EQ(code, 0);
        GbxHeader* header = opened.header.get();
        EXPECT_EQ(gbxGetEncodeKeySize(header), 4);
        EXPECT_EQ(header->encodeKeyRef, &header->encodeKeyX);
        EXPECT_EQ(keyOf(header->encodeKeyX, 4), kKeyX);
        EXPECT_EQ(keyOf(header->encodeKeyY, 4), kKeyY);
        EXPECT_EQ(keyOf(header->encodeKeyZ, 4), kKeyZ);
        // Dynamic items of a keyed file hold one value per key entry.
        EXPECT_EQ(gbxGetUsedItemElements(gbxItemD(header, 1)), 4);
    }
}

TEST(GbxOpenKeys, ReadingLeavesTheFileOnTheFirstOrdinaryStaticItem) {
    // All three keys, and only an X key: in both the ordinary item after the keys, which has a
    // key's shape, is neither swallowed nor taken as a key.
    struct Case {
        const int32_t* y;
        const int32_t* z;
    };
    for (const Case& keys : {Case{kKeyY.data(), kKeyZ.data()}, Case{nullptr, nullptr}}) {
        TempDir dir;
        const std::string path = dir.path("keys.gbx");
        writeCompressedFile(path, kKeyX.data(), keys.y, keys.z);
        for (Opener opener : {gbxFileRead, gbxFileEdit}) {
            int code = -1;
            OpenFile opened = openWith(opener, path, &code);
            ASSERT_EQ(code, 0);
            GbxHeader* header = opened.header.get();
            EXPECT_EQ(keyOf(header->encodeKeyX, 4), kKeyX);
            EXPECT_EQ(header->encodeKeyY == nullptr, keys.y == nullptr);
            EXPECT_EQ(header->encodeKeyZ == nullptr, keys.z == nullptr);
            EXPECT_EQ(header->encodeKeySize, 4);
            const StaticItem next = nextStatic(opened.file);
            EXPECT_EQ(next.name, "Cell ids");
            EXPECT_EQ(next.values, kCellIds);
            EXPECT_EQ(nextStatic(opened.file).name, "");
        }
    }
}

TEST(GbxOpenKeys, KeyOfAnotherLengthThanTheFirstIsNotTaken) {
    TempDir dir;
    const std::string path = dir.path("uneven.gbx");
    HeaderPtr header = newHeader();
    ASSERT_EQ(gbxSetEncodeKey(header.get(), kKeyX.data(), nullptr, nullptr, 4), 0);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
    // A Y key two entries short: indexing it up to the X key's length would read past its end.
    writeIntStatic(header.get(), file, "Y-Encoding Key", {0, 1});
    writeIntStatic(header.get(), file, "Cell ids", kCellIds);
    ASSERT_EQ(gbxFileClose(header.get(), &file), 0);

    int code = -1;
    OpenFile opened = openWith(gbxFileRead, path, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(opened.header->encodeKeySize, 4);
    EXPECT_EQ(opened.header->encodeKeyY, nullptr);
    EXPECT_EQ(nextStatic(opened.file).name, "Cell ids");
}

// ---- Appending -------------------------------------------------------------------------------

// Creates a file of file type 1 with an equidistant calendar axis that claims `steps` time
// steps, and the marker block of its dynamic section.
void writeCalendarFile(const std::string& path, int steps) {
    HeaderPtr header = newHeader();
    gbxSetEqCalendarAxis(header.get(), "2004-01-01", "00:00:00", 1400, 0.0, 3600.0, 0);
    header->timeAxis.noOfTimeSteps = steps;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
    lrxBlockWrite(50000, file, nullptr);
    ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
}

TEST(GbxOpenAppend, AppendingContinuesAfterTheStoredTimeStepsAtTheEnd) {
    TempDir dir;
    const std::string path = dir.path("calendar.gbx");
    writeCalendarFile(path, 10);
    int code = -1;
    OpenFile opened = openWith(gbxFileAppend, path, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(opened.header->currentTimeStep, 10);
    EXPECT_EQ(opened.header->currentItem, 0);
    EXPECT_EQ(opened.file->positionState, 3);
    EXPECT_EQ(lrxTell64(opened.file), static_cast<int64_t>(std::filesystem::file_size(path)));
}

TEST(GbxOpenAppend, AppendedTimeStepsReadBackAfterTheStoredOnes) {
    // A file with time steps, and one closed before its first: the appended steps of the
    // second must open the dynamic section themselves.
    for (int stored : {2, 0}) {
        TempDir dir;
        const std::string path = dir.path("steps.gbx");
        {
            HeaderPtr header = newHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 2);
            GbxFile* file = nullptr;
            ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
            for (int t = 0; t < stored; ++t)
                ASSERT_EQ(writeStep(header.get(), file, 10.0f + t), 0);
            ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
        }
        int code = -1;
        {
            OpenFile appended = openWith(gbxFileAppend, path, &code);
            ASSERT_EQ(code, 0);
            for (int t = stored; t < stored + 2; ++t)
                ASSERT_EQ(writeStep(appended.header.get(), appended.file, 10.0f + t), 0);
        }
        OpenFile read = openWith(gbxFileRead, path, &code);
        ASSERT_EQ(code, 0);
        int steps = -1;
        gbxGetEqTimeAxis(read.header.get(), nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
        EXPECT_EQ(steps, stored + 2);
        for (int t = 0; t < stored + 2; ++t) {
            float value = 0;
            EXPECT_EQ(gbxReadItemTimeStep(read.header.get(), read.file, nullptr, &value), 0) << stored << " " << t;
            EXPECT_EQ(value, 10.0f + t) << stored << " " << t;
        }
        // The statistics go on from the stored sums: every value and every consecutive pair.
        double min = 0, max = 0, mean = 0;
        int valid = 0, deletes = -1, pairs = 0;
        ASSERT_EQ(
            gbxGetItemStats(read.header.get(), 1, 0, &min, &max, &mean, nullptr, nullptr, &valid, &deletes, &pairs), 0);
        EXPECT_EQ(min, 10.0);
        EXPECT_EQ(max, 10.0 + stored + 1);
        EXPECT_EQ(valid, stored + 2);
        EXPECT_EQ(pairs, stored + 1);
        EXPECT_EQ(deletes, 0);
    }
}

TEST(GbxOpenAppend, FailedSeekToTheEndReleasesHeaderAndFile) {
    // The os layer's fault switch makes the one seek relative to the end fail; nothing else in
    // the opening seeks that way.
    TempDir dir;
    const std::string path = dir.path("calendar.gbx");
    writeCompressedFile(path, kKeyX.data(), kKeyY.data(), kKeyZ.data());
    const int descriptors = openDescriptors();
    ReportedCodes reported;
    lrxtest::faults().failingSeeksToEnd = 1;
    auto* header = reinterpret_cast<GbxHeader*>(0x1);
    auto* file = reinterpret_cast<GbxFile*>(0x2);
    EXPECT_EQ(gbxFileAppend(path.c_str(), &header, &file), F_ERR_SEEK);
    lrxtest::faults().failingSeeksToEnd = 0;
    EXPECT_EQ(header, reinterpret_cast<GbxHeader*>(0x1));
    EXPECT_EQ(file, reinterpret_cast<GbxFile*>(0x2));
    EXPECT_EQ(reported.codes(), std::vector<int>{F_ERR_SEEK});
    EXPECT_EQ(openDescriptors(), descriptors);
}

// ---- Time axis span --------------------------------------------------------------------------

TEST(GbxOpenSpan, NonEquidistantAxisClosedWithoutTimeStepsStoresSpanZero) {
    for (bool calendar : {false, true}) {
        TempDir dir;
        const std::string path = dir.path("neq.gbx");
        HeaderPtr header = newHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS);
        if (calendar) gbxSetNeqCalendarAxis(header.get(), "2004-01-01", "00:00:00", 1400, 100.0, 0);
        GbxFile* file = nullptr;
        ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
        ASSERT_EQ(gbxFileClose(header.get(), &file), 0);

        int code = -1;
        OpenFile opened = openWith(gbxFileRead, path, &code);
        ASSERT_EQ(code, 0);
        double span = -1;
        int steps = -1;
        if (calendar) {
            gbxGetNeqCalendarAxis(opened.header.get(), nullptr, nullptr, nullptr, nullptr, nullptr, &span, &steps,
                                  nullptr);
        } else {
            gbxGetNeqTimeAxis(opened.header.get(), nullptr, nullptr, nullptr, &span, &steps, nullptr);
        }
        EXPECT_EQ(span, 0.0) << (calendar ? "calendar" : "time");
        EXPECT_EQ(steps, 0);
    }
}

}  // namespace

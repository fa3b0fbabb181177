// The header: creation, defaults, encoding keys, and its blocks written, read and updated.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "src/gbx/header/gbxheaderparts.h"
#include "support/headerfiles.h"
#include "support/osfaults.h"
#include "support/reports.h"

using namespace gbxtest;
using lrxtest::Bytes;
using lrxtest::TempDir;

namespace {

double deletedDouble() {
    const uint64_t bits = GBX_DELETE_DOUBLE_BITS;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A data file assembled block by block: the record-file header, then the blocks the test adds.
class HandMadeFile {
public:
    explicit HandMadeFile(const std::string& path) : file_(FOpenFileCreate(path.c_str())) {}
    HandMadeFile& empty(uint16_t tag) { return block(tag, GbxBlockBuilder()); }
    HandMadeFile& value(uint16_t tag, int type, const void* value) {
        GbxBlockBuilder builder;
        builder.add(type, 1, value);
        return block(tag, builder);
    }
    HandMadeFile& text(uint16_t tag, const char* text) {
        GbxBlockBuilder builder;
        builder.text(text);
        return block(tag, builder);
    }
    HandMadeFile& block(uint16_t tag, GbxBlockBuilder&& builder) { return block(tag, builder); }
    HandMadeFile& block(uint16_t tag, GbxBlockBuilder& builder) {
        builder.write(tag, file_.get(), "test", __LINE__);
        return *this;
    }
    // The blocks every readable header needs: attributes, an axis and one item count.
    HandMadeFile& minimalHeader() {
        const int16_t fileType = F_NEQTIME_FIXEDSPACE_ALLITEMS;
        empty(10000).value(10004, LRX_INT2, &fileType).text(10001, "hand made");
        return empty(20000);
    }
    HandMadeFile& items(int32_t count) { return empty(30000).value(30001, LRX_INT4, &count); }
    void close() { file_.reset(); }

private:
    DataFilePtr file_;
};

}  // namespace

TEST(GbxHeader, CreateRefusesBadStatisticsTypeOrNoItems) {
    lrxtest::ReportedCodes handlers({1000, 2000, 2001, 2007, 2009, 2010, 2013, 2015, 2016, 2019});
    for (auto [items, stats] : {std::pair{1, 0}, {1, 4}, {0, 1}, {-1, 2}}) {
        GbxHeader* header = reinterpret_cast<GbxHeader*>(&handlers);
        EXPECT_EQ(gbxHeaderCreate(1, "t", "a", 0, items, stats, &header), F_ERR_DATA);
        EXPECT_EQ(header, nullptr);
    }
    EXPECT_EQ(handlers.codes(), (std::vector<int>{2010, 2010, 2010, 2010}));
}

TEST(GbxHeader, NewHeaderHasTheDefaults) {
    HeaderPtr header = makeHeader(3, 2);
    ASSERT_NE(header, nullptr);
    EXPECT_STREQ(header->fileTitle, "title");
    EXPECT_STREQ(header->appTitle, "app");
    EXPECT_EQ(header->appVersionNo, 7);
    EXPECT_EQ(header->noOfItems, 3);
    EXPECT_EQ(header->itemStatsType, 2);
    uint32_t floatBits;
    std::memcpy(&floatBits, &header->deleteValueFloat, 4);
    EXPECT_EQ(floatBits, GBX_DELETE_FLOAT_BITS);
    EXPECT_EQ(header->deleteValueDouble, deletedDouble());
    EXPECT_EQ(header->deleteValueInt, 2147483647);
    EXPECT_EQ(header->deleteValueUnsigned, 2147483647u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(header->items[i].name, "");
        EXPECT_EQ(header->items[i].refCoords[0], header->deleteValueFloat);
        EXPECT_EQ(header->items[i].axisType, 0);
    }
    GbxHeader* raw = header.release();
    EXPECT_EQ(gbxHeaderDestroy(&raw), 0);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(gbxHeaderDestroy(&raw), F_ERR_USAGE);
}

TEST(GbxHeader, EncodingKeysAreCopiedAllOrNothing) {
    HeaderPtr header = makeHeader();
    const int32_t x[3] = {1, 2, 3}, y[3] = {4, 5, 6};
    EXPECT_EQ(gbxSetEncodeKey(header.get(), x, y, nullptr, 3), 0);
    EXPECT_EQ(gbxGetEncodeKeySize(header.get()), 3);
    EXPECT_EQ(gbxIsFileCompressed(header.get()), 1);
    EXPECT_EQ(header->encodeKeyRef, &header->encodeKeyX);
    int32_t outX[3] = {}, outY[3] = {}, outZ[3] = {9, 9, 9};
    EXPECT_EQ(gbxGetEncodeKey(header.get(), outX, outY, outZ), 0);
    EXPECT_EQ(std::memcmp(outX, x, sizeof x), 0);
    EXPECT_EQ(std::memcmp(outY, y, sizeof y), 0);
    EXPECT_EQ(outZ[0], 9) << "a key that was not given stays empty";
    EXPECT_EQ(gbxSetEncodeKey(header.get(), x, y, x, -1), F_ERR_DATA);
    EXPECT_EQ(gbxGetEncodeKeySize(nullptr), 0);
}

TEST(GbxHeader, WrittenHeaderReadsBackTheSame) {
    TempDir dir;
    const std::string path = dir.path("a.gbx");
    HeaderPtr header = makeHeader(2, 1);
    header->fileType = F_NEQTIME_FIXEDSPACE_ALLITEMS;
    header->timeAxisType = F_CAL_NEQ_AXIS;
    std::strcpy(header->timeAxis.startDate, "2007-03-05");
    std::strcpy(header->timeAxis.startTime, "09:04:03");
    header->timeAxis.start = 30;
    header->timeAxis.step = 7200;
    header->dataType = 12;
    header->deleteValueFloat = -99.5f;
    header->deleteValueDouble = -1e300;
    header->deleteValueByte = 7;
    header->deleteValueInt = -5;
    header->deleteValueUnsigned = 4000000000u;
    gbxSetGeoInfoUTMProj(header.get(), "UTM-32", 9.5, 55.25, 3.0);
    const int16_t shorts[3] = {1, -2, 3};
    const double doubles[2] = {0.5, 1e-300};
    gbxAddCustomBlock(header.get(), LRX_INT2, "Shorts", 3, shorts);
    gbxAddCustomBlock(header.get(), LRX_DOUBLE, "Doubles", 2, doubles);
    ASSERT_EQ(writeDataFile(path, header.get()), 0);

    int error = -1;
    HeaderPtr read = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->fileType, F_NEQTIME_FIXEDSPACE_ALLITEMS);
    EXPECT_STREQ(read->fileTitle, "title");
    EXPECT_STREQ(read->appTitle, "app");
    EXPECT_EQ(read->appVersionNo, 7);
    EXPECT_EQ(read->dataType, 12);
    EXPECT_EQ(read->itemStatsType, 1);
    EXPECT_EQ(read->deleteValueFloat, -99.5f);
    EXPECT_EQ(read->deleteValueDouble, -1e300);
    EXPECT_EQ(read->deleteValueByte, 7);
    EXPECT_EQ(read->deleteValueInt, -5);
    EXPECT_EQ(read->deleteValueUnsigned, 4000000000u);
    EXPECT_EQ(read->geoInfoType, 1);
    EXPECT_STREQ(read->projection, "UTM-32");
    EXPECT_EQ(read->longitude, 9.5);
    EXPECT_EQ(read->latitude, 55.25);
    EXPECT_EQ(read->orientation, 3.0);
    EXPECT_EQ(read->timeAxisType, F_CAL_NEQ_AXIS);
    EXPECT_STREQ(read->timeAxis.startDate, "2007-03-05");
    EXPECT_STREQ(read->timeAxis.startTime, "09:04:03");
    EXPECT_EQ(read->timeAxis.unitKey, 1400);
    EXPECT_EQ(read->timeAxis.start, 30);
    EXPECT_EQ(read->timeAxis.step, 7200);
    EXPECT_EQ(read->lastTime, 7230) << "a non-equidistant axis ends at start plus span";
    EXPECT_EQ(read->timeAxis.noOfTimeSteps, 3);
    EXPECT_EQ(read->timeAxis.index, 1);
    EXPECT_EQ(read->noOfItems, 2);
    const GbxCustomBlock* custom = read->customBlocks;
    ASSERT_NE(custom, nullptr);
    EXPECT_STREQ(custom->name, "Shorts");
    EXPECT_EQ(custom->type, LRX_INT2);
    EXPECT_EQ(std::memcmp(custom->data, shorts, sizeof shorts), 0);
    ASSERT_NE(custom->next, nullptr);
    EXPECT_STREQ(custom->next->name, "Doubles");
    EXPECT_EQ(std::memcmp(custom->next->data, doubles, sizeof doubles), 0);
    EXPECT_EQ(custom->next->next, nullptr);
}

TEST(GbxHeader, ReaderStopsAtTheStaticSection) {
    TempDir dir;
    const std::string path = dir.path("a.gbx");
    HeaderPtr header = makeHeader();
    ASSERT_EQ(writeDataFile(path, header.get()), 0);
    int error = 0;
    DataFilePtr file(FOpenFileRead(path.c_str(), &error));
    HeaderPtr read(gbxReadHeader(file.get(), &error));
    ASSERT_EQ(error, 0);
    EXPECT_EQ(FQueryLogicalBlock(file.get()), 40000);
    EXPECT_EQ(file->positionState, 1);
    EXPECT_EQ(file->deleteValueFloat, header->deleteValueFloat);
}

TEST(GbxHeader, OlderNonEquidistantAxisFormReadsWithUnitTextAndNoSpan) {
    TempDir dir;
    const std::string path = dir.path("old.gbx");
    HandMadeFile made(path);
    made.minimalHeader();
    const double start = 100;
    const int32_t counts[2] = {4, 2};
    GbxBlockBuilder axis;
    axis.text("hours").add(LRX_DOUBLE, 1, &start).add(LRX_INT4, 2, counts);
    made.block(20002, axis).items(0).empty(50000);
    made.close();

    int error = -1;
    HeaderPtr read = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(read->timeAxisType, F_TM_NEQ_AXIS);
    EXPECT_EQ(read->timeAxis.unitKey, -1);
    EXPECT_STREQ(read->timeAxis.unitText, "hours");
    EXPECT_EQ(read->timeAxis.start, 100);
    EXPECT_EQ(read->timeAxis.step, deletedDouble());
    EXPECT_EQ(read->lastTime, deletedDouble());
    EXPECT_EQ(read->timeAxis.noOfTimeSteps, 4);
    EXPECT_EQ(read->timeAxis.index, 2);
}

TEST(GbxHeader, UnknownTagIsSteppedOverByReaderAndUpdate) {
    TempDir dir;
    const std::string path = dir.path("unknown.gbx");
    HandMadeFile made(path);
    made.minimalHeader();
    const float odd = 1.25f;
    made.value(12345, LRX_FLOAT, &odd);
    GbxBlockBuilder axis;
    const double values[2] = {0, 1};
    const int32_t key = 1400, counts[2] = {0, 0};
    axis.add(LRX_INT4, 1, &key).add(LRX_DOUBLE, 2, values).add(LRX_INT4, 2, counts);
    made.block(20051, axis).items(0).empty(40000);
    made.close();

    int error = -1;
    LrxFile* file = FOpenFileEdit(path.c_str(), &error);
    ASSERT_NE(file, nullptr);
    HeaderPtr read(gbxReadHeader(file, &error));
    ASSERT_EQ(error, 0);
    EXPECT_STREQ(read->fileTitle, "hand made");
    EXPECT_EQ(read->timeAxisType, F_TM_EQ_AXIS);
    const Bytes before = lrxtest::readBytes(path);
    gbxSetFileTitle(read.get(), "HAND MADE");
    EXPECT_EQ(gbxUpdateHeader(read.get(), 1, file), 0);
    FCloseFile(&file);
    const Bytes after = lrxtest::readBytes(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(std::search(after.begin(), after.end(), std::begin("HAND MADE"), std::end("HAND MADE") - 1), after.end());
}

TEST(GbxHeader, LongerTitleIsCutToTheStoredLengthAndDataStaysInPlace) {
    TempDir dir;
    const std::string path = dir.path("a.gbx");
    HeaderPtr header = makeHeader();
    const Bytes tail = {1, 2, 0, 0, 0, 9, 9};  // whatever follows the header must not move
    ASSERT_EQ(writeDataFile(path, header.get(), tail), 0);
    int error = 0;
    LrxFile* file = FOpenFileEdit(path.c_str(), &error);
    HeaderPtr read(gbxReadHeader(file, &error));
    ASSERT_EQ(error, 0);
    const Bytes before = lrxtest::readBytes(path);
    gbxSetFileTitle(read.get(), "a much longer title");
    read->deleteValueInt = 42;
    read->timeAxis.noOfTimeSteps = 1;
    read->currentTimeStep = 9;
    EXPECT_EQ(gbxUpdateHeader(read.get(), 1, file), 0);
    FCloseFile(&file);

    const Bytes after = lrxtest::readBytes(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(after.end() - 11, after.end(), before.end() - 11)) << "static marker and data unchanged";
    HeaderPtr reread = readDataFile(path, &error);
    ASSERT_EQ(error, 0);
    EXPECT_STREQ(reread->fileTitle, "a muc");
    EXPECT_EQ(reread->deleteValueInt, 42);
    EXPECT_EQ(reread->timeAxis.noOfTimeSteps, 9) << "the count grows to the steps written";
}

TEST(GbxHeader, FlushWithinASecondRewritesWithoutCommitting) {
    TempDir dir;
    const std::string path = dir.path("a.gbx");
    HeaderPtr header = makeHeader();
    ASSERT_EQ(writeDataFile(path, header.get()), 0);
    int error = 0;
    LrxFile* file = FOpenFileEdit(path.c_str(), &error);
    HeaderPtr read(gbxReadHeader(file, &error));
    const uint64_t commits = lrxtest::counters().commits;
    read->deleteValueInt = 1;
    EXPECT_EQ(gbxUpdateHeader(read.get(), 0, file), 0);
    EXPECT_EQ(lrxtest::counters().commits, commits);
    file->commitClock -= 1500;  // as if the last commit were one and a half seconds old
    read->deleteValueInt = 2;
    EXPECT_EQ(gbxUpdateHeader(read.get(), 0, file), 0);
    EXPECT_EQ(lrxtest::counters().commits, commits + 1);
    read->deleteValueInt = 3;
    EXPECT_EQ(gbxUpdateHeader(read.get(), 1, file), 0);
    EXPECT_EQ(lrxtest::counters().commits, commits + 2);
    FCloseFile(&file);
    HeaderPtr reread = readDataFile(path, &error);
    EXPECT_EQ(reread->deleteValueInt, 3);
}

TEST(GbxHeader, UpdateRefusesReadOnlyFilesAndChangedAxisTypes) {
    TempDir dir;
    const std::string path = dir.path("a.gbx");
    HeaderPtr header = makeHeader();
    ASSERT_EQ(writeDataFile(path, header.get()), 0);
    lrxtest::ReportedCodes handlers({1000, 2000, 2001, 2007, 2009, 2010, 2013, 2015, 2016, 2019});
    int error = 0;
    {
        DataFilePtr file(FOpenFileRead(path.c_str(), &error));
        HeaderPtr read(gbxReadHeader(file.get(), &error));
        EXPECT_EQ(gbxUpdateHeader(read.get(), 0, file.get()), F_ERR_READONLY);
    }
    DataFilePtr file(FOpenFileEdit(path.c_str(), &error));
    HeaderPtr read(gbxReadHeader(file.get(), &error));
    read->timeAxisType = F_TM_NEQ_AXIS;
    EXPECT_EQ(gbxUpdateHeader(read.get(), 0, file.get()), F_ERR_DATA);
    EXPECT_EQ(gbxUpdateHeader(nullptr, 0, file.get()), F_ERR_USAGE);
    EXPECT_EQ(handlers.codes(), (std::vector<int>{2015, 2010, 1000}));
}

TEST(GbxHeader, WriterRefusesHeadersWithoutTimeAxisOrWithUnknownGeoInfo) {
    TempDir dir;
    HeaderPtr header = makeHeader();
    header->timeAxisType = F_UNDEFINED_TAXIS;
    EXPECT_EQ(writeDataFile(dir.path("a.gbx"), header.get()), F_ERR_DATA);
    header->timeAxisType = F_TM_EQ_AXIS;
    header->geoInfoType = 2;
    EXPECT_EQ(writeDataFile(dir.path("b.gbx"), header.get()), F_ERR_DATA);
}

TEST(GbxHeader, FileEndingAfterItsHeaderReadsWithEndOfFileButUpdates) {
    TempDir dir;
    const std::string path = dir.path("bare.gbx");
    {
        HeaderPtr header = makeHeader();
        defineFreshItems(header.get());
        DataFilePtr file(FOpenFileCreate(path.c_str()));
        ASSERT_EQ(gbxWriteHeader(header.get(), file.get()), 0);
        header->deleteValueInt = 11;
        EXPECT_EQ(gbxUpdateHeader(header.get(), 1, file.get()), 0);
    }
    int error = 0;
    HeaderPtr read = readDataFile(path, &error);
    EXPECT_EQ(read, nullptr);
    EXPECT_EQ(error, LRX_END_OF_FILE);
}

TEST(GbxHeader, DamagedBlocksGiveTheCheckCodes) {
    TempDir dir;
    struct Case {
        const char* name;
        void (*build)(HandMadeFile&);
        int code;
    } cases[] = {
        {"title as integer",
         [](HandMadeFile& f) {
             const int32_t v = 1;
             f.value(10001, LRX_INT4, &v);
         },
         F_ERR_TYPE},
        {"two versions",
         [](HandMadeFile& f) {
             const int32_t v[2] = {1, 2};
             GbxBlockBuilder b;
             b.add(LRX_INT4, 2, v);
             f.block(10003, b);
         },
         F_ERR_SIZE},
        {"empty float delete value", [](HandMadeFile& f) { f.empty(10006); }, F_ERR_READ},
        {"axis without counts",
         [](HandMadeFile& f) {
             const int32_t key = 1;
             const double v[2] = {0, 1};
             GbxBlockBuilder b;
             b.add(LRX_INT4, 1, &key).add(LRX_DOUBLE, 2, v);
             f.block(20051, b);
         },
         F_ERR_READ},
        {"two billion items", [](HandMadeFile& f) { f.items(2000000000); }, LRX_END_OF_FILE},
        {"negative items", [](HandMadeFile& f) { f.items(-1); }, F_ERR_DATA},
        {"item before its count", [](HandMadeFile& f) { f.empty(30005); }, F_ERR_ITEM_NO},
        {"item past its count", [](HandMadeFile& f) { f.items(0).empty(30005); }, F_ERR_ITEM_NO},
        {"custom block without values", [](HandMadeFile& f) { f.text(60000, "lonely"); }, F_ERR_READ},
        {"bare record", [](HandMadeFile&) {}, F_ERR_BLOCK},
    };
    for (const Case& c : cases) {
        const std::string path = dir.path("damaged.gbx");
        {
            HandMadeFile made(path);
            made.minimalHeader();
            c.build(made);
            made.empty(40000);
        }
        if (std::string(c.name) == "bare record") {
            Bytes bytes = lrxtest::readBytes(path);
            bytes.insert(bytes.end() - 4, {3, 1, 0, 0, 0, 0});
            lrxtest::writeBytes(path, bytes);
        }
        int error = 0;
        HeaderPtr read = readDataFile(path, &error);
        EXPECT_EQ(read, nullptr) << c.name;
        EXPECT_EQ(error, c.code) << c.name;
    }
}

TEST(GbxHeader, TruncationAtEveryByteOfTheHeaderFailsCleanly) {
    TempDir dir;
    const std::string path = dir.path("a.gbx");
    HeaderPtr header = makeHeader();
    gbxSetGeoInfoUTMProj(header.get(), "UTM", 1, 2, 3);
    const float values[2] = {1, 2};
    gbxAddCustomBlock(header.get(), LRX_FLOAT, "c", 2, values);
    ASSERT_EQ(writeDataFile(path, header.get()), 0);
    const Bytes whole = lrxtest::readBytes(path);
    const std::string cut = dir.path("cut.gbx");
    for (std::size_t size = 130; size + 4 < whole.size(); ++size) {
        lrxtest::writeBytes(cut, Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
        int error = 0;
        HeaderPtr read = readDataFile(cut, &error);
        EXPECT_EQ(read, nullptr) << size;
        EXPECT_NE(error, 0) << size;
    }
}

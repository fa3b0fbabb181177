// The record file's header, byte order, open and create failures, update and positions.
#include <gtest/gtest.h>

#include <cstring>

#include "support/recordfiles.h"

using namespace lrxtest;

namespace {

const std::string kHeaderText = " FENN Alto - this file contains binary data, do not edit";

int16_t le16(const Bytes& b, std::size_t at) {
    return static_cast<int16_t>(b[at] | b[at + 1] << 8);
}

int32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

// A big-endian record file of the data kind, as another machine would write it, followed by
// the given application data.
Bytes bigEndianFile(const Bytes& data) {
    Bytes out;
    putText(out, "_BLO");
    putText(out, "_XBG");  // "GBX_" as a big-endian 32-bit value
    putText(out, kHeaderText);
    out.push_back(0x1A);
    const int dateTime[6] = {2007, 3, 5, 9, 4, 3};
    for (int field : dateTime)
        putBig(out, field, 2);
    putBig(out, 104, 4);
    putBig(out, 206, 4);
    for (int field : dateTime)
        putBig(out, field, 2);
    putBig(out, 103, 4);
    putBig(out, 205, 4);
    putBig(out, 0, 8);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace

TEST(LrxFile, DataKindHeaderIsExactTo130Bytes) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    FilePtr file = createFile(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->lrxBase, 82);
    EXPECT_EQ(file->appBase, 130);
    const LrxDateTime when = file->created;
    file.reset();

    const Bytes b = readBytes(path);
    ASSERT_EQ(b.size(), 130u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "OLB_");
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 8), "GBX_");
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 64), kHeaderText);
    EXPECT_EQ(std::string(b.begin() + 64, b.begin() + 81), "  FOpenFileCreate");
    EXPECT_EQ(b[81], 0x1A);
    const int16_t fields[6] = {when.year, when.month, when.day, when.hour, when.minute, when.second};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(le16(b, 82 + 2 * i), fields[i]);
        EXPECT_EQ(le16(b, 102 + 2 * i), fields[i]);
    }
    EXPECT_EQ(le32(b, 94), 104);
    EXPECT_EQ(le32(b, 98), 206);
    EXPECT_EQ(le32(b, 114), 104);
    EXPECT_EQ(le32(b, 118), 206);
    EXPECT_EQ(le32(b, 122), 0);
    EXPECT_EQ(le32(b, 126), 0);
}

TEST(LrxFile, NoApplicationStringMeansNoSpacesAndAnonymousKind) {
    TempDir dir;
    for (const char* app : {static_cast<const char*>(nullptr), ""}) {
        const std::string path = dir.path("plain.dat");
        FilePtr file = createFile(path, app, nullptr);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->lrxBase, 65);
        EXPECT_EQ(file->appBase, 113);
        EXPECT_EQ(file->versionCreateApp, 0);
        file.reset();
        const Bytes b = readBytes(path);
        ASSERT_EQ(b.size(), 113u);
        EXPECT_EQ(le32(b, 4), 0x03030303);
        EXPECT_EQ(b[64], 0x1A);
    }
}

TEST(LrxFile, ReopenedFileReportsItsHeader) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    createFile(path).reset();
    LrxFile* file = nullptr;
    int32_t tag = 0;
    ASSERT_EQ(lrxFileOpenRead(path.c_str(), &file, dataKind, &tag), 0);
    EXPECT_EQ(tag, kDataKindTag);
    EXPECT_EQ(lrxGetLRXbase(file), 82);
    EXPECT_EQ(lrxGetAppBase(file), 130);
    EXPECT_EQ(lrxTell(file), 130);
    EXPECT_EQ(lrxGetVersionCreate(file), 104);
    EXPECT_EQ(lrxGetVersionEdit(file), 104);
    EXPECT_EQ(lrxGetVersionCreateApp(file), 206);
    EXPECT_EQ(lrxGetVersionEditApp(file), 206);
    EXPECT_EQ(lrxGetVersionCurrent(), 104);
    EXPECT_EQ(file->readOnly, 1);
    EXPECT_EQ(std::string(lrxGetFilename(file)), path);
    EXPECT_EQ(std::string(lrxGetFileCreationDate(file)).size(), 10u);
    EXPECT_EQ(lrxFileClose(&file), 0);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(lrxFileClose(&file), 0);
}

TEST(LrxFile, DateAndTimeTextsAreZeroPaddedAndKept) {
    TempDir dir;
    FilePtr file = createFile(dir.path("a.dat"));
    file->created = LrxDateTime{2007, 3, 5, 9, 4, 3};
    file->edited = LrxDateTime{1999, 12, 31, 23, 59, 58};
    EXPECT_STREQ(lrxGetFileCreationDate(file.get()), "2007-03-05");
    EXPECT_STREQ(lrxGetFileCreationTime(file.get()), "09:04:03");
    EXPECT_STREQ(lrxGetFileEditDate(file.get()), "1999-12-31");
    EXPECT_STREQ(lrxGetFileEditTime(file.get()), "23:59:58");
    const char* first = lrxGetFileCreationDate(file.get());
    EXPECT_EQ(lrxGetFileCreationDate(file.get()), first);
}

TEST(LrxFile, ReadsBigEndianFileInHostOrder) {
    TempDir dir;
    const std::string path = dir.path("big.dat");
    Bytes data;
    data.push_back(6);  // integer*2 record of 3 values
    putBig(data, 3, 4);
    for (int v : {1, -2, 300})
        putBig(data, static_cast<uint16_t>(v), 2);
    data.push_back(1);  // float record of 1 value
    putBig(data, 1, 4);
    float f = 1.5f;
    uint32_t fbits;
    std::memcpy(&fbits, &f, 4);
    putBig(data, fbits, 4);
    data.push_back(3);  // byte record, never swapped
    putBig(data, 2, 4);
    data.push_back(0xAB);
    data.push_back(0xCD);
    data.push_back(0xFE);  // block head 0x1234
    putBig(data, 0x1234, 2);
    writeBytes(path, bigEndianFile(data));

    LrxFile* file = nullptr;
    int32_t tag = 0;
    ASSERT_EQ(lrxFileOpenRead(path.c_str(), &file, dataKind, &tag), 0);
    FilePtr owner(file);
    EXPECT_EQ(file->swapBytes, 1);
    EXPECT_EQ(tag, kDataKindTag);
    EXPECT_EQ(lrxGetVersionEdit(file), 103);
    EXPECT_EQ(lrxGetVersionEditApp(file), 205);
    EXPECT_STREQ(lrxGetFileCreationDate(file), "2007-03-05");
    EXPECT_STREQ(lrxGetFileCreationTime(file), "09:04:03");

    int16_t shorts[3] = {};
    EXPECT_EQ(lrxRecordRead(file, LRX_INT2, 3, shorts), 3);
    EXPECT_EQ(shorts[0], 1);
    EXPECT_EQ(shorts[1], -2);
    EXPECT_EQ(shorts[2], 300);
    float value = 0;
    EXPECT_EQ(lrxRecordRead(file, LRX_FLOAT, 1, &value), 1);
    EXPECT_EQ(value, 1.5f);
    unsigned char bytes[2] = {};
    EXPECT_EQ(lrxRecordRead(file, LRX_BYTE, 2, bytes), 2);
    EXPECT_EQ(bytes[0], 0xAB);
    EXPECT_EQ(bytes[1], 0xCD);
    int32_t id = 0;
    EXPECT_EQ(lrxQuery(file, &id), LRX_BLOCK);
    EXPECT_EQ(id, 0x1234);
}

TEST(LrxFile, WritingToBigEndianFileKeepsItsOrderAndTheCallersBuffer) {
    TempDir dir;
    const std::string path = dir.path("big.dat");
    const Bytes original = bigEndianFile({});
    writeBytes(path, original);
    LrxFile* file = nullptr;
    int32_t tag = 0;
    ASSERT_EQ(lrxFileOpenEdit(path.c_str(), &file, dataKind, &tag), 0);
    lrxSeek64(file, 0, 2);
    const int32_t values[2] = {0x01020304, -1};
    EXPECT_EQ(lrxRecordWrite(file, LRX_INT4, 2, values), 0);
    EXPECT_EQ(values[0], 0x01020304);
    EXPECT_EQ(values[1], -1);
    lrxFileClose(&file);

    const Bytes b = readBytes(path);
    const Bytes tail(b.end() - 13, b.end());
    const Bytes expected = {4, 0, 0, 0, 2, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(tail, expected);
    // The edit stamp went in big-endian too.
    EXPECT_EQ(b[65 + 32], 0);
    EXPECT_EQ(b[65 + 35], 104);
}

TEST(LrxFile, OpenFailuresGiveTheirCodesAndNoHandle) {
    TempDir dir;
    createFile(dir.path("valid.dat")).reset();
    const Bytes valid = readBytes(dir.path("valid.dat"));
    writeBytes(dir.path("short.dat"), {'O', 'L', 'B'});
    writeBytes(dir.path("magic.dat"), {'O', 'L', 'X', '_', 0, 0, 0, 0});
    writeBytes(dir.path("notext.dat"), Bytes(valid.begin(), valid.begin() + 70));
    writeBytes(dir.path("nobinary.dat"), Bytes(valid.begin(), valid.begin() + 100));
    struct Case {
        std::string name;
        LrxKindCallback kind;
        int code;
    } cases[] = {
        {"missing.dat", dataKind, F_ERR_OPEN},
        {"short.dat", dataKind, F_ERR_READ},
        {"magic.dat", dataKind, F_ERR_MAGIC},
        {"valid.dat", otherKind, F_ERR_VERSION},
        {"notext.dat", dataKind, LRX_END_OF_FILE},
        {"nobinary.dat", dataKind, LRX_END_OF_FILE},
        {"", dataKind, F_ERR_OPEN},
    };
    for (const Case& c : cases) {
        LrxFile* file = reinterpret_cast<LrxFile*>(&cases);
        int32_t tag = -5;
        EXPECT_EQ(lrxFileOpenRead(dir.path(c.name).c_str(), &file, c.kind, &tag), c.code) << c.name;
        EXPECT_EQ(file, nullptr) << c.name;
    }
    LrxFile* file = nullptr;
    int32_t tag = 0;
    EXPECT_EQ(lrxFileOpenRead(dir.path("valid.dat").c_str(), &file, anyKind, &tag), 0);
    EXPECT_EQ(tag, kDataKindTag);
    lrxFileClose(&file);
    EXPECT_EQ(lrxFileOpenCreate(dir.path("no/such/folder/x.dat").c_str(), nullptr, &file, nullptr), F_ERR_OPEN);
    EXPECT_EQ(file, nullptr);
}

TEST(LrxFile, RecordStreamHandlerSeesRaisedCodes) {
    static int seen = 0;
    static std::string module;
    lrxSetErrorHandler(F_ERR_MAGIC, [](int code, const char* from, int) {
        seen = code;
        module = from;
    });
    TempDir dir;
    writeBytes(dir.path("magic.dat"), {'X', 'X', 'X', 'X'});
    LrxFile* file = nullptr;
    int32_t tag = 0;
    lrxFileOpenRead(dir.path("magic.dat").c_str(), &file, dataKind, &tag);
    lrxSetErrorHandler(F_ERR_MAGIC, nullptr);
    EXPECT_EQ(seen, F_ERR_MAGIC);
    EXPECT_EQ(module, "lrx");
    EXPECT_EQ(lrxRaiseError(2020, "x", 1), 2020);
}

TEST(LrxFile, OpenForUpdateChangesOnlyTheEditStamp) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        const float values[3] = {1, 2, 3};
        lrxRecordWrite(file.get(), LRX_FLOAT, 3, values);
    }
    Bytes before = readBytes(path);
    before[82 + 32] = 99;  // an older library's version, to see it replaced
    writeBytes(path, before);

    LrxFile* file = nullptr;
    int32_t tag = 0;
    ASSERT_EQ(lrxFileOpenEdit(path.c_str(), &file, dataKind, &tag), 0);
    EXPECT_EQ(lrxGetVersionEdit(file), 99);  // the handle reports the previous edit
    EXPECT_EQ(lrxTell(file), 130);
    lrxFileClose(&file);

    const Bytes after = readBytes(path);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i >= 102 && i < 122) continue;
        EXPECT_EQ(after[i], before[i]) << "byte " << i;
    }
    EXPECT_EQ(le32(after, 114), 104);
    EXPECT_EQ(le32(after, 118), 206);
}

TEST(LrxFile, WriteOnReadOnlyFileRecords2015AndWritesNothing) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    createFile(path).reset();
    FilePtr file = openRead(path);
    const float value = 1;
    EXPECT_EQ(lrxRecordWrite(file.get(), LRX_FLOAT, 1, &value), F_ERR_READONLY);
    EXPECT_EQ(lrxGetError(file.get()), F_ERR_READONLY);
    EXPECT_EQ(lrxPeekError(file.get()), 0);
    file.reset();
    EXPECT_EQ(readBytes(path).size(), 130u);
}

TEST(LrxFile, PendingSkipIsAppliedByTheNextTransfer) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        const int32_t values[4] = {10, 20, 30, 40};
        lrxWrite(file.get(), values, 4, 4);
    }
    FilePtr file = openRead(path);
    lrxPseudoSkip(file.get(), 4);
    lrxPseudoSkip(file.get(), 4);
    EXPECT_EQ(lrxTell(file.get()), 130);  // not applied by the 32-bit tell
    int32_t value = 0;
    EXPECT_EQ(lrxRead(file.get(), &value, 4, 1), 1);
    EXPECT_EQ(value, 30);
    lrxPseudoSkip(file.get(), -8);
    EXPECT_EQ(lrxTell64(file.get()), 134);
    // An absolute seek replaces a skip still pending.
    lrxPseudoSkip(file.get(), 8);
    lrxSeek(file.get(), 130, 0);
    EXPECT_EQ(lrxRead(file.get(), &value, 4, 1), 1);
    EXPECT_EQ(value, 10);
}

TEST(LrxFile, SeekToAppBaseAndTell64ClearEndOfFile) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        const int16_t value = 7;
        lrxRecordWrite(file.get(), LRX_INT2, 1, &value);
    }
    FilePtr file = openRead(path);
    int16_t value = 0;
    lrxSkip(file.get());
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT2, 1, &value), 0);
    EXPECT_EQ(lrxPeekError(file.get()), LRX_END_OF_FILE);
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT2, 1, &value), 0);
    // lrxTell64 settles the position with a seek even with no skip pending, and so ends the state.
    EXPECT_EQ(lrxTell64(file.get()), lrxGetAppBase(file.get()) + 7);
    EXPECT_EQ(lrxPeekError(file.get()), 0);
    lrxSkip(file.get());
    lrxSkip(file.get());
    EXPECT_EQ(lrxPeekError(file.get()), LRX_END_OF_FILE);
    lrxSeekAppBase(file.get());
    EXPECT_EQ(lrxPeekError(file.get()), 0);
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT2, 1, &value), 1);
    EXPECT_EQ(value, 7);
}

TEST(LrxFile, OffsetsBeyondFourGibibytesStayWhole) {
    TempDir dir;
    const std::string path = dir.path("sparse.dat");
    const int64_t far = (int64_t{5} << 30) + 3;
    {
        FilePtr file = createFile(path);
        lrxSeek64(file.get(), far, 0);
        const double value = 2.25;
        ASSERT_EQ(lrxRecordWrite(file.get(), LRX_DOUBLE, 1, &value), 0);
    }
    FilePtr file = openRead(path);
    lrxSeek64(file.get(), far, 0);
    EXPECT_EQ(lrxTell64(file.get()), far);
    EXPECT_EQ(lrxTell(file.get()), -1);
    double value = 0;
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_DOUBLE, 1, &value), 1);
    EXPECT_EQ(value, 2.25);
}

TEST(LrxFile, NativeHandleNeverCarriesTheLegacyTag) {
    TempDir dir;
    FilePtr file = createFile(dir.path("a.dat"));
    uint32_t first = 0;
    std::memcpy(&first, file.get(), sizeof first);
    EXPECT_NE(first, 7531u);
    EXPECT_EQ(first, LRX_HANDLE_TAG);
}

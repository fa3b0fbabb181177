// Typed records: their bytes on disk, querying and skipping, and reads that fail.
#include <gtest/gtest.h>

#include <cstring>

#include "support/osfaults.h"
#include "support/recordfiles.h"

using namespace lrxtest;

namespace {

// A data-kind file whose application data is `data`, opened for reading.
FilePtr fileWithData(const TempDir& dir, const Bytes& data) {
    const std::string path = dir.path("data.dat");
    createFile(path).reset();
    Bytes all = readBytes(path);
    all.insert(all.end(), data.begin(), data.end());
    writeBytes(path, all);
    return openRead(path);
}

}  // namespace

TEST(LrxRecord, FloatRecordOfThreeValuesTakes17Bytes) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        const float values[3] = {1.0f, -2.0f, 0.5f};
        EXPECT_EQ(lrxRecordWrite(file.get(), LRX_FLOAT, 3, values), 0);
    }
    const Bytes data = appData(path, 130);
    const Bytes expected = {0x01, 3, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0, 0, 0, 0, 0x3F};
    EXPECT_EQ(data, expected);

    FilePtr file = openRead(path);
    int32_t count = 0;
    EXPECT_EQ(lrxQuery(file.get(), &count), LRX_FLOAT);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(lrxTell64(file.get()), 130);
    EXPECT_EQ(lrxSkip(file.get()), LRX_FLOAT);
    EXPECT_EQ(lrxTell64(file.get()), 147);
}

TEST(LrxRecord, InvalidTypeOrEmptyRecordWritesNothing) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        const double value = 1;
        for (int type : {0, 8, -1, -2})
            EXPECT_EQ(lrxRecordWrite(file.get(), type, 1, &value), 0);
        EXPECT_EQ(lrxRecordWrite(file.get(), LRX_DOUBLE, 0, &value), 0);
        EXPECT_EQ(lrxRecordWrite(file.get(), LRX_DOUBLE, -4, &value), 0);
    }
    EXPECT_TRUE(appData(path, 130).empty());
}

TEST(LrxRecord, SimpleTypeTable) {
    const struct {
        int type;
        const char* name;
        int size;
        int valid;
    } table[] = {
        {-3, "unknown", 0, 0},   {-2, "block", 0, 1},    {-1, "terminator", 0, 1}, {0, "unknown", 0, 1},
        {1, "float", 4, 1},      {2, "double", 8, 1},    {3, "byte", 1, 1},        {4, "integer*4", 4, 1},
        {5, "unsigned*4", 4, 1}, {6, "integer*2", 2, 1}, {7, "unsigned*2", 2, 1},  {8, "unknown", 0, 0},
    };
    for (const auto& row : table) {
        EXPECT_STREQ(lrxSimpName(row.type), row.name) << row.type;
        EXPECT_EQ(lrxSimpSize(row.type), row.size) << row.type;
        EXPECT_EQ(lrxSimpValid(row.type), row.valid) << row.type;
    }
}

TEST(LrxRecord, ReadIntoCallersBufferChecksTypeAndCapacity) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    int32_t values[10];
    for (int i = 0; i < 10; ++i)
        values[i] = i * 11;
    {
        FilePtr file = createFile(path);
        lrxRecordWrite(file.get(), LRX_INT4, 10, values);
        lrxRecordWrite(file.get(), LRX_FLOAT, 1, values);
    }
    FilePtr file = openRead(path);
    int32_t buffer[10] = {};
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT4, 9, buffer), 0);
    EXPECT_EQ(lrxGetError(file.get()), F_ERR_SIZE);
    lrxSeekAppBase(file.get());
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT4, 10, buffer), 10);
    EXPECT_EQ(std::memcmp(buffer, values, sizeof values), 0);
    double d = 0;
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_DOUBLE, 1, &d), 0);
    EXPECT_EQ(lrxGetError(file.get()), F_ERR_TYPE);
    EXPECT_EQ(lrxTell64(file.get()), 130 + 45 + 5) << "the head stays consumed";
}

TEST(LrxRecord, HeadOfUnknownTypeOrNoValuesIsAnError) {
    TempDir dir;
    for (const Bytes& head : {Bytes{0x7F, 1, 0, 0, 0}, Bytes{LRX_FLOAT, 0, 0, 0, 0}}) {
        Bytes data = head;
        data.insert(data.end(), {0, 0, 0x80, 0x3F});
        FilePtr file = fileWithData(dir, data);
        float value = -3.0f;
        EXPECT_EQ(lrxRecordRead(file.get(), LRX_FLOAT, 1, &value), 0);
        EXPECT_EQ(lrxGetError(file.get()), F_ERR_TYPE);
        EXPECT_EQ(value, -3.0f);
    }
}

TEST(LrxRecord, BlockHeadOrTerminatorWhereARecordIsExpectedStaysUnread) {
    TempDir dir;
    FilePtr file = fileWithData(dir, {0xFE, 5, 0, 0xFF});
    float value = 0;
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_FLOAT, 1, &value), 0);
    EXPECT_EQ(lrxGetError(file.get()), F_ERR_SKIP);
    EXPECT_EQ(lrxTell64(file.get()), 130);
    int32_t id = 0;
    EXPECT_EQ(lrxQuery(file.get(), &id), LRX_BLOCK);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(lrxSkip(file.get()), LRX_BLOCK);
    EXPECT_EQ(lrxTell64(file.get()), 133);

    int32_t type = 0;
    int32_t count = 0;
    EXPECT_EQ(lrxLrecReadAlloc(file.get(), &type, &count), nullptr);
    EXPECT_EQ(type, LRX_TERMINATOR);
    EXPECT_EQ(lrxTell64(file.get()), 133) << "a terminator outside a block stays unread";
    EXPECT_EQ(lrxPeekError(file.get()), 0);
}

TEST(LrxRecord, ReadAllocReturnsOwnedValues) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    const uint16_t values[3] = {1, 65535, 42};
    {
        FilePtr file = createFile(path);
        lrxRecordWrite(file.get(), LRX_UINT2, 3, values);
    }
    FilePtr file = openRead(path);
    int32_t type = 0;
    int32_t count = 0;
    void* buffer = lrxLrecReadAlloc(file.get(), &type, &count);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(type, LRX_UINT2);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(std::memcmp(buffer, values, sizeof values), 0);
    lrxLrecFree(&buffer);
    EXPECT_EQ(buffer, nullptr);
    lrxLrecFree(&buffer);
}

TEST(LrxRecord, RecordClaimingMoreThanTheFileHoldsIsTheEndOfFile) {
    TempDir dir;
    Bytes data = {2};
    putLittle(data, 0x7FFFFFFF, 4);  // two billion doubles, eight bytes present
    putLittle(data, 0, 8);
    FilePtr file = fileWithData(dir, data);
    int32_t type = 0;
    int32_t count = 0;
    EXPECT_EQ(lrxLrecReadAlloc(file.get(), &type, &count), nullptr);
    EXPECT_EQ(count, 0x7FFFFFFF);
    EXPECT_EQ(lrxPeekError(file.get()), LRX_END_OF_FILE);
}

// A read past the end teaches the handle nothing about the file's size: a record that then
// claims more than the file holds is still the end of the file, and nothing is allocated for it.
TEST(LrxRecord, ReadPastTheEndLeavesRecordsClaimingTooMuchAtTheEndOfFile) {
    TempDir dir;
    Bytes data = {2};
    putLittle(data, 0x08000000, 4);  // a gigabyte of doubles, eight bytes present
    putLittle(data, 0, 8);
    FilePtr file = fileWithData(dir, data);
    const int64_t start = lrxTell64(file.get());
    double value = 0;
    lrxSeek64(file.get(), int64_t{1} << 31, 1);
    EXPECT_EQ(lrxRead(file.get(), &value, 8, 1), 0);
    lrxSeek64(file.get(), start, 0);
    faults().failAllocation = 1;
    EXPECT_EQ(lrxLrecReadAlloc(file.get(), nullptr, nullptr), nullptr);
    EXPECT_EQ(faults().failAllocation, 1) << "memory was asked for";
    faults().failAllocation = 0;
    EXPECT_EQ(lrxPeekError(file.get()), LRX_END_OF_FILE);
}

TEST(LrxRecord, SkipAlwaysMovesForward) {
    TempDir dir;
    Bytes data;
    data.push_back(1);  // a float record with a negative count
    putLittle(data, static_cast<uint32_t>(-3), 4);
    data.push_back(9);  // an unknown record type
    putLittle(data, 1000, 4);
    data.push_back(0);     // a zero type byte
    data.push_back(0xF0);  // a type below -2
    FilePtr file = fileWithData(dir, data);
    EXPECT_EQ(lrxSkip(file.get()), 1);
    EXPECT_EQ(lrxTell64(file.get()), 135);
    EXPECT_EQ(lrxSkip(file.get()), 9);
    EXPECT_EQ(lrxTell64(file.get()), 140);
    EXPECT_EQ(lrxSkip(file.get()), 0);
    EXPECT_EQ(lrxTell64(file.get()), 141);
    EXPECT_EQ(lrxSkip(file.get()), -16);
    EXPECT_EQ(lrxSkip(file.get()), 0);
    EXPECT_EQ(lrxPeekError(file.get()), LRX_END_OF_FILE);
}

TEST(LrxRecord, BigAndLittleEndianFilesReadTheSameNumbers) {
    TempDir dir;
    const std::string little = dir.path("little.dat");
    const int16_t values[4] = {-32768, -1, 0, 32767};
    {
        FilePtr file = createFile(little);
        lrxRecordWrite(file.get(), LRX_INT2, 4, values);
    }
    // The same file in the other byte order, turned by hand.
    Bytes big = readBytes(little);
    std::reverse(big.begin(), big.begin() + 4);
    std::reverse(big.begin() + 4, big.begin() + 8);
    for (std::size_t at = 82; at < 130; at += at < 94 || (at >= 102 && at < 114) ? 2 : 4) {
        const std::size_t size = at < 94 || (at >= 102 && at < 114) ? 2 : 4;
        std::reverse(big.begin() + static_cast<long>(at), big.begin() + static_cast<long>(at + size));
    }
    std::reverse(big.begin() + 131, big.begin() + 135);
    for (std::size_t at = 135; at < big.size(); at += 2)
        std::reverse(big.begin() + static_cast<long>(at), big.begin() + static_cast<long>(at + 2));
    const std::string bigPath = dir.path("big.dat");
    writeBytes(bigPath, big);

    for (const std::string& path : {little, bigPath}) {
        FilePtr file = openRead(path, dataKind);
        ASSERT_NE(file, nullptr) << path;
        int16_t read[4] = {};
        EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT2, 4, read), 4);
        EXPECT_EQ(std::memcmp(read, values, sizeof values), 0) << path;
        EXPECT_EQ(lrxGetVersionCreateApp(file.get()), 206);
    }
}

// Logical blocks: bytes on disk, chains in memory, reading, skipping and cut-off blocks.
#include <gtest/gtest.h>

#include <cstring>

#include "support/osfaults.h"
#include "support/recordfiles.h"

using namespace lrxtest;

namespace {

void writeBlock(LrxFile* file, uint16_t id, int type, int count, const void* values) {
    LrxLrec* chain = lrxLrecCreate(type, count, values, 1, nullptr);
    lrxBlockWrite(id, file, chain);
    lrxLrecChainFree(&chain);
}

}  // namespace

TEST(LrxBlock, BlockOfTwoDoublesIs25Bytes) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    const double values[2] = {1.0, -2.5};
    {
        FilePtr file = createFile(path);
        writeBlock(file.get(), 5, LRX_DOUBLE, 2, values);
    }
    Bytes expected(25, 0xFF);
    const unsigned char head[8] = {0xFE, 5, 0, 2, 2, 0, 0, 0};
    std::memcpy(expected.data(), head, 8);
    std::memcpy(expected.data() + 8, values, 16);
    EXPECT_EQ(appData(path, 130), expected);

    FilePtr file = openRead(path);
    int records = -1;
    LrxLrec* chain = nullptr;
    EXPECT_EQ(lrxBlockRead(file.get(), &records, &chain), 5);
    EXPECT_EQ(lrxPeekError(file.get()), 0);
    EXPECT_EQ(records, 1);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->type, LRX_DOUBLE);
    EXPECT_EQ(chain->count, 2);
    EXPECT_EQ(chain->ownsData, 1);
    EXPECT_EQ(chain->next, nullptr);
    EXPECT_EQ(std::memcmp(chain->data, values, 16), 0);
    void* taken = lrxLrecTakeData(chain);
    EXPECT_EQ(chain->data, nullptr);
    lrxLrecChainFree(&chain);
    EXPECT_EQ(chain, nullptr);
    std::free(taken);
    EXPECT_EQ(lrxTell64(file.get()), 155);
}

TEST(LrxBlock, ChainKeepsRecordOrderAndCopiesValues) {
    int32_t ints[2] = {1, 2};
    LrxLrec* chain = lrxLrecCreate(LRX_INT4, 2, ints, 1, nullptr);
    ASSERT_NE(chain, nullptr);
    EXPECT_NE(lrxLrecCreate(LRX_BYTE, 3, nullptr, 1, chain), nullptr);
    EXPECT_NE(lrxLrecCreate(LRX_INT4, 1, ints, 0, chain), nullptr);
    EXPECT_EQ(lrxLrecCreate(LRX_INT4, 0, ints, 1, chain), nullptr);
    EXPECT_EQ(lrxLrecCreate(8, 1, ints, 1, chain), nullptr);
    ints[0] = 99;
    EXPECT_EQ(static_cast<int32_t*>(chain->data)[0], 1);
    const LrxLrec* second = chain->next;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->type, LRX_BYTE);
    EXPECT_EQ(std::memcmp(second->data, "\0\0\0", 3), 0);
    ASSERT_NE(second->next, nullptr);
    EXPECT_EQ(second->next->data, ints) << "copy 0 borrows the caller's values";
    EXPECT_EQ(second->next->ownsData, 0);
    EXPECT_EQ(second->next->next, nullptr);
    lrxLrecChainFree(&chain);
}

TEST(LrxBlock, EmptyBlockIsFourBytesAndSkipsExactly) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        EXPECT_EQ(lrxBlockWrite(300, file.get(), nullptr), 0);
        const float values[2] = {1, 2};
        writeBlock(file.get(), 7, LRX_FLOAT, 2, values);
        lrxRecordWrite(file.get(), LRX_FLOAT, 2, values);
    }
    EXPECT_EQ(appData(path, 130),
              (Bytes{0xFE, 0x2C, 0x01, 0xFF, 0xFE, 7, 0, 1, 2, 0, 0, 0,    0,    0, 0x80, 0x3F, 0,
                     0,    0,    0x40, 0xFF, 1,    2, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0,    0,    0x40}));
    FilePtr file = openRead(path);
    EXPECT_EQ(lrxBlockSkip(file.get()), 0);
    EXPECT_EQ(lrxTell64(file.get()), 134);
    EXPECT_EQ(lrxBlockSkip(file.get()), 0);
    EXPECT_EQ(lrxTell64(file.get()), 151);
    EXPECT_EQ(lrxBlockSkip(file.get()), F_ERR_BLOCK);
    EXPECT_EQ(lrxTell64(file.get()), 151) << "a record is not a block: nothing moves";
}

TEST(LrxBlock, ReadingWhereNoBlockBeginsRecords2019AndLeavesTheElement) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    {
        FilePtr file = createFile(path);
        const float value = 1;
        lrxRecordWrite(file.get(), LRX_FLOAT, 1, &value);
    }
    FilePtr file = openRead(path);
    LrxLrec* chain = nullptr;
    int records = 0;
    lrxBlockRead(file.get(), &records, &chain);
    EXPECT_EQ(chain, nullptr);
    EXPECT_EQ(lrxGetError(file.get()), F_ERR_SKIP);
    EXPECT_EQ(lrxTell64(file.get()), 130);
}

TEST(LrxBlock, CutOffBlockKeepsTheRecordsReadSoFar) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    const int16_t values[2] = {3, 4};
    {
        FilePtr file = createFile(path);
        writeBlock(file.get(), 9, LRX_INT2, 2, values);
    }
    Bytes all = readBytes(path);
    all.pop_back();  // drop the terminator
    writeBytes(path, all);
    FilePtr file = openRead(path);
    LrxLrec* chain = nullptr;
    int records = 0;
    lrxBlockRead(file.get(), &records, &chain);
    EXPECT_EQ(lrxPeekError(file.get()), F_ERR_SKIP);
    EXPECT_EQ(file->inBlock, 0);
    EXPECT_EQ(records, 1);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(std::memcmp(chain->data, values, 4), 0);
    lrxLrecChainFree(&chain);
}

TEST(LrxBlock, SecondBlockHeadInsideABlockEndsItWith2019) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    createFile(path).reset();
    Bytes all = readBytes(path);
    const Bytes data = {0xFE, 1, 0, 3, 1, 0, 0, 0, 42, 0xFE, 2, 0, 0xFF};
    all.insert(all.end(), data.begin(), data.end());
    writeBytes(path, all);
    FilePtr file = openRead(path);
    LrxLrec* chain = nullptr;
    int records = 0;
    lrxBlockRead(file.get(), &records, &chain);
    EXPECT_EQ(records, 1);
    EXPECT_EQ(lrxPeekError(file.get()), F_ERR_SKIP);
    lrxLrecChainFree(&chain);
}

// Whichever allocation of the read fails, the block ends with 2000 and the chain holds exactly
// the records counted; a record is never dropped from the middle unnoticed.
TEST(LrxBlock, AllocationThatFailsEndsTheBlockWith2000) {
    TempDir dir;
    const std::string path = dir.path("a.dat");
    const int32_t values[3] = {1, 2, 3};
    {
        FilePtr file = createFile(path);
        LrxLrec* chain = lrxLrecCreate(LRX_INT4, 1, &values[0], 1, nullptr);
        lrxLrecCreate(LRX_INT4, 1, &values[1], 1, chain);
        lrxLrecCreate(LRX_INT4, 1, &values[2], 1, chain);
        lrxBlockWrite(7, file.get(), chain);
        lrxLrecChainFree(&chain);
    }
    for (int64_t k = 1;; ++k) {
        FilePtr file = openRead(path);
        LrxLrec* chain = nullptr;
        int records = 0;
        faults().failAllocation = k;
        lrxBlockRead(file.get(), &records, &chain);
        const bool fired = faults().failAllocation == 0;
        faults().failAllocation = 0;
        int kept = 0;
        for (LrxLrec* node = chain; node != nullptr; node = node->next)
            EXPECT_EQ(*static_cast<int32_t*>(node->data), values[kept++]) << "allocation " << k;
        lrxLrecChainFree(&chain);
        EXPECT_EQ(kept, records);
        if (!fired) {
            EXPECT_EQ(records, 3);
            break;
        }
        EXPECT_EQ(lrxPeekError(file.get()), F_ERR_MEMORY) << "allocation " << k;
        EXPECT_LT(records, 3);
    }
}

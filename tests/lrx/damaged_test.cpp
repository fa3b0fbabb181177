// Damaged and truncated record files: every read ends in an error code or the end-of-file
// state, without crash, hang or unbounded allocation.
#include <gtest/gtest.h>

#include <random>

#include "support/elementwalk.h"
#include "support/recordfiles.h"

using namespace lrxtest;

namespace {

Bytes smallValidFile(const TempDir& dir) {
    const std::string path = dir.path("valid.dat");
    FilePtr file = createFile(path);
    const double doubles[2] = {1.5, -2};
    const int32_t ints[3] = {1, 2, 3};
    LrxLrec* chain = lrxLrecCreate(LRX_DOUBLE, 2, doubles, 1, nullptr);
    lrxLrecCreate(LRX_INT4, 3, ints, 1, chain);
    lrxBlockWrite(10000, file.get(), chain);
    lrxLrecChainFree(&chain);
    lrxRecordWrite(file.get(), LRX_BYTE, 4, "abcd");
    lrxBlockWrite(40000, file.get(), nullptr);
    file.reset();
    return readBytes(path);
}

void expectReadsEndCleanly(const std::string& path, const std::string& what) {
    LrxFile* file = nullptr;
    int32_t tag = 0;
    const int opened = lrxFileOpenRead(path.c_str(), &file, anyKind, &tag);
    if (opened != 0) {
        EXPECT_EQ(file, nullptr) << what;
        return;
    }
    EXPECT_LT(lrxtest::walkAllElements(file, 10000), 10000) << what;
    lrxFileClose(&file);
}

}  // namespace

TEST(LrxDamaged, TruncationAtEveryByteEndsCleanly) {
    TempDir dir;
    const Bytes valid = smallValidFile(dir);
    const std::string path = dir.path("cut.dat");
    for (std::size_t size = 0; size <= valid.size(); ++size) {
        writeBytes(path, Bytes(valid.begin(), valid.begin() + static_cast<long>(size)));
        expectReadsEndCleanly(path, "cut at " + std::to_string(size));
    }
}

TEST(LrxDamaged, TruncatedFileOpensWithTheRightCode) {
    TempDir dir;
    const Bytes valid = smallValidFile(dir);
    const std::string path = dir.path("cut.dat");
    for (std::size_t size = 0; size < 130; ++size) {
        writeBytes(path, Bytes(valid.begin(), valid.begin() + static_cast<long>(size)));
        LrxFile* file = nullptr;
        int32_t tag = 0;
        const int expected = size < 4 ? F_ERR_READ : LRX_END_OF_FILE;
        EXPECT_EQ(lrxFileOpenRead(path.c_str(), &file, anyKind, &tag), expected) << size;
        EXPECT_EQ(file, nullptr);
    }
}

TEST(LrxDamaged, CorruptedBytesNeverCrashOrHang) {
    TempDir dir;
    const Bytes valid = smallValidFile(dir);
    const std::string path = dir.path("bad.dat");
    std::mt19937 random(7531);
    for (std::size_t at = 4; at < valid.size(); ++at) {
        for (const int value : {0x00, 0x7F, 0x80, 0xFE, 0xFF, static_cast<int>(random() & 0xFF)}) {
            Bytes bad = valid;
            bad[at] = static_cast<unsigned char>(value);
            writeBytes(path, bad);
            expectReadsEndCleanly(path, "byte " + std::to_string(at) + " = " + std::to_string(value));
        }
    }
}

// The handle's buffer: positions within it move no descriptor, writes it still holds are written
// before anything else can see the file, and a write that fails later is never lost.
#include <gtest/gtest.h>

#include <vector>

#include "src/lrx/lrxfile.h"
#include "src/os/osfile.h"
#include "support/osfaults.h"
#include "support/recordfiles.h"

using namespace lrxtest;

namespace {

// Arms the os layer to fail the next operation of the given kind while it lives.
class FailNext {
public:
    explicit FailNext(lrx::os::Operation kind) {
        lrxtest::faults().failKinds = static_cast<unsigned>(kind);
        lrxtest::faults().failOperation = 1;
    }
    ~FailNext() {
        lrxtest::faults().failOperation = 0;
        lrxtest::faults().failKinds = lrxtest::kAllOperations;
    }
};

std::string writeInts(const TempDir& dir, int records) {
    const std::string path = dir.path("ints.dat");
    FilePtr file = createFile(path);
    for (int32_t i = 0; i < records; ++i)
        lrxRecordWrite(file.get(), LRX_INT4, 1, &i);
    return path;
}

}  // namespace

TEST(LrxBuffer, PositionsWithinTheBytesReadAheadMoveNoDescriptor) {
    TempDir dir;
    FilePtr file = openRead(writeInts(dir, 100));
    int32_t value = -1;
    ASSERT_EQ(lrxRecordRead(file.get(), LRX_INT4, 1, &value), 1);
    const uint64_t before = lrxtest::counters().operations;
    lrxSeekAppBase(file.get());
    lrxPseudoSkip(file.get(), 9 * 50);
    EXPECT_EQ(lrxTell64(file.get()), lrxGetAppBase(file.get()) + 9 * 50);
    EXPECT_EQ(lrxTell(file.get()), lrxGetAppBase(file.get()) + 9 * 50);
    EXPECT_EQ(lrxRemainingBytes(file.get()), 9 * 50);
    ASSERT_EQ(lrxRecordRead(file.get(), LRX_INT4, 1, &value), 1);
    EXPECT_EQ(value, 50);
    EXPECT_EQ(lrxtest::counters().operations, before);
    // The end of the file is met exactly where it lies.
    lrxPseudoSkip(file.get(), 9 * 49);
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_INT4, 1, &value), 0);
    EXPECT_EQ(lrxPeekError(file.get()), LRX_END_OF_FILE);
}

// Reads and writes take turns on a file opened for update, as the header rewrite does.
TEST(LrxBuffer, ReadsSeeWhatTheSameHandleWroteAndOtherHandlesSeeItAfterAFlush) {
    TempDir dir;
    const std::string path = writeInts(dir, 100);
    LrxFile* file = nullptr;
    int32_t tag = 0;
    ASSERT_EQ(lrxFileOpenEdit(path.c_str(), &file, dataKind, &tag), 0);
    int32_t value = 0;
    lrxRecordRead(file, LRX_INT4, 1, &value);
    const int32_t replaced = 1000;
    lrxRecordWrite(file, LRX_INT4, 1, &replaced);
    lrxSeekAppBase(file);
    lrxSkip(file);
    ASSERT_EQ(lrxRecordRead(file, LRX_INT4, 1, &value), 1);
    EXPECT_EQ(value, replaced);

    lrxSeek64(file, 0, 2);
    const int32_t appended = 2000;
    lrxRecordWrite(file, LRX_INT4, 1, &appended);
    ASSERT_EQ(lrxFlush(file), 0);
    const Bytes bytes = readBytes(path);
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(lrxGetAppBase(file) + 9 * 101));
    EXPECT_EQ(bytes[bytes.size() - 4], 2000 & 0xFF);
    EXPECT_EQ(lrxFileClose(&file), 0);
}

// Bytes that wait in the buffer when the disk fails: the call that writes them out reports the
// code the write would have had, and the close says so even after the error was taken.
TEST(LrxBuffer, WriteThatFailsLaterIsReportedByTheCallThatFlushes) {
    TempDir dir;
    for (int flushedBy = 0; flushedBy < 3; ++flushedBy) {
        FilePtr file = createFile(dir.path("late.dat"));
        const int32_t value = 7;
        lrxRecordWrite(file.get(), LRX_INT4, 1, &value);
        ASSERT_EQ(lrxPeekError(file.get()), 0);
        {
            FailNext diskFull(lrx::os::Operation::Write);
            if (flushedBy == 0) lrxSeekAppBase(file.get());
            if (flushedBy == 1) {
                EXPECT_EQ(lrxCommit(file.get()), F_ERR_WRITE);
            }
            if (flushedBy == 2) {
                LrxFile* handle = file.release();
                EXPECT_EQ(lrxFileClose(&handle), F_ERR_WRITE);
                continue;
            }
        }
        EXPECT_EQ(lrxGetError(file.get()), F_ERR_WRITE);
        EXPECT_EQ(lrxFlush(file.get()), F_ERR_WRITE);
        LrxFile* handle = file.release();
        EXPECT_EQ(lrxFileClose(&handle), F_ERR_WRITE);
    }
}

TEST(LrxBuffer, LargeTransfersAndSwappedWritesReadBackWhole) {
    TempDir dir;
    const std::string path = dir.path("large.dat");
    std::vector<double> values(3 * LRX_BUFFER_BYTES / 8 + 5);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<double>(i) * 0.5;
    {
        FilePtr file = createFile(path);
        lrxRecordWrite(file.get(), LRX_DOUBLE, 3, values.data());
        lrxRecordWrite(file.get(), LRX_DOUBLE, static_cast<int>(values.size()), values.data());
        lrxRecordWrite(file.get(), LRX_DOUBLE, 3, values.data());
    }
    FilePtr file = openRead(path);
    std::vector<double> back(values.size());
    lrxSkip(file.get());
    ASSERT_EQ(lrxRecordRead(file.get(), LRX_DOUBLE, static_cast<unsigned>(back.size()), back.data()),
              static_cast<int>(back.size()));
    EXPECT_EQ(back, values);
    EXPECT_EQ(lrxRecordRead(file.get(), LRX_DOUBLE, 3, back.data()), 3);
    EXPECT_EQ(back[2], 1.0);
}

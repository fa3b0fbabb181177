// The logical-block layer of the data-file API: blocks on disk and in memory, its error
// reports through the data-file handler table, and its trace lines under DebugFileIO.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lrx/trace.h"
#include "src/gbx/common/fileio.h"
#include "src/gbx/common/gbxerror.h"
#include "src/lrx/lrxrecord.h"
#include "support/reports.h"
#include "support/tempfiles.h"

namespace {

using lrxtest::Bytes;

using lrxtest::Report;
std::vector<Report>& reports = lrxtest::reportLog();

const double kTwoDoubles[2] = {1.5, -2.25};

// 0xFE, id 5, then a record of two doubles (type 2, count 2), then 0xFF.
Bytes blockOfTwoDoubles() {
    Bytes bytes{0xFE, 0x05, 0x00, 0x02, 0x02, 0x00, 0x00, 0x00};
    unsigned char values[sizeof kTwoDoubles];
    std::memcpy(values, kTwoDoubles, sizeof values);
    bytes.insert(bytes.end(), values, values + sizeof values);
    bytes.push_back(0xFF);
    return bytes;
}

void writeBlock(LrxFile* file, uint16_t id, int type, int count, const void* values) {
    LrxLrec* chain = FCreateLogicalBlock(type, count, values);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(lrxBlockWrite(id, file, chain), 0);
    FFreeLogicalBlock(chain);
}

std::string pointerText(const void* pointer) {
    char text[64];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

class FileIoTest : public testing::Test {
protected:
    lrxtest::ReportedCodes reported_{F_ERR_USAGE, F_ERR_OPEN, F_ERR_DATA, F_ERR_BLOCK, F_ERR_SKIP, F_ERR_READ};

    void TearDown() override { DebugFileIO(0); }

    // A data file holding the block of two doubles with id 5, then a float record of three
    // values outside any block, then an empty block with id 7.
    std::string writeSampleFile() {
        const std::string path = dir_.path("sample.gbx");
        LrxFile* file = FOpenFileCreate(path.c_str());
        EXPECT_NE(file, nullptr);
        if (file == nullptr) return path;
        EXPECT_EQ(file->positionState, 1);
        appBase_ = lrxGetAppBase(file);
        writeBlock(file, 5, LRX_DOUBLE, 2, kTwoDoubles);
        const float floats[3] = {1, 2, 3};
        EXPECT_EQ(lrxRecordWrite(file, LRX_FLOAT, 3, floats), 0);
        const unsigned char emptyBlock[4] = {0xFE, 7, 0, 0xFF};
        lrxWrite(file, emptyBlock, 1, 4);
        EXPECT_EQ(FCloseFile(&file), 0);
        EXPECT_EQ(file, nullptr);
        return path;
    }

    LrxFile* openForReading(const std::string& path) {
        int error = -1;
        LrxFile* file = FOpenFileRead(path.c_str(), &error);
        EXPECT_EQ(error, 0);
        if (file != nullptr) {
            EXPECT_EQ(file->positionState, 1);
        }
        return file;
    }

    lrxtest::TempDir dir_;
    int64_t appBase_ = 0;
};

TEST_F(FileIoTest, BlockOfTwoDoublesIsTwentyFiveBytesOnDisk) {
    const Bytes bytes = lrxtest::readBytes(writeSampleFile());
    const Bytes expected = blockOfTwoDoubles();
    ASSERT_EQ(expected.size(), 25u);
    ASSERT_GE(bytes.size(), size_t(appBase_) + 25);
    EXPECT_EQ(Bytes(bytes.begin() + appBase_, bytes.begin() + appBase_ + 25), expected);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FileIoTest, QueryNamesTheNextBlockWithoutMoving) {
    LrxFile* file = openForReading(writeSampleFile());
    ASSERT_NE(file, nullptr);
    const struct {
        int64_t offset;
        int id;
    } cases[] = {{appBase_, 5}, {appBase_ + 25, 0}, {appBase_ + 42, 7}};
    for (const auto& c : cases) {
        lrxSeek64(file, c.offset, 0);
        EXPECT_EQ(FQueryLogicalBlock(file), c.id) << c.offset;
        EXPECT_EQ(lrxTell64(file), c.offset);
    }
    EXPECT_EQ(lrxPeekError(file), 0);
    EXPECT_EQ(FCloseFile(&file), 0);
}

TEST_F(FileIoTest, ReadGivesOneOwningNodePerRecord) {
    LrxFile* file = openForReading(writeSampleFile());
    ASSERT_NE(file, nullptr);
    LrxLrec* chain = FReadLogicalBlock(file);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->type, LRX_DOUBLE);
    EXPECT_EQ(chain->count, 2);
    EXPECT_EQ(chain->ownsData, 1);
    EXPECT_EQ(std::memcmp(chain->data, kTwoDoubles, sizeof kTwoDoubles), 0);
    EXPECT_EQ(chain->next, nullptr);
    EXPECT_EQ(lrxTell64(file), appBase_ + 25);
    EXPECT_EQ(FFreeLogicalBlock(chain), 0);
    EXPECT_EQ(lrxPeekError(file), 0);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(FCloseFile(&file), 0);
}

TEST_F(FileIoTest, SkipStepsPastTerminatorAndRefusesARecord) {
    LrxFile* file = openForReading(writeSampleFile());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FSkipLogicalBlock(file), 0);
    EXPECT_EQ(lrxTell64(file), appBase_ + 25);

    EXPECT_EQ(FSkipLogicalBlock(file), F_ERR_BLOCK);
    EXPECT_EQ(lrxPeekError(file), F_ERR_BLOCK);  // stays recorded for the caller
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, F_ERR_BLOCK);
    EXPECT_EQ(reports[0].file, file);
    EXPECT_EQ(reports[0].module, "fileio");
    EXPECT_EQ(lrxGetError(file), F_ERR_BLOCK);
    EXPECT_EQ(lrxTell64(file), appBase_ + 25);

    lrxSeek64(file, appBase_ + 42, 0);
    EXPECT_EQ(FSkipLogicalBlock(file), 0);
    EXPECT_EQ(lrxTell64(file), appBase_ + 46);
    EXPECT_EQ(FCloseFile(&file), 0);
}

TEST_F(FileIoTest, BlockCutAfterItsFirstRecordReadsWith2019AndOneNode) {
    const std::string path = writeSampleFile();
    ASSERT_EQ(truncate(path.c_str(), appBase_ + 24), 0);  // the terminator is gone
    LrxFile* file = openForReading(path);
    ASSERT_NE(file, nullptr);
    LrxLrec* chain = FReadLogicalBlock(file);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->count, 2);
    EXPECT_EQ(chain->next, nullptr);
    EXPECT_EQ(lrxPeekError(file), F_ERR_SKIP);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, F_ERR_SKIP);
    EXPECT_EQ(reports[0].file, file);
    FFreeLogicalBlock(chain);
    EXPECT_EQ(FCloseFile(&file), 0);
}

TEST_F(FileIoTest, NodesThatCannotBeMadeReport2010) {
    const int32_t value = 9;
    LrxLrec* chain = FCreateLogicalBlock(LRX_INT4, 1, &value);
    ASSERT_NE(chain, nullptr);
    const struct { int type, count; } invalid[] = {{LRX_INT4, 0}, {0, 1}, {8, 1}, {LRX_BLOCK, 1}};
    for (const auto& c : invalid) {
        reports.clear();
        EXPECT_EQ(FAppendToLogicalBlock(c.type, c.count, &value, chain), F_ERR_DATA);
        EXPECT_EQ(chain->next, nullptr);
        EXPECT_EQ(FCreateLogicalBlock(c.type, c.count, &value), nullptr);
        ASSERT_EQ(reports.size(), 2u);
        for (const Report& report : reports) {
            EXPECT_EQ(report.code, F_ERR_DATA);
            EXPECT_EQ(report.module, "fileio");
            EXPECT_EQ(report.header, nullptr);
            EXPECT_EQ(report.file, nullptr);
            EXPECT_EQ(report.object, nullptr);
        }
    }
    FFreeLogicalBlock(chain);
}

TEST_F(FileIoTest, AppendToNoChainIsRefusedRatherThanLost) {
    const float value = 1;
    EXPECT_EQ(FAppendToLogicalBlock(LRX_FLOAT, 1, &value, nullptr), F_ERR_USAGE);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, F_ERR_USAGE);
}

TEST_F(FileIoTest, NodesCopyTheirValuesAndNullDataGivesZeros) {
    int16_t values[3] = {1, 2, 3};
    LrxLrec* chain = FCreateLogicalBlock(LRX_INT2, 3, values);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(FAppendToLogicalBlock(LRX_INT4, 3, nullptr, chain), 0);
    values[0] = 99;  // the caller's buffer may be reused at once
    EXPECT_EQ(static_cast<int16_t*>(chain->data)[0], 1);
    ASSERT_NE(chain->next, nullptr);
    EXPECT_EQ(chain->next->ownsData, 1);
    const int32_t zeros[3] = {};
    EXPECT_EQ(std::memcmp(chain->next->data, zeros, sizeof zeros), 0);
    FFreeLogicalBlock(chain);
}

TEST_F(FileIoTest, OpenFailuresReport2003WithModuleFileio) {
    const std::string missing = dir_.path("no-such-dir/none.gbx");
    int error = -1;
    EXPECT_EQ(FOpenFileRead(missing.c_str(), &error), nullptr);
    EXPECT_EQ(error, F_ERR_OPEN);
    error = -1;
    EXPECT_EQ(FOpenFileEdit(missing.c_str(), &error), nullptr);
    EXPECT_EQ(error, F_ERR_OPEN);
    EXPECT_EQ(FOpenFileCreate(missing.c_str()), nullptr);
    ASSERT_EQ(reports.size(), 3u);
    for (const Report& report : reports) {
        EXPECT_EQ(report.code, F_ERR_OPEN);
        EXPECT_EQ(report.module, "fileio");
        EXPECT_EQ(report.header, nullptr);
        EXPECT_EQ(report.file, nullptr);
        EXPECT_EQ(report.object, nullptr);
    }
}

TEST_F(FileIoTest, TraceLinesUnderDebugFileIO) {
    const std::string path = writeSampleFile();
    const std::string missing = dir_.path("none.gbx");
    DebugFileIO(1);
    testing::internal::CaptureStdout();
    LrxFile* file = FOpenFileRead(path.c_str(), nullptr);
    const std::string fullName = file != nullptr ? lrxGetFilename(file) : "";
    const std::string handle = pointerText(file);
    const int id = FQueryLogicalBlock(file);
    LrxLrec* chain = FReadLogicalBlock(file);
    const std::string chainText = pointerText(chain);
    FFreeLogicalBlock(chain);
    FSkipLogicalBlock(file);  // a record stands there: 2016
    FCloseFile(&file);
    FOpenFileRead(missing.c_str(), nullptr);
    LrxLrec* node = FCreateLogicalBlock(LRX_DOUBLE, 2, kTwoDoubles);
    const std::string nodeText = pointerText(node);
    FAppendToLogicalBlock(LRX_FLOAT, 0, kTwoDoubles, node);
    FFreeLogicalBlock(node);
    DebugFileIO(0);
    FQueryLogicalBlock(nullptr);  // untraced
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_EQ(id, 5);
    const std::string null = pointerText(nullptr);
    EXPECT_EQ(output, "->{FOpenFileRead <" + path +
                          ">\n"
                          "<-}FOpenFileRead " +
                          handle +
                          " [0]\n"
                          "->{FQueryLogicalBlock\n"
                          "<-}FQueryLogicalBlock 5 &d\n"
                          "->{FReadLogicalBlock\n"
                          "<-}FReadLogicalBlock [0] " +
                          chainText +
                          "\n"
                          "->{FFreeLogicalBlock\n"
                          "<-}FFreeLogicalBlock [0]\n"
                          "->{FSkipLogicalBlock\n"
                          "<-}FSkipLogicalBlock [2016]\n"
                          "->{FCloseFile Fp->filname=<" +
                          fullName +
                          ">\n"
                          "<-}FCloseFile " +
                          null +
                          " [0]\n"
                          "->{FOpenFileRead <" +
                          missing +
                          ">\n"
                          "<-}FOpenFileRead " +
                          null +
                          " [2003]\n"
                          "->{FCreateLogicalBlock 2 2\n"
                          "<-}FCreateLogicalBlock " +
                          nodeText +
                          "\n"
                          "->{FAppendToLogicalBlock 1 0\n"
                          "<-}FAppendToLogicalBlock [2010] " +
                          null +
                          "\n"
                          "->{FFreeLogicalBlock\n"
                          "<-}FFreeLogicalBlock [0]\n");
}

}  // namespace

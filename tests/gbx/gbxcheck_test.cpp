// Handle validation of the data-file layer: the codes and handler arguments of failing checks,
// the type and size checks of block records, and the checked record and block operations on
// real files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lrx/trace.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxrecordio.h"
#include "src/gbx/common/gbxvaluesize.h"
#include "support/headerfiles.h"
#include "support/recordfiles.h"
#include "support/reports.h"

namespace {

using lrxtest::FilePtr;

using lrxtest::Report;
std::vector<Report>& reports = lrxtest::reportLog();

using gbxtest::HeaderPtr;

HeaderPtr headerWithItems(int items) {
    GbxHeader* header = nullptr;
    EXPECT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "", "", 1, items, 1, &header), 0);
    return HeaderPtr(header);
}

struct ChainFreer {
    void operator()(LrxLrec* chain) const { lrxLrecChainFree(&chain); }
};
using ChainPtr = std::unique_ptr<LrxLrec, ChainFreer>;

const float kThreeFloats[3] = {1.5f, -2.0f, 4.25f};
const int32_t kTwoInts[2] = {7, -9};

class GbxCheckTest : public testing::Test {
protected:
    lrxtest::ReportedCodes reported_;

    void TearDown() override { gbxDebugOn(0); }

    // Expects exactly one report of code with the given handles from module "test", line 42.
    static void expectOneReport(int code, GbxHeader* header = nullptr, GbxFile* file = nullptr) {
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].code, code);
        EXPECT_EQ(reports[0].header, header);
        EXPECT_EQ(reports[0].file, file);
        EXPECT_EQ(reports[0].object, nullptr);
        EXPECT_EQ(reports[0].module, "test");
        EXPECT_EQ(reports[0].line, 42);
        reports.clear();
    }

    // A data file holding: a float record of three values, block 10003 with two integers,
    // block 10004 with one float record, then nothing more.
    std::string writeSampleFile() {
        const std::string path = dir_.path("sample.gbx");
        FilePtr file = lrxtest::createFile(path);
        EXPECT_NE(file, nullptr);
        if (file == nullptr) return path;
        EXPECT_EQ(gbxCheckWriteLR(LRX_FLOAT, 3, kThreeFloats, file.get(), "test", 42), 0);
        ChainPtr ints(lrxLrecCreate(LRX_INT4, 2, kTwoInts, 1, nullptr));
        EXPECT_EQ(gbxCheckWriteLB(10003, ints.get(), file.get(), "test", 42), 0);
        ChainPtr floats(lrxLrecCreate(LRX_FLOAT, 3, kThreeFloats, 1, nullptr));
        EXPECT_EQ(gbxCheckWriteLB(10004, floats.get(), file.get(), "test", 42), 0);
        return path;
    }

    FilePtr openSample() { return lrxtest::openRead(writeSampleFile(), lrxtest::dataKind); }

    lrxtest::TempDir dir_;
};

TEST_F(GbxCheckTest, NullHandlesFailWith1000AndThreeNullHandles) {
    GbxItem item{};
    GbxCustomBlock block{};
    LrxFile file{};
    HeaderPtr header = headerWithItems(1);
    const struct {
        const char* name;
        int (*check)(void* handle);
        void* valid;
    } checks[] = {
        {"header", [](void* h) { return gbxCheckHeader(static_cast<GbxHeader*>(h), "test", 42); }, header.get()},
        {"block", [](void* h) { return gbxCheckCustomBlock(static_cast<GbxCustomBlock*>(h), "test", 42); }, &block},
        {"file", [](void* h) { return gbxCheckFile(static_cast<GbxFile*>(h), "test", 42); }, &file},
        {"vector", [](void* h) { return gbxCheckVector(static_cast<GbxVector*>(h), "test", 42); }, &item},
        {"item", [](void* h) { return gbxCheckItem(static_cast<GbxItem*>(h), "test", 42); }, &item},
    };
    for (const auto& c : checks) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.check(c.valid), 0);
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(c.check(nullptr), F_ERR_USAGE);
        expectOneReport(F_ERR_USAGE);
    }
}

TEST_F(GbxCheckTest, PairChecksFailOnEitherNullHandleWithOneReport) {
    HeaderPtr header = headerWithItems(1);
    GbxItem vector{};
    LrxFile file{};
    const struct {
        GbxHeader* header;
        GbxVector* vector;
        GbxFile* file;
        int code;
    } cases[] = {{header.get(), &vector, &file, 0},
                 {nullptr, nullptr, &file, F_ERR_USAGE},
                 {nullptr, nullptr, nullptr, F_ERR_USAGE},
                 {header.get(), &vector, nullptr, F_ERR_USAGE}};
    for (const auto& c : cases) {
        EXPECT_EQ(gbxCheckHeaderFile(c.header, c.file, "test", 42), c.code);
        EXPECT_EQ(gbxCheckVectorFile(c.vector, c.file, "test", 42), c.code);
        EXPECT_EQ(reports.size(), c.code != 0 ? 2u : 0u);
        reports.clear();
    }
}

TEST_F(GbxCheckTest, ItemNumberOutsideOneToItemCountPassesTheHeader) {
    HeaderPtr header = headerWithItems(3);
    for (int itemNo : {1, 2, 3})
        EXPECT_EQ(gbxCheckHeaderItemNo(header.get(), itemNo, "test", 42), 0);
    EXPECT_TRUE(reports.empty());
    for (int itemNo : {0, 4, -1}) {
        EXPECT_EQ(gbxCheckHeaderItemNo(header.get(), itemNo, "test", 42), F_ERR_ITEM_NO) << itemNo;
        expectOneReport(F_ERR_ITEM_NO, header.get());
    }
    EXPECT_EQ(gbxCheckHeaderItemNo(nullptr, 1, "test", 42), F_ERR_USAGE);
    expectOneReport(F_ERR_USAGE);
}

TEST_F(GbxCheckTest, TypeSizeChecksPresenceTypeAndNonZeroCount) {
    ChainPtr record(lrxLrecCreate(LRX_INT4, 2, kTwoInts, 1, nullptr));
    const struct {
        LrxLrec* record;
        int type;
        int count;
        int code;
    } cases[] = {
        {record.get(), LRX_INT4, 2, 0},           {record.get(), LRX_INT4, 0, 0},  // count 0 checks the type only
        {record.get(), LRX_UINT4, 0, F_ERR_TYPE}, {record.get(), LRX_FLOAT, 2, F_ERR_TYPE},
        {record.get(), LRX_INT4, 3, F_ERR_SIZE},  {record.get(), LRX_INT4, 1, F_ERR_SIZE},
        {nullptr, LRX_INT4, 2, F_ERR_READ},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " x " << c.count);
        EXPECT_EQ(gbxCheckTypeSize(c.record, c.type, c.count, "test", 42), c.code);
        if (c.code != 0)
            expectOneReport(c.code);
        else
            EXPECT_TRUE(reports.empty());
    }
}

TEST_F(GbxCheckTest, ReadTypeSizeHandsOutTheBlockEvenWhenItsRecordIsWrong) {
    FilePtr file = openSample();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(gbxCheckSkipLR(file.get(), "test", 42), 0);

    LrxLrec* block = nullptr;
    EXPECT_EQ(gbxCheckReadTypeSize(file.get(), LRX_INT4, 2, &block, "test", 42), 0);
    ChainPtr ints(block);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(static_cast<int32_t*>(block->data)[1], -9);

    EXPECT_EQ(gbxCheckReadTypeSize(file.get(), LRX_DOUBLE, 3, &block, "test", 42), F_ERR_TYPE);
    ChainPtr floats(block);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->type, LRX_FLOAT);
    expectOneReport(F_ERR_TYPE);

    block = floats.get();
    EXPECT_EQ(gbxCheckReadTypeSize(nullptr, LRX_FLOAT, 3, &block, "test", 42), F_ERR_USAGE);
    EXPECT_EQ(block, nullptr);
    expectOneReport(F_ERR_USAGE);
}

TEST_F(GbxCheckTest, RecordsAndBlocksWrittenThroughChecksReadBack) {
    FilePtr file = openSample();
    ASSERT_NE(file, nullptr);
    const int64_t start = lrxTell64(file.get());

    float floats[3] = {};
    EXPECT_EQ(gbxCheckReadLR(LRX_FLOAT, 3, floats, file.get(), "test", 42), 0);
    EXPECT_EQ(floats[2], 4.25f);
    EXPECT_EQ(lrxTell64(file.get()), start + 17);

    uint16_t id = 0;
    LrxLrec* records = nullptr;
    EXPECT_EQ(gbxCheckReadLB(&id, &records, file.get(), "test", 42), 0);
    ChainPtr chain(records);
    EXPECT_EQ(id, 10003);
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->count, 2);
    EXPECT_EQ(records->next, nullptr);
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxCheckTest, ReadFailuresReportTheRecordedErrorWithTheFile) {
    const struct {
        int type;
        int capacity;
        int code;
    } cases[] = {{LRX_DOUBLE, 3, F_ERR_TYPE}, {LRX_FLOAT, 2, F_ERR_SIZE}};
    for (const auto& c : cases) {
        FilePtr file = openSample();
        ASSERT_NE(file, nullptr);
        double buffer[3] = {};
        EXPECT_EQ(gbxCheckReadLR(c.type, c.capacity, buffer, file.get(), "test", 42), c.code);
        expectOneReport(c.code, nullptr, file.get());
        EXPECT_EQ(lrxPeekError(file.get()), c.code);  // taken without clearing
    }
}

TEST_F(GbxCheckTest, NullBuffersAndNegativeCapacityAreRefusedBeforeTransfer) {
    FilePtr file = openSample();
    ASSERT_NE(file, nullptr);
    const int64_t start = lrxTell64(file.get());
    float floats[3] = {};
    EXPECT_EQ(gbxCheckReadLR(LRX_FLOAT, -1, floats, file.get(), "test", 42), F_ERR_DATA);
    expectOneReport(F_ERR_DATA, nullptr, file.get());
    EXPECT_EQ(gbxCheckReadLR(LRX_FLOAT, 3, nullptr, file.get(), "test", 42), F_ERR_DATA);
    expectOneReport(F_ERR_DATA, nullptr, file.get());
    EXPECT_EQ(lrxTell64(file.get()), start);
    EXPECT_EQ(lrxPeekError(file.get()), 0);

    FilePtr created = lrxtest::createFile(dir_.path("null.gbx"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(gbxCheckWriteLR(LRX_FLOAT, 3, nullptr, created.get(), "test", 42), F_ERR_DATA);
    expectOneReport(F_ERR_DATA, nullptr, created.get());
    EXPECT_EQ(lrxTell64(created.get()), lrxGetAppBase(created.get()));
}

TEST_F(GbxCheckTest, WriteOnReadOnlyFileReportsTheLayersCode) {
    FilePtr file = openSample();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(gbxCheckWriteLR(LRX_FLOAT, 3, kThreeFloats, file.get(), "test", 42), F_ERR_READONLY);
    expectOneReport(F_ERR_READONLY, nullptr, file.get());
}

TEST_F(GbxCheckTest, SkipPassesRecordsAndRefusesBlockHeads) {
    FilePtr file = openSample();
    ASSERT_NE(file, nullptr);
    const int64_t start = lrxTell64(file.get());
    EXPECT_EQ(gbxCheckSkipLR(file.get(), "test", 42), 0);
    EXPECT_EQ(lrxTell64(file.get()), start + 17);
    EXPECT_TRUE(reports.empty());
    // A block head stands next.
    EXPECT_EQ(gbxCheckSkipLR(file.get(), "test", 42), F_ERR_SKIP);
    expectOneReport(F_ERR_SKIP, nullptr, file.get());
    lrxSeek64(file.get(), 0, 2);
    EXPECT_EQ(gbxCheckSkipLR(file.get(), "test", 42), F_ERR_SKIP);
    expectOneReport(F_ERR_SKIP, nullptr, file.get());
}

TEST_F(GbxCheckTest, PseudoSkipAddsRecordHeadAndFourBytesPerValue) {
    LrxFile file{};
    EXPECT_EQ(gbxCheckPseudoSkipLR(3, &file, "test", 42), 0);
    EXPECT_EQ(file.pendingSkip, 17);
    file.errorCode = LRX_END_OF_FILE;  // cleared first, then added
    EXPECT_EQ(gbxCheckPseudoSkipLR(0, &file, "test", 42), 0);
    EXPECT_EQ(file.pendingSkip, 22);
    EXPECT_EQ(file.errorCode, 0);
    file.errorCode = F_ERR_READ;  // another error: nothing is added
    EXPECT_EQ(gbxCheckPseudoSkipLR(10, &file, "test", 42), 0);
    EXPECT_EQ(file.pendingSkip, 22);
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxCheckTest, ValueTypeSizeCoversTheFiveValueTypes) {
    const int expected[] = {0, 0, 4, 8, 1, 4, 4, 0, 0};  // types -1 to 7
    for (int type = -1; type <= 7; ++type)
        EXPECT_EQ(gbxValueTypeSize(type), expected[type + 1]) << type;
}

TEST_F(GbxCheckTest, ChecksTraceTheirNameAndResultNested) {
    HeaderPtr header = headerWithItems(1);
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxCheckHeaderItemNo(header.get(), 2, "test", 42);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(trace,
              "->{gbxCheckHeaderItemNo\n"
              "  ->{gbxCheckHeader\n"
              "  <-}gbxCheckHeader [0]\n"
              "<-}gbxCheckHeaderItemNo [2007]\n");
}

}  // namespace

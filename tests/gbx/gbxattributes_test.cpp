// Header attributes: defaults of a new header, setters and getters with their refusals and
// invalid-header values, geographic information, custom blocks, and their trace lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "lrx/trace.h"
#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/header/gbxheader.h"
#include "support/headerfiles.h"
#include "support/reports.h"

namespace {

using lrxtest::Report;
std::vector<Report>& reports = lrxtest::reportLog();

using gbxtest::HeaderPtr;

template <typename Bits, typename T>
Bits bitsOf(T value) {
    static_assert(sizeof(Bits) == sizeof(T));
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct BlockView {
    int type;
    std::string name;
    int count;
    void* data;
};

// Walks the header's custom blocks from the first; data is null when the block hands none out.
std::vector<BlockView> customBlocks(GbxHeader* header) {
    std::vector<BlockView> blocks;
    GbxCustomBlock* block = nullptr;
    EXPECT_EQ(gbxGetCustomBlockRef(header, &block), 0);
    while (block != nullptr) {
        BlockView view{-1, "", -1, nullptr};
        char* name = nullptr;
        EXPECT_EQ(gbxGetCustomBlock(block, &view.type, &name, &view.count, &view.data, &block), 0);
        view.name = name != nullptr ? name : "(null)";
        blocks.push_back(view);
    }
    return blocks;
}

class GbxAttributesTest : public testing::Test {
protected:
    lrxtest::ReportedCodes reported_;

    void SetUp() override {
        GbxHeader* header = nullptr;
        ASSERT_EQ(gbxHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "", "", 12, 2, 2, &header), 0);
        header_.reset(header);
    }
    void TearDown() override { gbxDebugOn(0); }

    // Expects exactly one report of code passing the header under test (or null).
    void expectOneReport(int code, bool withHeader = true) {
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].code, code);
        EXPECT_EQ(reports[0].header, withHeader ? header_.get() : nullptr);
        EXPECT_EQ(reports[0].file, nullptr);
        EXPECT_EQ(reports[0].object, nullptr);
        reports.clear();
    }

    GbxHeader* header() { return header_.get(); }

    HeaderPtr header_;
};

TEST_F(GbxAttributesTest, NewHeaderHasTheDefaultAttributes) {
    EXPECT_EQ(gbxGetFileType(header()), F_NEQTIME_FIXEDSPACE_ALLITEMS);
    EXPECT_EQ(gbxGetItemStatsType(header()), 2);
    EXPECT_STREQ(gbxGetFileTitle(header()), "");
    EXPECT_STREQ(gbxGetAppTitle(header()), "");
    EXPECT_EQ(gbxGetAppVersionNo(header()), 12);
    EXPECT_EQ(gbxGetDataType(header()), 0);
    EXPECT_EQ(bitsOf<uint32_t>(gbxGetDeleteValFloat(header())), 0x8554AD2Eu);
    EXPECT_EQ(gbxGetDeleteValFloat(header()), -1e-35f);
    EXPECT_EQ(bitsOf<uint64_t>(gbxGetDeleteValDouble(header())), 0x8AFE07B27DD78B14ull);
    EXPECT_EQ(gbxGetDeleteValDouble(header()), -1e-255);
    EXPECT_EQ(gbxGetDeleteValByte(header()), 0);
    EXPECT_EQ(gbxGetDeleteValInt(header()), 2147483647);
    EXPECT_EQ(gbxGetDeleteValUnsignedInt(header()), 2147483647u);
    EXPECT_EQ(gbxGetGeoInfoType(header()), 0);
    EXPECT_TRUE(customBlocks(header()).empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxAttributesTest, SettersStoreWhatGettersReturn) {
    EXPECT_EQ(gbxSetAppVersionNo(header(), 307), 0);
    EXPECT_EQ(gbxSetDataType(header(), 5), 0);
    EXPECT_EQ(gbxSetDeleteValFloat(header(), -7.5f), 0);
    EXPECT_EQ(gbxSetDeleteValDouble(header(), 1e300), 0);
    EXPECT_EQ(gbxSetDeleteValByte(header(), 'x'), 0);
    EXPECT_EQ(gbxSetDeleteValInt(header(), -3), 0);
    EXPECT_EQ(gbxSetDeleteValUnsignedInt(header(), 0xFFFFFFFFu), 0);
    EXPECT_EQ(gbxGetAppVersionNo(header()), 307);
    EXPECT_EQ(gbxGetDataType(header()), 5);
    EXPECT_EQ(gbxGetDeleteValFloat(header()), -7.5f);
    EXPECT_EQ(gbxGetDeleteValDouble(header()), 1e300);
    EXPECT_EQ(gbxGetDeleteValByte(header()), 'x');
    EXPECT_EQ(gbxGetDeleteValInt(header()), -3);
    EXPECT_EQ(gbxGetDeleteValUnsignedInt(header()), 0xFFFFFFFFu);
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxAttributesTest, TitlesAreCopiedAndReplaced) {
    char title[] = "first";
    EXPECT_EQ(gbxSetFileTitle(header(), title), 0);
    title[0] = 'F';
    EXPECT_STREQ(gbxGetFileTitle(header()), "first");
    EXPECT_EQ(gbxSetFileTitle(header(), "second, longer title"), 0);
    EXPECT_STREQ(gbxGetFileTitle(header()), "second, longer title");
    EXPECT_EQ(gbxSetAppTitle(header(), "app"), 0);
    EXPECT_EQ(gbxSetAppTitle(header(), ""), 0);
    EXPECT_STREQ(gbxGetAppTitle(header()), "");
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxAttributesTest, NullTextsAreRefusedAndChangeNothing) {
    ASSERT_EQ(gbxSetFileTitle(header(), "file"), 0);
    ASSERT_EQ(gbxSetAppTitle(header(), "app"), 0);
    ASSERT_EQ(gbxSetGeoInfoUTMProj(header(), "UTM-32", 1, 2, 3), 0);

    EXPECT_EQ(gbxSetFileTitle(header(), nullptr), F_ERR_DATA);
    expectOneReport(F_ERR_DATA);
    EXPECT_EQ(gbxSetAppTitle(header(), nullptr), F_ERR_DATA);
    expectOneReport(F_ERR_DATA);
    EXPECT_EQ(gbxSetGeoInfoUTMProj(header(), nullptr, 4, 5, 6), F_ERR_DATA);
    expectOneReport(F_ERR_DATA);
    EXPECT_EQ(gbxAddCustomBlock(header(), LRX_INT4, nullptr, 1, "abcd"), F_ERR_DATA);
    expectOneReport(F_ERR_DATA);

    EXPECT_STREQ(gbxGetFileTitle(header()), "file");
    EXPECT_STREQ(gbxGetAppTitle(header()), "app");
    char* projection = nullptr;
    double longitude = 0;
    EXPECT_EQ(gbxGetGeoInfoUTMProj(header(), &projection, &longitude, nullptr, nullptr), 0);
    EXPECT_STREQ(projection, "UTM-32");
    EXPECT_EQ(longitude, 1.0);
    EXPECT_TRUE(customBlocks(header()).empty());
}

TEST_F(GbxAttributesTest, NullHeaderGivesNeutralValuesAndUsageErrors) {
    EXPECT_EQ(gbxGetFileType(nullptr), 0);
    EXPECT_EQ(gbxGetItemStatsType(nullptr), 0);
    EXPECT_STREQ(gbxGetFileTitle(nullptr), "");
    EXPECT_STREQ(gbxGetAppTitle(nullptr), "");
    EXPECT_EQ(gbxGetAppVersionNo(nullptr), -1);
    EXPECT_EQ(gbxGetDataType(nullptr), 0);
    EXPECT_EQ(gbxGetDeleteValFloat(nullptr), 0.0f);
    EXPECT_EQ(gbxGetDeleteValDouble(nullptr), 0.0);
    EXPECT_EQ(gbxGetDeleteValByte(nullptr), 0);
    EXPECT_EQ(gbxGetDeleteValInt(nullptr), 0);
    EXPECT_EQ(gbxGetDeleteValUnsignedInt(nullptr), 0u);
    EXPECT_EQ(gbxGetGeoInfoType(nullptr), 0);
    const int codes[] = {
        gbxSetFileTitle(nullptr, "t"),
        gbxSetAppTitle(nullptr, "t"),
        gbxSetAppVersionNo(nullptr, 1),
        gbxSetDataType(nullptr, 1),
        gbxSetDeleteValFloat(nullptr, 1),
        gbxSetDeleteValDouble(nullptr, 1),
        gbxSetDeleteValByte(nullptr, 1),
        gbxSetDeleteValInt(nullptr, 1),
        gbxSetDeleteValUnsignedInt(nullptr, 1),
        gbxGetGeoInfoUTMProj(nullptr, nullptr, nullptr, nullptr, nullptr),
        gbxSetGeoInfoUTMProj(nullptr, "UTM", 1, 2, 3),
        gbxSetGeoInfoUndefined(nullptr),
        gbxAddCustomBlock(nullptr, LRX_BYTE, "b", 1, "x"),
        gbxGetCustomBlockRef(nullptr, nullptr),
        gbxGetCustomBlock(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
    };
    for (int code : codes)
        EXPECT_EQ(code, F_ERR_USAGE);
    // Every call reported once, with three null handles.
    EXPECT_EQ(reports.size(), 12u + std::size(codes));
    for (const Report& report : reports) {
        EXPECT_EQ(report.code, F_ERR_USAGE);
        EXPECT_EQ(report.header, nullptr);
    }
}

TEST_F(GbxAttributesTest, GeoInfoIsAUsageErrorUntilDefined) {
    EXPECT_EQ(gbxGetGeoInfoUTMProj(header(), nullptr, nullptr, nullptr, nullptr), F_ERR_USAGE);
    expectOneReport(F_ERR_USAGE);

    EXPECT_EQ(gbxSetGeoInfoUTMProj(header(), "UTM", 1.0, 2.0, 3.0), 0);
    EXPECT_EQ(gbxGetGeoInfoType(header()), 1);
    char* projection = nullptr;
    double values[3] = {};
    EXPECT_EQ(gbxGetGeoInfoUTMProj(header(), &projection, &values[0], &values[1], &values[2]), 0);
    EXPECT_STREQ(projection, "UTM");
    EXPECT_EQ(values[0], 1.0);
    EXPECT_EQ(values[1], 2.0);
    EXPECT_EQ(values[2], 3.0);
    EXPECT_TRUE(reports.empty());

    EXPECT_EQ(gbxSetGeoInfoUndefined(header()), 0);
    EXPECT_EQ(gbxGetGeoInfoType(header()), 0);
    EXPECT_EQ(header()->projection, nullptr);
    EXPECT_EQ(gbxGetGeoInfoUTMProj(header(), &projection, nullptr, nullptr, nullptr), F_ERR_USAGE);
    expectOneReport(F_ERR_USAGE);
}

TEST_F(GbxAttributesTest, UnknownGeoInfoTypeIsADataError) {
    header()->geoInfoType = 2;
    EXPECT_EQ(gbxGetGeoInfoUTMProj(header(), nullptr, nullptr, nullptr, nullptr), F_ERR_DATA);
    expectOneReport(F_ERR_DATA);
}

TEST_F(GbxAttributesTest, CustomBlocksAreWalkedInInsertionOrder) {
    const int32_t ints[2] = {5, -6};
    const double doubles[1] = {2.5};
    EXPECT_EQ(gbxAddCustomBlock(header(), LRX_INT4, "ints", 2, ints), 0);
    EXPECT_EQ(gbxAddCustomBlock(header(), LRX_DOUBLE, "doubles", 1, doubles), 0);
    EXPECT_EQ(gbxAddCustomBlock(header(), LRX_BYTE, "text", 3, "ab"), 0);
    const std::vector<BlockView> blocks = customBlocks(header());
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].name, "ints");
    EXPECT_EQ(blocks[0].type, LRX_INT4);
    EXPECT_EQ(blocks[0].count, 2);
    EXPECT_EQ(std::memcmp(blocks[0].data, ints, sizeof ints), 0);
    EXPECT_NE(blocks[0].data, static_cast<const void*>(ints));
    EXPECT_EQ(blocks[1].name, "doubles");
    EXPECT_EQ(static_cast<double*>(blocks[1].data)[0], 2.5);
    EXPECT_EQ(blocks[2].name, "text");
    EXPECT_STREQ(static_cast<char*>(blocks[2].data), "ab");
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxAttributesTest, CustomBlockValuesAreSizedByTheirSimpleType) {
    // type, bytes of three values; type 6 count 3 holds 6 bytes.
    const int bytesOfThree[8] = {0, 12, 24, 3, 12, 12, 6, 6};
    unsigned char source[24];
    for (int i = 0; i < 24; ++i)
        source[i] = static_cast<unsigned char>(i + 1);
    for (int type = LRX_FLOAT; type <= LRX_UINT2; ++type)
        EXPECT_EQ(gbxAddCustomBlock(header(), type, "values", 3, source), 0) << type;
    const std::vector<BlockView> blocks = customBlocks(header());
    ASSERT_EQ(blocks.size(), 7u);
    for (const BlockView& block : blocks) {
        SCOPED_TRACE(block.type);
        ASSERT_NE(block.data, nullptr);
        EXPECT_EQ(block.count, 3);
        // Reading exactly the type's bytes; under the address sanitizer a short buffer fails.
        EXPECT_EQ(std::memcmp(block.data, source, bytesOfThree[block.type]), 0);
    }
}

TEST_F(GbxAttributesTest, CustomBlockOfOtherTypeKeepsNoValues) {
    EXPECT_EQ(gbxAddCustomBlock(header(), 9, "nine", 4, "abcd"), 0);
    GbxCustomBlock* block = nullptr;
    ASSERT_EQ(gbxGetCustomBlockRef(header(), &block), 0);
    ASSERT_NE(block, nullptr);
    int type = 0;
    int count = 0;
    char sentinel = 0;
    void* data = &sentinel;
    GbxCustomBlock* next = block;
    EXPECT_EQ(gbxGetCustomBlock(block, &type, nullptr, &count, &data, &next), 0);
    EXPECT_EQ(type, 9);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(data, &sentinel);
    EXPECT_EQ(next, nullptr);
    EXPECT_EQ(block->data, nullptr);
}

TEST_F(GbxAttributesTest, CustomBlockWithNegativeCountIsRefused) {
    for (int type : {int{LRX_FLOAT}, int{LRX_UINT2}, 9}) {
        EXPECT_EQ(gbxAddCustomBlock(header(), type, "bad", -1, "abcd"), F_ERR_DATA) << type;
        expectOneReport(F_ERR_DATA);
    }
    EXPECT_TRUE(customBlocks(header()).empty());
}

TEST_F(GbxAttributesTest, CustomBlockWithoutDataHoldsZeros) {
    EXPECT_EQ(gbxAddCustomBlock(header(), LRX_INT2, "zeros", 2, nullptr), 0);
    const std::vector<BlockView> blocks = customBlocks(header());
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_NE(blocks[0].data, nullptr);
    EXPECT_EQ(static_cast<int16_t*>(blocks[0].data)[0], 0);
    EXPECT_EQ(static_cast<int16_t*>(blocks[0].data)[1], 0);
}

TEST_F(GbxAttributesTest, VersionIs206WithOneTraceLine) {
    EXPECT_EQ(gbxGetVersionCurrent(), 206);
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    const int version = gbxGetVersionCurrent();
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(version, 206);
    EXPECT_EQ(trace, "-><-gbxGetIOVersionNo\n");
}

// Custom-block calls open with a combined line and still end with an exit line of their own; the
// name stack is left as it was.
TEST_F(GbxAttributesTest, CustomBlockCallTracesCombinedEntryAndItsExit) {
    PutFunctionName("marker");
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxGetCustomBlockRef(header(), nullptr);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(std::string(GetFunctionName()), "marker");
    EXPECT_EQ(trace,
              "-><-gbxGetCustomBlockRef\n"
              "  ->{gbxCheckHeader\n"
              "  <-}gbxCheckHeader [0]\n"
              "<-}gbxGetCustomBlockRef [0]\n");
}

TEST_F(GbxAttributesTest, GetterTracesItsValueAndCode) {
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxGetDeleteValInt(header());
    gbxGetDeleteValInt(nullptr);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(trace,
              "->{gbxGetDeleteValInt\n"
              "  ->{gbxCheckHeader\n"
              "  <-}gbxCheckHeader [0]\n"
              "<-}gbxGetDeleteValInt 2147483647 [0]\n"
              "->{gbxGetDeleteValInt\n"
              "  ->{gbxCheckHeader\n"
              "  <-}gbxCheckHeader [1000]\n"
              "<-}gbxGetDeleteValInt 0 [1000]\n");
}

TEST_F(GbxAttributesTest, SetterTracesItsArgumentAndCode) {
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxSetDeleteValByte(header(), 'q');
    gbxSetFileTitle(header(), "Run 7");
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    const std::string byteLines =
        "->{gbxSetDeleteValByte <q>\n"
        "  ->{gbxCheckHeader\n"
        "  <-}gbxCheckHeader [0]\n"
        "<-}gbxSetDeleteValByte [0]\n";
    EXPECT_EQ(trace.substr(0, byteLines.size()), byteLines);
    const std::string titleLines = trace.substr(byteLines.size());
    EXPECT_EQ(titleLines.rfind("->{gbxSetFileTitle <Run 7>\n", 0), 0u) << titleLines;
    EXPECT_NE(titleLines.find("  ->{gbxCheckAlloc 6\n"), std::string::npos) << titleLines;
    const std::string exit = "<-}gbxSetFileTitle [0]\n";
    ASSERT_GE(titleLines.size(), exit.size());
    EXPECT_EQ(titleLines.substr(titleLines.size() - exit.size()), exit);
}

}  // namespace

// The data-file error-handler table: which codes reach a handler, with what, and how the
// registration calls fill and empty the table; the data-file kind callback.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lrx/gbx.h"
#include "src/gbx/common/gbxerror.h"
#include "support/reports.h"

namespace {

using lrxtest::recordReport;
using lrxtest::Report;
std::vector<Report>& reports = lrxtest::reportLog();

void LRX_CALL otherHandler(GbxHeader*, GbxFile*, void*, int32_t code, const char*, int32_t) {
    reports.push_back({nullptr, nullptr, nullptr, -code, "other", 0});
}

std::vector<int> slottedCodes() {
    std::vector<int> codes{F_ERR_USAGE};
    for (int code = F_ERR_MEMORY; code <= F_ERR_UNIT; ++code)
        codes.push_back(code);
    return codes;
}

void registerForAllCodes(GbxErrorHandler handler) {
    for (int code : slottedCodes())
        gbxAddErrorHandler(code, handler);
}

// Dispatches every code from 990 to 2030 and returns those that reached a handler.
std::vector<int> codesThatReachAHandler() {
    reports.clear();
    for (int code = 990; code <= 2030; ++code)
        EXPECT_EQ(gbxReportError(nullptr, nullptr, nullptr, code, "test", 1), code);
    std::vector<int> codes;
    for (const Report& report : reports)
        codes.push_back(report.code);
    return codes;
}

class GbxErrorTest : public testing::Test {
protected:
    void SetUp() override {
        gbxInitSystem();
        reports.clear();
    }
    void TearDown() override { gbxInitSystem(); }
};

TEST_F(GbxErrorTest, CodesWithoutSlotReturnUnchangedWithoutCall) {
    registerForAllCodes(recordReport);
    for (int code : {0, 1, -1, 999, 1001, 1002, 1500, 1999, 2021})
        EXPECT_EQ(gbxReportError(nullptr, nullptr, nullptr, code, "test", 1), code);
    EXPECT_TRUE(reports.empty());
}

TEST_F(GbxErrorTest, EachSlottedCodeReachesOnlyItsOwnHandler) {
    for (int code : slottedCodes()) {
        gbxInitSystem();
        gbxAddErrorHandler(code, recordReport);
        EXPECT_EQ(codesThatReachAHandler(), std::vector<int>{code}) << code;
    }
}

TEST_F(GbxErrorTest, HandlerReceivesAllSixArguments) {
    int header = 0, file = 0, object = 0;
    gbxAddErrorHandler(F_ERR_UNIT, recordReport);
    EXPECT_EQ(gbxReportError(reinterpret_cast<GbxHeader*>(&header), reinterpret_cast<GbxFile*>(&file), &object,
                             F_ERR_UNIT, "gbxitem", 4711),
              F_ERR_UNIT);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].header, reinterpret_cast<GbxHeader*>(&header));
    EXPECT_EQ(reports[0].file, reinterpret_cast<GbxFile*>(&file));
    EXPECT_EQ(reports[0].object, &object);
    EXPECT_EQ(reports[0].code, F_ERR_UNIT);
    EXPECT_EQ(reports[0].module, "gbxitem");
    EXPECT_EQ(reports[0].line, 4711);
}

TEST_F(GbxErrorTest, InitSystemAndCommonHandlerEmptyTheWholeTable) {
    registerForAllCodes(recordReport);
    gbxInitSystem();
    EXPECT_TRUE(codesThatReachAHandler().empty());

    registerForAllCodes(recordReport);
    gbxAddCommonErrorHandler(recordReport);  // stores nothing
    EXPECT_TRUE(codesThatReachAHandler().empty());
}

TEST_F(GbxErrorTest, RegistrationReplacesEmptiesOrIgnoresBadCodes) {
    gbxAddErrorHandler(F_ERR_OPEN, recordReport);
    for (int code : {0, 999, 1001, 1500, 1999, 2021})
        gbxAddErrorHandler(code, otherHandler);
    EXPECT_EQ(codesThatReachAHandler(), std::vector<int>{F_ERR_OPEN});

    gbxAddErrorHandler(F_ERR_OPEN, otherHandler);
    EXPECT_EQ(codesThatReachAHandler(), std::vector<int>{-F_ERR_OPEN});

    gbxAddErrorHandler(F_ERR_OPEN, nullptr);
    EXPECT_TRUE(codesThatReachAHandler().empty());
}

TEST_F(GbxErrorTest, KindCallbackGivesTagGbxAndVersion206) {
    int32_t version = 0;
    const int32_t tag = gbxKindCallback(&version);
    EXPECT_EQ(version, 206);
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(uint32_t(tag) >> (8 * i));
    EXPECT_EQ(std::memcmp(bytes, "GBX_", 4), 0);
    EXPECT_EQ(gbxKindCallback(nullptr), tag);
}

}  // namespace

// Names of simple types, file types and time-axis types, including the texts for unknown codes.
#include <gtest/gtest.h>

#include "lrx/gbx.h"

namespace {

TEST(GbxTypeNamesTest, SimpleTypeNamesAreTheRecordLayersNames) {
    for (int type = -3; type <= 8; ++type)
        EXPECT_STREQ(gbxSimpleTypeStr(type), lrxSimpName(type)) << type;
    EXPECT_STREQ(gbxSimpleTypeStr(LRX_INT2), "integer*2");
    EXPECT_STREQ(gbxSimpleTypeStr(8), "unknown");
}

TEST(GbxTypeNamesTest, FileTypeNamesCoverTheFlagsOnly) {
    const struct {
        int type;
        const char* name;
    } cases[] = {
        {0, "F_UNDEFINED_FILE_TYPE"},         {1, "F_EQTIME_FIXEDSPACE_ALLITEMS"},
        {2, "F_EQTIME_TVARSPACE_ALLITEMS"},   {4, "F_NEQTIME_FIXEDSPACE_ALLITEMS"},
        {8, "F_NEQTIME_FIXEDSPACE_VARITEMS"}, {16, "F_NEQTIME_TVARSPACE_VARITEMS"},
        {3, "*** FileType error ***"},        {-1, "*** FileType error ***"},
        {32, "*** FileType error ***"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(gbxFileTypeStr(c.type), c.name) << c.type;
}

TEST(GbxTypeNamesTest, TimeAxisTypeNamesCoverZeroToFour) {
    const char* names[] = {"F_UNDEFINED_TAXIS", "F_TM_EQ_AXIS", "F_TM_NEQ_AXIS", "F_CAL_EQ_AXIS", "F_CAL_NEQ_AXIS"};
    for (int type = 0; type <= 4; ++type)
        EXPECT_STREQ(gbxTimeAxisTypeStr(type), names[type]) << type;
    EXPECT_STREQ(gbxTimeAxisTypeStr(5), "*** TimeAxis error ***");
    EXPECT_STREQ(gbxTimeAxisTypeStr(-1), "*** TimeAxis error ***");
}

}  // namespace

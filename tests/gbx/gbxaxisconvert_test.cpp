// Axis coordinates in the caller's unit: single values and arrays in conversion modes 1 (user
// unit of the geometry type, the metre) and 2 (a unit of the caller's choice), the once-only
// conversion of stored arrays, and the delete values that conversion leaves alone.
#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "support/axisitems.h"

namespace {

using namespace gbxtest;

constexpr double kMetresPerFoot = 0.3048;

TEST(GbxAxisConversion, EqAxisInFeetIsStoredInMetres) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisUnitConversion(item, 2, kFoot), 0);
    ASSERT_EQ(gbxSetItemAxisEqD2(item, kMetre, 3, 3, 10.0f, -20.0f, 2.5f, 5.0f), 0);
    EXPECT_FLOAT_EQ(item->axis.origins[0], 3.048f);
    EXPECT_FLOAT_EQ(item->axis.origins[1], -6.096f);
    EXPECT_FLOAT_EQ(item->axis.spacings[0], 0.762f);
    EXPECT_FLOAT_EQ(item->axis.spacings[1], 1.524f);

    float x0 = 0, y0 = 0, dx = 0, dy = 0;
    ASSERT_EQ(gbxGetItemAxisEqD2(item, nullptr, nullptr, nullptr, nullptr, &x0, &y0, &dx, &dy), 0);
    EXPECT_FLOAT_EQ(x0, 10.0f);
    EXPECT_FLOAT_EQ(y0, -20.0f);
    EXPECT_FLOAT_EQ(dx, 2.5f);
    EXPECT_FLOAT_EQ(dy, 5.0f);
    // The getter converts copies: the record keeps metres.
    EXPECT_FLOAT_EQ(item->axis.origins[0], 3.048f);
}

TEST(GbxAxisConversion, PointsGivenInTheUserUnitAreStoredInTheAxisUnit) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisUnitConversion(item, 1, 0), 0);
    const float missing = header->deleteValueFloat;
    const float metres[6] = {0.3048f, 0.6096f, 3.048f, missing, 0.0f, -30.48f};
    ASSERT_EQ(gbxSetItemAxisNeqD1(item, kFoot, 2, metres, 0), 0);
    const std::vector<float> stored(item->axis.points, item->axis.points + 6);
    const float feet[6] = {1, 2, 10, missing, 0, -100};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(stored[i], feet[i]) << i;
    EXPECT_EQ(std::bit_cast<uint32_t>(stored[3]), GBX_DELETE_FLOAT_BITS);

    float* given = nullptr;
    ASSERT_EQ(gbxGetItemAxisNeqD1(item, nullptr, nullptr, nullptr, &given), 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(given[i], metres[i]) << i;
}

TEST(GbxAxisConversion, StoredArraysAreConvertedOnceInPlace) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    const double x[3] = {1, 2, 3};
    const double y[3] = {0, 10, header->deleteValueDouble};
    ASSERT_EQ(gbxSetItemAxisNeqD2(item, kFoot, 2, 2, x, y, 0), 0);
    ASSERT_EQ(gbxSetItemAxisUnitConversion(item, 1, 0), 0);

    for (int call = 0; call < 2; ++call) {
        SCOPED_TRACE(call);
        double* gx = nullptr;
        double* gy = nullptr;
        ASSERT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, &gx, &gy), 0);
        EXPECT_EQ(gx, item->axis.coords[0]);
        EXPECT_EQ(gy, item->axis.coords[1]);
        EXPECT_DOUBLE_EQ(gx[0], kMetresPerFoot);
        EXPECT_DOUBLE_EQ(gx[2], 3 * kMetresPerFoot);
        EXPECT_DOUBLE_EQ(gy[1], 10 * kMetresPerFoot);
        EXPECT_EQ(gy[2], header->deleteValueDouble);
    }
}

TEST(GbxAxisConversion, ItemWithoutHeaderUsesTheDefaultDeleteValues) {
    StaticItem orphan(nullptr);
    const int32_t sizes[3] = {kMetre, 1, 1};
    const double x[2] = {1, std::bit_cast<double>(GBX_DELETE_DOUBLE_BITS)};
    LrxLrec* chain = FCreateLogicalBlock(LRX_INT4, 3, sizes);
    FAppendToLogicalBlock(LRX_DOUBLE, 2, x, chain);
    FAppendToLogicalBlock(LRX_DOUBLE, 2, x, chain);
    ASSERT_EQ(gbxReadItemAxis(&orphan.item, 31056, chain, nullptr), 0);
    FFreeLogicalBlock(chain);

    ASSERT_EQ(gbxSetItemAxisUnitConversion(&orphan.item, 2, kFoot), 0);
    double* gx = nullptr;
    ASSERT_EQ(gbxGetItemAxisNeqD2(&orphan.item, nullptr, nullptr, nullptr, nullptr, &gx, nullptr), 0);
    EXPECT_DOUBLE_EQ(gx[0], 1 / kMetresPerFoot);
    EXPECT_EQ(std::bit_cast<uint64_t>(gx[1]), GBX_DELETE_DOUBLE_BITS);
}

TEST(GbxAxisConversion, RefCoordsAreConvertedOrientationIsNot) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisEqD0(item, kMetre), 0);
    ASSERT_EQ(gbxSetItemAxisUnitConversion(item, 2, kFoot), 0);
    ASSERT_EQ(gbxSetItemRefCoords(item, 10, 20, -30), 0);
    ASSERT_EQ(gbxSetItemAxisOrientation(item, 10, 20, -30), 0);
    EXPECT_FLOAT_EQ(item->refCoords[0], 3.048f);
    EXPECT_FLOAT_EQ(item->refCoords[2], -9.144f);
    EXPECT_EQ(item->orientation[2], -30.0f);

    float x = 0, y = 0, z = 0;
    ASSERT_EQ(gbxGetItemRefCoords(item, &x, &y, &z), 0);
    EXPECT_FLOAT_EQ(x, 10);
    EXPECT_FLOAT_EQ(y, 20);
    EXPECT_FLOAT_EQ(z, -30);
    ASSERT_EQ(gbxGetItemAxisOrientation(item, &x, &y, &z), 0);
    EXPECT_EQ(std::vector<float>({x, y, z}), std::vector<float>({10, 20, -30}));
}

}  // namespace

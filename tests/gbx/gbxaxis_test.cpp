// Item axes in memory: setters and getters of every family, the file-type and parameter
// checks, the copies of coordinate arrays, axis changes, 32-bit count limits, reference
// coordinates and orientation.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "lrx/trace.h"
#include "support/axisitems.h"

namespace {

using namespace gbxtest;

TEST(GbxAxisSetters, EquidistantAxesGiveBackWhatWasSet) {
    ReportedCodes reports;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    int unit = -1, nx = 0, ny = 0, nz = 0, nt = 0;
    const char* name = nullptr;
    float o[4] = {}, d[4] = {};

    ASSERT_EQ(gbxSetItemAxisEqD0(item, kFoot), 0);
    ASSERT_EQ(gbxGetItemAxisEqD0(item, &unit, &name), 0);
    EXPECT_EQ(unit, kFoot);
    EXPECT_STREQ(name, "ft");

    ASSERT_EQ(gbxSetItemAxisEqD1(item, kMetre, 10, 0.0f, 1.0f), 0);
    ASSERT_EQ(gbxGetItemAxisEqD1(item, &unit, &name, &nx, &o[0], &d[0]), 0);
    EXPECT_EQ(unit, kMetre);
    EXPECT_STREQ(name, "m");
    EXPECT_EQ(nx, 10);
    EXPECT_EQ(o[0], 0.0f);
    EXPECT_EQ(d[0], 1.0f);

    ASSERT_EQ(gbxSetItemAxisEqD2(item, kMetre, 4, 5, 1.5f, -2.5f, 0.25f, 0.5f), 0);
    ASSERT_EQ(gbxGetItemAxisEqD2(item, &unit, &name, &nx, &ny, &o[0], &o[1], &d[0], &d[1]), 0);
    EXPECT_EQ(std::vector<int>({nx, ny}), std::vector<int>({4, 5}));
    EXPECT_EQ(std::vector<float>({o[0], o[1], d[0], d[1]}), std::vector<float>({1.5f, -2.5f, 0.25f, 0.5f}));

    ASSERT_EQ(gbxSetItemAxisEqD3(item, kMetre, 2, 3, 4, 1, 2, 3, 4, 5, 6), 0);
    ASSERT_EQ(gbxGetItemAxisEqD3(item, &unit, &name, &nx, &ny, &nz, &o[0], &o[1], &o[2], &d[0], &d[1], &d[2]), 0);
    EXPECT_EQ(std::vector<int>({nx, ny, nz}), std::vector<int>({2, 3, 4}));
    EXPECT_EQ(std::vector<float>({o[0], o[1], o[2], d[0], d[1], d[2]}), std::vector<float>({1, 2, 3, 4, 5, 6}));

    ASSERT_EQ(gbxSetItemAxisEqD4(item, kMetre, 2, 3, 4, 5, 1, 2, 3, 4, 5, 6, 7, 8), 0);
    ASSERT_EQ(gbxGetItemAxisEqD4(item, &unit, &name, &nx, &ny, &nz, &nt, &o[0], &o[1], &o[2], &o[3], &d[0], &d[1],
                                 &d[2], &d[3]),
              0);
    EXPECT_EQ(std::vector<int>({nx, ny, nz, nt}), std::vector<int>({2, 3, 4, 5}));
    EXPECT_EQ(std::vector<float>({o[0], o[1], o[2], o[3], d[0], d[1], d[2], d[3]}),
              std::vector<float>({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(gbxGetItemElements(item), 120);
    EXPECT_TRUE(reports.codes().empty());
}

TEST(GbxAxisSetters, AxisFamiliesAreBoundToFileTypes) {
    ReportedCodes reports;
    const struct {
        int fileType;
        int eqCode;
        int tvarCode;
    } cases[] = {
        {F_EQTIME_FIXEDSPACE_ALLITEMS, 0, F_ERR_DATA},  {F_EQTIME_TVARSPACE_ALLITEMS, F_ERR_DATA, 0},
        {F_NEQTIME_FIXEDSPACE_ALLITEMS, 0, F_ERR_DATA}, {F_NEQTIME_FIXEDSPACE_VARITEMS, 0, F_ERR_DATA},
        {F_NEQTIME_TVARSPACE_VARITEMS, F_ERR_DATA, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileType);
        HeaderPtr header = headerOfFileType(c.fileType);
        GbxItem* item = firstItem(header);
        EXPECT_EQ(gbxSetItemAxisEqD1(item, kMetre, 3, 0, 1), c.eqCode);
        EXPECT_EQ(gbxSetItemAxisTvarD1(item, kMetre, 3), c.tvarCode);
        EXPECT_EQ(gbxSetItemAxisTvarD2(item, kMetre, 3, 2), c.tvarCode);
        // The file type is checked before the parameters.
        EXPECT_EQ(gbxSetItemAxisTvarD3(item, kMetre, 0, 2, 2), c.tvarCode == 0 ? F_ERR_USAGE : F_ERR_DATA);
    }
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    reports.clear();
    ASSERT_EQ(gbxSetItemAxisTvarD1(firstItem(header), kMetre, 3), F_ERR_DATA);
    ASSERT_EQ(reports.all().size(), 1u);
    EXPECT_EQ(reports.all()[0].header, header.get());
    EXPECT_EQ(firstItem(header)->axisType, GBX_EQD0);
}

// Calls of dynamic items with one parameter out of range; all are accepted for a static item.
std::vector<std::pair<const char*, std::function<int(GbxItem*)>>> refusedParameterCalls() {
    static const double xs[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    static const float points[6] = {0, 0, 0, 1, 1, 1};
    return {
        {"EqD1 nx 0", [](GbxItem* i) { return gbxSetItemAxisEqD1(i, kMetre, 0, 0, 1); }},
        {"EqD1 dx 0", [](GbxItem* i) { return gbxSetItemAxisEqD1(i, kMetre, 3, 0, 0); }},
        {"EqD2 dx 0", [](GbxItem* i) { return gbxSetItemAxisEqD2(i, kMetre, 3, 3, 0, 0, 0, 1); }},
        {"EqD3 dz -1", [](GbxItem* i) { return gbxSetItemAxisEqD3(i, kMetre, 2, 2, 2, 0, 0, 0, 1, 1, -1); }},
        {"EqD4 nt 0", [](GbxItem* i) { return gbxSetItemAxisEqD4(i, kMetre, 2, 2, 2, 0, 0, 0, 0, 0, 1, 1, 1, 1); }},
        {"NeqD1 points null", [](GbxItem* i) { return gbxSetItemAxisNeqD1(i, kMetre, 2, nullptr, 0); }},
        {"NeqD1 n 0", [](GbxItem* i) { return gbxSetItemAxisNeqD1(i, kMetre, 0, points, 0); }},
        {"NeqD2 y null", [](GbxItem* i) { return gbxSetItemAxisNeqD2(i, kMetre, 2, 2, xs, nullptr, 0); }},
        {"NeqD3 nz 0", [](GbxItem* i) { return gbxSetItemAxisNeqD3(i, kMetre, 2, 2, 0, xs, xs, xs, 0); }},
        {"CurveLinearD2 X null",
         [](GbxItem* i) { return gbxSetItemAxisCurveLinearD2(i, kMetre, 1, 1, nullptr, xs, 0); }},
        {"CurveLinearD3 Z null",
         [](GbxItem* i) { return gbxSetItemAxisCurveLinearD3(i, kMetre, 1, 1, 1, xs, xs, nullptr, 0); }},
    };
}

TEST(GbxAxisSetters, ParametersOutOfRangeRefusedForDynamicAcceptedForStatic) {
    ReportedCodes reports;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    for (const auto& [label, call] : refusedParameterCalls()) {
        SCOPED_TRACE(label);
        reports.clear();
        EXPECT_EQ(call(item), F_ERR_USAGE);
        EXPECT_EQ(item->axisType, GBX_EQD0);
        ASSERT_EQ(reports.all().size(), 1u);
        EXPECT_EQ(reports.all()[0].header, header.get());

        StaticItem statik(header.get());
        EXPECT_EQ(call(&statik.item), 0);
    }
}

TEST(GbxAxisSetters, NullItemOrItemWithoutHeaderIsRefused) {
    ReportedCodes reports;
    EXPECT_EQ(gbxSetItemAxisEqD1(nullptr, kMetre, 3, 0, 1), F_ERR_USAGE);
    StaticItem orphan(nullptr);
    EXPECT_EQ(gbxSetItemAxisEqD1(&orphan.item, kMetre, 3, 0, 1), F_ERR_USAGE);
    EXPECT_EQ(orphan.item.axisType, GBX_AXIS_NONE);
    int nx = -1;
    EXPECT_EQ(gbxGetItemAxisTvarD1(nullptr, nullptr, nullptr, &nx), F_ERR_USAGE);
    EXPECT_EQ(nx, -1);
}

TEST(GbxAxisSetters, GetterOfAnotherAxisTypeWritesNothing) {
    ReportedCodes reports;
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisEqD2(item, kMetre, 4, 5, 0, 0, 1, 1), 0);
    int unit = -7, nx = -7;
    const char* name = "untouched";
    float x0 = -7, dx = -7;
    EXPECT_EQ(gbxGetItemAxisEqD1(item, &unit, &name, &nx, &x0, &dx), F_ERR_USAGE);
    EXPECT_EQ(unit, -7);
    EXPECT_EQ(nx, -7);
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(x0, -7);
    EXPECT_EQ(dx, -7);
    double* x = nullptr;
    EXPECT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, &x, nullptr), F_ERR_USAGE);
    EXPECT_EQ(x, nullptr);
    EXPECT_EQ(reports.codes(), std::vector<int>({F_ERR_USAGE, F_ERR_USAGE}));
}

TEST(GbxAxisArrays, ItemKeepsItsOwnCopiesOfTheCallersArrays) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    auto* x = new double[4]{0, 1, 3, 6};
    auto* y = new double[3]{-1, 0, 1};
    ASSERT_EQ(gbxSetItemAxisNeqD2(item, kMetre, 3, 2, x, y, 0), 0);
    delete[] x;
    delete[] y;

    int nx = 0, ny = 0;
    double* gx = nullptr;
    double* gy = nullptr;
    ASSERT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, &nx, &ny, &gx, &gy), 0);
    EXPECT_EQ(gx, item->axis.coords[0]);
    EXPECT_EQ(gy, item->axis.coords[1]);
    EXPECT_EQ(std::vector<double>(gx, gx + nx + 1), std::vector<double>({0, 1, 3, 6}));
    EXPECT_EQ(std::vector<double>(gy, gy + ny + 1), std::vector<double>({-1, 0, 1}));
    EXPECT_EQ(item->axis.owner, 1);
    EXPECT_EQ(gbxGetItemElements(item), 6);
}

TEST(GbxAxisArrays, AxisOfAnotherTypeReleasesOldArraysAndFlags) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    const double x[3] = {0, 1, 2};
    ASSERT_EQ(gbxSetItemAxisNeqD2(item, kFoot, 2, 2, x, x, 0), 0);
    item->axisConvMode = 2;
    item->axisConvUnit = kMetre;
    ASSERT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    ASSERT_EQ(item->axis.converted, 1);

    ASSERT_EQ(gbxSetItemAxisEqD1(item, kFoot, 3, 0, 1), 0);
    EXPECT_EQ(item->axis.owner, 0);
    EXPECT_EQ(item->axis.converted, 0);
    EXPECT_EQ(item->axis.coords[0], nullptr);
    EXPECT_EQ(item->axis.coords[1], nullptr);

    // New arrays are stored in the axis unit and are converted for the caller again.
    const double nodes[4] = {10, 20, 30, 40};
    ASSERT_EQ(gbxSetItemAxisCurveLinearD2(item, kFoot, 1, 1, nodes, nodes, 0), 0);
    EXPECT_NEAR(item->axis.coords[0][3], 40.0 / 0.3048, 1e-9);
    double* gotX = nullptr;
    ASSERT_EQ(gbxGetItemAxisCurveLinearD2(item, nullptr, nullptr, nullptr, nullptr, &gotX, nullptr), 0);
    EXPECT_NEAR(gotX[3], 40.0, 1e-12);
    EXPECT_EQ(gotX, item->axis.coords[0]);
}

TEST(GbxAxisArrays, NewArraysOfTheSameTypeAreConvertedForTheCallerAgain) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    item->axisConvMode = 2;
    item->axisConvUnit = kFoot;
    const double first[3] = {1, 2, 3};
    ASSERT_EQ(gbxSetItemAxisNeqD2(item, kMetre, 2, 2, first, first, 0), 0);
    ASSERT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    const double second[3] = {10, 20, 30};
    ASSERT_EQ(gbxSetItemAxisNeqD2(item, kMetre, 2, 2, second, second, 0), 0);
    double* x = nullptr;
    ASSERT_EQ(gbxGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, &x, nullptr), 0);
    EXPECT_NEAR(x[2], 30.0, 1e-12);
}

TEST(GbxAxisArrays, StaticItemKeepsSizesButNoArrays) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    StaticItem statik(header.get());
    const double x[5] = {};
    ASSERT_EQ(gbxSetItemAxisNeqD2(&statik.item, kMetre, 4, 3, x, x, 0), 0);
    int nx = 0, ny = 0;
    double sentinel = 0;
    double* gx = &sentinel;
    ASSERT_EQ(gbxGetItemAxisNeqD2(&statik.item, nullptr, nullptr, &nx, &ny, &gx, nullptr), 0);
    EXPECT_EQ(nx, 4);
    EXPECT_EQ(ny, 3);
    EXPECT_EQ(gx, nullptr);
    EXPECT_EQ(statik.item.elementStats, nullptr);
}

TEST(GbxAxisCounts, AxesBeyondThe32BitCountsAreRefusedUnchanged) {
    ReportedCodes reports;
    HeaderPtr fixed = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    HeaderPtr varying = headerOfFileType(F_NEQTIME_TVARSPACE_VARITEMS);
    static const double xs[2] = {0, 1};
    const std::vector<std::pair<const char*, std::function<int(GbxItem*, GbxItem*)>>> calls = {
        {"EqD2 2^32 elements",
         [](GbxItem* i, GbxItem*) { return gbxSetItemAxisEqD2(i, 1000, 65536, 65536, 0, 0, 1, 1); }},
        {"EqD4 2^31 elements",
         [](GbxItem* i, GbxItem*) { return gbxSetItemAxisEqD4(i, 1000, 1024, 1024, 1024, 2, 0, 0, 0, 0, 1, 1, 1, 1); }},
        {"EqD4 beyond 64 bits",
         [](GbxItem* i, GbxItem*) {
             return gbxSetItemAxisEqD4(i, 1000, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0, 0, 0, 1, 1, 1, 1);
         }},
        {"TvarD3 4e9 elements", [](GbxItem*, GbxItem* v) { return gbxSetItemAxisTvarD3(v, 1000, 2000, 2000, 1000); }},
        {"NeqD1 3n beyond 32 bits",
         [](GbxItem* i, GbxItem*) {
             return gbxSetItemAxisNeqD1(i, 1000, 800000000, reinterpret_cast<const float*>(xs), 0);
         }},
        {"NeqD2 nx+1 beyond 32 bits",
         [](GbxItem* i, GbxItem*) { return gbxSetItemAxisNeqD2(i, 1000, INT_MAX, 1, xs, xs, 0); }},
        // 46340 x 46340 cells fit, their 46341 x 46341 nodes do not.
        {"CurveLinearD2 nodes beyond 32 bits",
         [](GbxItem* i, GbxItem*) { return gbxSetItemAxisCurveLinearD2(i, 1000, 46340, 46340, xs, xs, 0); }},
    };
    for (const auto& [label, call] : calls) {
        SCOPED_TRACE(label);
        reports.clear();
        EXPECT_EQ(call(firstItem(fixed), firstItem(varying)), F_ERR_USAGE);
        EXPECT_EQ(firstItem(fixed)->axisType, GBX_EQD0);
        EXPECT_EQ(firstItem(varying)->axisType, GBX_EQD0);
        EXPECT_EQ(reports.codes(), std::vector<int>({F_ERR_USAGE}));
    }
    StaticItem statik(fixed.get());
    EXPECT_EQ(gbxSetItemAxisEqD2(&statik.item, 1000, 65536, 65536, 0, 0, 0, 0), F_ERR_USAGE);
    EXPECT_EQ(statik.item.axisType, GBX_AXIS_NONE);
    // The largest count that fits is accepted.
    EXPECT_EQ(gbxSetItemAxisEqD1(firstItem(fixed), 1000, INT_MAX, 0, 1), 0);
    EXPECT_EQ(gbxGetItemElements(firstItem(fixed)), INT_MAX);
}

TEST(GbxAxisReference, RefCoordsAndOrientationOfANullItem) {
    ReportedCodes reports;
    float x = 0, y = 0, z = 0;
    EXPECT_EQ(gbxGetItemRefCoords(nullptr, &x, &y, &z), F_ERR_USAGE);
    for (float value : {x, y, z})
        EXPECT_EQ(value, gbxDefaultDeleteFloat());
    x = y = z = 0;
    EXPECT_EQ(gbxGetItemAxisOrientation(nullptr, &x, &y, &z), F_ERR_USAGE);
    for (float value : {x, y, z})
        EXPECT_EQ(value, gbxDefaultDeleteFloat());
    EXPECT_EQ(gbxSetItemRefCoords(nullptr, 1, 2, 3), F_ERR_USAGE);
    EXPECT_EQ(gbxSetItemAxisOrientation(nullptr, 1, 2, 3), F_ERR_USAGE);
    EXPECT_EQ(reports.codes(), std::vector<int>(4, F_ERR_USAGE));
}

TEST(GbxAxisReference, OrientationGetterTracesAsGbxGetItemAxisOrigin) {
    HeaderPtr header = headerOfFileType(F_EQTIME_FIXEDSPACE_ALLITEMS);
    GbxItem* item = firstItem(header);
    ASSERT_EQ(gbxSetItemAxisOrientation(item, 1, 2, 3), 0);
    float a = 0, b = 0, c = 0;
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    const int code = gbxGetItemAxisOrientation(item, &a, &b, &c);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(std::vector<float>({a, b, c}), std::vector<float>({1, 2, 3}));
    EXPECT_EQ(trace,
              "->{gbxGetItemAxisOrigin\n"
              "  ->{gbxCheckItem\n"
              "  <-}gbxCheckItem [0]\n"
              "<-}gbxGetItemAxisOrigin [0]\n");
}

}  // namespace

// Converting arrays in place: every value but the delete values, float results beyond the
// float range, and failures that leave the array as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "vnk/vnk.h"

namespace {

constexpr float kDeleteF = -1e-35f;
constexpr double kDeleteD = -1e-255;

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

TEST(VnkArrays, ConvertsEveryValueButTheDeleteValues) {
    // A value a hair away from the delete value is data and is converted.
    const float nearDeleteF = std::nextafter(kDeleteF, 0.0f);
    std::vector<float> floats{1.0f, kDeleteF, -2.5f, kDeleteF, nearDeleteF, 0.0f};
    ASSERT_NE(vnkConvertItemArrayF(1000, 1002, floats.data(), static_cast<int>(floats.size()), kDeleteF), 0);
    EXPECT_TRUE(sameBytes(floats, {100.0f, kDeleteF, -250.0f, kDeleteF, nearDeleteF * 100.0f, 0.0f}));

    std::vector<double> doubles{1.0, kDeleteD, 10.0, kDeleteD};
    ASSERT_NE(vnkConvertItemArrayD(1005, 1000, doubles.data(), static_cast<int>(doubles.size()), kDeleteD), 0);
    EXPECT_TRUE(sameBytes(doubles, {0.3048, kDeleteD, 3.048, kDeleteD}));
}

TEST(VnkArrays, UserUnitFormsConvertBothWaysAndSkipDeleteValues) {
    // Water temperature in deg F: user unit deg C. The delete value would otherwise shift.
    std::vector<double> values{212.0, kDeleteD, 32.0};
    ASSERT_NE(vnkConvertItemArrayToUserUnitD(100040, 2401, values.data(), 3, kDeleteD), 0);
    EXPECT_NEAR(values[0], 100.0, 1e-12);
    EXPECT_EQ(values[1], kDeleteD);
    EXPECT_NEAR(values[2], 0.0, 1e-12);
    ASSERT_NE(vnkConvertItemArrayFromUserUnitD(100040, 2401, values.data(), 3, kDeleteD), 0);
    EXPECT_NEAR(values[0], 212.0, 1e-12);
    EXPECT_EQ(values[1], kDeleteD);
    EXPECT_NEAR(values[2], 32.0, 1e-12);

    std::vector<float> levels{kDeleteF, 1.0f, 2.0f};
    ASSERT_NE(vnkConvertItemArrayFromUserUnitF(100000, 1002, levels.data(), 3, kDeleteF), 0);
    EXPECT_TRUE(sameBytes(levels, {kDeleteF, 100.0f, 200.0f}));
    ASSERT_NE(vnkConvertItemArrayToUserUnitF(100000, 1002, levels.data(), 3, kDeleteF), 0);
    EXPECT_TRUE(sameBytes(levels, {kDeleteF, 1.0f, 2.0f}));
}

TEST(VnkArrays, FloatBeyondRangeBecomesInfinityOfItsSign) {
    const float large = 3e38f;
    std::vector<float> values{large, -large, 1.0f};
    ASSERT_NE(vnkConvertItemArrayF(1000, 1005, values.data(), 3, kDeleteF), 0);
    EXPECT_EQ(values[0], std::numeric_limits<float>::infinity());
    EXPECT_EQ(values[1], -std::numeric_limits<float>::infinity());
    EXPECT_EQ(values[2], static_cast<float>(1.0 / 0.3048));
}

TEST(VnkArrays, EmptyArraySucceedsEvenWithoutStorage) {
    EXPECT_NE(vnkConvertItemArrayF(1000, 1005, nullptr, 0, kDeleteF), 0);
    EXPECT_NE(vnkConvertItemArrayToUserUnitD(100000, 1005, nullptr, 0, kDeleteD), 0);
}

TEST(VnkArrays, FailuresLeaveEveryValueAsItWas) {
    const std::vector<double> original{1.0, kDeleteD, 3.0};
    auto unchangedD = [&](auto call) {
        std::vector<double> values = original;
        EXPECT_EQ(call(values.data()), 0);
        EXPECT_TRUE(sameBytes(values, original));
    };
    unchangedD([](double* v) { return vnkConvertItemArrayD(1000, 1400, v, 3, kDeleteD); });  // length into time
    unchangedD([](double* v) { return vnkConvertItemArrayD(-1, 1000, v, 3, kDeleteD); });
    unchangedD([](double* v) { return vnkConvertItemArrayD(1000, 1005, v, -1, kDeleteD); });
    unchangedD([](double* v) { return vnkConvertItemArrayToUserUnitD(100080, 1000, v, 3, kDeleteD); });
    unchangedD([](double* v) { return vnkConvertItemArrayFromUserUnitD(42, 1000, v, 3, kDeleteD); });

    const std::vector<float> originalF{1.0f, kDeleteF, 3.0f};
    auto unchangedF = [&](auto call) {
        std::vector<float> values = originalF;
        EXPECT_EQ(call(values.data()), 0);
        EXPECT_TRUE(sameBytes(values, originalF));
    };
    unchangedF([](float* v) { return vnkConvertItemArrayF(3400, 3200, v, 3, kDeleteF); });  // discharge into volume
    unchangedF([](float* v) { return vnkConvertItemArrayToUserUnitF(100000, 2201, v, 3, kDeleteF); });
    unchangedF([](float* v) { return vnkConvertItemArrayFromUserUnitF(999, -1, v, 3, kDeleteF); });

    EXPECT_EQ(vnkConvertItemArrayF(1000, 1005, nullptr, 2, kDeleteF), 0);
    EXPECT_EQ(vnkConvertItemArrayFromUserUnitD(100000, 1005, nullptr, 2, kDeleteD), 0);
}

}  // namespace

// Converting single values: between units, into and out of item types' user units, the
// standard definitions of the factors, temperature offsets, and failures that pass the
// value through.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "src/units/itemtypetable.h"
#include "src/units/unitlookup.h"
#include "src/units/unittable.h"
#include "vnk/vnk.h"

namespace {

constexpr double kValues[] = {-1234.5, -1.0, 0.0, 0.001, 1.0, 37.25, 9.87654321e7};

double convert(int fromUnit, double value, int toUnit) {
    double out = std::nan("");
    EXPECT_NE(vnkConvertUnit(fromUnit, value, toUnit, &out), 0) << fromUnit << " -> " << toUnit;
    return out;
}

// Round trips are held to 1e-12 of the value; a temperature offset adds its own magnitude,
// since the value passes through kelvin.
double roundTripTolerance(double value, const vnk::UnitDef& a, const vnk::UnitDef& b) {
    const double offsets = std::abs(a.offset * a.factor) + std::abs(b.offset * b.factor);
    return 1e-12 * (std::abs(value) + offsets);
}

TEST(VnkConversion, EveryPairOfUnitsOfOneDimensionRoundTrips) {
    int pairs = 0;
    for (const vnk::UnitDef& a : vnk::unitTable()) {
        for (const vnk::UnitDef& b : vnk::unitTable()) {
            if (a.dimension != b.dimension) continue;
            ++pairs;
            for (double value : kValues) {
                const double back = convert(b.key, convert(a.key, value, b.key), a.key);
                ASSERT_NEAR(back, value, roundTripTolerance(value, a, b)) << a.name << " <-> " << b.name;
            }
        }
    }
    EXPECT_GT(pairs, 500);
}

TEST(VnkConversion, EveryItemTypeRoundTripsThroughItsUserUnit) {
    for (const vnk::ItemTypeDef& type : vnk::itemTypeTable()) {
        for (const vnk::UnitDef& unit : vnk::unitTable()) {
            if (vnkItemUnitEqv(type.key, unit.key) == 0) continue;
            for (double value : kValues) {
                double user = 0.0;
                double back = 0.0;
                ASSERT_NE(vnkConvertToUserUnit(type.key, unit.key, value, &user), 0) << type.name << unit.name;
                ASSERT_NE(vnkConvertFromUserUnit(type.key, unit.key, user, &back), 0) << type.name << unit.name;
                ASSERT_NEAR(back, value, roundTripTolerance(value, unit, *vnk::userUnitOf(type, unit)))
                    << type.name << " " << unit.name;
            }
        }
    }
}

TEST(VnkConversion, FactorsFollowTheStandardDefinitions) {
    const struct {
        int from;
        double value;
        int to;
        double expected;
    } cases[] = {
        {1005, 1.0, 1000, 0.3048},            // international foot
        {1006, 3937.0, 1000, 1200.0},         // US survey foot
        {1007, 1.0, 1002, 2.54},              // inch
        {1009, 1.0, 1000, 1609.344},          // mile
        {1010, 1.0, 1000, 1852.0},            // nautical mile
        {1008, 1.0, 1005, 3.0},               // yard
        {3007, 1.0, 3004, 43560.0},           // acre
        {3208, 1.0, 3201, 3.785411784},       // US gallon
        {3209, 1.0, 3201, 4.54609},           // imperial gallon
        {3210, 1.0, 3200, 1233.48183754752},  // acre-foot
        {3405, 1.0, 3400, 0.028316846592},    // cubic foot per second
        {4007, 1.0, 4000, 6894.757293168},    // psi
        {4006, 1.0, 4005, 1013.25},           // standard atmosphere
        {4010, 1.0, 4001, 33.86388640341},    // inch of mercury
        {2006, 3600.0, 2000, 1852.0},         // knot
        {2005, 1.0, 2001, 1.609344},          // mile per hour
        {1403, 1.0, 1400, 86400.0},           // day
        {2201, 180.0, 2200, std::numbers::pi},
        {2010, 24.0, 2011, 24.0 * 24.0},  // mm/h to mm/day
        {1, 250.0, 0, 2.5},               // percent
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(convert(c.from, c.value, c.to), c.expected, 1e-12 * std::abs(c.expected))
            << c.from << " -> " << c.to;
    }
    // Into the SI unit a factor is applied once, so its value is the exact double.
    EXPECT_EQ(convert(1005, 1.0, 1000), 0.3048);
    EXPECT_EQ(convert(3210, 1.0, 3200), 1233.48183754752);
    EXPECT_EQ(convert(1000, 0.3048, 1005), 1.0);
}

TEST(VnkConversion, TemperaturesConvertAsAbsoluteReadings) {
    const struct {
        int from;
        double value;
        int to;
        double expected;
    } cases[] = {
        {2400, 0.0, 2401, 32.0},    {2400, 100.0, 2401, 212.0}, {2400, -40.0, 2401, -40.0}, {2400, 37.0, 2401, 98.6},
        {2402, 0.0, 2400, -273.15}, {2402, 0.0, 2401, -459.67}, {2401, 32.0, 2402, 273.15}, {2403, 491.67, 2400, 0.0},
        {2403, 0.0, 2402, 0.0},     {2402, 300.0, 2403, 540.0}, {2401, -459.67, 2403, 0.0}, {2400, 20.0, 2402, 293.15},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(convert(c.from, c.value, c.to), c.expected, 1e-12) << c.from << " " << c.value << " -> " << c.to;

    double celsius = 0.0;
    ASSERT_NE(vnkConvertToUserUnit(100040, 2401, 212.0, &celsius), 0);  // water temperature, deg F in
    EXPECT_NEAR(celsius, 100.0, 1e-12);
    double fahrenheit = 0.0;
    ASSERT_NE(vnkConvertFromUserUnit(100040, 2401, 0.0, &fahrenheit), 0);
    EXPECT_NEAR(fahrenheit, 32.0, 1e-12);
}

TEST(VnkConversion, UserUnitsOfTheFixedItemTypes) {
    double out = 0.0;
    ASSERT_NE(vnkConvertToUserUnit(100000, 1005, 10.0, &out), 0);  // level given in feet
    EXPECT_EQ(out, 3.048);
    ASSERT_NE(vnkConvertFromUserUnit(100000, 1002, 1.5, &out), 0);  // metres into centimetres
    EXPECT_EQ(out, 150.0);
    ASSERT_NE(vnkConvertToUserUnit(100080, 4706, 1.0, &out), 0);  // square feet per second
    EXPECT_EQ(out, 0.09290304);
    for (int geometry = 100185; geometry <= 100188; ++geometry) {
        ASSERT_NE(vnkConvertToUserUnit(geometry, 1001, 2.5, &out), 0) << geometry;
        EXPECT_EQ(out, 2500.0) << geometry;
        ASSERT_NE(vnkConvertToUserUnit(geometry, 1000, 2.5, &out), 0) << geometry;
        EXPECT_EQ(out, 2.5) << geometry;
    }
}

TEST(VnkConversion, UndefinedItemTypeKeepsEveryValueInItsOwnUnit) {
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        for (double value : kValues) {
            double out = std::nan("");
            ASSERT_NE(vnkConvertToUserUnit(999, unit.key, value, &out), 0) << unit.name;
            ASSERT_EQ(out, value) << unit.name;
            out = std::nan("");
            ASSERT_NE(vnkConvertFromUserUnit(999, unit.key, value, &out), 0) << unit.name;
            ASSERT_EQ(out, value) << unit.name;
        }
    }
}

TEST(VnkConversion, UnitsOfTheSameScalePassValuesUnrounded) {
    for (double value : kValues) {
        EXPECT_EQ(convert(3602, value, 3601), value);  // mg/l and g/m^3
        EXPECT_EQ(convert(1000, value, 1000), value);
        EXPECT_EQ(convert(2400, value, 2400), value);
    }
}

TEST(VnkConversion, FailuresReturnZeroAndPassTheValueThrough) {
    auto unitCall = [](int from, int to) {
        double out = std::nan("");
        const int result = vnkConvertUnit(from, 42.5, to, &out);
        EXPECT_EQ(out, 42.5) << from << " -> " << to;
        return result;
    };
    EXPECT_EQ(unitCall(-1, 1000), 0);      // unknown from unit
    EXPECT_EQ(unitCall(1000, 999999), 0);  // unknown to unit
    EXPECT_EQ(unitCall(1000, 1400), 0);    // length into time
    EXPECT_EQ(unitCall(2400, 0), 0);       // temperature into no unit
    EXPECT_EQ(vnkConvertUnit(1000, 1.0, 1005, nullptr), 0);

    auto userCall = [](int (*call)(int, int, double, double*), int itemType, int unit) {
        double out = std::nan("");
        const int result = call(itemType, unit, -3.25, &out);
        EXPECT_EQ(out, -3.25) << itemType << " " << unit;
        return result;
    };
    for (auto call : {vnkConvertToUserUnit, vnkConvertFromUserUnit}) {
        EXPECT_EQ(userCall(call, 123, 1000), 0);     // unknown item type
        EXPECT_EQ(userCall(call, 100000, -1), 0);    // unknown unit
        EXPECT_EQ(userCall(call, 999, -1), 0);       // unknown unit of the undefined type
        EXPECT_EQ(userCall(call, 100000, 1400), 0);  // level given in seconds
        EXPECT_EQ(userCall(call, 100186, 0), 0);     // axis coordinates without a unit
        EXPECT_EQ(call(100000, 1000, 1.0, nullptr), 0);
    }
}

}  // namespace

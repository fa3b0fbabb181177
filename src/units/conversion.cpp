// Conversion of values between units through the SI unit of their kind of quantity. Calls
// the table lookups only.
#include "src/units/conversion.h"

#include <limits>

#include "src/units/unitlookup.h"

namespace vnk {
namespace {

// A float result beyond the float range becomes an infinity of its sign rather than an
// out-of-range conversion, whose result C++ leaves undefined.
float toFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (value > kLargest) return std::numeric_limits<float>::infinity();
    if (value < -kLargest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

bool sameScale(const UnitDef& a, const UnitDef& b) {
    return a.factor == b.factor && a.offset == b.offset;
}

template <typename Value, typename Apply>
void applyToArray(Value* values, int count, Value deleteValue, Apply apply) {
    for (int i = 0; i < count; ++i) {
        // Missing values are marked by exactly the delete value; anything else is data.
        if (values[i] != deleteValue) values[i] = apply(values[i]);
    }
}

struct UserUnitPair {
    const UnitDef* unit;
    const UnitDef* userUnit;
};

std::optional<UserUnitPair> resolveUserUnit(int itemTypeKey, int unitKey) {
    const ItemTypeDef* itemType = findItemType(itemTypeKey);
    const UnitDef* unit = findUnit(unitKey);
    if (itemType == nullptr || unit == nullptr || !unitSuitsItemType(*itemType, *unit)) return std::nullopt;
    const UnitDef* userUnit = userUnitOf(*itemType, *unit);
    if (userUnit == nullptr || userUnit->dimension != unit->dimension) return std::nullopt;
    return UserUnitPair{unit, userUnit};
}

}  // namespace

double Conversion::apply(double value) const {
    // Units of the same scale (a unit and itself, mg/l and g/m^3) pass values through
    // unrounded.
    if (sameScale(*from_, *to_)) return value;
    // Multiplying first keeps a conversion into the SI unit to one rounding, so that one
    // foot gives exactly the double nearest 0.3048 m.
    const double si = (value + from_->offset) * from_->factor;
    return si / to_->factor - to_->offset;
}

void Conversion::applyInPlace(float* values, int count, float deleteValue) const {
    applyToArray(values, count, deleteValue, [this](float v) { return toFloat(apply(v)); });
}

void Conversion::applyInPlace(double* values, int count, double deleteValue) const {
    applyToArray(values, count, deleteValue, [this](double v) { return apply(v); });
}

std::optional<Conversion> unitConversion(int fromUnit, int toUnit) {
    const UnitDef* from = findUnit(fromUnit);
    const UnitDef* to = findUnit(toUnit);
    if (from == nullptr || to == nullptr || from->dimension != to->dimension) return std::nullopt;
    return Conversion(*from, *to);
}

std::optional<Conversion> toUserUnitConversion(int itemType, int unit) {
    const auto pair = resolveUserUnit(itemType, unit);
    if (!pair) return std::nullopt;
    return Conversion(*pair->unit, *pair->userUnit);
}

std::optional<Conversion> fromUserUnitConversion(int itemType, int unit) {
    const auto pair = resolveUserUnit(itemType, unit);
    if (!pair) return std::nullopt;
    return Conversion(*pair->userUnit, *pair->unit);
}

}  // namespace vnk

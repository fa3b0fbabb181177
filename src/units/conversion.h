// Conversion of values between units: resolving which two units a request converts between
// (two unit keys, or a unit and an item type's user unit) and applying it to one value or to
// an array with missing values.
#ifndef UNITS_CONVERSION_H
#define UNITS_CONVERSION_H

#include <optional>

#include "src/units/unittable.h"

namespace vnk {

// A conversion from one unit to another of the same dimension.
class Conversion {
public:
    Conversion(const UnitDef& from, const UnitDef& to) : from_(&from), to_(&to) {}

    double apply(double value) const;

    // Converts count values in place, leaving those equal to deleteValue as they are.
    void applyInPlace(float* values, int count, float deleteValue) const;
    void applyInPlace(double* values, int count, double deleteValue) const;

private:
    const UnitDef* from_;
    const UnitDef* to_;
};

// The conversion between two unit keys; none when a key is unknown or the units measure
// different kinds of quantity.
std::optional<Conversion> unitConversion(int fromUnit, int toUnit);

// The conversion from unit into the item type's user unit, and back; none when a key is
// unknown or the unit does not suit the item type.
std::optional<Conversion> toUserUnitConversion(int itemType, int unit);
std::optional<Conversion> fromUserUnitConversion(int itemType, int unit);

}  // namespace vnk

#endif

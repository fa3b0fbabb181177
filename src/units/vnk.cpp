// The exported calls of the unit library: argument checks, table lookups and conversions
// behind the C interface. Calls unitlookup and conversion; nothing here can throw.
#include "vnk/vnk.h"

#include <optional>

#include "src/units/conversion.h"
#include "src/units/unitlookup.h"

namespace {

constexpr const char* kEmptyName = "";

// Hands out a table name, or the empty text for an unknown key, so that a caller that
// ignores the result still holds a valid text.
int handOutName(const char* tableName, const char** name) {
    if (name == nullptr) return 0;
    *name = tableName != nullptr ? tableName : kEmptyName;
    return tableName != nullptr ? 1 : 0;
}

// Writes the converted value, or the value itself when there is no conversion.
int convertOne(const std::optional<vnk::Conversion>& conversion, double value, double* out) {
    if (out == nullptr) return 0;
    *out = conversion ? conversion->apply(value) : value;
    return conversion ? 1 : 0;
}

template <typename Value>
int convertArray(const std::optional<vnk::Conversion>& conversion, Value* values, int count, Value deleteValue) {
    if (!conversion || count < 0 || (values == nullptr && count > 0)) return 0;
    conversion->applyInPlace(values, count, deleteValue);
    return 1;
}

}  // namespace

int VNK_CALL vnkGetItemTypeKey(int itemType, const char** name) {
    const vnk::ItemTypeDef* found = vnk::findItemType(itemType);
    return handOutName(found != nullptr ? found->name : nullptr, name);
}

int VNK_CALL vnkGetUnitKey(int unit, const char** name) {
    const vnk::UnitDef* found = vnk::findUnit(unit);
    return handOutName(found != nullptr ? found->name : nullptr, name);
}

int VNK_CALL vnkGetUnitTag(const char* name, int* unit) {
    if (name == nullptr || unit == nullptr) return 0;
    const vnk::UnitDef* found = vnk::findUnitByText(name);
    if (found == nullptr) return 0;
    *unit = found->key;
    return 1;
}

int VNK_CALL vnkItemUnitEqv(int itemType, int unit) {
    const vnk::ItemTypeDef* type = vnk::findItemType(itemType);
    const vnk::UnitDef* found = vnk::findUnit(unit);
    return type != nullptr && found != nullptr && vnk::unitSuitsItemType(*type, *found) ? 1 : 0;
}

int VNK_CALL vnkConvertToUserUnit(int itemType, int unit, double value, double* out) {
    return convertOne(vnk::toUserUnitConversion(itemType, unit), value, out);
}

int VNK_CALL vnkConvertFromUserUnit(int itemType, int unit, double value, double* out) {
    return convertOne(vnk::fromUserUnitConversion(itemType, unit), value, out);
}

int VNK_CALL vnkConvertUnit(int fromUnit, double value, int toUnit, double* out) {
    return convertOne(vnk::unitConversion(fromUnit, toUnit), value, out);
}

int VNK_CALL vnkConvertItemArrayToUserUnitF(int itemType, int unit, float* values, int count, float deleteValue) {
    return convertArray(vnk::toUserUnitConversion(itemType, unit), values, count, deleteValue);
}

int VNK_CALL vnkConvertItemArrayToUserUnitD(int itemType, int unit, double* values, int count, double deleteValue) {
    return convertArray(vnk::toUserUnitConversion(itemType, unit), values, count, deleteValue);
}

int VNK_CALL vnkConvertItemArrayFromUserUnitF(int itemType, int unit, float* values, int count, float deleteValue) {
    return convertArray(vnk::fromUserUnitConversion(itemType, unit), values, count, deleteValue);
}

int VNK_CALL vnkConvertItemArrayFromUserUnitD(int itemType, int unit, double* values, int count, double deleteValue) {
    return convertArray(vnk::fromUserUnitConversion(itemType, unit), values, count, deleteValue);
}

int VNK_CALL vnkConvertItemArrayF(int fromUnit, int toUnit, float* values, int count, float deleteValue) {
    return convertArray(vnk::unitConversion(fromUnit, toUnit), values, count, deleteValue);
}

int VNK_CALL vnkConvertItemArrayD(int fromUnit, int toUnit, double* values, int count, double deleteValue) {
    return convertArray(vnk::unitConversion(fromUnit, toUnit), values, count, deleteValue);
}

// Unit conversion of item values between the item's unit and the caller's unit, by the item's
// conversion mode: value arrays on their way into and out of a file (time steps and static
// items) and single figures (statistics).
#pragma once

#include <cstdint>
#include <type_traits>

#include "src/gbx/common/gbxmodel.h"
#include "vnk/vnk.h"

enum class GbxValueDirection {
    FromCaller,  // writing: the caller's unit into the item's unit
    ToCaller     // reading: the item's unit into the caller's unit
};

// The delete values that a conversion leaves as they are.
struct GbxDeleteValues {
    float asFloat;
    double asDouble;
};

// The delete values of a header's float and double values.
inline GbxDeleteValues gbxDeleteValuesOf(const GbxHeader* header) {
    return {header->deleteValueFloat, header->deleteValueDouble};
}

// True when the item's values are converted: float or double values under a conversion mode.
bool gbxConvertsValues(const GbxItem* item);

// Converts count values of the item's data type in place. Nothing happens for an item that
// does not convert; a conversion the unit library refuses leaves the values as they are.
void gbxConvertValues(const GbxItem* item, void* values, int32_t count, GbxDeleteValues deleteValues,
                      GbxValueDirection direction);

// A copy of the caller's count values converted into the item's unit, which the caller frees
// with std::free; the caller's array is never changed. Null with *code 0 when the item
// converts nothing (the caller's values then go to the file as they are), or with *code 2000
// (reported from module and line) when the copy cannot be allocated.
void* gbxCopyFromCallerUnit(const GbxItem* item, const void* data, int32_t count, GbxDeleteValues deleteValues,
                            int* code, const char* module, int line);

// The unit library's conversions of count float or double values in place: to and from the
// user unit of an item type (or of an axis geometry), and from one unit to another. Values
// equal to deleteValue stay as they are.
template <typename T>
void gbxArrayToUserUnit(int itemType, int unit, T* values, int32_t count, T deleteValue) {
    if constexpr (std::is_same_v<T, float>)
        vnkConvertItemArrayToUserUnitF(itemType, unit, values, count, deleteValue);
    else
        vnkConvertItemArrayToUserUnitD(itemType, unit, values, count, deleteValue);
}

template <typename T>
void gbxArrayFromUserUnit(int itemType, int unit, T* values, int32_t count, T deleteValue) {
    if constexpr (std::is_same_v<T, float>)
        vnkConvertItemArrayFromUserUnitF(itemType, unit, values, count, deleteValue);
    else
        vnkConvertItemArrayFromUserUnitD(itemType, unit, values, count, deleteValue);
}

template <typename T>
void gbxArrayBetweenUnits(int from, int to, T* values, int32_t count, T deleteValue) {
    if constexpr (std::is_same_v<T, float>)
        vnkConvertItemArrayF(from, to, values, count, deleteValue);
    else
        vnkConvertItemArrayD(from, to, values, count, deleteValue);
}

// One figure of the item's unit in the caller's unit. deleteValue stays as it is, so that a
// caller still recognises a figure that could not be formed.
double gbxValueToCallerUnit(const GbxItem* item, double value, double deleteValue);

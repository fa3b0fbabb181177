// Unit conversion of item values by the item's conversion mode (the item type's user unit, or
// the item's conversion unit). Calls the unit library and the checked allocation.
#include "src/gbx/common/gbxvalueunits.h"

#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/lrx/lrxrecord.h"
#include "vnk/vnk.h"

namespace {

template <typename T>
void convertArray(const GbxItem* item, T* values, int32_t count, T deleteValue, GbxValueDirection direction) {
    const bool toCaller = direction == GbxValueDirection::ToCaller;
    if (item->convMode == GBX_CONV_USER_UNIT) {
        if (toCaller)
            gbxArrayToUserUnit(item->itemType, item->unit, values, count, deleteValue);
        else
            gbxArrayFromUserUnit(item->itemType, item->unit, values, count, deleteValue);
    } else if (item->convMode == GBX_CONV_UNIT) {
        if (toCaller)
            gbxArrayBetweenUnits(item->unit, item->convUnit, values, count, deleteValue);
        else
            gbxArrayBetweenUnits(item->convUnit, item->unit, values, count, deleteValue);
    }
}

}  // namespace

bool gbxConvertsValues(const GbxItem* item) {
    const bool floating = item->dataType == LRX_FLOAT || item->dataType == LRX_DOUBLE;
    return floating && (item->convMode == GBX_CONV_USER_UNIT || item->convMode == GBX_CONV_UNIT);
}

void gbxConvertValues(const GbxItem* item, void* values, int32_t count, GbxDeleteValues deleteValues,
                      GbxValueDirection direction) {
    if (!gbxConvertsValues(item)) return;
    if (item->dataType == LRX_FLOAT)
        convertArray(item, static_cast<float*>(values), count, deleteValues.asFloat, direction);
    else
        convertArray(item, static_cast<double*>(values), count, deleteValues.asDouble, direction);
}

void* gbxCopyFromCallerUnit(const GbxItem* item, const void* data, int32_t count, GbxDeleteValues deleteValues,
                            int* code, const char* module, int line) {
    *code = 0;
    if (!gbxConvertsValues(item)) return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(lrxSimpSize(item->dataType));
    void* copy = nullptr;
    *code = gbxCheckAlloc(&copy, bytes, module, line);
    if (*code != 0) return nullptr;
    std::memcpy(copy, data, bytes);
    gbxConvertValues(item, copy, count, deleteValues, GbxValueDirection::FromCaller);
    return copy;
}

double gbxValueToCallerUnit(const GbxItem* item, double value, double deleteValue) {
    if (value == deleteValue) return value;
    double out = value;
    switch (item->convMode) {
        case GBX_CONV_USER_UNIT:
            vnkConvertToUserUnit(item->itemType, item->unit, value, &out);
            return out;
        case GBX_CONV_UNIT:
            vnkConvertUnit(item->unit, value, item->convUnit, &out);
            return out;
        default:
            return value;
    }
}

// Unit conversion of item values on their way into and out of a data file: float and double
// items by their conversion mode (1 the item type's user unit, 2 the item's conversion unit).
// Calls the unit library and the checked allocation.
#include <cstring>

#include "src/gbx/gbxalloc.h"
#include "src/gbx/gbxcheck.h"
#include "src/gbx/gbxtimestep.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxtimestep";

bool converts(const GbxItem* item) {
    const bool numeric = item->dataType == LRX_FLOAT || item->dataType == LRX_DOUBLE;
    return numeric && (item->convMode == GBX_CONV_USER_UNIT || item->convMode == GBX_CONV_UNIT);
}

void fromCallerUnit(const GbxHeader* header, const GbxItem* item, void* values, int32_t count) {
    if (item->dataType == LRX_FLOAT) {
        auto* floats = static_cast<float*>(values);
        if (item->convMode == GBX_CONV_USER_UNIT)
            vnkConvertItemArrayFromUserUnitF(item->itemType, item->unit, floats, count, header->deleteValueFloat);
        else
            vnkConvertItemArrayF(item->convUnit, item->unit, floats, count, header->deleteValueFloat);
    } else {
        auto* doubles = static_cast<double*>(values);
        if (item->convMode == GBX_CONV_USER_UNIT)
            vnkConvertItemArrayFromUserUnitD(item->itemType, item->unit, doubles, count, header->deleteValueDouble);
        else
            vnkConvertItemArrayD(item->convUnit, item->unit, doubles, count, header->deleteValueDouble);
    }
}

}  // namespace

void* gbxCopyFromCallerUnit(GbxHeader* header, const GbxStepItem& step, const void* data, int* code) {
    *code = 0;
    if (!converts(step.item)) return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(step.callerCount) * static_cast<std::size_t>(step.valueSize);
    void* copy = nullptr;
    *code = gbxCheckAlloc(&copy, bytes, kModule, __LINE__);
    if (*code != 0) return nullptr;
    std::memcpy(copy, data, bytes);
    fromCallerUnit(header, step.item, copy, step.callerCount);
    return copy;
}

void gbxConvertToCallerUnit(const GbxHeader* header, const GbxItem* item, void* data, int32_t count) {
    if (!converts(item)) return;
    if (item->dataType == LRX_FLOAT) {
        auto* floats = static_cast<float*>(data);
        if (item->convMode == GBX_CONV_USER_UNIT)
            vnkConvertItemArrayToUserUnitF(item->itemType, item->unit, floats, count, header->deleteValueFloat);
        else
            vnkConvertItemArrayF(item->unit, item->convUnit, floats, count, header->deleteValueFloat);
    } else {
        auto* doubles = static_cast<double*>(data);
        if (item->convMode == GBX_CONV_USER_UNIT)
            vnkConvertItemArrayToUserUnitD(item->itemType, item->unit, doubles, count, header->deleteValueDouble);
        else
            vnkConvertItemArrayD(item->unit, item->convUnit, doubles, count, header->deleteValueDouble);
    }
}

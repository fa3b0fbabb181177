// What an item's definition gives back: names and units (looked up in the unit library or as
// stored), the unit-conversion settings of values and axis coordinates, and the value type.
// Calls the unit library's name lookups, the check functions and the call trace.
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxitem";

// An item read from a file whose definition lacked its name has none; callers get "".
const char* nameOf(const GbxItem* item) {
    return item->name != nullptr ? item->name : "";
}

template <typename T>
void give(T* output, T value) {
    if (output != nullptr) *output = value;
}

const char* itemTypeNameOf(const GbxItem* item) {
    const char* name = nullptr;
    return vnkGetItemTypeKey(item->itemType, &name) != 0 && name != nullptr ? name : "";
}

// The unit's name when the unit library knows the key. Otherwise the item's unit text, which
// is then also turned into a key in *unit (when given); without a text the empty text.
const char* unitNameOf(const GbxItem* item, int* unit) {
    const char* name = nullptr;
    if (vnkGetUnitKey(item->unit, &name) != 0 && name != nullptr) return name;
    if (item->unitText == nullptr) return "";
    if (unit != nullptr) vnkGetUnitTag(item->unitText, unit);
    return item->unitText;
}

int setConversion(const char* callName, GbxItem* item, int32_t GbxItem::*mode, int32_t GbxItem::*unit, int modeValue,
                  int unitValue) {
    GbxCall call(callName);
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    item->*mode = modeValue;
    item->*unit = unitValue;
    return call.result(0);
}

int getConversion(const char* callName, GbxItem* item, int32_t GbxItem::*mode, int32_t GbxItem::*unit, int* modeOut,
                  int* unitOut) {
    GbxCall call(callName);
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    give(modeOut, static_cast<int>(item->*mode));
    give(unitOut, static_cast<int>(item->*unit));
    return call.result(0);
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxGetItemInfo(GbxItem* item, int* itemType, const char** itemTypeName, const char** name,
                                       int* unit, const char** unitName, int* dataType) {
    GbxCall call("gbxGetItemInfo");
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    give(name, nameOf(item));
    give(dataType, static_cast<int>(item->dataType));
    give(itemType, static_cast<int>(item->itemType));
    give(itemTypeName, itemTypeNameOf(item));
    give(unit, static_cast<int>(item->unit));
    give(unitName, unitNameOf(item, unit));
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxGetItemInfo_(GbxItem* item, int* itemType, const char** name, const char** unitText,
                                        int* dataType) {
    GbxCall call("gbxGetItemInfo_");
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    give(itemType, static_cast<int>(item->itemType));
    give(name, nameOf(item));
    give(unitText, static_cast<const char*>(item->unitText));
    give(dataType, static_cast<int>(item->dataType));
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxSetItemUnitConversion(GbxItem* item, int mode, int unit) {
    return setConversion("gbxSetItemUnitConversion", item, &GbxItem::convMode, &GbxItem::convUnit, mode, unit);
}

LRX_EXPORT int LRX_CALL gbxGetItemUnitConversion(GbxItem* item, int* mode, int* unit) {
    return getConversion("gbxGetItemUnitConversion", item, &GbxItem::convMode, &GbxItem::convUnit, mode, unit);
}

LRX_EXPORT int LRX_CALL gbxSetItemAxisUnitConversion(GbxItem* item, int mode, int unit) {
    return setConversion("gbxSetItemAxisUnitConversion", item, &GbxItem::axisConvMode, &GbxItem::axisConvUnit, mode,
                         unit);
}

LRX_EXPORT int LRX_CALL gbxGetItemAxisUnitConversion(GbxItem* item, int* mode, int* unit) {
    return getConversion("gbxGetItemAxisUnitConversion", item, &GbxItem::axisConvMode, &GbxItem::axisConvUnit, mode,
                         unit);
}

LRX_EXPORT int LRX_CALL gbxSetItemValueType(GbxItem* item, int valueType) {
    GbxCall call("gbxSetItemValueType");
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    item->valueType = valueType;
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxGetItemValueType(GbxItem* item, int* valueType) {
    GbxCall call("gbxGetItemValueType");
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    if (valueType == nullptr)
        return call.result(gbxReportError(nullptr, nullptr, item, F_ERR_USAGE, kModule, __LINE__));
    *valueType = item->valueType;
    return call.result(0);
}

}  // extern "C"

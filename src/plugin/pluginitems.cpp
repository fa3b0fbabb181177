// Builds the item list of a plug-in: per item a copy of a file item, then the plug-in's
// description entries in their fixed order (derived, info, value type, statistics, axis).
// Calls the header's plug-in entries, the item copy and the item and axis helpers; reports
// nothing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "src/gbx/items/gbxaxisshape.h"
#include "src/gbx/items/gbxitem.h"
#include "src/os/osmemory.h"
#include "src/plugin/pluginitems.h"
#include "src/plugin/pluginlibrary.h"

namespace {

// The equidistant axes of 0 to 3 dimensions that gbxExtGetItemAxisType names.
constexpr int32_t kEqAxes[4] = {GBX_EQD0, GBX_EQD1, GBX_EQD2, GBX_EQD3};

// Item `number` starts from the file's item of that number, or from item 1 without its
// statistics and associations; a file without items gives a fresh definition.
int startItem(GbxHeader* header, int32_t number, GbxItem* item) {
    const int32_t fileItems = header->items != nullptr ? std::min(header->fileItemCount, header->noOfItems) : 0;
    if (number <= fileItems) return gbxPluginCopyItem(header->items[number - 1], true, header, item);
    if (fileItems >= 1) return gbxPluginCopyItem(header->items[0], false, header, item);
    const int code = gbxItemInit(item, header->deleteValueFloat);
    item->header = header;
    return code;
}

void markDerived(GbxHeader* header, int32_t number, GbxItem* item) {
    item->isStatic = 0;
    item->isDerived = header->plugin.entries.isItemDerived(header, number);
    if (item->isDerived == 0) return;
    std::free(item->elementStats);
    item->elementStats = nullptr;
    item->statsElements = 0;
    gbxItemFreeAssoc(item);
}

// Replaces *slot by a copy of text; a null text keeps the slot.
bool replaceText(char** slot, const char* text) {
    if (text == nullptr) return true;
    const std::size_t bytes = std::strlen(text) + 1;
    char* copy = static_cast<char*>(lrx::os::allocate(bytes));
    if (copy == nullptr) return false;
    std::memcpy(copy, text, bytes);
    std::free(*slot);
    *slot = copy;
    return true;
}

// *info receives the entry's result. Returns 0 or 2000.
int takeInfo(GbxHeader* header, int32_t number, GbxItem* item, int* info) {
    int itemType = item->itemType, unit = item->unit, dataType = item->dataType, reserved = 0;
    const char* unitText = nullptr;
    const char* name = nullptr;
    *info = header->plugin.entries.getItemInfo(header, number, &itemType, &unitText, &name, &unit, &reserved,
                                               &dataType);
    if (*info != 0) return 0;
    if (!replaceText(&item->name, name) || !replaceText(&item->unitText, unitText)) return F_ERR_MEMORY;
    item->itemType = itemType;
    item->unit = unit;
    item->dataType = dataType;
    return 0;
}

void takeValueType(GbxHeader* header, int32_t number, GbxItem* item, int info) {
    if (header->plugin.entries.getItemValueType == nullptr) return;
    int reserved = 0;
    const int valueType = header->plugin.entries.getItemValueType(header, number, &reserved);
    if (info == 0 && valueType >= 0 && valueType <= 3) item->valueType = valueType;
}

int takeStats(GbxHeader* header, int32_t number, GbxItem* item) {
    if (header->plugin.entries.getItemStatsGlobal == nullptr) return 0;
    double min = item->minValue, max = item->maxValue;
    const double count = item->deleteCount;
    int deleteCount = count >= 0 && count <= INT32_MAX ? static_cast<int>(count) : 0;
    const int code = header->plugin.entries.getItemStatsGlobal(header, number, &min, &max, &deleteCount);
    if (code != 0) return code;
    item->minValue = min;
    item->maxValue = max;
    item->deleteCount = deleteCount;
    return 0;
}

// Returns -1 for an axis the plug-in cannot have, else 0 with *entry the axis entry's result.
int takeAxis(GbxHeader* header, int32_t number, GbxItem* item, int* entry) {
    const GbxPluginEntries& entries = header->plugin.entries;
    *entry = 0;
    if (entries.getItemAxisType == nullptr) return 0;
    const int type = entries.getItemAxisType(header, number);
    if (type < 0 || type > 3) return GBX_PLUGIN_REFUSED;
    // An equidistant axis has no coordinate arrays: those of the copied axis go.
    gbxItemFreeAxisArrays(item);
    item->axisType = kEqAxes[type];
    int unit = item->axisUnit, reserved = 0;
    int sizes[3] = {item->axis.sizes[0], item->axis.sizes[1], item->axis.sizes[2]};
    float origins[3] = {item->axis.origins[0], item->axis.origins[1], item->axis.origins[2]};
    float spacings[3] = {item->axis.spacings[0], item->axis.spacings[1], item->axis.spacings[2]};
    *entry = entries.getItemAxisEq(header, number, &unit, &reserved, sizes, origins, spacings);
    if (*entry != 0) return 0;
    // The rest of the library counts elements in 32 bits: sizes beyond that are refused.
    const GbxAxisShape* shape = gbxAxisShapeOf(item->axisType);
    int32_t wanted[4] = {sizes[0], sizes[1], sizes[2], 1};
    if (!gbxAxisSizesPositive(*shape, wanted) || !gbxAxisCountsFit(*shape, wanted)) return GBX_PLUGIN_REFUSED;
    item->axisUnit = unit;
    for (int d = 0; d < shape->dims; ++d) {
        item->axis.sizes[d] = sizes[d];
        item->axis.origins[d] = origins[d];
        item->axis.spacings[d] = spacings[d];
    }
    return 0;
}

// Returns 0, -1 or 2000; *entryError becomes the result of each failing entry.
int describeItem(GbxHeader* header, int32_t number, GbxItem* item, int* entryError) {
    int code = startItem(header, number, item);
    if (code != 0) return code;
    markDerived(header, number, item);
    int info = 0;
    if ((code = takeInfo(header, number, item, &info)) != 0) return code;
    if (info != 0) *entryError = info;
    takeValueType(header, number, item, info);
    if (const int stats = takeStats(header, number, item)) *entryError = stats;
    int axis = 0;
    if ((code = takeAxis(header, number, item, &axis)) != 0) return code;
    if (axis != 0) *entryError = axis;
    return 0;
}

}  // namespace

int gbxPluginDescribeItems(GbxHeader* header, GbxItem** items, int32_t* count, int* entryError) {
    const int n = header->plugin.entries.getNoOfItems(header);
    if (n < 0) return GBX_PLUGIN_REFUSED;
    GbxItem* list = nullptr;
    if (n > 0 && (list = static_cast<GbxItem*>(lrx::os::allocateZeroed(static_cast<std::size_t>(n), sizeof(GbxItem)))) == nullptr)
        return F_ERR_MEMORY;
    *entryError = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (const int code = describeItem(header, i + 1, &list[i], entryError)) {
            // Items after i are still zero-filled: destroying them frees nothing.
            gbxPluginFreeItems(list, i + 1);
            return code;
        }
    }
    *items = list;
    *count = n;
    return 0;
}

// Item records: initialisation, reset and release of what an item owns, and the access to the
// items of a header by number. Calls the check functions and the call trace.
#include "src/gbx/items/gbxitem.h"

#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/os/osmemory.h"

namespace {

constexpr const char* kModule = "gbxitem";

char* emptyText() {
    return static_cast<char*>(lrx::os::allocateZeroed(1, 1));
}

void setUnsetGeometry(GbxItem* item, float value) {
    for (int i = 0; i < 3; ++i) {
        item->refCoords[i] = value;
        item->orientation[i] = value;
    }
}

// Clears the item but its statistics storage (or static values) and associated statics, which survive a reset
// or init, and (with keepStatic) its static flag.
void clearKeeping(GbxItem* item, bool keepStatic) {
    const int32_t isStatic = item->isStatic;
    double* elementStats = item->elementStats;
    const int32_t statsElements = item->statsElements;
    const int64_t valueBytes = item->valueBytes;
    GbxAssocStatic* assocStatics = item->assocStatics;
    *item = GbxItem{};
    if (keepStatic) item->isStatic = isStatic;
    item->elementStats = elementStats;
    item->statsElements = statsElements;
    item->valueBytes = valueBytes;
    item->assocStatics = assocStatics;
}

}  // namespace

void gbxItemFreeAxisArrays(GbxItem* item) {
    GbxAxis& axis = item->axis;
    if (axis.owner) {
        std::free(axis.points);
        for (double*& coords : axis.coords)
            std::free(coords);
    }
    axis.points = nullptr;
    for (double*& coords : axis.coords)
        coords = nullptr;
    axis.owner = 0;
    axis.converted = 0;
}

int gbxItemInit(GbxItem* item, float deleteValue) {
    if (item == nullptr) return F_ERR_USAGE;
    clearKeeping(item, false);
    item->name = emptyText();
    item->unitText = emptyText();
    setUnsetGeometry(item, deleteValue);
    item->axisType = GBX_AXIS_NONE;
    return item->name != nullptr && item->unitText != nullptr ? 0 : F_ERR_MEMORY;
}

void gbxItemReset(GbxItem* item) {
    if (item == nullptr) return;
    std::free(item->name);
    std::free(item->unitText);
    gbxItemFreeAxisArrays(item);
    clearKeeping(item, true);
    setUnsetGeometry(item, gbxDefaultDeleteFloat());
}

void gbxItemFreeAssoc(GbxItem* item) {
    if (item == nullptr) return;
    for (GbxAssocStatic* node = item->assocStatics; node != nullptr;) {
        GbxAssocStatic* next = node->next;
        std::free(node);
        node = next;
    }
    item->assocStatics = nullptr;
}

void gbxItemDestroyContents(GbxItem* item) {
    if (item == nullptr) return;
    gbxItemReset(item);
    std::free(item->elementStats);
    item->elementStats = nullptr;
    item->statsElements = 0;
    item->valueBytes = 0;
    gbxItemFreeAssoc(item);
}

int gbxIsValidAxisType(int code) {
    return code >= GBX_AXIS_NONE && code <= GBX_EQD4 ? 1 : 0;
}

int gbxItemIsStatic(GbxItem* item) {
    return item != nullptr ? item->isStatic : 0;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxGetNoOfItems(GbxHeader* header) {
    GbxCall call("gbxGetNoOfItems");
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    return call.value(code == 0 ? header->noOfItems : 0, code);
}

LRX_EXPORT GbxItem* LRX_CALL gbxItemD(GbxHeader* header, int itemNo) {
    if (gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__) != 0) return nullptr;
    return header->items != nullptr ? &header->items[itemNo - 1] : nullptr;
}

LRX_EXPORT GbxItem* LRX_CALL gbxItemS(GbxVector* vector) {
    return gbxCheckVector(vector, kModule, __LINE__) == 0 ? vector : nullptr;
}

}  // extern "C"

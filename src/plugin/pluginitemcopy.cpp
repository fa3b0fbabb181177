// Deep copies of item definitions for the item list of a plug-in: the new list shares nothing
// with the list it replaces. Calls the item record and axis-shape helpers only; reports
// nothing.
#include <cstdlib>
#include <cstring>

#include "src/gbx/items/gbxaxisshape.h"
#include "src/gbx/items/gbxitem.h"
#include "src/os/osmemory.h"
#include "src/plugin/pluginitems.h"

namespace {

void* copyBytes(const void* source, std::size_t bytes) {
    void* copy = lrx::os::allocate(bytes);
    if (copy != nullptr) std::memcpy(copy, source, bytes);
    return copy;
}

// A missing text becomes the empty text, as a fresh item has.
char* copyText(const char* text) {
    if (text == nullptr) text = "";
    return static_cast<char*>(copyBytes(text, std::strlen(text) + 1));
}

bool copyAxisArrays(const GbxItem& from, GbxItem* to) {
    const GbxAxisShape* shape = gbxAxisShapeOf(from.axisType);
    if (shape == nullptr) return true;
    for (int i = 0; i < gbxAxisArrayCount(*shape); ++i) {
        const void* source = gbxAxisArray(from.axis, *shape, i);
        const int64_t length = gbxAxisArrayLength(*shape, from.axis.sizes, i);
        if (source == nullptr || length <= 0) continue;
        void* copy = copyBytes(source, static_cast<std::size_t>(length) * gbxAxisArrayElementSize(*shape));
        if (copy == nullptr) return false;
        gbxAxisSetArray(to->axis, *shape, i, copy);
    }
    return true;
}

// Nine statistics per element of a dynamic item.
bool copyElementStats(const GbxItem& from, GbxItem* to) {
    if (from.isStatic != 0 || from.elementStats == nullptr || from.statsElements <= 0) return true;
    const std::size_t bytes = static_cast<std::size_t>(from.statsElements) * 9 * sizeof(double);
    to->elementStats = static_cast<double*>(copyBytes(from.elementStats, bytes));
    if (to->elementStats == nullptr) return false;
    to->statsElements = from.statsElements;
    return true;
}

bool copyAssocStatics(const GbxItem& from, GbxItem* to) {
    GbxAssocStatic** tail = &to->assocStatics;
    for (const GbxAssocStatic* node = from.assocStatics; node != nullptr; node = node->next) {
        *tail = static_cast<GbxAssocStatic*>(lrx::os::allocateZeroed(1, sizeof(GbxAssocStatic)));
        if (*tail == nullptr) return false;
        (*tail)->number = node->number;
        tail = &(*tail)->next;
    }
    return true;
}

}  // namespace

int gbxPluginCopyItem(const GbxItem& from, bool whole, GbxHeader* header, GbxItem* to) {
    *to = from;
    to->name = to->unitText = nullptr;
    to->axis.points = nullptr;
    for (double*& coords : to->axis.coords)
        coords = nullptr;
    to->axis.owner = 1;
    to->elementStats = nullptr;
    to->statsElements = 0;
    to->valueBytes = 0;
    to->assocStatics = nullptr;
    to->header = header;
    to->name = copyText(from.name);
    to->unitText = copyText(from.unitText);
    bool copied = to->name != nullptr && to->unitText != nullptr && copyAxisArrays(from, to);
    if (copied && whole) copied = copyElementStats(from, to) && copyAssocStatics(from, to);
    return copied ? 0 : F_ERR_MEMORY;
}

void gbxPluginFreeItems(GbxItem* items, int32_t count) {
    for (int32_t i = 0; i < count && items != nullptr; ++i)
        gbxItemDestroyContents(&items[i]);
    std::free(items);
}

// The element statistics of an item as they stand in the element-statistics block of a header.
// Pure arithmetic on the item and its header; calls the element counts only.
#include "src/gbx/items/gbxstatsblock.h"

#include <algorithm>
#include <cstring>

#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/items/gbxitem.h"

int64_t gbxStoredStatsElements(const GbxItem* item, const GbxHeader* header, int64_t values) {
    if (values < GBX_STATS_ENTRIES || values % GBX_STATS_ENTRIES != 0) return -1;
    const int64_t elements = values / GBX_STATS_ENTRIES;
    const int64_t used = gbxItemElements64(item, header, true);
    if (used < 0) return -1;
    if (elements == used) return elements;
    return header->compressed != 0 && elements <= gbxItemXYZSize64(item) ? elements : -1;
}

void gbxCopyElementStats(const GbxItem* item, double* out, int64_t elements, double deleteValue) {
    const int64_t held = item->elementStats != nullptr ? std::min<int64_t>(item->statsElements, elements) : 0;
    if (held > 0) {
        std::memcpy(out, item->elementStats, static_cast<std::size_t>(held) * GBX_STATS_ENTRIES * sizeof(double));
    }
    gbxResetElementStats(out + held * GBX_STATS_ENTRIES, elements - held, deleteValue);
}

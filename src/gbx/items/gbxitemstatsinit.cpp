// The statistics storage of a dynamic item: nine doubles per element, made afresh whenever the
// item is defined or gets a new axis. Calls the element counts, the check functions, the
// dispatcher and the call trace; the statistics themselves are accumulated elsewhere.
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"

namespace {

constexpr int kEntries = GBX_STATS_ENTRIES;

void freeStats(GbxItem* item) {
    std::free(item->elementStats);
    item->elementStats = nullptr;
    item->statsElements = 0;
}

int allocateStats(GbxItem* item, int32_t elements, double deleteValue, const char* module, int line) {
    if (elements == 0) return 0;
    const std::size_t bytes = static_cast<std::size_t>(elements) * kEntries * sizeof(double);
    void* stats = nullptr;
    if (const int code = gbxCheckAlloc(&stats, bytes, module, line)) return code;
    item->elementStats = static_cast<double*>(stats);
    item->statsElements = elements;
    gbxResetElementStats(item->elementStats, elements, deleteValue);
    return 0;
}

}  // namespace

void gbxResetElementStats(double* stats, int64_t count, double deleteValue) {
    for (int64_t element = 0; element < count; ++element) {
        double* entries = stats + element * kEntries;
        for (int entry = 0; entry < kEntries; ++entry)
            entries[entry] = 0.0;
        entries[GBX_STAT_MAXIMUM] = entries[GBX_STAT_MINIMUM] = entries[GBX_STAT_PREVIOUS] = deleteValue;
    }
}

int InitStats(GbxItem* item, const char* module, int line) {
    GbxCall call("InitStats");
    if (const int code = gbxCheckItem(item, module, line)) return call.result(code);
    freeStats(item);
    GbxHeader* header = item->header;
    if (const int code = gbxCheckHeader(header, module, line)) return call.result(code);
    const int64_t elements = gbxItemElements64(item, header, false);
    if (elements < 0 || elements > std::numeric_limits<int32_t>::max()) {
        return call.result(gbxReportError(nullptr, nullptr, nullptr, F_ERR_DATA, module, line));
    }
    if (gbxKeepsElementStats(header->itemStatsType)) {
        if (const int code =
                allocateStats(item, static_cast<int32_t>(elements), header->deleteValueDouble, module, line)) {
            return call.result(code);
        }
    } else if (header->itemStatsType != GBX_STATS_GLOBAL) {
        return call.result(gbxReportError(nullptr, nullptr, nullptr, F_ERR_DATA, module, line));
    }
    item->maxValue = item->minValue = header->deleteValueDouble;
    item->deleteCount = 0.0;
    return call.result(0);
}

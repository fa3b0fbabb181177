// The statistics queries of items: the item-wide extremes and delete count, and the mean,
// deviation and autocorrelation derived from an element's nine running figures (the update
// after each write is in gbxstatsupdate.cpp). Calls the check functions, the element counts,
// the value unit conversion, the dispatcher and the call trace.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/common/gbxvalueunits.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/items/gbxitemstats.h"
#include "src/gbx/items/gbxstatsblock.h"

namespace {

constexpr const char* kModule = "gbxitemstats";

// The nine entries of element index, or null when the item holds no storage for it.
double* elementEntries(GbxItem* item, int64_t index) {
    if (item->elementStats == nullptr || index < 0 || index >= item->statsElements) return nullptr;
    return item->elementStats + index * GBX_STATS_ENTRIES;
}

// What one element's entries give: D stands for every figure that cannot be formed.
struct ElementSummary {
    double mean;
    double stdDev;
    double autoCorr;
};

ElementSummary summarise(const double* entries, double D) {
    const double n = entries[GBX_STAT_VALID_COUNT];
    const double p = entries[GBX_STAT_PAIR_COUNT];
    const double mean = n == 0.0 ? D : entries[GBX_STAT_SUM] / n;
    double variance = D;
    double covariance = D;
    if (mean != D) {
        if (n > 1.0) {
            variance = entries[GBX_STAT_SUM_OF_SQUARES] / (n - 1.0) - n / (n - 1.0) * mean * mean;
            // Rounding of the sums can leave a constant series slightly below 0.
            if (variance < 0.0) variance = 0.0;
        }
        if (p != 0.0) covariance = entries[GBX_STAT_SUM_OF_PAIR_PRODUCTS] / p - mean * mean;
    }
    if (variance == D) return {mean, D, D};
    const double autoCorr = covariance == D || variance == 0.0 ? D : covariance / variance;
    return {mean, std::sqrt(variance), autoCorr};
}

// A spread (standard deviation) in the caller's unit: a difference of two readings, so the
// offset of a unit (degrees Celsius to Fahrenheit) cancels and only the scale applies.
double spreadToCallerUnit(const GbxItem* item, double spread, double deleteValue) {
    if (spread == deleteValue) return spread;
    return gbxValueToCallerUnit(item, spread, deleteValue) - gbxValueToCallerUnit(item, 0.0, deleteValue);
}

// A count kept as a double, truncated to an integer. Counts come from files too, so values
// beyond the int range (or not a number) are bounded instead of converted out of range.
int truncatedCount(double count) {
    if (std::isnan(count)) return 0;
    if (count >= 2147483647.0) return std::numeric_limits<int>::max();
    if (count <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(count);
}

template <typename T>
void give(T* output, T value) {
    if (output != nullptr) *output = value;
}

// The checks of gbxGetItemStats after the handles: statistics type, then the element and its
// storage. Reports with the header and returns the code.
int checkElement(GbxHeader* header, GbxItem* item, int element) {
    if (header->itemStatsType == GBX_STATS_GLOBAL) return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    if (!gbxKeepsElementStats(header->itemStatsType)) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
    if (element < 0 || element >= gbxGetUsedItemElements(item) || elementEntries(item, element) == nullptr) {
        return GBX_REPORT(header, nullptr, nullptr, F_ERR_ELEMENT_NO);
    }
    return 0;
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxGetItemStatsGlobal(GbxItem* item, double* min, double* max, int* deleteCount) {
    GbxCall call("gbxGetItemStatsGlobal");
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    // A defined item's header holds the delete value that marks unset extremes. An item without
    // a header has none: NaN equals nothing, so its extremes are all converted.
    const double deleteValue =
        item->header != nullptr ? item->header->deleteValueDouble : std::numeric_limits<double>::quiet_NaN();
    give(min, gbxValueToCallerUnit(item, item->minValue, deleteValue));
    give(max, gbxValueToCallerUnit(item, item->maxValue, deleteValue));
    // The count is a double; 0.1 guards against a sum that fell just short of a whole number.
    give(deleteCount, truncatedCount(item->deleteCount + 0.1));
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxGetItemStats(GbxHeader* header, int itemNo, int element, double* min, double* max,
                                        double* mean, double* stdDev, double* autoCorr, int* validCount,
                                        int* deleteCount, int* pairCount) {
    GbxCall call("gbxGetItemStats %d %d", itemNo, element);
    // A file of the legacy family keeps no statistics. The call then ends without its "[%d]"
    // exit line; its name leaves the trace's name stack silently.
    if (!gbxFamilyOfHeader(header).keepsStatistics) return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    if (const int code = gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__)) return call.result(code);
    GbxItem* item = &header->items[itemNo - 1];
    if (const int code = checkElement(header, item, element)) return call.result(code);

    const double D = gbxGetDeleteValDouble(header);
    const double* entries = elementEntries(item, element);
    const ElementSummary summary = summarise(entries, D);
    give(min, gbxValueToCallerUnit(item, entries[GBX_STAT_MINIMUM], D));
    give(max, gbxValueToCallerUnit(item, entries[GBX_STAT_MAXIMUM], D));
    give(mean, gbxValueToCallerUnit(item, summary.mean, D));
    give(stdDev, spreadToCallerUnit(item, summary.stdDev, D));
    give(autoCorr, summary.autoCorr);
    give(validCount, truncatedCount(entries[GBX_STAT_VALID_COUNT]));
    give(deleteCount, truncatedCount(entries[GBX_STAT_DELETE_COUNT]));
    give(pairCount, truncatedCount(entries[GBX_STAT_PAIR_COUNT]));
    return call.result(0);
}

}  // extern "C"

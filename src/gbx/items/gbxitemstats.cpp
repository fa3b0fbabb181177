// Running statistics of items: adding each written time step to an item's extremes and delete
// count and to the nine sums of every element, and the queries that derive mean, deviation and
// autocorrelation from them. Calls the check functions, the element counts, the value unit
// conversion, the dispatcher and the call trace.
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

// The nine statistics of one element, in their stored order.
enum StatsEntry {
    kMaximum = 0,
    kMinimum = 1,
    kSum = 2,
    kSumOfSquares = 3,
    kSumOfPairProducts = 4,
    kPrevious = 5,
    kValidCount = 6,
    kPairCount = 7,
    kDeleteCount = 8
};
static_assert(kDeleteCount + 1 == GBX_STATS_ENTRIES);

// One value of a time step as the statistics take it.
struct Reading {
    bool deleted;
    double value;
};

template <typename T>
T valueAt(const void* values, int64_t index) {
    // Callers' arrays need not be aligned for their type.
    T value;
    std::memcpy(&value, static_cast<const unsigned char*>(values) + index * static_cast<int64_t>(sizeof(T)),
                sizeof value);
    return value;
}

// Value index of the item's data type, compared exactly with the header's delete value of
// that type. dataType must be one of the simple types 1 to 5.
Reading readValue(const GbxHeader* header, int dataType, const void* values, int64_t index) {
    switch (dataType) {
        case LRX_FLOAT: {
            // Compared in the stored precision, with the float delete value itself.
            const float value = valueAt<float>(values, index);
            return {value == header->deleteValueFloat, value};
        }
        case LRX_DOUBLE: {
            const double value = valueAt<double>(values, index);
            return {value == header->deleteValueDouble, value};
        }
        case LRX_BYTE: {
            // Bytes are signed: 200 enters as -56.
            const int8_t value = valueAt<int8_t>(values, index);
            return {value == header->deleteValueByte, static_cast<double>(value)};
        }
        case LRX_INT4: {
            const int32_t value = valueAt<int32_t>(values, index);
            return {value == header->deleteValueInt, static_cast<double>(value)};
        }
        default: {
            const uint32_t value = valueAt<uint32_t>(values, index);
            return {value == header->deleteValueUnsigned, static_cast<double>(value)};
        }
    }
}

bool hasStatisticsDataType(const GbxItem* item) {
    return item->dataType >= LRX_FLOAT && item->dataType <= LRX_UINT4;
}

// The nine entries of element index, or null when the item holds no storage for it.
double* elementEntries(GbxItem* item, int64_t index) {
    if (item->elementStats == nullptr || index < 0 || index >= item->statsElements) return nullptr;
    return item->elementStats + index * GBX_STATS_ENTRIES;
}

// A value equal to the delete value marks an extreme that is still unset.
void takeMaximum(double* extreme, double value, double deleteValue) {
    if (*extreme == deleteValue || value >= *extreme) *extreme = value;
}

void takeMinimum(double* extreme, double value, double deleteValue) {
    if (*extreme == deleteValue || value <= *extreme) *extreme = value;
}

// Counts a delete value; false for a statistics type the header cannot have.
bool addDeleteValue(GbxItem* item, double* entries, int statsType, double deleteValue) {
    item->deleteCount += 1.0;
    if (statsType == GBX_STATS_GLOBAL) return true;
    if (!gbxKeepsElementStats(statsType)) return false;
    if (entries != nullptr) {
        entries[kDeleteCount] += 1.0;
        // A delete value breaks the run of consecutive valid values.
        entries[kPrevious] = deleteValue;
    }
    return true;
}

// Adds a valid value; false for a statistics type the header cannot have.
bool addValidValue(GbxItem* item, double* entries, int statsType, double value, double deleteValue) {
    if (statsType != GBX_STATS_GLOBAL && !gbxKeepsElementStats(statsType)) return false;
    if (statsType != GBX_STATS_GLOBAL && entries != nullptr) {
        takeMaximum(&entries[kMaximum], value, deleteValue);
        takeMinimum(&entries[kMinimum], value, deleteValue);
        entries[kSum] += value;
        entries[kSumOfSquares] += value * value;
        entries[kValidCount] += 1.0;
        if (entries[kPrevious] != deleteValue) {
            entries[kSumOfPairProducts] += value * entries[kPrevious];
            entries[kPairCount] += 1.0;
        }
        entries[kPrevious] = value;
    }
    takeMaximum(&item->maxValue, value, deleteValue);
    takeMinimum(&item->minValue, value, deleteValue);
    return true;
}

// What one element's entries give: D stands for every figure that cannot be formed.
struct ElementSummary {
    double mean;
    double stdDev;
    double autoCorr;
};

ElementSummary summarise(const double* entries, double D) {
    const double n = entries[kValidCount];
    const double p = entries[kPairCount];
    const double mean = n == 0.0 ? D : entries[kSum] / n;
    double variance = D;
    double covariance = D;
    if (mean != D) {
        if (n > 1.0) {
            variance = entries[kSumOfSquares] / (n - 1.0) - n / (n - 1.0) * mean * mean;
            // Rounding of the sums can leave a constant series slightly below 0.
            if (variance < 0.0) variance = 0.0;
        }
        if (p != 0.0) covariance = entries[kSumOfPairProducts] / p - mean * mean;
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

int gbxCalcStatistics(GbxHeader* header, int itemNo, const void* values) {
    GbxCall call("gbxCalcStatistics %d", itemNo);
    if (const int code = gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__)) return call.result(code);
    GbxItem* item = &header->items[itemNo - 1];
    const int elements = gbxGetUsedItemElements(item);
    // Data types outside 1 to 5 have no value size: nothing can be read, nothing is counted.
    if (elements < 1 || !hasStatisticsDataType(item)) {
        call.exit("F_NO_ERROR = OK");
        return 0;
    }
    if (values == nullptr) {
        const int code = GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
        call.exit("F_ERR_DATA");
        return code;
    }
    const double deleteValue = header->deleteValueDouble;
    const int statsType = header->itemStatsType;
    for (int64_t index = 0; index < elements; ++index) {
        const Reading reading = readValue(header, item->dataType, values, index);
        double* entries = elementEntries(item, index);
        const bool added = reading.deleted ? addDeleteValue(item, entries, statsType, deleteValue)
                                           : addValidValue(item, entries, statsType, reading.value, deleteValue);
        if (!added) {
            const int code = GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
            call.exit("F_ERR_DATA");
            return code;
        }
    }
    call.exit("F_NO_ERROR = OK");
    return 0;
}

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
    // exit line; GbxCall closes the entry with a bare exit line so the trace's name stack stays
    // balanced.
    if (!gbxFamilyOfHeader(header).keepsStatistics) return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    if (const int code = gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__)) return call.result(code);
    GbxItem* item = &header->items[itemNo - 1];
    if (const int code = checkElement(header, item, element)) return call.result(code);

    const double D = gbxGetDeleteValDouble(header);
    const double* entries = elementEntries(item, element);
    const ElementSummary summary = summarise(entries, D);
    give(min, gbxValueToCallerUnit(item, entries[kMinimum], D));
    give(max, gbxValueToCallerUnit(item, entries[kMaximum], D));
    give(mean, gbxValueToCallerUnit(item, summary.mean, D));
    give(stdDev, spreadToCallerUnit(item, summary.stdDev, D));
    give(autoCorr, summary.autoCorr);
    give(validCount, truncatedCount(entries[kValidCount]));
    give(deleteCount, truncatedCount(entries[kDeleteCount]));
    give(pairCount, truncatedCount(entries[kPairCount]));
    return call.result(0);
}

}  // extern "C"

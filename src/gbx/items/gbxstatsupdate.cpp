// The statistics update after each written item time step: the item's extremes and delete
// count, and for statistics types 2 and 3 the nine running figures of every element. One pass
// per item and time step, typed once per call; the global extremes of type 1 are taken with
// comparison masks that the compiler vectorises, and the rare inputs whose result would
// depend on the order of equal values (signed zeros, NaN, a value equal to the double delete
// value) take the exact value-by-value path. Calls the check functions and the call trace.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxformat.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/items/gbxitemstats.h"
#include "src/gbx/items/gbxstatsblock.h"

namespace {

constexpr const char* kModule = "gbxitemstats";

// The per-value helpers below run once per value of every time step written: always inline.
#define GBX_PER_VALUE inline __attribute__((always_inline))

template <typename T>
GBX_PER_VALUE T valueAt(const unsigned char* values, int64_t index) {
    // Callers' arrays need not be aligned for their type.
    T value;
    std::memcpy(&value, values + index * static_cast<int64_t>(sizeof(T)), sizeof value);
    return value;
}

// A value equal to the delete value marks an extreme that is still unset.
GBX_PER_VALUE void takeMaximum(double* extreme, double value, double deleteValue) {
    if (*extreme == deleteValue || value >= *extreme) *extreme = value;
}

GBX_PER_VALUE void takeMinimum(double* extreme, double value, double deleteValue) {
    if (*extreme == deleteValue || value <= *extreme) *extreme = value;
}

// The item-wide figures of one value, in the order the values come.
GBX_PER_VALUE void addToItem(GbxItem* item, bool deleted, double value, double deleteValue) {
    if (deleted) {
        item->deleteCount += 1.0;
        return;
    }
    takeMaximum(&item->maxValue, value, deleteValue);
    takeMinimum(&item->minValue, value, deleteValue);
}

// The nine running figures of one element, written with selects instead of branches on the
// value: a delete value leaves the sums as they are and breaks the run of consecutive valid
// values.
GBX_PER_VALUE void addToElement(double* e, bool deleted, double value, double deleteValue) {
    const bool valid = !deleted;
    const double previous = e[GBX_STAT_PREVIOUS];
    const bool pair = valid && previous != deleteValue;
    const double maximum = e[GBX_STAT_MAXIMUM];
    const double minimum = e[GBX_STAT_MINIMUM];
    e[GBX_STAT_MAXIMUM] = valid && (maximum == deleteValue || value >= maximum) ? value : maximum;
    e[GBX_STAT_MINIMUM] = valid && (minimum == deleteValue || value <= minimum) ? value : minimum;
    e[GBX_STAT_SUM] = valid ? e[GBX_STAT_SUM] + value : e[GBX_STAT_SUM];
    e[GBX_STAT_SUM_OF_SQUARES] = valid ? e[GBX_STAT_SUM_OF_SQUARES] + value * value : e[GBX_STAT_SUM_OF_SQUARES];
    e[GBX_STAT_SUM_OF_PAIR_PRODUCTS] =
        pair ? e[GBX_STAT_SUM_OF_PAIR_PRODUCTS] + value * previous : e[GBX_STAT_SUM_OF_PAIR_PRODUCTS];
    e[GBX_STAT_PREVIOUS] = valid ? value : deleteValue;
    e[GBX_STAT_VALID_COUNT] = valid ? e[GBX_STAT_VALID_COUNT] + 1.0 : e[GBX_STAT_VALID_COUNT];
    e[GBX_STAT_PAIR_COUNT] = pair ? e[GBX_STAT_PAIR_COUNT] + 1.0 : e[GBX_STAT_PAIR_COUNT];
    e[GBX_STAT_DELETE_COUNT] = valid ? e[GBX_STAT_DELETE_COUNT] : e[GBX_STAT_DELETE_COUNT] + 1.0;
}

// The values of one time step as the update reads them: typed, with the delete value of
// their type.
template <typename T>
struct StepValues {
    const unsigned char* bytes;
    int64_t count;
    T deleteValue;
    T at(int64_t index) const { return valueAt<T>(bytes, index); }
};

template <typename T>
void addExactly(GbxItem* item, const StepValues<T>& step, double deleteValue) {
    for (int64_t i = 0; i < step.count; ++i) {
        const T value = step.at(i);
        addToItem(item, value == step.deleteValue, static_cast<double>(value), deleteValue);
    }
}

template <typename T>
GBX_PER_VALUE bool isNotANumber(T value) {
    if constexpr (std::is_floating_point_v<T>) {
        return value != value;
    } else {
        return false;
    }
}

// What one pass over a step finds for the item-wide figures.
template <typename T>
struct Scan {
    T lowest;
    T highest;
    int64_t deletes;
    int64_t irregular;  // values that need the value-by-value rule: NaN, the double delete value
};

// The limits of a scan and the double delete value as a value of type T, when it is one.
template <typename T>
struct ScanLimits {
    T top;
    T bottom;
    T deleteAsValue;
    bool deleteIsValue;

    explicit ScanLimits(double deleteValue) {
        constexpr bool floating = std::is_floating_point_v<T>;
        top = floating ? std::numeric_limits<T>::infinity() : std::numeric_limits<T>::max();
        bottom = floating ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::lowest();
        // An integer type holds the delete value only when it is a whole number in its range.
        deleteIsValue = floating || (deleteValue >= static_cast<double>(std::numeric_limits<T>::lowest()) &&
                                     deleteValue <= static_cast<double>(std::numeric_limits<T>::max()) &&
                                     deleteValue == static_cast<double>(static_cast<int64_t>(deleteValue)));
        deleteAsValue = deleteIsValue ? static_cast<T>(deleteValue) : T(0);
        deleteIsValue = deleteIsValue && static_cast<double>(deleteAsValue) == deleteValue;
    }
};

template <typename T>
void scanScalar(const StepValues<T>& step, int64_t from, const ScanLimits<T>& limits, Scan<T>& scan) {
    for (int64_t i = from; i < step.count; ++i) {
        const T value = step.at(i);
        const bool deleted = value == step.deleteValue;
        scan.deletes += deleted ? 1 : 0;
        scan.irregular +=
            isNotANumber(value) || (!deleted && limits.deleteIsValue && value == limits.deleteAsValue) ? 1 : 0;
        const T low = deleted ? limits.top : value;
        const T high = deleted ? limits.bottom : value;
        scan.lowest = low < scan.lowest ? low : scan.lowest;
        scan.highest = high > scan.highest ? high : scan.highest;
    }
}

// The bulk of a float or double step, a vector of lanes at a time (the compiler's vector
// extension: SSE, AVX or whatever the target offers). Returns where the scalar tail begins.
template <typename T>
int64_t scanLanes(const StepValues<T>& step, const ScanLimits<T>& limits, Scan<T>& scan) {
    using Lane = std::conditional_t<sizeof(T) == 4, int32_t, int64_t>;
    constexpr int kLanes = 16 / sizeof(T);
    typedef T Values __attribute__((vector_size(16)));
    typedef Lane Mask __attribute__((vector_size(16)));
    const int64_t bulk = step.count - step.count % kLanes;
    if (bulk == 0) return 0;
    const Values deleteValue = step.deleteValue - Values{};
    const Values deleteAsValue = limits.deleteAsValue - Values{};
    const Values top = limits.top - Values{};
    const Values bottom = limits.bottom - Values{};
    const Mask deleteIsValue = (limits.deleteIsValue ? Lane(-1) : Lane(0)) - Mask{};
    Values lowest = top;
    Values highest = bottom;
    Mask deletes{};
    Mask irregular{};
    for (int64_t i = 0; i < bulk; i += kLanes) {
        Values v;
        std::memcpy(&v, step.bytes + i * static_cast<int64_t>(sizeof(T)), sizeof v);
        const Mask deleted = v == deleteValue;
        deletes -= deleted;
        irregular |= (v != v) | (~deleted & deleteIsValue & (v == deleteAsValue));
        const Values low = deleted ? top : v;
        const Values high = deleted ? bottom : v;
        lowest = low < lowest ? low : lowest;
        highest = high > highest ? high : highest;
    }
    for (int lane = 0; lane < kLanes; ++lane) {
        scan.deletes += deletes[lane];
        scan.irregular += irregular[lane] != 0 ? 1 : 0;
        scan.lowest = lowest[lane] < scan.lowest ? lowest[lane] : scan.lowest;
        scan.highest = highest[lane] > scan.highest ? highest[lane] : scan.highest;
    }
    return bulk;
}

template <typename T>
Scan<T> scanStep(const StepValues<T>& step, double deleteValue) {
    const ScanLimits<T> limits(deleteValue);
    Scan<T> scan{limits.top, limits.bottom, 0, 0};
    int64_t from = 0;
    if constexpr (std::is_floating_point_v<T>) from = scanLanes(step, limits, scan);
    scanScalar(step, from, limits, scan);
    return scan;
}

// Statistics type 1: the extremes and the delete count over the whole step. The scan gives the
// same figures as the value-by-value rule whenever no two values that compare equal can differ
// in their bits (only zeros can) and no value is NaN or equal to the double delete value; such
// steps, which would make the rule depend on the order of the values, take the rule itself.
template <typename T>
void addGlobal(GbxItem* item, const StepValues<T>& step, double deleteValue) {
    // A few values (a time series) are quickest taken one by one.
    constexpr int64_t kFewValues = 16;
    if (step.count < kFewValues) {
        addExactly(item, step, deleteValue);
        return;
    }
    const Scan<T> scan = scanStep(step, deleteValue);
    const bool anyValid = scan.deletes < step.count;
    const bool zeroExtreme = std::is_floating_point_v<T> && (scan.lowest == T(0) || scan.highest == T(0));
    if (scan.irregular != 0 || (anyValid && zeroExtreme)) {
        addExactly(item, step, deleteValue);
        return;
    }
    item->deleteCount += static_cast<double>(scan.deletes);
    if (!anyValid) return;
    takeMaximum(&item->maxValue, static_cast<double>(scan.highest), deleteValue);
    takeMinimum(&item->minValue, static_cast<double>(scan.lowest), deleteValue);
}

// Statistics types 2 and 3: every element's figures, value by value, then the item's figures
// as for type 1. Elements beyond the item's statistics storage count for the item only.
template <typename T>
void addPerElement(GbxItem* item, const StepValues<T>& step, double deleteValue) {
    const int64_t held = item->elementStats != nullptr ? std::min<int64_t>(step.count, item->statsElements) : 0;
    double* entries = item->elementStats;
    for (int64_t i = 0; i < held; ++i) {
        const T value = step.at(i);
        addToElement(entries + i * GBX_STATS_ENTRIES, value == step.deleteValue, static_cast<double>(value),
                     deleteValue);
    }
    addGlobal(item, step, deleteValue);
}

template <typename T>
int addStep(GbxHeader* header, GbxItem* item, const void* values, int64_t count, T typeDeleteValue) {
    const StepValues<T> step{static_cast<const unsigned char*>(values), count, typeDeleteValue};
    const double deleteValue = header->deleteValueDouble;
    switch (header->itemStatsType) {
        case GBX_STATS_GLOBAL:
            addGlobal(item, step, deleteValue);
            return 0;
        case GBX_STATS_PER_ELEMENT:
        case GBX_STATS_PER_ELEMENT_AND_TIME:
            addPerElement(item, step, deleteValue);
            return 0;
        default:
            // A statistics type the header cannot have: the first value is refused, a delete
            // value after it is counted.
            if (step.at(0) == typeDeleteValue) item->deleteCount += 1.0;
            return F_ERR_DATA;
    }
}

// Dispatches on the item's data type once per call. Bytes are signed: 200 enters as -56.
int addValues(GbxHeader* header, GbxItem* item, const void* values, int64_t count) {
    switch (item->dataType) {
        case LRX_FLOAT:
            return addStep<float>(header, item, values, count, header->deleteValueFloat);
        case LRX_DOUBLE:
            return addStep<double>(header, item, values, count, header->deleteValueDouble);
        case LRX_BYTE:
            return addStep<int8_t>(header, item, values, count, header->deleteValueByte);
        case LRX_INT4:
            return addStep<int32_t>(header, item, values, count, header->deleteValueInt);
        default:
            return addStep<uint32_t>(header, item, values, count, header->deleteValueUnsigned);
    }
}

bool hasStatisticsDataType(const GbxItem* item) {
    return item->dataType >= LRX_FLOAT && item->dataType <= LRX_UINT4;
}

}  // namespace

int gbxAddStepStatistics(GbxHeader* header, GbxItem* item, const void* values, int64_t count) {
    return addValues(header, item, values, count);
}

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
    if (gbxAddStepStatistics(header, item, values, elements) != 0) {
        const int code = GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
        call.exit("F_ERR_DATA");
        return code;
    }
    call.exit("F_NO_ERROR = OK");
    return 0;
}

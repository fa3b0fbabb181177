// Writing a legacy pair's data file: records appended in order, static records before the
// first time step, and the running statistics of each item updated from every dynamic record
// written. Calls the table, the legacy streams and the item size queries.
#include <cstring>

#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacy.h"
#include "src/legacy/legacystream.h"
#include "src/legacy/legacytable.h"

namespace lrx::legacy {

namespace {

constexpr int kNotRepresentable = GBX_LEGACY_NOT_REPRESENTABLE;

void addValue(RunningStats& running, float value, bool zeroDims) {
    if (value < running.minimum) running.minimum = value;
    if (value > running.maximum) running.maximum = value;
    running.sum += value;
    running.valid += 1;
    if (!zeroDims) return;
    running.sumSquares += static_cast<double>(value) * value;
    running.sumProducts += static_cast<double>(value) * running.previous;
    running.previous = value;
}

void updateStatistics(RunningStats& running, const float* values, int64_t count, float deleteValue, bool zeroDims) {
    for (int64_t i = 0; i < count; ++i) {
        if (values[i] == deleteValue)
            running.deletes += 1;
        else
            addValue(running, values[i], zeroDims);
    }
}

// Appends one record of R floats: 0, or -1 when the pair is not open for writing, the count is
// not R, or the write fails. After a failed write the pair takes no further record, so that
// nothing is stored behind a gap.
int writeRecord(GbxLegacyState& state, const float* values, int64_t count) {
    GbxLegacySlot* slot = slotOf(state, true);
    if (slot == nullptr || slot->failed || values == nullptr || count != recordValues(state)) return -1;
    if (!streamWrite(slot->stream, values, static_cast<std::size_t>(count) * sizeof(float))) {
        slot->failed = true;
        return -1;
    }
    const int64_t statics = intWord(state, kStaticRecords);
    if (slot->nextRecord > statics) {
        const int64_t item = (slot->nextRecord - statics - 1) % intWord(state, kItemCount);
        updateStatistics(slot->running[item], values, count, state.words[kDeleteValue], state.dims == 0);
    }
    ++slot->recordsWritten;
    ++slot->nextRecord;
    return 0;
}

// A static record has item 1's axis and float values; a compressed 3-D grid holds as many
// used values as item 1's first size.
bool staticFits(GbxVector* vector, const GbxItem& first) {
    if (vector->axisType != first.axisType || vector->dataType != LRX_FLOAT) return false;
    const int32_t* a = vector->axis.sizes;
    const int32_t* b = first.axis.sizes;
    switch (vector->axisType) {
        case GBX_EQD0:
            return true;
        case GBX_EQD1:
            return a[0] == b[0];
        case GBX_EQD2:
            return a[0] == b[0] && a[1] == b[1];
        case GBX_EQD4:
            return std::memcmp(a, b, 4 * sizeof(int32_t)) == 0;
        case GBX_EQD3: {
            const int64_t used = gbxItemElements64(vector, vector->header, true);
            return used == gbxItemXYZSize64(vector) || used == b[0];
        }
        default:
            return false;
    }
}

// Words 11 and 20 to 22, which a static write changes.
struct StaticWords {
    float words[4];
};

StaticWords saveStaticWords(const GbxLegacyState& state) {
    return {{state.words[kStaticRecords], state.words[kLastIndex], state.words[kLastIndex + 1],
             state.words[kLastIndex + 2]}};
}

void restoreStaticWords(GbxLegacyState& state, const StaticWords& saved) {
    state.words[kStaticRecords] = saved.words[0];
    for (int d = 0; d < 3; ++d)
        state.words[kLastIndex + d] = saved.words[d + 1];
}

}  // namespace

int writeItem(GbxHeader* header, GbxFile* file, const void* data, int count) {
    GbxLegacyState* state = stateOf(header);
    if (state == nullptr || headerOfHandle(file) != header) return F_ERR_WRITE;
    return writeRecord(*state, static_cast<const float*>(data), count) == 0 ? 0 : F_ERR_WRITE;
}

int writeStatic(GbxVector* vector, GbxFile* file, const void* data) {
    GbxHeader* header = headerOfHandle(file);
    GbxLegacyState* state = stateOf(header);
    if (state == nullptr || vector == nullptr) return F_ERR_USAGE;
    if (data == nullptr) return F_ERR_DATA;
    GbxLegacySlot* slot = slotOf(*state, true);
    if (slot == nullptr) return F_ERR_WRITE;
    if (!staticFits(vector, header->items[0])) return kNotRepresentable;
    // Static records come before the first time step.
    if (slot->nextRecord > intWord(*state, kStaticRecords) + 1) return GBX_LEGACY_STATIC_TOO_LATE;
    const StaticWords saved = saveStaticWords(*state);
    state->words[kStaticRecords] += 1.0f;
    // With encoding keys every record of the file holds the key length.
    if (header->encodeKeySize != 0) {
        state->words[kLastIndex] = static_cast<float>(header->encodeKeySize - 1);
        state->words[kLastIndex + 1] = state->words[kLastIndex + 2] = 0.0f;
    }
    // The record takes R values from the caller's array, which holds the item's used values.
    int code = 0;
    if (gbxItemElements64(vector, vector->header, true) != recordValues(*state))
        code = kNotRepresentable;
    else if (writeRecord(*state, static_cast<const float*>(data), recordValues(*state)) != 0)
        code = F_ERR_WRITE;
    if (code != 0) restoreStaticWords(*state, saved);
    return code;
}

}  // namespace lrx::legacy

// Finishing a legacy pair: the statistics of each item finalised into its group of words, the
// number of complete time steps into word 4, the header file written at flush and close, and
// the in-memory header refreshed. Calls the table, the legacy streams, the header file and the
// header refresh.
#include <cmath>

#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacy.h"
#include "src/legacy/legacybuild.h"
#include "src/legacy/legacyheaderfile.h"
#include "src/legacy/legacystream.h"
#include "src/legacy/legacytable.h"

namespace lrx::legacy {

namespace {

void setGroup(GbxLegacyState& state, int item, double w1, double w2, double w3, double w4, double w5, double w6) {
    const double values[6] = {w1, w2, w3, w4, w5, w6};
    for (int k = 1; k <= 6; ++k)
        state.words[groupWord(item, k)] = static_cast<float>(values[k - 1]);
}

// Mean and delete fraction. The valid values counted while writing give the mean, so that an
// item of an incomplete last time step is averaged over what was written; a pair without
// values has a delete fraction of 0.
void finaliseGrid(GbxLegacyState& state, int item, const RunningStats& r, double deleteValue) {
    const double all = r.valid + r.deletes;
    const double fraction = all > 0 ? r.deletes / all : 0.0;
    if (r.valid > 0)
        setGroup(state, item, r.minimum, r.maximum, r.sum / r.valid, fraction, 0, 0);
    else
        setGroup(state, item, deleteValue, deleteValue, deleteValue, fraction, 0, 0);
}

// Mean, standard deviation, lag-one autocorrelation and the number of delete values.
void finaliseSeries(GbxLegacyState& state, int item, const RunningStats& r, double deleteValue) {
    const double n = r.valid;
    if (n == 0) {
        setGroup(state, item, deleteValue, deleteValue, deleteValue, deleteValue, deleteValue, r.deletes);
        return;
    }
    const double mean = r.sum / n;
    const double variance = r.sumSquares / n - mean * mean;
    if (variance <= 0) {
        setGroup(state, item, r.minimum, r.maximum, mean, 0, deleteValue, r.deletes);
        return;
    }
    const double autoCorrelation = n > 1 ? (r.sumProducts / (n - 1) - mean * mean) / variance : r.sumProducts;
    setGroup(state, item, r.minimum, r.maximum, mean, std::sqrt(variance), autoCorrelation, r.deletes);
}

// Word 4 from the complete time steps, and every item's group finalised.
void finalise(GbxLegacyState& state, const GbxLegacySlot& slot) {
    const int64_t items = intWord(state, kItemCount);
    const int64_t complete = (slot.nextRecord - 1 - intWord(state, kStaticRecords)) / items;
    state.words[kLastStep] = static_cast<float>(complete - 1);
    const double deleteValue = state.words[kDeleteValue];
    for (int item = 1; item <= items; ++item) {
        if (state.dims == 0)
            finaliseSeries(state, item, slot.running[item - 1], deleteValue);
        else
            finaliseGrid(state, item, slot.running[item - 1], deleteValue);
    }
}

}  // namespace

bool isOpenForReading(const GbxHeader* header) {
    const GbxLegacyState* state = stateOf(header);
    return state != nullptr && slotOf(*state, false) != nullptr;
}

int flushPair(GbxHeader* header) {
    GbxLegacyState* state = stateOf(header);
    if (state == nullptr) return F_ERR_USAGE;
    GbxLegacySlot* slot = slotOf(*state, true);
    if (slot == nullptr) return 0;
    // A write that failed earlier leaves the data file short of what the caller gave.
    bool written = streamFlush(slot->stream) && !slot->failed;
    finalise(*state, *slot);
    written = writeHeaderFile(*state) == 0 && written;
    refreshHeader(*state, header);
    return written ? 0 : F_ERR_COMMIT;
}

int closePair(GbxHeader* header, GbxFile** file) {
    int result = -1;
    if (GbxLegacyState* state = stateOf(header); state != nullptr) {
        const GbxLegacySlot* slot = slotOf(*state, true);
        const bool writing = slot != nullptr;
        const bool failed = writing && slot->failed;
        if (writing) finalise(*state, *slot);
        result = state->slot >= 0 && slotRelease(state->slot) && !failed ? 0 : -1;
        state->slot = -1;
        if (writing) {
            if (writeHeaderFile(*state) != 0) result = -1;
            refreshHeader(*state, header);
        }
    }
    // Only the handle of this header is freed.
    if (file != nullptr && *file != nullptr && headerOfHandle(*file) == header) {
        delete reinterpret_cast<GbxLegacyFile*>(*file);
        *file = nullptr;
    }
    return result;
}

}  // namespace lrx::legacy

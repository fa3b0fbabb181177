// Moving through a legacy data file by record numbers and reading records: offsets are
// (record - 1) x R x 4 bytes, computed in 64 bits with an overflow check, so data files past
// 2 GiB work. Calls the table of open pairs, the legacy streams and the byte reversal.
#include <cstddef>

#include "src/legacy/legacystream.h"
#include "src/legacy/legacytable.h"
#include "src/lrx/byteswap.h"

namespace lrx::legacy {

namespace {

constexpr int64_t kFloatBytes = 4;

// The byte offset of a record; false when it overflows or the record does not exist.
bool recordOffset(int64_t record, int64_t values, int64_t* offset) {
    return record >= 1 && values >= 1 && !__builtin_mul_overflow(record - 1, values * kFloatBytes, offset);
}

}  // namespace

int goToRecord(GbxLegacyState& state, int64_t record) {
    GbxLegacySlot* slot = slotOf(state, false);
    int64_t offset = 0;
    if (slot == nullptr || !recordOffset(record, recordValues(state), &offset)) return -1;
    if (!streamSeek(slot->stream, offset)) {
        slot->aligned = false;
        return -1;
    }
    slot->nextRecord = record;
    slot->aligned = true;
    return 0;
}

int readNextRecord(GbxLegacyState& state, float* buffer, int64_t count) {
    GbxLegacySlot* slot = slotOf(state, false);
    const int64_t values = recordValues(state);
    if (slot == nullptr || count != values) return -1;
    if (buffer == nullptr) return goToRecord(state, slot->nextRecord + 1);
    // A short read leaves the stream somewhere inside the record: the next read seeks first.
    if (!slot->aligned && goToRecord(state, slot->nextRecord) != 0) return -1;
    const auto bytes = static_cast<std::size_t>(values * kFloatBytes);
    if (!streamRead(slot->stream, buffer, bytes)) {
        slot->aligned = false;
        return -1;
    }
    if (state.swapped) reverseElements(buffer, kFloatBytes, values);
    ++slot->nextRecord;
    return 0;
}

int goToFirstDynamic(GbxLegacyState& state) {
    return goToRecord(state, int64_t{intWord(state, kStaticRecords)} + 1);
}

int goToTimeStep(GbxLegacyState& state, int64_t timeStep, int item) {
    return goToRecord(state, timeStep * intWord(state, kItemCount) + intWord(state, kStaticRecords) + item);
}

bool recordPresent(GbxLegacyState& state, int64_t record) {
    GbxLegacySlot* slot = slotOf(state, false);
    int64_t offset = 0;
    if (slot == nullptr || !recordOffset(record + 1, recordValues(state), &offset)) return false;
    const int64_t size = streamSize(slot->stream);
    return size >= 0 && offset <= size;
}

}  // namespace lrx::legacy

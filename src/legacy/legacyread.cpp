// The read operations of a legacy pair behind the time-step, static and positioning calls:
// items are read strictly by record number, and an item read while still among the static
// records jumps over them. Calls the record operations and the static item's definition.
#include <cstdlib>

#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacy.h"
#include "src/legacy/legacybuild.h"
#include "src/legacy/legacytable.h"
#include "src/os/osmemory.h"

namespace lrx::legacy {

namespace {

constexpr int kStaticSection = 40000;
constexpr int kDynamicSection = 50000;

// The state of a pair open for reading through this header and handle; null otherwise.
GbxLegacyState* readableState(GbxHeader* header, GbxFile* file) {
    GbxLegacyState* state = stateOf(header);
    if (state == nullptr || headerOfHandle(file) != header || slotOf(*state, false) == nullptr) return nullptr;
    return state;
}

// A new static item holding the next record, or null with *code set.
GbxVector* readStaticRecord(GbxLegacyState& state, GbxHeader* header, int* code) {
    const int64_t values = recordValues(state);
    // The record must be there before memory of its claimed length is taken.
    if (!recordPresent(state, slotOf(state, false)->nextRecord)) {
        *code = F_ERR_READ;
        return nullptr;
    }
    GbxVector* vector = nullptr;
    if ((*code = gbxStaticCreate(&vector)) != 0) return nullptr;
    if ((*code = defineStaticItem(state, header, vector)) == 0) {
        vector->elementStats = static_cast<double*>(lrx::os::allocateZeroed(static_cast<std::size_t>(values), sizeof(float)));
        if (vector->elementStats == nullptr) *code = F_ERR_MEMORY;
    }
    if (*code == 0 && readNextRecord(state, reinterpret_cast<float*>(vector->elementStats), values) != 0)
        *code = F_ERR_READ;
    if (*code != 0) {
        gbxStaticDestroy(&vector);
        return nullptr;
    }
    vector->valueBytes = values * static_cast<int64_t>(sizeof(float));
    return vector;
}

}  // namespace

int readItem(GbxHeader* header, GbxFile* file, void* data, int count) {
    GbxLegacyState* state = readableState(header, file);
    if (state == nullptr) return F_ERR_READ;
    if (slotOf(*state, false)->nextRecord <= intWord(*state, kStaticRecords) && goToFirstDynamic(*state) != 0)
        return F_ERR_READ;
    return readNextRecord(*state, static_cast<float*>(data), count) == 0 ? 0 : F_ERR_READ;
}

int findTimeStep(GbxHeader* header, GbxFile* file, int timeStep) {
    GbxLegacyState* state = readableState(header, file);
    return state != nullptr && goToTimeStep(*state, timeStep, 1) == 0 ? 0 : F_ERR_READ;
}

int findBlock(GbxHeader*, GbxFile* file, int id) {
    GbxLegacyState* state = stateOf(headerOfHandle(file));
    if (state == nullptr) return -1;
    if (id == kStaticSection) return goToRecord(*state, 1);
    if (id == kDynamicSection) return goToFirstDynamic(*state);
    return -1;
}

GbxVector* readStatic(GbxFile* file, int* code) {
    int result = 0;
    GbxHeader* header = headerOfHandle(file);
    GbxLegacyState* state = readableState(header, file);
    GbxVector* vector = nullptr;
    if (state == nullptr)
        result = F_ERR_READ;
    else if (slotOf(*state, false)->nextRecord <= intWord(*state, kStaticRecords))
        vector = readStaticRecord(*state, header, &result);
    if (code != nullptr) *code = result;
    return vector;
}

}  // namespace lrx::legacy

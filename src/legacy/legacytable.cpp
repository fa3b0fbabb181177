// The table of open legacy data files: taking and freeing entries under one mutex, since
// several threads may open and close pairs at once (each entry is used by one thread at a
// time). Calls the legacy streams.
#include "src/legacy/legacytable.h"

#include <mutex>

#include "src/legacy/legacystream.h"

namespace lrx::legacy {

namespace {

std::mutex tableMutex;
// All entries are free at load: the table needs no set-up call.
GbxLegacySlot table[kTableSize];

bool validNumber(int32_t number) {
    return number >= 0 && number < kTableSize;
}

}  // namespace

int32_t slotAcquire(const char* path, bool write) {
    std::lock_guard<std::mutex> lock(tableMutex);
    for (int32_t number = 0; number < kTableSize; ++number) {
        if (table[number].owner >= 0) continue;
        std::FILE* stream = write ? streamOpenWrite(path) : streamOpenRead(path);
        if (stream == nullptr) return -1;
        table[number] = GbxLegacySlot{};
        table[number].owner = number;
        table[number].writeMode = write ? 1 : 0;
        table[number].stream = stream;
        table[number].aligned = true;
        return number;
    }
    return -1;
}

bool slotRelease(int32_t number) {
    std::FILE* stream = nullptr;
    {
        std::lock_guard<std::mutex> lock(tableMutex);
        if (!validNumber(number) || table[number].owner != number) return false;
        stream = table[number].stream;
        table[number] = GbxLegacySlot{};
    }
    return stream != nullptr && streamClose(stream);
}

GbxLegacySlot* slotOf(const GbxLegacyState& state, bool write) {
    if (!validNumber(state.slot)) return nullptr;
    GbxLegacySlot& slot = table[state.slot];
    const bool fits = slot.owner == state.slot && slot.stream != nullptr && (slot.writeMode != 0) == write;
    return fits ? &slot : nullptr;
}

}  // namespace lrx::legacy

// The data-file layer's error-handler table and dispatcher, its trace switch and the
// file-kind callback it hands to the record stream. Calls nothing but the handlers.
// Slots and switch are atomics: files read on different threads report through one table,
// and a handler is called without any lock held, so it may itself install handlers.
#include "src/gbx/common/gbxerror.h"

#include <atomic>

#include "src/gbx/common/gbxformat.h"
#include "src/trace/tracestate.h"

namespace {

// One slot each for 1000 and 2000 to 2020, in that order; empty at load.
constexpr int kFirstRangedCode = F_ERR_MEMORY;
constexpr int kLastRangedCode = F_ERR_UNIT;
constexpr int kSlotCount = 1 + (kLastRangedCode - kFirstRangedCode + 1);

std::atomic<GbxErrorHandler> handlerSlots[kSlotCount] = {};

// The slot of code, or -1 for a code without one (0, 1, 1001, 1002, anything else).
int slotOf(int code) {
    if (code == F_ERR_USAGE) return 0;
    if (code >= kFirstRangedCode && code <= kLastRangedCode) return 1 + code - kFirstRangedCode;
    return -1;
}

void clearHandlers() {
    for (std::atomic<GbxErrorHandler>& slot : handlerSlots)
        slot.store(nullptr);
}

}  // namespace

int gbxReportError(GbxHeader* header, GbxFile* file, void* object, int code, const char* module, int line) {
    const int slot = slotOf(code);
    const GbxErrorHandler handler = slot >= 0 ? handlerSlots[slot].load() : nullptr;
    if (handler != nullptr) handler(header, file, object, code, module, line);
    return code;
}

int32_t gbxKindCallback(int32_t* appVersion) {
    if (appVersion != nullptr) *appVersion = GBX_FORMAT_VERSION;
    return GBX_KIND_TAG;
}

extern "C" {

void LRX_CALL gbxInitSystem(void) {
    clearHandlers();
}

void LRX_CALL gbxAddErrorHandler(int code, GbxErrorHandler handler) {
    const int slot = slotOf(code);
    if (slot >= 0) handlerSlots[slot].store(handler);
}

// Despite its name this registers nothing: it empties the table.
void LRX_CALL gbxAddCommonErrorHandler(GbxErrorHandler) {
    clearHandlers();
}

void LRX_CALL gbxDebugOn(int on) {
    gbxTraceSwitch.store(on);
}

}  // extern "C"

// The record stream's error raising: a process-wide table of 21 handler slots, one each for
// the codes 1000 and 2000 to 2019, all empty at load. The slots are atomics, so that files
// on different threads raise through the table while another thread sets a handler.
#include <atomic>

#include "src/lrx/lrxfile.h"

namespace {

constexpr int kSlots = 21;
std::atomic<LrxErrorHandler> handlers[kSlots] = {};

// Slot of a code, or -1 for a code without a slot.
int slotOf(int code) {
    if (code == F_ERR_USAGE) return 0;
    if (code >= F_ERR_MEMORY && code <= F_ERR_SKIP) return 1 + (code - F_ERR_MEMORY);
    return -1;
}

}  // namespace

void lrxSetErrorHandler(int code, LrxErrorHandler handler) {
    const int slot = slotOf(code);
    if (slot >= 0) handlers[slot].store(handler);
}

int lrxRaiseError(int code, const char* module, int line) {
    const int slot = slotOf(code);
    const LrxErrorHandler handler = slot >= 0 ? handlers[slot].load() : nullptr;
    if (handler != nullptr) handler(code, module, line);
    return code;
}

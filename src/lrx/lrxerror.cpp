// The record stream's error raising: a process-wide table of 21 handler slots, one each for
// the codes 1000 and 2000 to 2019, all empty at load.
#include "src/lrx/lrxfile.h"

namespace {

constexpr int kSlots = 21;
LrxErrorHandler handlers[kSlots] = {};

// Slot of a code, or -1 for a code without a slot.
int slotOf(int code) {
    if (code == F_ERR_USAGE) return 0;
    if (code >= F_ERR_MEMORY && code <= F_ERR_SKIP) return 1 + (code - F_ERR_MEMORY);
    return -1;
}

}  // namespace

void lrxSetErrorHandler(int code, LrxErrorHandler handler) {
    const int slot = slotOf(code);
    if (slot >= 0) handlers[slot] = handler;
}

int lrxRaiseError(int code, const char* module, int line) {
    const int slot = slotOf(code);
    if (slot >= 0 && handlers[slot] != nullptr) handlers[slot](code, module, line);
    return code;
}

// Error dispatch, the trace switch and the file-kind callback of the data-file layer.
#pragma once

#include <atomic>
#include <cstdint>

#include "lrx/gbx.h"
#include "src/trace/tracestate.h"

// Calls the handler installed for code (1000, 2000 to 2020) with the six arguments, then
// returns code unchanged. Every other code (0, 1, 1001, 1002, ...) is returned without a call.
int gbxReportError(GbxHeader* header, GbxFile* file, void* object, int code, const char* module, int line);

int32_t gbxKindCallback(int32_t* appVersion);

// The trace switch of the gbx calls (gbxDebugOn), set from any thread. Every call asks it, so
// it is read inline.
inline std::atomic<int> gbxTraceSwitch{0};

inline bool gbxTraceOn() {
    return gbxTraceSwitch.load(std::memory_order_relaxed) != 0 && !lrx::trace::isSilent();
}

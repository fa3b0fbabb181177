// The entry points of free item order and time-varying geometry. Callers of older versions
// link against them, but they have no function: each writes its trace entry line (and no exit
// line) and returns 1.
// Calls only the call trace.
#include "lrx/gbx.h"
#include "src/gbx/common/gbxtrace.h"

namespace {

constexpr int kNoFunction = 1;

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxQueryFreeItemTimeStep(GbxHeader*, GbxFile*, int*) {
    gbxTraceEntryOnly("gbxQueryFreeItemTimeStep");
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxReadFreeItemTimeStep(GbxHeader*, GbxFile*, double*, void*) {
    gbxTraceEntryOnly("gbxReadFreeItemTimeStep");
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxWriteFreeItemTimeStep(GbxHeader*, GbxFile*, int itemNo, double, const void*) {
    gbxTraceEntryOnly("gbxWriteFreeItemTimeStep item_no=%d", itemNo);
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxReadItemTvarTimeStep(GbxHeader*, GbxFile*, double*, void*) {
    gbxTraceEntryOnly("gbxReadItemTvarTimeStep");
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxWriteItemTvarTimeStep(GbxHeader*, GbxFile*, const void*, const void*) {
    gbxTraceEntryOnly("gbxWriteItemTvarTimeStep");
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxQueryFreeItemTvarTimeStep(GbxHeader*, GbxFile*, int*) {
    gbxTraceEntryOnly("gbxQueryFreeItemTvarTimeStep");
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxReadFreeItemTvarTimeStep(GbxHeader*, GbxFile*, double*, void*, void*) {
    gbxTraceEntryOnly("gbxReadFreeItemTvarTimeStep");
    return kNoFunction;
}

LRX_EXPORT int LRX_CALL gbxWriteFreeItemTvarTimeStep(GbxHeader*, GbxFile*, int, double, const void*, const void*) {
    gbxTraceEntryOnly("gbxWriteFreeItemTvarTimeStep");
    return kNoFunction;
}

}  // extern "C"

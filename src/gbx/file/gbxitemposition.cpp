// The time-step position of a header as callers see it: the time step and item number that
// the next read, write or skip touches. Calls the handle check and the call trace.
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"

namespace {

constexpr const char* kModule = "gbxposition";

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxGetItemPosition(GbxHeader* header, int* timeStep, int* itemNo) {
    GbxCall call("gbxGetItemPosition");
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return call.result(code);
    if (timeStep != nullptr) *timeStep = header->currentTimeStep;
    if (itemNo != nullptr) *itemNo = header->currentItem + 1;
    return call.result(0);
}

}  // extern "C"

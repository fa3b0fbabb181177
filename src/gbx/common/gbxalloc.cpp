// The checked allocation of the data-file layer. Calls the dispatcher and the call trace.
#include "src/gbx/common/gbxalloc.h"

#include <cstdlib>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/os/osmemory.h"

int gbxCheckAlloc(void** pointer, std::size_t size, const char* module, int line) {
    GbxCall call("gbxCheckAlloc %zu", size);
    if (pointer == nullptr) {
        const int code = gbxCheckReport(nullptr, nullptr, F_ERR_DATA, module, line);
        call.exit("%p [%d]", static_cast<void*>(nullptr), code);
        return code;
    }
    // One byte at least, so that a request for nothing still yields a pointer to free.
    *pointer = lrx::os::allocateZeroed(size > 0 ? size : 1, 1);
    const int code = *pointer != nullptr ? 0 : gbxCheckReport(nullptr, nullptr, F_ERR_MEMORY, module, line);
    call.exit("%p [%d]", *pointer, code);
    return code;
}

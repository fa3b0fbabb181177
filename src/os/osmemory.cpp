// Heap memory of the library: the only file that calls malloc and calloc, behind the inert
// allocation hook of the test build.
#include "src/os/osmemory.h"

#include <cstdlib>

namespace lrx::os {

namespace {

AllocationHook allocationHook = nullptr;

bool refused() {
    return allocationHook != nullptr && allocationHook();
}

}  // namespace

void* allocate(std::size_t bytes) {
    return refused() ? nullptr : std::malloc(bytes);
}

void* allocateZeroed(std::size_t count, std::size_t size) {
    return refused() ? nullptr : std::calloc(count, size);
}

AllocationHook setAllocationHook(AllocationHook hook) {
    const AllocationHook previous = allocationHook;
    allocationHook = hook;
    return previous;
}

}  // namespace lrx::os

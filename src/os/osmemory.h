// The one place where the library takes memory from the C heap: every malloc and calloc of the
// library goes through here, so that the test build can make a chosen allocation fail and reach
// the paths that a machine with memory to spare never takes. Memory is freed with std::free.
#pragma once

#include <cstddef>

namespace lrx::os {

// std::malloc: `bytes` bytes, or null when there is no memory.
void* allocate(std::size_t bytes);
// std::calloc: count zero-filled elements of `size` bytes, or null.
void* allocateZeroed(std::size_t count, std::size_t size);

// Called before every allocation: true makes it fail as if memory had run out. The shipped
// library installs none; the test build installs one to count allocations and fail the chosen
// one. (Objects made with new are counted by the test build's own operator new.)
using AllocationHook = bool (*)();
// Installs hook (null: none) and returns the one it replaces.
AllocationHook setAllocationHook(AllocationHook hook);

}  // namespace lrx::os

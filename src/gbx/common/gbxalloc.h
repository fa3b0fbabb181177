// The one allocation of the data-file layer that reports its failure: zero-filled memory that
// the caller frees with std::free.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

// Allocates size bytes zero-filled into *pointer (null on failure, reported as 2000 from module
// and line). A null pointer argument is reported as 2010.
int gbxCheckAlloc(void** pointer, std::size_t size, const char* module, int line);

// Memory of std::malloc or gbxCheckAlloc, freed when its owner goes.
struct GbxFreeMemory {
    void operator()(void* memory) const { std::free(memory); }
};
using GbxBuffer = std::unique_ptr<void, GbxFreeMemory>;

// The test program's operator new and delete: every object made with new, by the library or by
// a test, is counted, and the armed allocation fault (support/osfaults.h) makes the chosen one
// fail as an exhausted heap would: the throwing forms throw std::bad_alloc, the others give null.
#include <cstdlib>
#include <new>

#include "support/osfaults.h"

namespace {

void* take(std::size_t bytes) noexcept {
    if (lrxtest::allocationFails()) return nullptr;
    return std::malloc(bytes != 0 ? bytes : 1);
}

void* takeOrThrow(std::size_t bytes) {
    void* memory = take(bytes);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

}  // namespace

void* operator new(std::size_t bytes) {
    return takeOrThrow(bytes);
}

void* operator new[](std::size_t bytes) {
    return takeOrThrow(bytes);
}

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    return take(bytes);
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    return take(bytes);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete[](void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

// Reading memory that the library handed out, to its documented end, so that the sanitizer
// sees an array or text that is shorter than the interface promises.
#pragma once

#include <cstddef>
#include <cstring>

namespace lrxfuzz {

inline volatile unsigned gTouched;

inline void touch(const void* memory, std::size_t bytes) {
    if (memory == nullptr) return;
    const auto* p = static_cast<const unsigned char*>(memory);
    unsigned sum = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        sum += p[i];
    gTouched = gTouched + sum;
}

inline void touchText(const char* text) {
    if (text != nullptr) touch(text, std::strlen(text) + 1);
}

}  // namespace lrxfuzz

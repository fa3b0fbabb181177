// Byte reversal of runs of fixed-size elements, for files of the opposite byte order.
#pragma once

#include <cstdint>

namespace lrx {

// True when a transfer of count elements of elemSize bytes is reversed on a swapping file:
// only even element sizes are, so bytes and text pass unchanged.
inline bool swapsElements(int32_t swapBytes, int elemSize, int64_t count) {
    return (swapBytes & 1) != 0 && elemSize > 0 && elemSize % 2 == 0 && count > 0;
}

// Reverses the bytes of each of count consecutive elements of elemSize bytes in place.
inline void reverseElements(void* data, int elemSize, int64_t count) {
    auto* bytes = static_cast<unsigned char*>(data);
    for (int64_t element = 0; element < count; ++element, bytes += elemSize) {
        for (int low = 0, high = elemSize - 1; low < high; ++low, --high) {
            const unsigned char kept = bytes[low];
            bytes[low] = bytes[high];
            bytes[high] = kept;
        }
    }
}

}  // namespace lrx

// The input of the fuzz targets that drive the interface: one byte n, then n choice bytes that
// steer the calls, then the bytes of the files the calls read. The choices are read one by one;
// once they run out they read as 0, so that every input, also a short one, is a valid one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lrxfuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) {
        if (size == 0) return;
        choiceCount_ = std::min<std::size_t>(data[0], size - 1);
        choices_ = data + 1;
        rest_ = data + 1 + choiceCount_;
        restSize_ = size - 1 - choiceCount_;
    }

    bool hasChoices() const { return used_ < choiceCount_; }

    uint8_t byte() { return used_ < choiceCount_ ? choices_[used_++] : 0; }

    // A value from low to high (low when high is below it), from one choice byte.
    int pick(int low, int high) {
        const int choice = byte();
        return high > low ? low + choice % (high - low + 1) : low;
    }

    // Four choice bytes as a signed 32-bit number, for indices and keys that may be anything.
    int32_t word() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(byte()) << (8 * i);
        int32_t result;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

    // The bytes after the choices.
    const uint8_t* rest() const { return rest_; }
    std::size_t restSize() const { return restSize_; }

    // Takes a part off the front of the rest whose length is given by the rest's first two
    // bytes (little-endian), cut to what the rest holds.
    void takePart(const uint8_t** part, std::size_t* size) {
        const std::size_t claimed = restSize_ >= 2 ? rest_[0] | static_cast<std::size_t>(rest_[1]) << 8 : 0;
        const std::size_t skip = std::min<std::size_t>(restSize_, 2);
        *part = rest_ + skip;
        *size = std::min(claimed, restSize_ - skip);
        rest_ += skip + *size;
        restSize_ -= skip + *size;
    }

private:
    const uint8_t* choices_ = nullptr;
    std::size_t choiceCount_ = 0;
    std::size_t used_ = 0;
    const uint8_t* rest_ = nullptr;
    std::size_t restSize_ = 0;
};

}  // namespace lrxfuzz

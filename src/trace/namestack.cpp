// The trace's stack of open call names in a fixed buffer; overflowing pushes are counted
// rather than stored. Calls nothing but the C library.
#include "src/trace/namestack.h"

#include <cctype>
#include <cstring>

namespace lrx::trace {

namespace {
const char kUnknownName[] = "???";
}

std::size_t leadingIdentifierLength(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') {
        const unsigned char c = static_cast<unsigned char>(text[length]);
        if (!std::isalnum(c) && c != '_') break;
        ++length;
    }
    return length;
}

void NameStack::push(const char* text) {
    if (text == nullptr) text = "";
    // Only the identifier is copied, never the whole entry text, so a long format cannot
    // run past the buffer.
    const std::size_t length = leadingIdentifierLength(text);
    const std::size_t start = stored_ == 0 ? 0 : ends_[stored_ - 1] + 1;
    const bool fits = stored_ < kMaxNames && length < kBufferBytes - start;
    if (dropped_ > 0 || !fits) {
        ++dropped_;
        return;
    }
    std::memcpy(buffer_ + start, text, length);
    buffer_[start + length] = '\0';
    ends_[stored_++] = start + length;
}

const char* NameStack::pop() {
    if (dropped_ > 0) {
        --dropped_;
        return kUnknownName;
    }
    if (stored_ < 1) return kUnknownName;
    --stored_;
    return buffer_ + (stored_ == 0 ? 0 : ends_[stored_ - 1] + 1);
}

}  // namespace lrx::trace

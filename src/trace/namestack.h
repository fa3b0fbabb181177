// The trace's stack of open call names: the leading identifiers of entry lines, kept in a
// fixed text buffer so that tracing never allocates. Calls nothing but the C library.
#pragma once

#include <cstddef>

namespace lrx::trace {

// Names are stored one after another, each ended by a zero, in a buffer of kBufferBytes;
// at most kMaxNames are held. A push that does not fit is dropped but counted, and every
// push after it is dropped too until it has been popped: the stack stays LIFO and each pop
// matches its push, a dropped one popping as "???".
class NameStack {
public:
    static constexpr std::size_t kBufferBytes = 5000;
    static constexpr int kMaxNames = 100;

    // Pushes the leading identifier (letters, digits, underscores) of text; null counts as "".
    void push(const char* text);
    // Pops the innermost name; "???" when the stack is empty or the name was dropped. The
    // text stays valid until the next push.
    const char* pop();

    // Names held plus pushes dropped: the number of pops that still return a pushed entry.
    int depth() const { return stored_ + dropped_; }

private:
    char buffer_[kBufferBytes] = {};
    std::size_t ends_[kMaxNames] = {};  // offset of each stored name's terminating zero
    int stored_ = 0;
    int dropped_ = 0;
};

// Length of the leading identifier of text: letters and digits as the current locale
// classifies them, and underscores.
std::size_t leadingIdentifierLength(const char* text);

}  // namespace lrx::trace

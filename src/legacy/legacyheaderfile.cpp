// Reading and writing the header file of a legacy pair: record 1 (length word 600, the 150
// words, 600) and record 2 (436, the texts, 436), 1052 bytes in all. Calls the legacy streams
// and the byte reversal.
#include "src/legacy/legacyheaderfile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "src/legacy/legacystream.h"
#include "src/lrx/byteswap.h"

namespace lrx::legacy {

namespace {

constexpr int32_t kFirstLength = 600;
constexpr int32_t kSecondLength = 436;
constexpr std::size_t kFirstBytes = 4 + kFirstLength + 4;    // read as 152 words
constexpr std::size_t kSecondBytes = 4 + kSecondLength + 4;  // markers not checked

// Offsets of the texts within record 2.
constexpr std::size_t kTitle = 0;
constexpr std::size_t kShortCode = 40;
constexpr std::size_t kTimeUnit = 46;
constexpr std::size_t kAxisUnits = 56;
constexpr std::size_t kNames = 96;

// Takes a fixed-width text from the record; the state keeps it terminated.
template <std::size_t N>
void takeText(char (&text)[N], const unsigned char* record, std::size_t offset) {
    std::memcpy(text, record + offset, N - 1);
    text[N - 1] = '\0';
}

// Texts are stored without terminator and padded with zeros.
template <std::size_t N>
void putText(unsigned char* record, std::size_t offset, const char (&text)[N]) {
    std::memcpy(record + offset, text, strnlen(text, N - 1));
}

int32_t wordAt(const unsigned char* bytes) {
    int32_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

void putWord(unsigned char* bytes, int32_t word) {
    std::memcpy(bytes, &word, sizeof word);
}

void takeTexts(GbxLegacyState* state, const unsigned char* record) {
    takeText(state->title, record, kTitle);
    takeText(state->shortCode, record, kShortCode);
    takeText(state->timeUnit, record, kTimeUnit);
    for (int axis = 0; axis < 4; ++axis)
        takeText(state->axisUnits[axis], record, kAxisUnits + 10 * axis);
    for (int name = 0; name < 17; ++name)
        takeText(state->names[name], record, kNames + 20 * name);
}

void putTexts(unsigned char* record, const GbxLegacyState& state) {
    putText(record, kTitle, state.title);
    putText(record, kShortCode, state.shortCode);
    putText(record, kTimeUnit, state.timeUnit);
    for (int axis = 0; axis < 4; ++axis)
        putText(record, kAxisUnits + 10 * axis, state.axisUnits[axis]);
    for (int name = 0; name < 17; ++name)
        putText(record, kNames + 20 * name, state.names[name]);
}

bool writeAll(const char* path, const unsigned char* first, const unsigned char* second) {
    std::FILE* stream = streamOpenWrite(path);
    if (stream == nullptr) return false;
    const bool written = streamWrite(stream, first, kFirstBytes) && streamWrite(stream, second, kSecondBytes);
    // The close writes what the stream buffered: its failure is a failed write too.
    return streamClose(stream) && written;
}

}  // namespace

bool pairPath(const GbxLegacyState& state, const char* kind, int digit, char* path, std::size_t size) {
    const int length = std::snprintf(path, size, "%s.%s%d", state.baseName, kind, digit);
    return length > 0 && static_cast<std::size_t>(length) < size;
}

int readHeaderFile(const char* path, GbxLegacyState* state) {
    unsigned char first[kFirstBytes];
    unsigned char second[kSecondBytes];
    std::FILE* stream = streamOpenRead(path);
    if (stream == nullptr) return 1000;
    const bool read = streamRead(stream, first, kFirstBytes) && streamRead(stream, second, kSecondBytes);
    streamClose(stream);
    if (!read) return 1000;
    if (wordAt(first) != kFirstLength) {
        reverseElements(first, 4, kFirstBytes / 4);
        if (wordAt(first) != kFirstLength) return 1000;
        state->swapped = true;
    }
    std::memcpy(&state->words[1], first + 4, kFirstLength);
    takeTexts(state, second + 4);
    return 0;
}

// Only created pairs are written, and those are in the machine's byte order.
int writeHeaderFile(const GbxLegacyState& state) {
    char path[kPathLimit + 8];
    if (state.dims < 0 || state.dims > kMaxDims || !pairPath(state, "ct", state.dims, path, sizeof path)) return -1;
    unsigned char first[kFirstBytes] = {};
    unsigned char second[kSecondBytes] = {};
    putWord(first, kFirstLength);
    std::memcpy(first + 4, &state.words[1], kFirstLength);
    putWord(first + 4 + kFirstLength, kFirstLength);
    putWord(second, kSecondLength);
    putTexts(second + 4, state);
    putWord(second + 4 + kSecondLength, kSecondLength);
    return writeAll(path, first, second) ? 0 : -1;
}

}  // namespace lrx::legacy

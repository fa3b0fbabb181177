// The legacy state's lifecycle and the checks of the words that give the shape of a pair's
// records: everything read from a header file is measured here before anything is indexed or
// allocated by it. Calls the table of open pairs and the legacy calendar.
#include <cstring>
#include <new>

#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacycalendar.h"
#include "src/legacy/legacystate.h"
#include "src/legacy/legacytable.h"

namespace lrx::legacy {

namespace {

// Floats per record (and values per item) that a count of 32 bits and a record length of
// 32 bits in bytes both hold.
constexpr int64_t kMaxRecordValues = INT32_MAX / 4;

// The product of (last index + 1) of `dims` consecutive words from `first`; -1 when a word is
// no index or the product is too large.
int64_t productOfSizes(const GbxLegacyState& state, int first, int dims, int32_t* sizes) {
    int64_t product = 1;
    for (int d = 0; d < dims; ++d) {
        int32_t last = 0;
        if (!wordAsInt(state.words[first + d], &last) || last < 0 || last >= kMaxRecordValues) return -1;
        if (sizes != nullptr) sizes[d] = last + 1;
        product *= last + 1;
        if (product > kMaxRecordValues) return -1;
    }
    return product;
}

// A calendar start: a day number whose date has a year of four digits, and whole seconds.
bool calendarStartValid(const GbxLegacyState& state) {
    int32_t day = 0;
    int32_t seconds = 0;
    if (!wordAsInt(state.words[kStartDay], &day) || !wordAsInt(state.words[kStartTime], &seconds)) return false;
    char text[40];
    return dayTimeText({day, 0, 0, seconds}, text, sizeof text);
}

// Compressed 3-D files keep the full grid's last indices in words 148 to 150, and their
// records, the encoding keys included, hold the key length: word 20 + 1 values in one row.
int checkCompressed(const GbxLegacyState& state, PairLayout* layout) {
    int32_t keyLength = 0;
    if (!wordAsInt(state.words[kLastIndex] + 1.1f, &keyLength) || keyLength != layout->recordValues) return 1000;
    return productOfSizes(state, kFullGridLast, 3, layout->sizes) < 0 ? 1000 : 0;
}

}  // namespace

GbxLegacyState* newState(int dims) {
    auto* state = new (std::nothrow) GbxLegacyState{};
    if (state == nullptr) return nullptr;
    for (float& word : state->words)
        word = kUndefinedWord;
    state->dims = dims;
    state->slot = -1;
    return state;
}

void freeState(GbxLegacyState* state) {
    if (state == nullptr) return;
    if (state->slot >= 0) slotRelease(state->slot);
    delete state;
}

GbxLegacyState* stateOf(const GbxHeader* header) {
    return header != nullptr ? static_cast<GbxLegacyState*>(header->legacyFile) : nullptr;
}

const char* extensionOf(const char* path) {
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '/' || *c == '\\') name = c + 1;
    }
    return std::strrchr(name, '.');
}

GbxHeader* headerOfHandle(GbxFile* file) {
    return gbxIsLegacyFile(file) ? reinterpret_cast<GbxLegacyFile*>(file)->header : nullptr;
}

bool wordAsInt(float word, int32_t* value) {
    // Written as a negated range test so that a word that is not a number fails too.
    if (!(word >= -2147483648.0f && word < 2147483648.0f)) return false;
    *value = static_cast<int32_t>(word);
    return true;
}

int32_t intWord(const GbxLegacyState& state, int word) {
    int32_t value = 0;
    return wordAsInt(state.words[word], &value) ? value : 0;
}

int64_t recordValues(const GbxLegacyState& state) {
    return productOfSizes(state, kLastIndex, state.dims, nullptr);
}

int checkLayout(const GbxLegacyState& state, PairLayout* layout) {
    *layout = PairLayout{};
    int32_t lastStep = 0;
    int32_t unused = 0;
    const float* w = state.words;
    const bool counts = wordAsInt(w[kDimensions], &layout->dims) && wordAsInt(w[kItemCount], &layout->items) &&
                        wordAsInt(w[kStaticRecords], &layout->staticRecords) && wordAsInt(w[kLastStep], &lastStep) &&
                        wordAsInt(w[kStartIndex], &unused) && wordAsInt(w[kDataType], &unused);
    // The layout has room for 16 item groups; a pair whose writer closed it before its first
    // complete time step holds -1 as its last time-step index.
    if (!counts || layout->items < 1 || layout->items > kMaxItems || layout->staticRecords < 0 || lastStep < -1)
        return 1000;
    if (layout->dims < 0 || layout->dims > kMaxDims) return -1;
    layout->timeSteps = lastStep + 1;
    if (w[kStartDay] != 0.0f && !calendarStartValid(state)) return 1000;
    layout->recordValues = productOfSizes(state, kLastIndex, layout->dims, layout->sizes);
    if (layout->recordValues < 0) return 1000;
    int32_t keyed = 0;
    layout->compressed = layout->dims == 3 && wordAsInt(w[kStaticRecords] + 0.1f, &keyed) && keyed == 5;
    return layout->compressed ? checkCompressed(state, layout) : 0;
}

}  // namespace lrx::legacy

// Opening a legacy pair for reading: the family test of a path, the header file read and
// measured, the data file taken into the table of open pairs, the header built, and the
// encoding keys of a compressed 3-D file read from its first three static records. Calls the
// header file, the layout checks, the table, the header builder and the header setters.
#include <cstring>
#include <memory>
#include <new>

#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacy.h"
#include "src/legacy/legacybuild.h"
#include "src/legacy/legacyheaderfile.h"
#include "src/legacy/legacystream.h"
#include "src/legacy/legacytable.h"

namespace lrx::legacy {

namespace {

constexpr int kKeyCount = 3;

struct StateDeleter {
    void operator()(GbxLegacyState* state) const { freeState(state); }
};
using StatePtr = std::unique_ptr<GbxLegacyState, StateDeleter>;

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A key value of the file: a float that names a cell, +0.1 against values just short of a
// whole number. One that names none is kept as -1, which the expansion of a grid refuses.
int32_t keyValue(float value) {
    int32_t key = -1;
    return wordAsInt(value + 0.1f, &key) ? key : -1;
}

// The keys are the first three static records, each of the key length that every record of
// the file holds. The data file must hold them whole before anything is allocated for them.
int loadKeys(GbxLegacyState& state, const PairLayout& layout, GbxHeader* header) {
    const int64_t length = layout.recordValues;
    if (!recordPresent(state, kKeyCount)) return F_ERR_USAGE;
    std::unique_ptr<float[]> row(new (std::nothrow) float[length]);
    std::unique_ptr<int32_t[]> keys(new (std::nothrow) int32_t[kKeyCount * length]);
    if (row == nullptr || keys == nullptr) return F_ERR_MEMORY;
    if (goToRecord(state, 1) != 0) return F_ERR_USAGE;
    for (int key = 0; key < kKeyCount; ++key) {
        if (readNextRecord(state, row.get(), length) != 0) return F_ERR_USAGE;
        for (int64_t k = 0; k < length; ++k)
            keys[key * length + k] = keyValue(row[k]);
    }
    const int code = gbxSetEncodeKey(header, keys.get(), keys.get() + length, keys.get() + 2 * length,
                                     static_cast<int>(length));
    if (code != 0) return code;
    return goToRecord(state, 1) == 0 ? 0 : F_ERR_USAGE;
}

// Reads and measures the header file and opens the data file that word 8 names.
int openFiles(GbxLegacyState& state, int digit, PairLayout* layout) {
    char path[kPathLimit + 8];
    if (!pairPath(state, "dt", digit, path, sizeof path) || !streamExists(path)) return F_ERR_USAGE;
    if (!pairPath(state, "ct", digit, path, sizeof path) || readHeaderFile(path, &state) != 0) return F_ERR_USAGE;
    if (const int code = checkLayout(state, layout)) return code;
    state.dims = layout->dims;
    if (!pairPath(state, "dt", state.dims, path, sizeof path)) return F_ERR_USAGE;
    state.slot = slotAcquire(path, false);
    return state.slot >= 0 ? 0 : F_ERR_USAGE;
}

int buildOpenedHeader(GbxLegacyState& state, const PairLayout& layout, GbxHeader** header) {
    int code = buildHeader(state, layout, header);
    if (code == 0 && layout.compressed && (code = loadKeys(state, layout, *header)) != 0) gbxHeaderDestroy(header);
    return code;
}

// Hands the header and handle to the outputs that are given. A caller without a place for the
// header gets nothing (the handle is no use without it); one without a place for the handle
// keeps the header, whose destruction closes the data file.
void handOver(GbxHeader* header, GbxLegacyFile* handle, GbxHeader** headerOut, GbxFile** fileOut) {
    if (headerOut == nullptr) {
        gbxHeaderDestroy(&header);
        delete handle;
        return;
    }
    *headerOut = header;
    if (fileOut != nullptr)
        *fileOut = reinterpret_cast<GbxFile*>(handle);
    else
        delete handle;
}

}  // namespace

bool isFamilyPath(const char* path) {
    const char* extension = path != nullptr ? extensionOf(path) : nullptr;
    if (extension == nullptr || std::strlen(extension) < 4) return false;
    const char first = lowered(extension[1]);
    return (first == 'd' || first == 'c') && lowered(extension[2]) == 't' && extension[3] >= '0' &&
           extension[3] <= '4';
}

int openPair(const char* path, GbxHeader** headerOut, GbxFile** fileOut) {
    if (headerOut != nullptr) *headerOut = nullptr;
    if (fileOut != nullptr) *fileOut = nullptr;
    const std::size_t length = path != nullptr ? std::strlen(path) : 0;
    // The digit that ends the path names the pair; the base name is all before ".ctN".
    if (length < 4 || length - 4 >= kPathLimit || path[length - 1] < '0' || path[length - 1] > '4')
        return F_ERR_USAGE;
    const int digit = path[length - 1] - '0';
    StatePtr state(newState(digit));
    if (state == nullptr) return F_ERR_MEMORY;
    std::memcpy(state->baseName, path, length - 4);
    PairLayout layout{};
    GbxHeader* header = nullptr;
    int code = openFiles(*state, digit, &layout);
    if (code == 0) code = buildOpenedHeader(*state, layout, &header);
    if (code != 0) return code;
    auto* handle = new (std::nothrow) GbxLegacyFile{GBX_LEGACY_TAG, header};
    if (handle == nullptr) {
        gbxHeaderDestroy(&header);
        return F_ERR_MEMORY;
    }
    header->legacyFile = state.release();
    handOver(header, handle, headerOut, fileOut);
    return 0;
}

void releaseState(GbxHeader* header) {
    freeState(stateOf(header));
}

}  // namespace lrx::legacy

// The in-memory state of one legacy pair (the words and texts of its header file, its base
// name, its table entry and byte order), the file handle handed out for it, and the validated
// shape of its records. Internal to src/legacy.
#pragma once

#include <cstdint>

#include "src/gbx/items/gbxitem.h"
#include "lrx/gbx.h"

// The legacy codes that the data-file layer has no name for.
constexpr int GBX_LEGACY_NOT_REPRESENTABLE = 2021;
constexpr int GBX_LEGACY_STATIC_TOO_LATE = 2014;

namespace lrx::legacy {

constexpr int kWords = 150;  // words of record 1 of the header file
constexpr int kMaxItems = 16;
constexpr int kMaxDims = 4;
constexpr int kGroupWords = 7;
constexpr int kPathLimit = 260;  // base names, terminator included
// A word that was never read or set.
constexpr float kUndefinedWord = -1e-30f;
constexpr float kUtmMarker = -900.0f;
// The equidistant axis of each number of dimensions, the only axes a pair can hold.
constexpr int32_t kEqAxisCodes[kMaxDims + 1] = {GBX_EQD0, GBX_EQD1, GBX_EQD2, GBX_EQD3, GBX_EQD4};
// The custom block that carries words 144 to 150 through the data-file layer's header.
constexpr const char* kMiscBlock = "K37_Misc";
constexpr int kMiscWords = 7;

// Word numbers of record 1, counted from 1 as the layout counts them.
enum Word : int {
    kStartDay = 1,
    kStartIndex = 2,
    kTimeAxisSet = 3,
    kLastStep = 4,
    kStartTime = 5,
    kTimeStep = 6,
    kItemCount = 7,
    kDimensions = 8,
    kDataType = 9,
    kDeleteValue = 10,
    kStaticRecords = 11,
    kOrigin = 12,     // 12 to 15
    kAxisUsed = 16,   // 16 to 19
    kLastIndex = 20,  // 20 to 23
    kGeoOrigin = 24,  // 24 and 25
    kSpacing = 28,    // 28 to 31
    kItemGroups = 32,
    kOrientation = 144,
    kProjection = 146,
    kFullGridLast = 148  // 148 to 150
};

// The 7-word statistics group of an item (1 to 16), word k (1 to 7).
constexpr int groupWord(int item, int k) {
    return kItemGroups + kGroupWords * (item - 1) + k - 1;
}

}  // namespace lrx::legacy

struct GbxLegacyState {
    float words[lrx::legacy::kWords + 1];  // words[k] is word k; words[0] is not used
    char title[41];
    char shortCode[5];
    char timeUnit[11];
    char axisUnits[4][11];
    char names[17][21];  // 16 item names and one more that is only kept
    int32_t dims;
    char baseName[lrx::legacy::kPathLimit];
    int32_t slot;  // entry of the table of open pairs; -1 when none
    bool swapped;  // the pair's byte order is the opposite of the machine's
};

// Handed out in place of a GbxFile; the data-file layer recognises it by its first 32 bits.
struct GbxLegacyFile {
    uint32_t tag;
    GbxHeader* header;
};

namespace lrx::legacy {

// The shape of a pair's records, taken from the words once they are known to be sensible.
struct PairLayout {
    int32_t items;
    int32_t dims;
    int32_t staticRecords;
    int32_t timeSteps;
    int32_t sizes[kMaxDims];  // axis sizes of the items (the full grid of a compressed file)
    int64_t recordValues;     // floats per record
    bool compressed;          // 3-D with encoding keys in its first static records
};

// A new state: every word undefined, empty texts, no table entry. Null when out of memory.
GbxLegacyState* newState(int dims);
// Closes the state's table entry, if any, and frees it.
void freeState(GbxLegacyState* state);

GbxLegacyState* stateOf(const GbxHeader* header);
// The extension of the path's last component (from its last dot), or null.
const char* extensionOf(const char* path);
// The header of a legacy handle; null for any other handle.
GbxHeader* headerOfHandle(GbxFile* file);

// The word truncated towards zero, when it is a finite number within 32 bits.
bool wordAsInt(float word, int32_t* value);
// The word as an integer; 0 when it is none (words that checkLayout accepted always are).
int32_t intWord(const GbxLegacyState& state, int word);
// Floats per record from words 20 to 23 of the state's dimensions; -1 when they are not sizes.
int64_t recordValues(const GbxLegacyState& state);
// Checks the words that give counts, sizes and indices: 0, 1000 when one is not sensible, -1
// for dimensions outside 0 to 4.
int checkLayout(const GbxLegacyState& state, PairLayout* layout);

}  // namespace lrx::legacy

// Writes the encoding keys of a compressed header as the first static items of a new file
// and loads them back when a file is opened. Calls the static-item, item and axis calls and
// the record stream's tell and seek.
#include "src/gbx/statics/gbxencodekeys.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "src/gbx/common/gbxmodel.h"
#include "src/lrx/lrxfile.h"
#include "src/os/osmemory.h"

namespace {

constexpr const char* kKeyNames[3] = {"X-Encoding Key", "Y-Encoding Key", "Z-Encoding Key"};
constexpr int kKeyItemType = 999;
constexpr int kKeyUnit = 0;
constexpr int kKeyAxisUnit = 0;

struct VectorDeleter {
    void operator()(GbxVector* vector) const { gbxStaticDestroy(&vector); }
};
using VectorPtr = std::unique_ptr<GbxVector, VectorDeleter>;

int32_t** keySlot(GbxHeader* header, int index) {
    int32_t** slots[3] = {&header->encodeKeyX, &header->encodeKeyY, &header->encodeKeyZ};
    return slots[index];
}

// The index (0 X, 1 Y, 2 Z) of the key that a static item of that name holds, or -1.
int keyIndexOfName(const char* name) {
    for (int i = 0; i < 3; ++i) {
        if (name != nullptr && std::strcmp(name, kKeyNames[i]) == 0) return i;
    }
    return -1;
}

void writeKey(GbxHeader* header, GbxFile* file, int index, const int32_t* key) {
    GbxVector* created = nullptr;
    if (gbxStaticCreate(&created) != 0) return;
    VectorPtr vector(created);
    GbxItem* item = gbxItemS(vector.get());
    if (gbxSetItemInfo(header, item, kKeyItemType, kKeyNames[index], kKeyUnit, LRX_INT4) != 0) return;
    if (gbxSetItemAxisEqD1(item, kKeyAxisUnit, header->encodeKeySize, 0.0f, 1.0f) != 0) return;
    gbxStaticWrite(vector.get(), file, key);
}

// Stores the values of a key item in its slot. An item that cannot serve as a key is passed
// over: one that is not an EqD1 axis of 32-bit integers, a second key of the same name, or a
// key of another length than the keys already stored (the compression code indexes every key
// up to the one shared length).
void storeKey(GbxHeader* header, int index, GbxVector* vector) {
    GbxItem* item = gbxItemS(vector);
    int dataType = 0;
    int size = 0;
    gbxGetItemInfo(item, nullptr, nullptr, nullptr, nullptr, nullptr, &dataType);
    if (gbxGetItemAxisType(item) != 2 || dataType != LRX_INT4) return;
    if (gbxGetItemAxisEqD1(item, nullptr, nullptr, &size, nullptr, nullptr) != 0) return;
    const int elements = gbxGetItemElements(item);
    if (elements < 1 || elements != size || *keySlot(header, index) != nullptr) return;
    if (header->encodeKeySize > 0 && elements != header->encodeKeySize) return;
    void* values = lrx::os::allocate(static_cast<std::size_t>(gbxGetItemBytes(item)));
    if (values == nullptr || gbxStaticGetData(vector, values) != 0) {
        std::free(values);
        return;
    }
    *keySlot(header, index) = static_cast<int32_t*>(values);
    header->encodeKeySize = elements;
}

// Reads the next static item when it is a key item; otherwise puts the file back where it
// stood (position and section state) and returns false.
bool loadNextKey(GbxHeader* header, GbxFile* file) {
    const int64_t start = lrxTell64(file);
    if (start < 0) return false;
    const int32_t state = file->positionState;
    int code = 0;
    VectorPtr vector(gbxStaticRead(file, &code));
    const char* name = nullptr;
    if (vector != nullptr) gbxGetItemInfo(gbxItemS(vector.get()), nullptr, nullptr, &name, nullptr, nullptr, nullptr);
    const int index = keyIndexOfName(name);
    if (index < 0) {
        // Also clears an end of file met while looking; other errors stay recorded.
        lrxSeek64(file, start, 0);
        file->positionState = state;
        return false;
    }
    storeKey(header, index, vector.get());
    return true;
}

}  // namespace

void gbxWriteEncodeKeys(GbxHeader* header, GbxFile* file) {
    if (header->encodeKeySize < 1) return;
    const int32_t* keys[3] = {header->encodeKeyX, header->encodeKeyY, header->encodeKeyZ};
    for (int i = 0; i < 3; ++i) {
        if (keys[i] != nullptr) writeKey(header, file, i, keys[i]);
    }
}

void gbxLoadEncodeKeys(GbxHeader* header, GbxFile* file) {
    for (int pass = 0; pass < 3; ++pass) {
        if (!loadNextKey(header, file)) break;
    }
    header->encodeKeyRef = &header->encodeKeyX;
}

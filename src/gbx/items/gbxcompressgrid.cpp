// Packing a full grid into the values at the encoding-key positions and expanding them back,
// moving values of the item's own size and filling with the delete value of its type. Calls
// only the item's size queries; reporting is left to the caller.
#include "src/gbx/items/gbxcompressgrid.h"

#include <cstring>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxvaluesize.h"
#include "src/gbx/items/gbxitem.h"

namespace {

// The encoding keys laid over one item's grid.
struct KeyGrid {
    const int32_t* x;
    const int32_t* y;
    const int32_t* z;
    int64_t size;      // number of keys
    int64_t nx;        // x size of the grid
    int64_t nxy;       // xy size of the grid
    int64_t gridSize;  // values of the full grid; -1 when the item has no known axis
};

int64_t xSize(const GbxItem* item) {
    return item->axisType == GBX_EQD0 ? 1 : item->axis.sizes[0];
}

// The size of a horizontal layer: one value for EqD0 and EqD1; the 1-D axes of points and of
// time-varying cells have no layers, so their Z keys place nothing (0).
int64_t xySize(const GbxItem* item) {
    switch (item->axisType) {
        case GBX_EQD0:
        case GBX_EQD1:
            return 1;
        case GBX_NEQD1:
        case GBX_TVARD1:
            return 0;
        default:
            return static_cast<int64_t>(item->axis.sizes[0]) * item->axis.sizes[1];
    }
}

KeyGrid keyGrid(const GbxHeader* header, const GbxItem* item) {
    return {header->encodeKeyX, header->encodeKeyY, header->encodeKeyZ,    header->encodeKeySize,
            xSize(item),        xySize(item),       gbxItemXYZSize64(item)};
}

int64_t keyAt(const int32_t* key, int64_t k) {
    return key != nullptr ? key[k] : 0;
}

// The grid position of key k, computed in 64 bits; false when it overflows or lies outside
// the grid.
bool keyPosition(const KeyGrid& keys, int64_t k, int64_t* position) {
    int64_t yPart = 0;
    int64_t zPart = 0;
    int64_t sum = 0;
    if (__builtin_mul_overflow(keyAt(keys.y, k), keys.nx, &yPart)) return false;
    if (__builtin_mul_overflow(keyAt(keys.z, k), keys.nxy, &zPart)) return false;
    if (__builtin_add_overflow(keyAt(keys.x, k), yPart, &sum)) return false;
    if (__builtin_add_overflow(sum, zPart, &sum)) return false;
    *position = sum;
    return sum >= 0 && sum < keys.gridSize;
}

bool allKeysFit(const KeyGrid& keys) {
    if (keys.size < 0) return false;
    int64_t position = 0;
    for (int64_t k = 0; k < keys.size; ++k) {
        if (!keyPosition(keys, k, &position)) return false;
    }
    return true;
}

// Moves one value per key between the packed array (at the key's index) and the grid (at the
// key's position): into the packed array when packing, into the grid when expanding.
void copyAtKeys(const KeyGrid& keys, int64_t valueSize, const void* from, void* to, bool packing) {
    const auto* source = static_cast<const unsigned char*>(from);
    auto* target = static_cast<unsigned char*>(to);
    int64_t position = 0;
    for (int64_t k = 0; k < keys.size; ++k) {
        keyPosition(keys, k, &position);
        const int64_t read = packing ? position : k;
        const int64_t written = packing ? k : position;
        std::memcpy(target + written * valueSize, source + read * valueSize, static_cast<size_t>(valueSize));
    }
}

template <typename T>
void fill(void* values, int64_t count, T value) {
    T* out = static_cast<T*>(values);
    for (int64_t i = 0; i < count; ++i)
        out[i] = value;
}

}  // namespace

bool gbxKeysFitGrid(const GbxHeader* header, const GbxItem* item) {
    return allKeysFit(keyGrid(header, item));
}

int gbxPackGrid(const GbxHeader* header, const GbxItem* item, int dataType, const void* grid, void* packed) {
    const KeyGrid keys = keyGrid(header, item);
    const int64_t valueSize = gbxValueTypeSize(dataType);
    // 16-bit items have no delete value for the cells that no key names: not compressible.
    if (valueSize == 0 || !allKeysFit(keys)) return F_ERR_DATA;
    copyAtKeys(keys, valueSize, grid, packed, true);
    return 0;
}

int gbxExpandGrid(const GbxHeader* header, const GbxItem* item, int dataType, const void* packed, void* grid) {
    const KeyGrid keys = keyGrid(header, item);
    const int64_t valueSize = gbxValueTypeSize(dataType);
    if (valueSize == 0 || !allKeysFit(keys)) return F_ERR_DATA;
    gbxFillDeleteValues(header, dataType, grid, keys.gridSize);
    copyAtKeys(keys, valueSize, packed, grid, false);
    return 0;
}

void gbxFillDeleteValues(const GbxHeader* header, int dataType, void* values, int64_t count) {
    switch (dataType) {
        case LRX_FLOAT:
            fill(values, count, header->deleteValueFloat);
            break;
        case LRX_DOUBLE:
            fill(values, count, header->deleteValueDouble);
            break;
        case LRX_BYTE:
            fill(values, count, header->deleteValueByte);
            break;
        case LRX_INT4:
            fill(values, count, header->deleteValueInt);
            break;
        case LRX_UINT4:
            fill(values, count, header->deleteValueUnsigned);
            break;
        case LRX_INT2:
        case LRX_UINT2:
            // 16-bit integers have no delete value: missing values read as 0.
            fill(values, count, uint16_t{0});
            break;
        default:
            break;
    }
}

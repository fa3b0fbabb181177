// What each spatial axis code holds: its family, its number of sizes, its coordinate arrays
// and their lengths, and the 64-bit element and node counts that decide whether an axis fits
// the library's 32-bit counts. Pure arithmetic on the item record; calls nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

// How an axis describes where its values lie.
enum class GbxAxisFamily {
    Eq,      // sizes, origins and spacings (EqD0 has none of them)
    Tvar,    // sizes only
    Neq,     // sizes and one double array of n+1 values per direction
    Points,  // NeqD1: one size n and one float array of n x, y, z triples
    Curve    // sizes and one double array per direction, one value per grid node
};

struct GbxAxisShape {
    int code;  // GbxAxisCode
    GbxAxisFamily family;
    int dims;       // sizes (and, for Eq, origins and spacings) in use
    int fileTypes;  // file types in which a dynamic item may have the axis, as a mask
};

// The shape of an axis code 1 to 13; null for 0 and unknown codes.
const GbxAxisShape* gbxAxisShapeOf(int code);
// Number of coordinate arrays of the shape (0 for Eq and Tvar).
int gbxAxisArrayCount(const GbxAxisShape& shape);
// Bytes of one value of the shape's arrays: 4 for the NeqD1 points, 8 for the double arrays.
std::size_t gbxAxisArrayElementSize(const GbxAxisShape& shape);
// Values in array `index` for the given sizes, in 64 bits; -1 when the count overflows.
int64_t gbxAxisArrayLength(const GbxAxisShape& shape, const int32_t* sizes, int index);
// Elements of one time step for the given sizes, in 64 bits; -1 when the count overflows.
int64_t gbxAxisElementCount(const GbxAxisShape& shape, const int32_t* sizes);
// True when every size in use is at least 1.
bool gbxAxisSizesPositive(const GbxAxisShape& shape, const int32_t* sizes);
// True when the element count and every array length (the node count of a curvilinear axis)
// lie in 0 to INT32_MAX, the range of the library's counts and of a record's value count.
bool gbxAxisCountsFit(const GbxAxisShape& shape, const int32_t* sizes);
// Array `index` of the item's axis (the points or one of the double arrays), and its change.
void* gbxAxisArray(const GbxAxis& axis, const GbxAxisShape& shape, int index);
void gbxAxisSetArray(GbxAxis& axis, const GbxAxisShape& shape, int index, void* values);

// The shapes of the spatial axis codes and the 64-bit counts derived from an axis's sizes.
// Pure arithmetic; calls nothing outside this file.
#include "src/gbx/items/gbxaxisshape.h"

namespace {

constexpr int kFixedSpace =
    F_EQTIME_FIXEDSPACE_ALLITEMS | F_NEQTIME_FIXEDSPACE_ALLITEMS | F_NEQTIME_FIXEDSPACE_VARITEMS;
constexpr int kVaryingSpace = F_EQTIME_TVARSPACE_ALLITEMS | F_NEQTIME_TVARSPACE_VARITEMS;

constexpr GbxAxisShape kShapes[] = {
    {GBX_EQD0, GbxAxisFamily::Eq, 0, kFixedSpace},
    {GBX_EQD1, GbxAxisFamily::Eq, 1, kFixedSpace},
    {GBX_NEQD1, GbxAxisFamily::Points, 1, kFixedSpace},
    {GBX_TVARD1, GbxAxisFamily::Tvar, 1, kVaryingSpace},
    {GBX_EQD2, GbxAxisFamily::Eq, 2, kFixedSpace},
    {GBX_NEQD2, GbxAxisFamily::Neq, 2, kFixedSpace},
    {GBX_TVARD2, GbxAxisFamily::Tvar, 2, kVaryingSpace},
    {GBX_EQD3, GbxAxisFamily::Eq, 3, kFixedSpace},
    {GBX_NEQD3, GbxAxisFamily::Neq, 3, kFixedSpace},
    {GBX_TVARD3, GbxAxisFamily::Tvar, 3, kVaryingSpace},
    {GBX_EQD4, GbxAxisFamily::Eq, 4, kFixedSpace},
    {GBX_CURVELINEARD2, GbxAxisFamily::Curve, 2, kFixedSpace},
    {GBX_CURVELINEARD3, GbxAxisFamily::Curve, 3, kFixedSpace},
};

// The product of (sizes[i] + add) over the first dims sizes; -1 when it overflows 64 bits.
// Four sizes near INT32_MAX multiply to far beyond 64 bits, so every step is checked.
int64_t productOf(const int32_t* sizes, int dims, int64_t add) {
    int64_t product = 1;
    for (int i = 0; i < dims; ++i) {
        if (__builtin_mul_overflow(product, static_cast<int64_t>(sizes[i]) + add, &product)) return -1;
    }
    return product;
}

bool fitsCount(int64_t count) {
    return count >= 0 && count <= INT32_MAX;
}

}  // namespace

const GbxAxisShape* gbxAxisShapeOf(int code) {
    for (const GbxAxisShape& shape : kShapes) {
        if (shape.code == code) return &shape;
    }
    return nullptr;
}

int gbxAxisArrayCount(const GbxAxisShape& shape) {
    switch (shape.family) {
        case GbxAxisFamily::Points:
            return 1;
        case GbxAxisFamily::Neq:
        case GbxAxisFamily::Curve:
            return shape.dims;
        default:
            return 0;
    }
}

std::size_t gbxAxisArrayElementSize(const GbxAxisShape& shape) {
    return shape.family == GbxAxisFamily::Points ? sizeof(float) : sizeof(double);
}

int64_t gbxAxisArrayLength(const GbxAxisShape& shape, const int32_t* sizes, int index) {
    switch (shape.family) {
        case GbxAxisFamily::Points:
            return static_cast<int64_t>(sizes[0]) * 3;
        case GbxAxisFamily::Neq:
            return static_cast<int64_t>(sizes[index]) + 1;
        case GbxAxisFamily::Curve:
            return productOf(sizes, shape.dims, 1);
        default:
            return 0;
    }
}

int64_t gbxAxisElementCount(const GbxAxisShape& shape, const int32_t* sizes) {
    return productOf(sizes, shape.dims, 0);
}

bool gbxAxisSizesPositive(const GbxAxisShape& shape, const int32_t* sizes) {
    for (int i = 0; i < shape.dims; ++i) {
        if (sizes[i] < 1) return false;
    }
    return true;
}

bool gbxAxisCountsFit(const GbxAxisShape& shape, const int32_t* sizes) {
    if (!fitsCount(gbxAxisElementCount(shape, sizes))) return false;
    for (int i = 0; i < gbxAxisArrayCount(shape); ++i) {
        if (!fitsCount(gbxAxisArrayLength(shape, sizes, i))) return false;
    }
    return true;
}

void* gbxAxisArray(const GbxAxis& axis, const GbxAxisShape& shape, int index) {
    if (shape.family == GbxAxisFamily::Points) return axis.points;
    return axis.coords[index];
}

void gbxAxisSetArray(GbxAxis& axis, const GbxAxisShape& shape, int index, void* values) {
    if (shape.family == GbxAxisFamily::Points)
        axis.points = static_cast<float*>(values);
    else
        axis.coords[index] = static_cast<double*>(values);
}

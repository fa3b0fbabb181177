// The one setter and one getter behind the thirteen exported pairs of axis calls: the axis
// code says which of the values below are in use (see gbxaxisshape.h).
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

// What a setter is given. Origins and spacings are in the caller's unit; arrays are the
// caller's (NeqD1: float x, y, z triples; otherwise doubles) and are copied.
struct GbxAxisInput {
    int32_t sizes[4] = {};
    float origins[4] = {};
    float spacings[4] = {};
    const void* arrays[3] = {};
};

// Where a getter puts what it gives; every pointer may be null.
struct GbxAxisOutput {
    int* unit = nullptr;
    const char** unitName = nullptr;
    int* sizes[4] = {};
    float* origins[4] = {};
    float* spacings[4] = {};
    float** points = nullptr;
    double** coords[3] = {};
};

// Checks the item, its header, the file type and the parameters, then makes `code` the
// item's axis. Returns 0 or the reported code (1000, 2010, 2000, or InitStats's code).
int gbxSetItemAxis(GbxItem* item, int code, int unit, const GbxAxisInput& input);
// Gives the axis of an item whose axis type is `code` (else 1000, nothing written).
int gbxGetItemAxis(GbxItem* item, int code, const GbxAxisOutput& output);

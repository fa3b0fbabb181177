// The exported axis calls of an item: one setter and one getter per axis type, traced and
// handed to the common setter and getter, and the reference coordinates and orientation.
// Calls the common axis access, the check functions and the axis unit conversion.
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxaxisaccess.h"
#include "src/gbx/items/gbxaxisconvert.h"

namespace {

constexpr const char* kModule = "gbxitem";

int setAxis(const char* name, GbxItem* item, int code, int unit, const GbxAxisInput& input) {
    GbxCall call(name);
    return call.result(gbxSetItemAxis(item, code, unit, input));
}

int getAxis(const char* name, GbxItem* item, int code, const GbxAxisOutput& output) {
    GbxCall call(name);
    return call.result(gbxGetItemAxis(item, code, output));
}

GbxAxisInput sized(int nx, int ny = 0, int nz = 0, int nt = 0) {
    GbxAxisInput input;
    input.sizes[0] = nx;
    input.sizes[1] = ny;
    input.sizes[2] = nz;
    input.sizes[3] = nt;
    return input;
}

GbxAxisOutput named(int* unit, const char** unitName, int* nx = nullptr, int* ny = nullptr, int* nz = nullptr,
                    int* nt = nullptr) {
    GbxAxisOutput output;
    output.unit = unit;
    output.unitName = unitName;
    output.sizes[0] = nx;
    output.sizes[1] = ny;
    output.sizes[2] = nz;
    output.sizes[3] = nt;
    return output;
}

// The coordinate arrays of a setter (x, y and z in that order) and of a getter.
GbxAxisInput withArrays(GbxAxisInput input, const void* x, const void* y = nullptr, const void* z = nullptr) {
    input.arrays[0] = x;
    input.arrays[1] = y;
    input.arrays[2] = z;
    return input;
}

GbxAxisOutput withCoords(GbxAxisOutput output, double** x, double** y, double** z = nullptr) {
    output.coords[0] = x;
    output.coords[1] = y;
    output.coords[2] = z;
    return output;
}

void giveAll(float* out[3], float value) {
    for (int i = 0; i < 3; ++i) {
        if (out[i] != nullptr) *out[i] = value;
    }
}

}  // namespace

extern "C" {

// ---- Equidistant axes ----------------------------------------------------------------

int LRX_CALL gbxSetItemAxisEqD0(GbxItem* item, int unit) {
    return setAxis("gbxSetItemAxisEqD0", item, GBX_EQD0, unit, GbxAxisInput{});
}

int LRX_CALL gbxGetItemAxisEqD0(GbxItem* item, int* unit, const char** unitName) {
    return getAxis("gbxGetItemAxisEqD0", item, GBX_EQD0, named(unit, unitName));
}

int LRX_CALL gbxSetItemAxisEqD1(GbxItem* item, int unit, int nx, float x0, float dx) {
    GbxAxisInput input = sized(nx);
    input.origins[0] = x0;
    input.spacings[0] = dx;
    return setAxis("gbxSetItemAxisEqD1", item, GBX_EQD1, unit, input);
}

int LRX_CALL gbxGetItemAxisEqD1(GbxItem* item, int* unit, const char** unitName, int* nx, float* x0, float* dx) {
    GbxAxisOutput output = named(unit, unitName, nx);
    output.origins[0] = x0;
    output.spacings[0] = dx;
    return getAxis("gbxGetItemAxisEqD1", item, GBX_EQD1, output);
}

int LRX_CALL gbxSetItemAxisEqD2(GbxItem* item, int unit, int nx, int ny, float x0, float y0, float dx, float dy) {
    GbxAxisInput input = sized(nx, ny);
    input.origins[0] = x0;
    input.origins[1] = y0;
    input.spacings[0] = dx;
    input.spacings[1] = dy;
    return setAxis("gbxSetItemAxisEqD2", item, GBX_EQD2, unit, input);
}

int LRX_CALL gbxGetItemAxisEqD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, float* x0, float* y0,
                                float* dx, float* dy) {
    GbxAxisOutput output = named(unit, unitName, nx, ny);
    output.origins[0] = x0;
    output.origins[1] = y0;
    output.spacings[0] = dx;
    output.spacings[1] = dy;
    return getAxis("gbxGetItemAxisEqD2", item, GBX_EQD2, output);
}

int LRX_CALL gbxSetItemAxisEqD3(GbxItem* item, int unit, int nx, int ny, int nz, float x0, float y0, float z0, float dx,
                                float dy, float dz) {
    GbxAxisInput input = sized(nx, ny, nz);
    const float origins[] = {x0, y0, z0};
    const float spacings[] = {dx, dy, dz};
    for (int i = 0; i < 3; ++i) {
        input.origins[i] = origins[i];
        input.spacings[i] = spacings[i];
    }
    return setAxis("gbxSetItemAxisEqD3", item, GBX_EQD3, unit, input);
}

int LRX_CALL gbxGetItemAxisEqD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz, float* x0,
                                float* y0, float* z0, float* dx, float* dy, float* dz) {
    GbxAxisOutput output = named(unit, unitName, nx, ny, nz);
    float* origins[] = {x0, y0, z0};
    float* spacings[] = {dx, dy, dz};
    for (int i = 0; i < 3; ++i) {
        output.origins[i] = origins[i];
        output.spacings[i] = spacings[i];
    }
    return getAxis("gbxGetItemAxisEqD3", item, GBX_EQD3, output);
}

int LRX_CALL gbxSetItemAxisEqD4(GbxItem* item, int unit, int nx, int ny, int nz, int nt, float x0, float y0, float z0,
                                float t0, float dx, float dy, float dz, float dt) {
    GbxAxisInput input = sized(nx, ny, nz, nt);
    const float origins[] = {x0, y0, z0, t0};
    const float spacings[] = {dx, dy, dz, dt};
    for (int i = 0; i < 4; ++i) {
        input.origins[i] = origins[i];
        input.spacings[i] = spacings[i];
    }
    return setAxis("gbxSetItemAxisEqD4", item, GBX_EQD4, unit, input);
}

int LRX_CALL gbxGetItemAxisEqD4(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz, int* nt,
                                float* x0, float* y0, float* z0, float* t0, float* dx, float* dy, float* dz,
                                float* dt) {
    GbxAxisOutput output = named(unit, unitName, nx, ny, nz, nt);
    float* origins[] = {x0, y0, z0, t0};
    float* spacings[] = {dx, dy, dz, dt};
    for (int i = 0; i < 4; ++i) {
        output.origins[i] = origins[i];
        output.spacings[i] = spacings[i];
    }
    return getAxis("gbxGetItemAxisEqD4", item, GBX_EQD4, output);
}

// ---- Time-varying axes -----------------------------------------------------------------

int LRX_CALL gbxSetItemAxisTvarD1(GbxItem* item, int unit, int nx) {
    return setAxis("gbxSetItemAxisTvarD1", item, GBX_TVARD1, unit, sized(nx));
}

int LRX_CALL gbxGetItemAxisTvarD1(GbxItem* item, int* unit, const char** unitName, int* nx) {
    return getAxis("gbxGetItemAxisTvarD1", item, GBX_TVARD1, named(unit, unitName, nx));
}

int LRX_CALL gbxSetItemAxisTvarD2(GbxItem* item, int unit, int nx, int ny) {
    return setAxis("gbxSetItemAxisTvarD2", item, GBX_TVARD2, unit, sized(nx, ny));
}

int LRX_CALL gbxGetItemAxisTvarD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny) {
    return getAxis("gbxGetItemAxisTvarD2", item, GBX_TVARD2, named(unit, unitName, nx, ny));
}

int LRX_CALL gbxSetItemAxisTvarD3(GbxItem* item, int unit, int nx, int ny, int nz) {
    return setAxis("gbxSetItemAxisTvarD3", item, GBX_TVARD3, unit, sized(nx, ny, nz));
}

int LRX_CALL gbxGetItemAxisTvarD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz) {
    return getAxis("gbxGetItemAxisTvarD3", item, GBX_TVARD3, named(unit, unitName, nx, ny, nz));
}

// ---- Axes with coordinate arrays (the trailing flag is accepted and not used) ------------

int LRX_CALL gbxSetItemAxisNeqD1(GbxItem* item, int unit, int n, const float* points, int) {
    return setAxis("gbxSetItemAxisNeqD1", item, GBX_NEQD1, unit, withArrays(sized(n), points));
}

int LRX_CALL gbxGetItemAxisNeqD1(GbxItem* item, int* unit, const char** unitName, int* n, float** points) {
    GbxAxisOutput output = named(unit, unitName, n);
    output.points = points;
    return getAxis("gbxGetItemAxisNeqD1", item, GBX_NEQD1, output);
}

int LRX_CALL gbxSetItemAxisNeqD2(GbxItem* item, int unit, int nx, int ny, const double* x, const double* y, int) {
    return setAxis("gbxSetItemAxisNeqD2", item, GBX_NEQD2, unit, withArrays(sized(nx, ny), x, y));
}

int LRX_CALL gbxGetItemAxisNeqD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, double** x,
                                 double** y) {
    return getAxis("gbxGetItemAxisNeqD2", item, GBX_NEQD2, withCoords(named(unit, unitName, nx, ny), x, y));
}

int LRX_CALL gbxSetItemAxisNeqD3(GbxItem* item, int unit, int nx, int ny, int nz, const double* x, const double* y,
                                 const double* z, int) {
    return setAxis("gbxSetItemAxisNeqD3", item, GBX_NEQD3, unit, withArrays(sized(nx, ny, nz), x, y, z));
}

int LRX_CALL gbxGetItemAxisNeqD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz, double** x,
                                 double** y, double** z) {
    return getAxis("gbxGetItemAxisNeqD3", item, GBX_NEQD3, withCoords(named(unit, unitName, nx, ny, nz), x, y, z));
}

int LRX_CALL gbxSetItemAxisCurveLinearD2(GbxItem* item, int unit, int nx, int ny, const double* X, const double* Y,
                                         int) {
    return setAxis("gbxSetItemAxisCurveLinearD2", item, GBX_CURVELINEARD2, unit, withArrays(sized(nx, ny), X, Y));
}

int LRX_CALL gbxGetItemAxisCurveLinearD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, double** X,
                                         double** Y) {
    return getAxis("gbxGetItemAxisCurveLinearD2", item, GBX_CURVELINEARD2,
                   withCoords(named(unit, unitName, nx, ny), X, Y));
}

int LRX_CALL gbxSetItemAxisCurveLinearD3(GbxItem* item, int unit, int nx, int ny, int nz, const double* X,
                                         const double* Y, const double* Z, int) {
    return setAxis("gbxSetItemAxisCurveLinearD3", item, GBX_CURVELINEARD3, unit,
                   withArrays(sized(nx, ny, nz), X, Y, Z));
}

int LRX_CALL gbxGetItemAxisCurveLinearD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                         double** X, double** Y, double** Z) {
    return getAxis("gbxGetItemAxisCurveLinearD3", item, GBX_CURVELINEARD3,
                   withCoords(named(unit, unitName, nx, ny, nz), X, Y, Z));
}

// ---- Reference coordinates and orientation -------------------------------------------

int LRX_CALL gbxSetItemRefCoords(GbxItem* item, float x, float y, float z) {
    GbxCall call("gbxSetItemRefCoords");
    const int code = gbxCheckItem(item, kModule, __LINE__);
    if (code != 0) return call.result(code);
    const float values[] = {x, y, z};
    for (int i = 0; i < 3; ++i)
        item->refCoords[i] = gbxAxisConvertValue(item, values[i], GbxAxisDirection::FromCaller);
    return call.result(0);
}

int LRX_CALL gbxGetItemRefCoords(GbxItem* item, float* x, float* y, float* z) {
    GbxCall call("gbxGetItemRefCoords");
    float* out[] = {x, y, z};
    const int code = gbxCheckItem(item, kModule, __LINE__);
    if (code != 0) {
        giveAll(out, gbxDefaultDeleteFloat());
        return call.result(code);
    }
    for (int i = 0; i < 3; ++i) {
        if (out[i] != nullptr) *out[i] = gbxAxisConvertValue(item, item->refCoords[i], GbxAxisDirection::ToCaller);
    }
    return call.result(0);
}

int LRX_CALL gbxSetItemAxisOrientation(GbxItem* item, float a, float b, float c) {
    GbxCall call("gbxSetItemAxisOrientation");
    const int code = gbxCheckItem(item, kModule, __LINE__);
    if (code != 0) return call.result(code);
    item->orientation[0] = a;
    item->orientation[1] = b;
    item->orientation[2] = c;
    return call.result(0);
}

int LRX_CALL gbxGetItemAxisOrientation(GbxItem* item, float* a, float* b, float* c) {
    // This call's entry line is "gbxGetItemAxisOrigin", the line that existing traces carry.
    GbxCall call("gbxGetItemAxisOrigin");
    float* out[] = {a, b, c};
    const int code = gbxCheckItem(item, kModule, __LINE__);
    if (code != 0) {
        giveAll(out, gbxDefaultDeleteFloat());
        return call.result(code);
    }
    for (int i = 0; i < 3; ++i) {
        if (out[i] != nullptr) *out[i] = item->orientation[i];
    }
    return call.result(0);
}

}  // extern "C"

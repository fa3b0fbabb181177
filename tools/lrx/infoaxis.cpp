// Axis descriptions for `lrx info`, one per axis type, from the exported axis getters.
#include "infoaxis.h"

#include <cstdio>
#include <string>

namespace lrxtool {

namespace {

std::string format(const char* pattern, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

std::string unitPart(const char* unitName, int unit) {
    return format(", unit %s (%d)", unitName != nullptr ? unitName : "", unit);
}

// First and last of n + 1 coordinates.
std::string range(const double* values, int n) {
    return values != nullptr ? format("%g to %g", values[0], values[n]) : std::string("-");
}

std::string describeEq(GbxItem* item, int axisType) {
    int unit = 0, nx = 0, ny = 0, nz = 0, nt = 0;
    const char* name = "";
    float x0 = 0, y0 = 0, z0 = 0, t0 = 0, dx = 0, dy = 0, dz = 0, dt = 0;
    switch (axisType) {
        case 1:
            gbxGetItemAxisEqD0(item, &unit, &name);
            return "EqD0 (one value)" + unitPart(name, unit);
        case 2:
            gbxGetItemAxisEqD1(item, &unit, &name, &nx, &x0, &dx);
            return format("EqD1 %d, origin %g, spacing %g", nx, x0, dx) + unitPart(name, unit);
        case 5:
            gbxGetItemAxisEqD2(item, &unit, &name, &nx, &ny, &x0, &y0, &dx, &dy);
            return format("EqD2 %d x %d, origin (%g, %g), spacing (%g, %g)", nx, ny, x0, y0, dx, dy) +
                   unitPart(name, unit);
        case 8:
            gbxGetItemAxisEqD3(item, &unit, &name, &nx, &ny, &nz, &x0, &y0, &z0, &dx, &dy, &dz);
            return format("EqD3 %d x %d x %d, origin (%g, %g, %g), spacing (%g, %g, %g)", nx, ny, nz, x0, y0, z0, dx,
                          dy, dz) +
                   unitPart(name, unit);
        default:
            gbxGetItemAxisEqD4(item, &unit, &name, &nx, &ny, &nz, &nt, &x0, &y0, &z0, &t0, &dx, &dy, &dz, &dt);
            return format("EqD4 %d x %d x %d x %d, origin (%g, %g, %g, %g), spacing (%g, %g, %g, %g)", nx, ny, nz, nt,
                          x0, y0, z0, t0, dx, dy, dz, dt) +
                   unitPart(name, unit);
    }
}

std::string describeOther(GbxItem* item, int axisType) {
    int unit = 0, nx = 0, ny = 0, nz = 0;
    const char* name = "";
    float* points = nullptr;
    double *x = nullptr, *y = nullptr, *z = nullptr;
    switch (axisType) {
        case 3:
            gbxGetItemAxisNeqD1(item, &unit, &name, &nx, &points);
            return format("NeqD1 %d points", nx) + unitPart(name, unit);
        case 4:
            gbxGetItemAxisTvarD1(item, &unit, &name, &nx);
            return format("TvarD1 %d", nx) + unitPart(name, unit);
        case 6:
            gbxGetItemAxisNeqD2(item, &unit, &name, &nx, &ny, &x, &y);
            return format("NeqD2 %d x %d, x ", nx, ny) + range(x, nx) + ", y " + range(y, ny) + unitPart(name, unit);
        case 7:
            gbxGetItemAxisTvarD2(item, &unit, &name, &nx, &ny);
            return format("TvarD2 %d x %d", nx, ny) + unitPart(name, unit);
        case 9:
            gbxGetItemAxisNeqD3(item, &unit, &name, &nx, &ny, &nz, &x, &y, &z);
            return format("NeqD3 %d x %d x %d, x ", nx, ny, nz) + range(x, nx) + ", y " + range(y, ny) + ", z " +
                   range(z, nz) + unitPart(name, unit);
        case 10:
            gbxGetItemAxisTvarD3(item, &unit, &name, &nx, &ny, &nz);
            return format("TvarD3 %d x %d x %d", nx, ny, nz) + unitPart(name, unit);
        case 12:
            gbxGetItemAxisCurveLinearD2(item, &unit, &name, &nx, &ny, &x, &y);
            return format("CurveLinearD2 %d x %d", nx, ny) + unitPart(name, unit);
        default:
            gbxGetItemAxisCurveLinearD3(item, &unit, &name, &nx, &ny, &nz, &x, &y, &z);
            return format("CurveLinearD3 %d x %d x %d", nx, ny, nz) + unitPart(name, unit);
    }
}

}  // namespace

std::string describeAxis(GbxItem* item) {
    const int axisType = gbxGetItemAxisType(item);
    switch (axisType) {
        case 1:
        case 2:
        case 5:
        case 8:
        case 11:
            return describeEq(item, axisType);
        case 3:
        case 4:
        case 6:
        case 7:
        case 9:
        case 10:
        case 12:
        case 13:
            return describeOther(item, axisType);
        default:
            return "none";
    }
}

}  // namespace lrxtool

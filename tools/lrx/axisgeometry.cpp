// Cell centres and edges of an item's spatial axis, from the exported axis getters (in the
// axis unit: the tool sets no coordinate conversion).
#include "axisgeometry.h"

#include <cmath>
#include <cstdint>

#include "numbertext.h"
#include "vnk/vnk.h"

namespace lrxtool {

namespace {

// origin + steps * spacing, tidied to the decimal that float origin and spacing stand for.
double tidyCoordinate(double origin, double spacing, double steps) {
    constexpr double kHalfFloatEpsilon = 1.0 / (1 << 24);
    const double value = origin + steps * spacing;
    return tidyNumber(value, (std::fabs(origin) + std::fabs(steps * spacing)) * kHalfFloatEpsilon);
}

// Tidied coordinates are kept only when origin and spacing still follow from them exactly as
// floats (the first coordinate, and the difference of the first two), so that a reader who
// takes them back to an equidistant axis finds the stored floats.
bool tidyKeepsAxis(const AxisDirection& direction) {
    const auto& c = direction.centres;
    if (static_cast<float>(c[0]) != static_cast<float>(direction.origin)) return false;
    return c.size() < 2 || static_cast<float>(c[1] - c[0]) == static_cast<float>(direction.spacing);
}

AxisDirection equidistant(int size, double origin, double spacing) {
    AxisDirection direction;
    direction.size = size;
    direction.origin = origin;
    direction.spacing = spacing;
    for (int i = 0; i < size; ++i)
        direction.centres.push_back(tidyCoordinate(origin, spacing, i));
    for (int i = 0; i <= size; ++i)
        direction.edges.push_back(tidyCoordinate(origin, spacing, i - 0.5));
    if (size > 0 && !tidyKeepsAxis(direction)) {
        for (int i = 0; i < size; ++i)
            direction.centres[i] = origin + i * spacing;
        for (int i = 0; i <= size; ++i)
            direction.edges[i] = origin + (i - 0.5) * spacing;
    }
    return direction;
}

// A static item keeps no coordinate arrays: its edges are all zero then.
AxisDirection fromEdges(int size, const double* edges) {
    AxisDirection direction;
    direction.size = size;
    direction.equidistant = false;
    direction.edges.assign(static_cast<std::size_t>(size) + 1, 0.0);
    if (edges != nullptr) direction.edges.assign(edges, edges + size + 1);
    for (int i = 0; i < size; ++i)
        direction.centres.push_back(0.5 * (direction.edges[i] + direction.edges[i + 1]));
    return direction;
}

void readEquidistant(GbxItem* item, AxisGeometry* geometry) {
    int nx = 1, ny = 1, nz = 1;
    float x0 = 0, y0 = 0, z0 = 0, dx = 0, dy = 0, dz = 0;
    switch (geometry->axisType) {
        case 2:
            gbxGetItemAxisEqD1(item, nullptr, nullptr, &nx, &x0, &dx);
            geometry->dimensions = 1;
            break;
        case 5:
            gbxGetItemAxisEqD2(item, nullptr, nullptr, &nx, &ny, &x0, &y0, &dx, &dy);
            geometry->dimensions = 2;
            break;
        case 8:
            gbxGetItemAxisEqD3(item, nullptr, nullptr, &nx, &ny, &nz, &x0, &y0, &z0, &dx, &dy, &dz);
            geometry->dimensions = 3;
            break;
        default:
            geometry->dimensions = 0;
    }
    const int sizes[3] = {nx, ny, nz};
    const float origins[3] = {x0, y0, z0};
    const float spacings[3] = {dx, dy, dz};
    for (int d = 0; d < geometry->dimensions; ++d)
        geometry->directions[d] = equidistant(sizes[d], origins[d], spacings[d]);
}

void readNonEquidistant(GbxItem* item, AxisGeometry* geometry) {
    int nx = 1, ny = 1, nz = 1;
    double *x = nullptr, *y = nullptr, *z = nullptr;
    if (geometry->axisType == 6) {
        gbxGetItemAxisNeqD2(item, nullptr, nullptr, &nx, &ny, &x, &y);
        geometry->dimensions = 2;
    } else {
        gbxGetItemAxisNeqD3(item, nullptr, nullptr, &nx, &ny, &nz, &x, &y, &z);
        geometry->dimensions = 3;
    }
    const int sizes[3] = {nx, ny, nz};
    const double* edges[3] = {x, y, z};
    for (int d = 0; d < geometry->dimensions; ++d)
        geometry->directions[d] = fromEdges(sizes[d], edges[d]);
}

void readPoints(GbxItem* item, AxisGeometry* geometry) {
    int n = 0;
    float* points = nullptr;
    gbxGetItemAxisNeqD1(item, nullptr, nullptr, &n, &points);
    geometry->points = true;
    geometry->dimensions = 1;
    geometry->directions[0].size = n;
    geometry->directions[0].equidistant = false;
    for (int i = 0; i < n; ++i) {
        geometry->directions[0].centres.push_back(i);
        for (int c = 0; c < 3; ++c)
            geometry->pointCoords[c].push_back(points != nullptr ? points[3 * i + c] : 0.0);
    }
}

// Sizes come from the file: a direction longer than this, or a grid of more cells than a time
// step can hold, is not laid out (its coordinates alone would take gigabytes).
constexpr int64_t kLongestDirection = int64_t{1} << 24;

bool sizesArePlausible(int axisType, GbxItem* item) {
    int sizes[3] = {1, 1, 1};
    switch (axisType) {
        case 2:
            gbxGetItemAxisEqD1(item, nullptr, nullptr, &sizes[0], nullptr, nullptr);
            break;
        case 3:
            gbxGetItemAxisNeqD1(item, nullptr, nullptr, &sizes[0], nullptr);
            break;
        case 5:
            gbxGetItemAxisEqD2(item, nullptr, nullptr, &sizes[0], &sizes[1], nullptr, nullptr, nullptr, nullptr);
            break;
        case 6:
            gbxGetItemAxisNeqD2(item, nullptr, nullptr, &sizes[0], &sizes[1], nullptr, nullptr);
            break;
        case 8:
            gbxGetItemAxisEqD3(item, nullptr, nullptr, &sizes[0], &sizes[1], &sizes[2], nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr);
            break;
        case 9:
            gbxGetItemAxisNeqD3(item, nullptr, nullptr, &sizes[0], &sizes[1], &sizes[2], nullptr, nullptr, nullptr);
            break;
        default:
            return true;
    }
    int64_t cells = 1;
    for (const int size : sizes) {
        if (size < 1 || size > kLongestDirection) return false;
        cells *= size;
    }
    return cells <= INT32_MAX;
}

}  // namespace

int64_t AxisGeometry::cellCount() const {
    int64_t count = 1;
    for (int d = 0; d < dimensions; ++d)
        count *= directions[d].size;
    return count;
}

const char* axisTypeName(int axisType) {
    static const char* const kNames[] = {"none",   "EqD0",  "EqD1",          "NeqD1",        "TvarD1",
                                         "EqD2",   "NeqD2", "TvarD2",        "EqD3",         "NeqD3",
                                         "TvarD3", "EqD4",  "CurveLinearD2", "CurveLinearD3"};
    return axisType >= 0 && axisType <= 13 ? kNames[axisType] : "none";
}

AxisGeometry axisGeometry(GbxItem* item) {
    AxisGeometry geometry;
    geometry.axisType = gbxGetItemAxisType(item);
    geometry.typeName = axisTypeName(geometry.axisType);
    geometry.unit = gbxGetItemGeometryUnit(item);
    const char* unitName = "";
    if (vnkGetUnitKey(geometry.unit, &unitName) != 0) geometry.unitName = unitName;
    if (!sizesArePlausible(geometry.axisType, item)) {
        geometry.supported = false;
        geometry.limitation = "an axis of type " + geometry.typeName + " with more cells than a time step can hold";
        return geometry;
    }
    switch (geometry.axisType) {
        case 1:
            break;
        case 2:
        case 5:
        case 8:
            readEquidistant(item, &geometry);
            break;
        case 3:
            readPoints(item, &geometry);
            break;
        case 6:
        case 9:
            readNonEquidistant(item, &geometry);
            break;
        default:
            geometry.supported = false;
            geometry.limitation = "an axis of type " + geometry.typeName;
    }
    return geometry;
}

bool sameDirection(const AxisDirection& a, const AxisDirection& b) {
    return a.size == b.size && a.equidistant == b.equidistant && a.centres == b.centres && a.edges == b.edges;
}

bool sameGeometry(const AxisGeometry& a, const AxisGeometry& b) {
    if (a.axisType != b.axisType || a.unit != b.unit || a.dimensions != b.dimensions || a.points != b.points)
        return false;
    for (int d = 0; d < a.dimensions; ++d) {
        if (!sameDirection(a.directions[d], b.directions[d])) return false;
    }
    for (int c = 0; c < 3; ++c) {
        if (a.pointCoords[c] != b.pointCoords[c]) return false;
    }
    return a.supported && b.supported;
}

}  // namespace lrxtool

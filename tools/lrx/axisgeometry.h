// Where the cells of an item's spatial axis lie: per direction (x, y, z) the cell count, the
// cell centres and the cell edges, from the exported axis getters. Dump and netCDF export lay
// out their values with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lrx/gbx.h"

namespace lrxtool {

struct AxisDirection {
    int64_t size = 1;
    std::vector<double> centres;  // size values
    std::vector<double> edges;    // size + 1 values
    bool equidistant = true;      // from an origin and a spacing
    double origin = 0.0;          // equidistant: the first cell's coordinate, as stored
    double spacing = 0.0;
};

// Equidistant axes give the coordinate of cell i as origin + i * spacing, the cell stretching
// half a spacing to either side; non-equidistant axes store the size + 1 cell edges, and a
// cell's coordinate is the middle between its edges. NeqD1 axes are lists of points, each
// with its own x, y and z.
struct AxisGeometry {
    int axisType = 0;
    std::string typeName;  // "EqD2", ...
    int dimensions = 0;    // directions that the values run along: 0 to 3
    int unit = 0;
    std::string unitName;
    AxisDirection directions[3];         // x, y, z; only the first `dimensions` are used
    bool points = false;                 // NeqD1
    std::vector<double> pointCoords[3];  // NeqD1: x, y and z of every point
    bool supported = true;               // false for time-varying, curvilinear and 4-D axes
    std::string limitation;              // when not supported: "an axis of type TvarD1" and the like
    int64_t cellCount() const;
};

AxisGeometry axisGeometry(GbxItem* item);

// The name of an axis type code ("EqD2"), or "none".
const char* axisTypeName(int axisType);

// True when both lay their cells out alike: the same axis kind, unit, sizes and coordinates.
bool sameGeometry(const AxisGeometry& a, const AxisGeometry& b);
bool sameDirection(const AxisDirection& a, const AxisDirection& b);

}  // namespace lrxtool

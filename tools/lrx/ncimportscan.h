// What a netCDF-CF file offers a data file: its variables along the time dimension (items)
// and without it (static items), each with its data type, name, unit, missing-value marks and
// spatial axis, decided from the file's attributes and coordinate variables.
#pragma once

#include <string>
#include <vector>

#include "ncexportplan.h"
#include "ncfile.h"
#include "ncimporttime.h"

namespace lrxtool {

// One spatial direction of a variable: its cells' coordinates and, when known, their edges.
struct ImportDirection {
    std::string name;
    std::size_t size = 0;
    std::vector<double> centres;
    std::vector<double> edges;  // size + 1 values; empty when the file gives no bounds
    int unit = 0;
    bool unitKnown = true;
};

// The spatial axis a variable becomes.
struct ImportAxis {
    int axisType = 1;  // 1 EqD0, 2 EqD1, 3 NeqD1, 5 EqD2, 6 NeqD2, 8 EqD3, 9 NeqD3
    int unit = 0;
    std::vector<ImportDirection> directions;  // x first
    std::vector<float> origins, spacings;     // equidistant axes
    std::vector<std::vector<double>> edges;   // non-equidistant axes of 2 and 3 directions
    std::vector<float> points;                // NeqD1: x, y, z per point
};

struct ImportVar {
    std::string ncName;
    int varId = -1;
    bool isStatic = false;
    int dataType = 1;  // the item's simple type
    std::string name;
    int itemType = 999;
    int unit = 0;
    std::string unitText;       // set when the unit library does not know the unit
    std::vector<double> marks;  // values that mean "missing" in this variable
    bool packed = false;        // scale_factor or add_offset: values are unpacked
    double scale = 1.0, offset = 0.0;
    std::vector<std::size_t> counts;  // the slab of one time step (or the whole variable)
    ImportAxis axis;
};

// The geographic information carried in an exported file's attributes.
struct ImportGeo {
    bool present = false;
    std::string projection;
    double longitude = 0, latitude = 0, orientation = 0;
    double shiftX = 0, shiftY = 0;  // subtracted from projection coordinates
};

ImportGeo readImportGeo(const NcFile& nc, const Warn& warn);

// Scans every variable; names those it cannot carry over through warn.
std::vector<ImportVar> scanVariables(const NcFile& nc, const ImportTime& time, const ImportGeo& geo, const Warn& warn);

}  // namespace lrxtool

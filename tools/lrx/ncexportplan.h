// What an exported netCDF file will hold, decided before anything is written: one dimension
// and coordinate variable per distinct axis extent (x, y, z, points; suffixed where items
// differ), one variable per item and static item, and the geographic placement.
#pragma once

#include <netcdf.h>

#include <functional>
#include <string>
#include <vector>

#include "axisgeometry.h"
#include "datafile.h"
#include "ncgeo.h"
#include "timeaxis.h"

namespace lrxtool {

struct ExportDim {
    std::string name;
    char letter = 'x';  // 'x', 'y', 'z', or 'p' for a list of points
    AxisDirection direction;
    int unit = 0;
    std::string unitName;
    std::vector<double> pointCoords[3];  // points: x, y and z of every point
    bool placed = false;                 // coordinates moved into the file's projection
    int dimId = -1;
    int varId = -1;
    int boundsId = -1;
    int pointVarIds[3] = {-1, -1, -1};
};

struct ExportVar {
    std::string name;
    bool isStatic = false;
    int number = 0;  // item number, or static item number (both from 1)
    ItemInfo info;
    AxisGeometry geometry;
    std::vector<std::size_t> dims;  // indices into ExportPlan::dims, outermost (z) first
    nc_type type = NC_FLOAT;
    bool placed = false;  // refers to the grid mapping
    int varId = -1;
};

struct ExportPlan {
    TimeAxis time;
    GeoPlacement geo;
    std::vector<ExportDim> dims;
    std::vector<ExportVar> vars;
    int timeDim = -1;
    int timeVar = -1;
    int boundsDim = -1;
    int crsVar = -1;
};

using Warn = std::function<void(const std::string&)>;

// Plans the export of a data file; names what it cannot carry over through warn. classic
// chooses the netCDF types of the classic format. Returns 0 or the code that stopped the
// reading of the static items.
int planExport(const DataFile& data, bool classic, const Warn& warn, ExportPlan* plan);

// A netCDF name made of a text: letters, digits and underscores, starting with a letter.
std::string netcdfName(const std::string& text);

}  // namespace lrxtool

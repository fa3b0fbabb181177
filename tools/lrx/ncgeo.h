// Geographic information between data files and netCDF-CF: recognising a projection text that
// CF knows (UTM zones, geographic longitude and latitude), where the file's origin lies in
// that projection, and the attributes of the CF grid-mapping variable.
#pragma once

#include <string>

#include "lrx/gbx.h"

namespace lrxtool {

class NcFile;

enum class ProjectionKind { Unknown, Utm, LongLat };

struct Projection {
    ProjectionKind kind = ProjectionKind::Unknown;
    int zone = 0;
    bool south = false;
};

// Reads "UTM-32", "UTM-32S", "UTM zone 32N", "WGS_1984_UTM_Zone_32N", "LONG/LAT", "WGS 84"
// and the like. A UTM text without hemisphere is northern unless southHint is set.
Projection recogniseProjection(const std::string& text, bool southHint);

// Easting and northing of a longitude and latitude (degrees, WGS 84) in a UTM zone.
void utmFromLongLat(double longitude, double latitude, int zone, bool south, double* easting, double* northing);

// The geographic information of a data file and how exported coordinates are placed: a grid
// without rotation whose axis unit suits the projection (metres for UTM, degrees for
// longitude and latitude) has its x and y coordinates moved by the origin's position in the
// projection, so that they are projection coordinates.
struct GeoPlacement {
    bool present = false;  // the file holds geographic information
    std::string projectionText;
    double longitude = 0, latitude = 0, orientation = 0;
    Projection projection;
    bool placesGrid = false;  // coordinates are moved and variables refer to the grid mapping
    int axisUnit = 0;         // the axis unit that placed grids have
    double shiftX = 0, shiftY = 0;
};

GeoPlacement geoPlacement(GbxHeader* header);

// Defines the grid-mapping variable "crs" with its CF attributes and the file's own projection
// text, origin and orientation. Returns the variable's id, or -1 when CF knows no mapping.
int defineGridMapping(NcFile& nc, const GeoPlacement& geo);

}  // namespace lrxtool

// Projection texts that CF knows, the UTM forward projection (Krüger's series, exact to well
// below a millimetre within a zone), and the CF grid-mapping variable.
#include "ncgeo.h"

#include <cctype>
#include <cmath>
#include <numbers>
#include <regex>

#include "ncfile.h"

namespace lrxtool {

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kScaleFactor = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kSouthFalseNorthing = 10000000.0;
constexpr int kMetre = 1000;
constexpr int kDegree = 2201;

std::string upper(const std::string& text) {
    std::string result = text;
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

double centralMeridian(int zone) {
    return -183.0 + 6.0 * zone;
}

}  // namespace

Projection recogniseProjection(const std::string& text, bool southHint) {
    Projection projection;
    const std::string name = upper(text);
    static const std::regex kUtm(R"(UTM[-_ ]*(ZONE[-_ ]*)?([0-9]{1,2})\s*([NS])?)");
    std::smatch match;
    if (std::regex_search(name, match, kUtm)) {
        const int zone = std::stoi(match[2].str());
        if (zone >= 1 && zone <= 60) {
            projection.kind = ProjectionKind::Utm;
            projection.zone = zone;
            projection.south = match[3].matched ? match[3].str() == "S" : southHint;
        }
        return projection;
    }
    static const std::regex kLongLat(
        R"(^(LONG/LAT|LONGLAT|LON/LAT|LAT/LONG|LATLONG|LATLON|WGS[ _-]?84|EPSG:4326|GEOGCS\[.*))");
    if (std::regex_search(name, kLongLat)) projection.kind = ProjectionKind::LongLat;
    return projection;
}

void utmFromLongLat(double longitude, double latitude, int zone, bool south, double* easting, double* northing) {
    const double n = kFlattening / (2.0 - kFlattening);
    const double a = kSemiMajorAxis / (1.0 + n) * (1.0 + n * n / 4.0 + n * n * n * n / 64.0);
    const double alpha[3] = {n / 2.0 - 2.0 * n * n / 3.0 + 5.0 * n * n * n / 16.0,
                             13.0 * n * n / 48.0 - 3.0 * n * n * n / 5.0, 61.0 * n * n * n / 240.0};
    const double radians = std::numbers::pi / 180.0;
    const double phi = latitude * radians;
    const double lambda = (longitude - centralMeridian(zone)) * radians;
    const double c = 2.0 * std::sqrt(n) / (1.0 + n);
    const double t = std::sinh(std::atanh(std::sin(phi)) - c * std::atanh(c * std::sin(phi)));
    const double xi = std::atan2(t, std::cos(lambda));
    const double eta = std::atanh(std::sin(lambda) / std::sqrt(1.0 + t * t));
    double e = eta, nn = xi;
    for (int j = 1; j <= 3; ++j) {
        e += alpha[j - 1] * std::cos(2.0 * j * xi) * std::sinh(2.0 * j * eta);
        nn += alpha[j - 1] * std::sin(2.0 * j * xi) * std::cosh(2.0 * j * eta);
    }
    *easting = kFalseEasting + kScaleFactor * a * e;
    *northing = (south ? kSouthFalseNorthing : 0.0) + kScaleFactor * a * nn;
}

GeoPlacement geoPlacement(GbxHeader* header) {
    GeoPlacement geo;
    char* text = nullptr;
    if (gbxGetGeoInfoType(header) != 1 ||
        gbxGetGeoInfoUTMProj(header, &text, &geo.longitude, &geo.latitude, &geo.orientation) != 0)
        return geo;
    geo.present = true;
    geo.projectionText = text != nullptr ? text : "";
    geo.projection = recogniseProjection(geo.projectionText, geo.latitude < 0);
    if (geo.projection.kind == ProjectionKind::Unknown || geo.orientation != 0.0) return geo;
    geo.placesGrid = true;
    if (geo.projection.kind == ProjectionKind::Utm) {
        geo.axisUnit = kMetre;
        utmFromLongLat(geo.longitude, geo.latitude, geo.projection.zone, geo.projection.south, &geo.shiftX,
                       &geo.shiftY);
    } else {
        geo.axisUnit = kDegree;
        geo.shiftX = geo.longitude;
        geo.shiftY = geo.latitude;
    }
    return geo;
}

int defineGridMapping(NcFile& nc, const GeoPlacement& geo) {
    if (!geo.present || geo.projection.kind == ProjectionKind::Unknown) return -1;
    int var = -1;
    if (!nc.check(nc_def_var(nc.id(), "crs", NC_INT, 0, nullptr, &var), "variable crs")) return -1;
    if (geo.projection.kind == ProjectionKind::Utm) {
        nc.putText(var, "grid_mapping_name", "transverse_mercator");
        nc.putDoubles(var, "longitude_of_central_meridian", {centralMeridian(geo.projection.zone)});
        nc.putDoubles(var, "latitude_of_projection_origin", {0.0});
        nc.putDoubles(var, "scale_factor_at_central_meridian", {kScaleFactor});
        nc.putDoubles(var, "false_easting", {kFalseEasting});
        nc.putDoubles(var, "false_northing", {geo.projection.south ? kSouthFalseNorthing : 0.0});
        nc.putInt(var, "utm_zone_number", geo.projection.zone);
    } else {
        nc.putText(var, "grid_mapping_name", "latitude_longitude");
    }
    nc.putDoubles(var, "semi_major_axis", {kSemiMajorAxis});
    nc.putDoubles(var, "inverse_flattening", {1.0 / kFlattening});
    return var;
}

}  // namespace lrxtool

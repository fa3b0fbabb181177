// Scans the variables of a netCDF-CF file: which become items or static items, with which
// data type, name, unit, missing-value marks and spatial axis; and the geographic information
// of a file this tool exported. Calls netCDF-C and the unit library.
#include "ncimportscan.h"

#include <cmath>
#include <set>
#include <sstream>

#include "ncgeo.h"
#include "udunits.h"
#include "vnk/vnk.h"

namespace lrxtool {

namespace {

std::string varName(const NcFile& nc, int var) {
    char name[NC_MAX_NAME + 1] = {0};
    nc_inq_varname(nc.id(), var, name);
    return name;
}

std::string dimName(const NcFile& nc, int dim) {
    char name[NC_MAX_NAME + 1] = {0};
    nc_inq_dimname(nc.id(), dim, name);
    return name;
}

// Names of variables that serve others: bounds, grid mappings and auxiliary coordinates.
std::set<std::string> servingVariables(const NcFile& nc) {
    std::set<std::string> names;
    int vars = 0;
    nc_inq_nvars(nc.id(), &vars);
    for (int var = 0; var < vars; ++var) {
        std::string text;
        if (nc.getText(var, "grid_mapping_name", &text)) names.insert(varName(nc, var));
        for (const char* attribute : {"bounds", "grid_mapping", "coordinates"}) {
            if (!nc.getText(var, attribute, &text)) continue;
            std::istringstream words(text);
            for (std::string word; words >> word;)
                names.insert(word);
        }
    }
    return names;
}

// The item data type for a netCDF type; 0 when there is none.
int dataTypeOf(nc_type type, bool packed) {
    if (packed)
        return type == NC_INT || type == NC_UINT || type == NC_DOUBLE || type == NC_INT64 ? LRX_DOUBLE : LRX_FLOAT;
    switch (type) {
        case NC_FLOAT:
            return LRX_FLOAT;
        case NC_DOUBLE:
            return LRX_DOUBLE;
        case NC_BYTE:
            return LRX_BYTE;
        case NC_UBYTE:
        case NC_SHORT:
        case NC_USHORT:
        case NC_INT:
            return LRX_INT4;
        case NC_UINT:
            return LRX_UINT4;
        default:
            return 0;
    }
}

// The netCDF library's fill value of a type, which marks values never written when a
// variable names no _FillValue of its own.
bool defaultFill(nc_type type, double* fill) {
    switch (type) {
        case NC_FLOAT:
            *fill = NC_FILL_FLOAT;
            return true;
        case NC_DOUBLE:
            *fill = NC_FILL_DOUBLE;
            return true;
        case NC_SHORT:
            *fill = NC_FILL_SHORT;
            return true;
        case NC_USHORT:
            *fill = NC_FILL_USHORT;
            return true;
        case NC_INT:
            *fill = NC_FILL_INT;
            return true;
        case NC_UINT:
            *fill = NC_FILL_UINT;
            return true;
        default:
            return false;
    }
}

std::vector<double> missingMarks(const NcFile& nc, int var, nc_type type) {
    std::vector<double> marks, values;
    if (nc.getDoubles(var, "_FillValue", &values)) {
        marks.push_back(values[0]);
    } else {
        double fill = 0;
        if (defaultFill(type, &fill)) marks.push_back(fill);
    }
    if (nc.getDoubles(var, "missing_value", &values)) marks.insert(marks.end(), values.begin(), values.end());
    return marks;
}

class Scanner {
public:
    Scanner(const NcFile& nc, const ImportTime& time, const ImportGeo& geo, const Warn& warn)
        : nc_(nc), time_(time), geo_(geo), warn_(warn), serving_(servingVariables(nc)) {}

    std::vector<ImportVar> scan() {
        int vars = 0;
        nc_inq_nvars(nc_.id(), &vars);
        std::vector<ImportVar> found;
        for (int var = 0; var < vars; ++var) {
            ImportVar item;
            if (take(var, &item)) found.push_back(std::move(item));
        }
        return found;
    }

private:
    bool skip(const std::string& name, const std::string& why) {
        warn_("variable " + name + " " + why + "; skipped");
        return false;
    }

    bool take(int var, ImportVar* item) {
        item->varId = var;
        item->ncName = varName(nc_, var);
        int dims = 0;
        nc_type type = NC_NAT;
        nc_inq_varndims(nc_.id(), var, &dims);
        nc_inq_vartype(nc_.id(), var, &type);
        std::vector<int> dimIds(static_cast<std::size_t>(dims));
        nc_inq_vardimid(nc_.id(), var, dimIds.data());
        if (dims == 1 && dimName(nc_, dimIds[0]) == item->ncName) return false;  // a coordinate variable
        if (serving_.count(item->ncName) != 0 || var == time_.varId) return false;
        if (type == NC_CHAR || type == NC_STRING) return false;  // texts: labels, not values
        std::vector<double> scale, offset;
        item->packed = nc_.getDoubles(var, "scale_factor", &scale) | nc_.getDoubles(var, "add_offset", &offset);
        if (!scale.empty()) item->scale = scale[0];
        if (!offset.empty()) item->offset = offset[0];
        item->dataType = dataTypeOf(type, item->packed);
        if (item->dataType == 0) return skip(item->ncName, "has a value type that data files cannot hold");
        return placeDims(dimIds, item) && describe(var, type, item);
    }

    bool placeDims(const std::vector<int>& dimIds, ImportVar* item) {
        std::vector<int> spatial;
        for (std::size_t i = 0; i < dimIds.size(); ++i) {
            if (time_.present && dimIds[i] == time_.dimId) {
                if (i != 0) return skip(item->ncName, "does not run along time first");
                item->counts.push_back(1);
            } else {
                spatial.push_back(dimIds[i]);
            }
        }
        item->isStatic = item->counts.empty();
        if (spatial.size() > 3) return skip(item->ncName, "has more than three spatial dimensions");
        // The last dimension runs fastest: it is x, the one before y, then z.
        for (auto d = spatial.rbegin(); d != spatial.rend(); ++d)
            item->axis.directions.push_back(direction(*d, spatial.size() >= 2));
        for (const int d : spatial) {
            std::size_t size = 0;
            nc_inq_dimlen(nc_.id(), d, &size);
            item->counts.push_back(size);
        }
        return decideAxis(item);
    }

    // Edges from contiguous bounds (size x 2 values).
    static std::vector<double> edgesOfBounds(const std::vector<double>& bounds, std::size_t size) {
        std::vector<double> edges;
        for (std::size_t i = 0; i < size; ++i) {
            if (i > 0 && bounds[2 * i] != bounds[2 * i - 1]) return {};
            edges.push_back(bounds[2 * i]);
        }
        edges.push_back(bounds[2 * size - 1]);
        return edges;
    }

    void readBounds(int coordinateVar, ImportDirection* direction) {
        std::string boundsName;
        int boundsVar = -1;
        if (!nc_.getText(coordinateVar, "bounds", &boundsName) ||
            nc_inq_varid(nc_.id(), boundsName.c_str(), &boundsVar) != NC_NOERR)
            return;
        int dims = 0;
        nc_inq_varndims(nc_.id(), boundsVar, &dims);
        if (dims != 2) return;
        int dimIds[2] = {-1, -1};
        std::size_t lengths[2] = {0, 0};
        nc_inq_vardimid(nc_.id(), boundsVar, dimIds);
        nc_inq_dimlen(nc_.id(), dimIds[0], &lengths[0]);
        nc_inq_dimlen(nc_.id(), dimIds[1], &lengths[1]);
        std::vector<double> bounds(2 * direction->size);
        if (lengths[0] != direction->size || lengths[1] != 2 ||
            nc_get_var_double(nc_.id(), boundsVar, bounds.data()) != NC_NOERR)
            return;
        direction->edges = edgesOfBounds(bounds, direction->size);
    }

    // The shift that turns this coordinate variable's projection coordinates back into the
    // grid's own coordinates.
    double shiftOf(int coordinateVar) const {
        std::string standardName;
        if (!geo_.present || !nc_.getText(coordinateVar, "standard_name", &standardName)) return 0.0;
        if (standardName == "projection_x_coordinate" || standardName == "longitude") return geo_.shiftX;
        if (standardName == "projection_y_coordinate" || standardName == "latitude") return geo_.shiftY;
        return 0.0;
    }

    ImportDirection direction(int dim, bool grid) {
        ImportDirection direction;
        direction.name = dimName(nc_, dim);
        nc_inq_dimlen(nc_.id(), dim, &direction.size);
        int var = -1;
        int dims = 0;
        int alongDim = -1;
        nc_type type = NC_NAT;
        if (nc_inq_varid(nc_.id(), direction.name.c_str(), &var) == NC_NOERR) {
            nc_inq_varndims(nc_.id(), var, &dims);
            nc_inq_vartype(nc_.id(), var, &type);
            if (dims == 1) nc_inq_vardimid(nc_.id(), var, &alongDim);
        }
        direction.centres.resize(direction.size);
        if (dims != 1 || alongDim != dim || type == NC_CHAR || type == NC_STRING ||
            nc_get_var_double(nc_.id(), var, direction.centres.data()) != NC_NOERR) {
            for (std::size_t i = 0; i < direction.size; ++i)
                direction.centres[i] = static_cast<double>(i);
            return direction;
        }
        readBounds(var, &direction);
        const double shift = grid ? shiftOf(var) : 0.0;
        for (double& c : direction.centres)
            c -= shift;
        for (double& e : direction.edges)
            e -= shift;
        std::string units;
        if (nc_.getText(var, "units", &units) && !unitKeyOf(units, &direction.unit)) {
            direction.unitKnown = false;
            direction.unit = 0;
            warn_("the unit \"" + units + "\" of dimension " + direction.name + " is not known; its axis gets no unit");
        }
        return direction;
    }

    // True when the coordinates lie on float origin + i * float spacing, as an equidistant
    // axis would give them back.
    static bool equidistant(const ImportDirection& d, float* origin, float* spacing) {
        constexpr double kTolerance = 1.0 / (1 << 22);
        const auto& c = d.centres;
        *origin = static_cast<float>(c[0]);
        *spacing = c.size() >= 2         ? static_cast<float>(c[1] - c[0])
                   : d.edges.size() == 2 ? static_cast<float>(d.edges[1] - d.edges[0])
                                         : 1.0f;
        if (!(*spacing > 0) || !std::isfinite(*spacing) || !std::isfinite(*origin)) return false;
        for (std::size_t i = 0; i < c.size(); ++i) {
            const double expected = double(*origin) + static_cast<double>(i) * double(*spacing);
            if (std::fabs(c[i] - expected) > (std::fabs(c[0]) + std::fabs(i * double(*spacing))) * kTolerance)
                return false;
        }
        return true;
    }

    // Edges whose middles are the centres: from the bounds when they are contiguous, else
    // each edge mirrors the one before it across a centre.
    static std::vector<double> edgesOf(const ImportDirection& d) {
        if (d.edges.size() == d.size + 1) return d.edges;
        const auto& c = d.centres;
        std::vector<double> edges(d.size + 1);
        edges[0] = d.size >= 2 ? c[0] - 0.5 * (c[1] - c[0]) : c[0] - 0.5;
        for (std::size_t i = 0; i < d.size; ++i)
            edges[i + 1] = 2.0 * c[i] - edges[i];
        return edges;
    }

    bool decideAxis(ImportVar* item) {
        ImportAxis& axis = item->axis;
        const std::size_t n = axis.directions.size();
        if (n == 0) return true;
        axis.unit = axis.directions[0].unit;
        for (const ImportDirection& d : axis.directions) {
            if (d.unit != axis.unit)
                warn_("the dimensions of variable " + item->ncName + " have different units; the unit of " +
                      axis.directions[0].name + " is kept");
        }
        bool regular = true;
        for (const ImportDirection& d : axis.directions) {
            float origin = 0, spacing = 0;
            regular = regular && equidistant(d, &origin, &spacing);
            axis.origins.push_back(origin);
            axis.spacings.push_back(spacing);
        }
        static const int kEq[4] = {1, 2, 5, 8};
        static const int kNeq[4] = {1, 3, 6, 9};
        axis.axisType = regular ? kEq[n] : kNeq[n];
        if (regular) return true;
        if (item->isStatic)
            return skip(item->ncName, "lies on an irregular grid, whose coordinates static items cannot keep");
        if (n == 1) {
            for (const double c : axis.directions[0].centres) {
                axis.points.insert(axis.points.end(), {static_cast<float>(c), 0.0f, 0.0f});
            }
            return true;
        }
        for (const ImportDirection& d : axis.directions)
            axis.edges.push_back(edgesOf(d));
        return true;
    }

    void describeUnit(int var, ImportVar* item) {
        std::string units;
        const bool hasUnits = nc_.getText(var, "units", &units);
        std::vector<double> key;
        const char* keyName = "";
        if (nc_.getDoubles(var, "lrx_unit_key", &key)) {
            const int unit = static_cast<int>(key[0]);
            const char* table = udunitsText(unit);
            if ((table != nullptr && units == table) || (vnkGetUnitKey(unit, &keyName) != 0 && units == keyName)) {
                item->unit = unit;
                return;
            }
        }
        if (!hasUnits || unitKeyOf(units, &item->unit)) return;
        warn_("the unit \"" + units + "\" of variable " + item->ncName +
              " is not known; its item type is undefined and the unit is kept as text");
        item->unit = 0;
        item->unitText = units;
    }

    bool describe(int var, nc_type type, ImportVar* item) {
        std::string longName;
        item->name = nc_.getText(var, "long_name", &longName) && !longName.empty() ? longName : item->ncName;
        describeUnit(var, item);
        std::vector<double> typeKey;
        if (item->unitText.empty() && nc_.getDoubles(var, "lrx_item_type_key", &typeKey) &&
            vnkItemUnitEqv(static_cast<int>(typeKey[0]), item->unit) != 0)
            item->itemType = static_cast<int>(typeKey[0]);
        item->marks = missingMarks(nc_, var, type);
        return true;
    }

    const NcFile& nc_;
    const ImportTime& time_;
    const ImportGeo& geo_;
    const Warn& warn_;
    std::set<std::string> serving_;
};

}  // namespace

ImportGeo readImportGeo(const NcFile& nc, const Warn& warn) {
    ImportGeo geo;
    std::vector<double> longitude, latitude, orientation;
    if (nc.getText(NC_GLOBAL, "lrx_projection", &geo.projection) &&
        nc.getDoubles(NC_GLOBAL, "lrx_origin_longitude", &longitude) &&
        nc.getDoubles(NC_GLOBAL, "lrx_origin_latitude", &latitude) &&
        nc.getDoubles(NC_GLOBAL, "lrx_orientation", &orientation)) {
        geo.present = true;
        geo.longitude = longitude[0];
        geo.latitude = latitude[0];
        geo.orientation = orientation[0];
        const Projection projection = recogniseProjection(geo.projection, geo.latitude < 0);
        if (geo.orientation != 0.0 || projection.kind == ProjectionKind::Unknown) return geo;
        if (projection.kind == ProjectionKind::Utm) {
            utmFromLongLat(geo.longitude, geo.latitude, projection.zone, projection.south, &geo.shiftX, &geo.shiftY);
        } else {
            geo.shiftX = geo.longitude;
            geo.shiftY = geo.latitude;
        }
        return geo;
    }
    int vars = 0;
    nc_inq_nvars(nc.id(), &vars);
    for (int var = 0; var < vars; ++var) {
        std::string mapping;
        if (!nc.getText(var, "grid_mapping_name", &mapping)) continue;
        if (mapping == "latitude_longitude") {
            // Longitudes and latitudes are the grid's own coordinates, its origin at 0, 0.
            geo.present = true;
            geo.projection = "LONG/LAT";
            return geo;
        }
        warn("the grid mapping " + varName(nc, var) + " (" + mapping + ") is not carried over");
    }
    return geo;
}

std::vector<ImportVar> scanVariables(const NcFile& nc, const ImportTime& time, const ImportGeo& geo, const Warn& warn) {
    return Scanner(nc, time, geo, warn).scan();
}

}  // namespace lrxtool

// Plans an export: the dimensions that the items' axes need, shared where axes agree, and a
// variable per item and static item with a unique netCDF name. Reads the header and the
// static items' definitions through the data-file API.
#include "ncexportplan.h"

#include <cctype>
#include <set>

namespace lrxtool {

namespace {

nc_type netcdfType(int dataType, bool classic) {
    switch (dataType) {
        case LRX_DOUBLE:
            return NC_DOUBLE;
        case LRX_BYTE:
            return NC_BYTE;
        case LRX_INT4:
            return NC_INT;
        case LRX_UINT4:
            // The classic format has no unsigned type; a double holds every value exactly.
            return classic ? NC_DOUBLE : NC_UINT;
        default:
            return NC_FLOAT;
    }
}

class Planner {
public:
    Planner(bool classic, const Warn& warn, ExportPlan* plan) : classic_(classic), warn_(warn), plan_(plan) {
        taken_.insert("time");
        taken_.insert("time_bnds");
        taken_.insert("nv");
        taken_.insert("crs");
    }

    void add(GbxItem* item, bool isStatic, int number) {
        ExportVar var;
        var.isStatic = isStatic;
        var.number = number;
        var.info = itemInfo(item);
        var.geometry = axisGeometry(item);
        const std::string what =
            (isStatic ? "static item " : "item ") + std::to_string(number) + " \"" + var.info.name + "\"";
        if (!var.geometry.supported) {
            warn_(what + " has " + var.geometry.limitation + ", which is not exported");
            return;
        }
        if (valueSize(var.info.dataType) == 0) {
            warn_(what + " has values of simple type " + std::to_string(var.info.dataType) + ", which is not exported");
            return;
        }
        var.type = netcdfType(var.info.dataType, classic_);
        if (var.geometry.points) {
            var.dims.push_back(dimFor(var.geometry, 'p', 0));
        } else {
            for (int d = var.geometry.dimensions - 1; d >= 0; --d)
                var.dims.push_back(dimFor(var.geometry, "xyz"[d], d));
        }
        var.placed = plan_->geo.placesGrid && var.geometry.dimensions >= 2 && !var.geometry.points &&
                     var.geometry.unit == plan_->geo.axisUnit;
        var.name = uniqueName(netcdfName(var.info.name));
        plan_->vars.push_back(std::move(var));
    }

private:
    bool sameDim(const ExportDim& dim, const AxisGeometry& geometry, char letter, int d) const {
        if (dim.letter != letter || dim.unit != geometry.unit) return false;
        if (letter != 'p') return sameDirection(dim.direction, geometry.directions[d]);
        for (int c = 0; c < 3; ++c) {
            if (dim.pointCoords[c] != geometry.pointCoords[c]) return false;
        }
        return true;
    }

    std::size_t dimFor(const AxisGeometry& geometry, char letter, int d) {
        for (std::size_t i = 0; i < plan_->dims.size(); ++i) {
            if (sameDim(plan_->dims[i], geometry, letter, d)) return i;
        }
        ExportDim dim;
        dim.letter = letter;
        dim.direction = geometry.directions[d];
        dim.unit = geometry.unit;
        dim.unitName = geometry.unitName;
        if (letter == 'p') {
            for (int c = 0; c < 3; ++c)
                dim.pointCoords[c] = geometry.pointCoords[c];
        }
        dim.placed = plan_->geo.placesGrid && (letter == 'x' || letter == 'y') && geometry.dimensions >= 2 &&
                     geometry.unit == plan_->geo.axisUnit;
        dim.name = uniqueName(letter == 'p' ? std::string("point") : std::string(1, letter));
        plan_->dims.push_back(std::move(dim));
        return plan_->dims.size() - 1;
    }

    // The name itself when it is free, else the name with "_2", "_3", ... appended.
    std::string uniqueName(const std::string& name) {
        std::string candidate = name;
        for (int suffix = 2; taken_.count(candidate) != 0 || taken_.count(candidate + "_bnds") != 0; ++suffix)
            candidate = name + "_" + std::to_string(suffix);
        taken_.insert(candidate);
        taken_.insert(candidate + "_bnds");
        return candidate;
    }

    bool classic_;
    const Warn& warn_;
    ExportPlan* plan_;
    std::set<std::string> taken_;
};

}  // namespace

std::string netcdfName(const std::string& text) {
    std::string name;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        name += std::isalnum(byte) || c == '_' ? c : '_';
    }
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) name = "v_" + name;
    return name;
}

int planExport(const DataFile& data, bool classic, const Warn& warn, ExportPlan* plan) {
    GbxHeader* header = data.header();
    plan->time = readTimeAxis(header);
    plan->geo = geoPlacement(header);
    Planner planner(classic, warn, plan);
    for (int n = 1; n <= gbxGetNoOfItems(header); ++n)
        planner.add(gbxItemD(header, n), false, n);
    const bool compressed = gbxIsFileCompressed(header) != 0;
    // The encoding keys of a compressed file are not exported: its grids are written expanded.
    return forEachStatic(header, data.file(), [&](GbxVector* vector, int number) {
        GbxItem* item = gbxItemS(vector);
        if (!compressed || !isEncodingKeyName(itemInfo(item).name)) planner.add(item, true, number);
        return true;
    });
}

}  // namespace lrxtool

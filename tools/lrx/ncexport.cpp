// Exports a data file to netCDF-CF: global attributes, an unlimited time coordinate, one
// dimension and coordinate variable per distinct axis extent, a grid mapping where CF knows
// the projection, and one variable per item (over time) and static item (without time),
// written one time step at a time. Calls the data-file API and netCDF-C.
#include "ncexport.h"

#include <chrono>

#include "calendar.h"
#include "errortext.h"
#include "ncexportplan.h"
#include "ncfile.h"
#include "numbertext.h"
#include "progress.h"
#include "stepreader.h"
#include "udunits.h"

namespace lrxtool {

namespace {

// Numbers of an attribute converted to the variable's own type.
void putNumbers(NcFile& nc, int var, const char* name, nc_type type, const std::vector<double>& values) {
    std::vector<unsigned char> bytes;
    auto append = [&bytes](const auto& value) {
        const auto* at = reinterpret_cast<const unsigned char*>(&value);
        bytes.insert(bytes.end(), at, at + sizeof value);
    };
    for (const double v : values) {
        switch (type) {
            case NC_FLOAT:
                append(static_cast<float>(v));
                break;
            case NC_BYTE:
                append(static_cast<signed char>(v));
                break;
            case NC_SHORT:
                append(static_cast<int16_t>(v));
                break;
            case NC_USHORT:
                append(static_cast<uint16_t>(v));
                break;
            case NC_INT:
                append(static_cast<int32_t>(v));
                break;
            case NC_UINT:
                append(static_cast<uint32_t>(v));
                break;
            default:
                append(v);
        }
    }
    nc.putTyped(var, name, type, values.size(), bytes.data());
}

std::string unitText(int unit, const std::string& name, const std::string& what, const Warn& warn) {
    if (const char* text = udunitsText(unit)) return text;
    warn(what + ": the unit \"" + name + "\" has no UDUNITS text; written as it is named");
    return name;
}

std::string utcNow() {
    const auto now = std::chrono::system_clock::now();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    return isoText(seconds) + "Z";
}

nc_type customBlockType(int type, bool classic) {
    switch (type) {
        case LRX_FLOAT:
            return NC_FLOAT;
        case LRX_BYTE:
            return NC_BYTE;
        case LRX_INT4:
            return NC_INT;
        case LRX_INT2:
            return NC_SHORT;
        case LRX_UINT2:
            return classic ? NC_INT : NC_USHORT;
        case LRX_UINT4:
            return classic ? NC_DOUBLE : NC_UINT;
        default:
            return NC_DOUBLE;
    }
}

void defineCustomBlocks(NcFile& nc, GbxHeader* header, bool classic, const Warn& warn) {
    GbxCustomBlock* block = nullptr;
    gbxGetCustomBlockRef(header, &block);
    while (block != nullptr) {
        int type = 0, count = 0;
        char* name = nullptr;
        void* values = nullptr;
        gbxGetCustomBlock(block, &type, &name, &count, &values, &block);
        const std::string blockName = name != nullptr ? name : "";
        if (type < LRX_FLOAT || type > LRX_UINT2 || count < 1 || values == nullptr) {
            warn("the custom block \"" + blockName + "\" holds no values and is not exported");
            continue;
        }
        std::vector<double> numbers;
        for (int i = 0; i < count; ++i)
            numbers.push_back(valueAsDouble(type, values, static_cast<std::size_t>(i)));
        putNumbers(nc, NC_GLOBAL, netcdfName(blockName).c_str(), customBlockType(type, classic), numbers);
    }
}

void defineGlobals(NcFile& nc, const DataFile& data, const ExportPlan& plan, const ConvertOptions& options,
                   const Warn& warn) {
    GbxHeader* header = data.header();
    nc.putText(NC_GLOBAL, "Conventions", "CF-1.8");
    nc.putText(NC_GLOBAL, "title", gbxGetFileTitle(header));
    const std::string application = gbxGetAppTitle(header);
    nc.putText(NC_GLOBAL, "source",
               (application.empty() ? std::string("data file") : application) + " version " +
                   std::to_string(gbxGetAppVersionNo(header)));
    nc.putText(NC_GLOBAL, "history", utcNow() + ": " + options.commandLine);
    nc.putText(NC_GLOBAL, "lrx_file_type", gbxFileTypeStr(gbxGetFileType(header)));
    nc.putInt(NC_GLOBAL, "lrx_data_type", gbxGetDataType(header));
    nc.putInt(NC_GLOBAL, "lrx_statistics_type", gbxGetItemStatsType(header));
    nc.putText(NC_GLOBAL, "lrx_application", application);
    nc.putInt(NC_GLOBAL, "lrx_application_version", gbxGetAppVersionNo(header));
    if (plan.geo.present) {
        nc.putText(NC_GLOBAL, "lrx_projection", plan.geo.projectionText);
        nc.putDoubles(NC_GLOBAL, "lrx_origin_longitude", {plan.geo.longitude});
        nc.putDoubles(NC_GLOBAL, "lrx_origin_latitude", {plan.geo.latitude});
        nc.putDoubles(NC_GLOBAL, "lrx_orientation", {plan.geo.orientation});
        if (plan.geo.projection.kind != ProjectionKind::Unknown && !plan.geo.placesGrid)
            warn("the grid is rotated by " + numberText(plan.geo.orientation) +
                 "; its coordinates are written in its own frame, not in the projection");
    }
    defineCustomBlocks(nc, header, options.classic, warn);
}

void defineCoordinateAttributes(NcFile& nc, const ExportDim& dim, const ExportPlan& plan, const Warn& warn) {
    const char letter = static_cast<char>(dim.letter - 'a' + 'A');
    const bool longLat = dim.placed && plan.geo.projection.kind == ProjectionKind::LongLat;
    if (longLat) {
        nc.putText(dim.varId, "units", dim.letter == 'x' ? "degrees_east" : "degrees_north");
        nc.putText(dim.varId, "standard_name", dim.letter == 'x' ? "longitude" : "latitude");
    } else {
        nc.putText(dim.varId, "units", unitText(dim.unit, dim.unitName, "axis " + dim.name, warn));
        if (dim.placed)
            nc.putText(dim.varId, "standard_name",
                       dim.letter == 'x' ? "projection_x_coordinate" : "projection_y_coordinate");
    }
    nc.putText(dim.varId, "axis", std::string(1, letter));
    nc.putText(dim.varId, "long_name", std::string(1, dim.letter) + " coordinate of the cell centres");
    if (dim.letter == 'z') nc.putText(dim.varId, "positive", "up");
    nc.putText(dim.varId, "bounds", dim.name + "_bnds");
}

void definePoints(NcFile& nc, ExportDim& dim, const Warn& warn) {
    static const char* const kNames[3] = {"x", "y", "z"};
    for (int c = 0; c < 3; ++c) {
        const std::string name = dim.name + "_" + kNames[c];
        if (!nc.check(nc_def_var(nc.id(), name.c_str(), NC_DOUBLE, 1, &dim.dimId, &dim.pointVarIds[c]), name)) return;
        nc.putText(dim.pointVarIds[c], "units", unitText(dim.unit, dim.unitName, "axis " + dim.name, warn));
        nc.putText(dim.pointVarIds[c], "long_name", std::string(kNames[c]) + " coordinate of the points");
    }
}

void defineSpace(NcFile& nc, ExportPlan& plan, const Warn& warn) {
    bool needsBounds = false;
    for (ExportDim& dim : plan.dims) {
        if (!nc.check(nc_def_dim(nc.id(), dim.name.c_str(), static_cast<std::size_t>(dim.direction.size), &dim.dimId),
                      "dimension " + dim.name))
            return;
        needsBounds = needsBounds || dim.letter != 'p';
    }
    if (needsBounds) nc.check(nc_def_dim(nc.id(), "nv", 2, &plan.boundsDim), "dimension nv");
    for (ExportDim& dim : plan.dims) {
        if (!nc.ok()) return;
        if (dim.letter == 'p') {
            definePoints(nc, dim, warn);
            continue;
        }
        nc.check(nc_def_var(nc.id(), dim.name.c_str(), NC_DOUBLE, 1, &dim.dimId, &dim.varId), "variable " + dim.name);
        const int boundsDims[2] = {dim.dimId, plan.boundsDim};
        const std::string bounds = dim.name + "_bnds";
        nc.check(nc_def_var(nc.id(), bounds.c_str(), NC_DOUBLE, 2, boundsDims, &dim.boundsId), "variable " + bounds);
        if (nc.ok()) defineCoordinateAttributes(nc, dim, plan, warn);
    }
}

// The word of a CF time unit "WORD since DATE" for the axis unit; null for units that are
// written as seconds.
const char* timeUnitWord(int unit) {
    switch (unit) {
        case 1400:
            return "seconds";
        case 1401:
            return "minutes";
        case 1402:
            return "hours";
        case 1403:
            return "days";
        default:
            return nullptr;
    }
}

// The time of a step as the time variable holds it: on calendar axes in the axis unit (or in
// seconds when CF has no word for it) since the start, else in the axis unit.
double timeValue(const TimeAxis& axis, double relative) {
    if (axis.calendar && timeUnitWord(axis.unit) == nullptr) return relativeSeconds(axis, axis.start + relative);
    return axis.start + relative;
}

void defineTime(NcFile& nc, ExportPlan& plan, const Warn& warn) {
    if (!nc.check(nc_def_dim(nc.id(), "time", NC_UNLIMITED, &plan.timeDim), "dimension time")) return;
    if (!nc.check(nc_def_var(nc.id(), "time", NC_DOUBLE, 1, &plan.timeDim, &plan.timeVar), "variable time")) return;
    const TimeAxis& axis = plan.time;
    nc.putText(plan.timeVar, "axis", "T");
    if (axis.calendar && axis.startKnown) {
        std::string start = isoText(axis.startSeconds);
        start[10] = ' ';
        const char* word = timeUnitWord(axis.unit);
        nc.putText(plan.timeVar, "units", std::string(word != nullptr ? word : "seconds") + " since " + start);
        nc.putText(plan.timeVar, "calendar", "standard");
        nc.putText(plan.timeVar, "standard_name", "time");
        nc.putText(plan.timeVar, "long_name", "time");
        return;
    }
    if (axis.calendar) warn("the start date \"" + axis.startDate + " " + axis.startTime + "\" is no valid date");
    nc.putText(plan.timeVar, "units", unitText(axis.unit, axis.unitName, "the time axis", warn));
    nc.putText(plan.timeVar, "long_name", "time of a relative time axis, without reference date");
}

void defineChunksAndDeflate(NcFile& nc, const ExportVar& var, const std::vector<std::size_t>& chunks,
                            const ConvertOptions& options) {
    if (options.classic) return;
    if (!chunks.empty())
        nc.check(nc_def_var_chunking(nc.id(), var.varId, NC_CHUNKED, chunks.data()), "chunks of " + var.name);
    if (options.deflate > 0)
        nc.check(nc_def_var_deflate(nc.id(), var.varId, 1, 1, options.deflate), "compression of " + var.name);
}

std::vector<double> fillValue(const DeleteValues& deletes, int dataType) {
    switch (dataType) {
        case LRX_DOUBLE:
            return {deletes.doubleValue};
        case LRX_BYTE:
            return {static_cast<double>(deletes.byteValue)};
        case LRX_INT4:
            return {static_cast<double>(deletes.intValue)};
        case LRX_UINT4:
            return {static_cast<double>(deletes.unsignedValue)};
        default:
            return {deletes.floatValue};
    }
}

void defineStatistics(NcFile& nc, const ExportVar& var, GbxHeader* header) {
    double min = 0, max = 0;
    int deletes = 0;
    gbxGetItemStatsGlobal(gbxItemD(header, var.number), &min, &max, &deletes);
    const double none = gbxGetDeleteValDouble(header);
    if (min != none && max != none) putNumbers(nc, var.varId, "actual_range", var.type, {min, max});
    nc.putInt(var.varId, "lrx_delete_value_count", deletes);
}

void defineVariable(NcFile& nc, ExportVar& var, const ExportPlan& plan, const DataFile& data,
                    const ConvertOptions& options, const Warn& warn) {
    std::vector<int> dims;
    std::vector<std::size_t> chunks;
    if (!var.isStatic) {
        dims.push_back(plan.timeDim);
        chunks.push_back(1);
    }
    for (const std::size_t d : var.dims) {
        dims.push_back(plan.dims[d].dimId);
        chunks.push_back(static_cast<std::size_t>(plan.dims[d].direction.size));
    }
    if (!nc.check(
            nc_def_var(nc.id(), var.name.c_str(), var.type, static_cast<int>(dims.size()), dims.data(), &var.varId),
            "variable " + var.name))
        return;
    const std::string what = (var.isStatic ? "static item \"" : "item \"") + var.info.name + "\"";
    nc.putText(var.varId, "long_name", var.info.name);
    nc.putText(var.varId, "units", unitText(var.info.unit, var.info.unitName, what, warn));
    putNumbers(nc, var.varId, "_FillValue", var.type, fillValue(deleteValuesOf(data.header()), var.info.dataType));
    nc.putText(var.varId, "lrx_item_type", var.info.itemTypeName);
    nc.putInt(var.varId, "lrx_item_type_key", var.info.itemType);
    nc.putInt(var.varId, "lrx_unit_key", var.info.unit);
    if (!var.isStatic) defineStatistics(nc, var, data.header());
    if (var.placed && plan.crsVar >= 0) nc.putText(var.varId, "grid_mapping", "crs");
    if (var.geometry.points) {
        const std::string point = plan.dims[var.dims[0]].name;
        nc.putText(var.varId, "coordinates", point + "_x " + point + "_y " + point + "_z");
    }
    defineChunksAndDeflate(nc, var, var.isStatic ? std::vector<std::size_t>() : chunks, options);
}

void writeSpace(NcFile& nc, const ExportPlan& plan) {
    for (const ExportDim& dim : plan.dims) {
        if (dim.letter == 'p') {
            for (int c = 0; c < 3; ++c)
                nc.check(nc_put_var_double(nc.id(), dim.pointVarIds[c], dim.pointCoords[c].data()), dim.name);
            continue;
        }
        const double shift = !dim.placed ? 0.0 : dim.letter == 'x' ? plan.geo.shiftX : plan.geo.shiftY;
        std::vector<double> centres, bounds;
        for (int64_t i = 0; i < dim.direction.size; ++i) {
            centres.push_back(dim.direction.centres[static_cast<std::size_t>(i)] + shift);
            bounds.push_back(dim.direction.edges[static_cast<std::size_t>(i)] + shift);
            bounds.push_back(dim.direction.edges[static_cast<std::size_t>(i) + 1] + shift);
        }
        nc.check(nc_put_var_double(nc.id(), dim.varId, centres.data()), "coordinates " + dim.name);
        nc.check(nc_put_var_double(nc.id(), dim.boundsId, bounds.data()), "bounds " + dim.name);
    }
}

// Writes values of an item data type into a part of a variable (the whole variable when
// start is null).
int putValues(int ncid, int var, int dataType, const std::size_t* start, const std::size_t* count, const void* values) {
    switch (dataType) {
        case LRX_DOUBLE:
            return start ? nc_put_vara_double(ncid, var, start, count, static_cast<const double*>(values))
                         : nc_put_var_double(ncid, var, static_cast<const double*>(values));
        case LRX_BYTE:
            return start ? nc_put_vara_schar(ncid, var, start, count, static_cast<const signed char*>(values))
                         : nc_put_var_schar(ncid, var, static_cast<const signed char*>(values));
        case LRX_INT4:
            return start ? nc_put_vara_int(ncid, var, start, count, static_cast<const int*>(values))
                         : nc_put_var_int(ncid, var, static_cast<const int*>(values));
        case LRX_UINT4:
            return start ? nc_put_vara_uint(ncid, var, start, count, static_cast<const unsigned*>(values))
                         : nc_put_var_uint(ncid, var, static_cast<const unsigned*>(values));
        default:
            return start ? nc_put_vara_float(ncid, var, start, count, static_cast<const float*>(values))
                         : nc_put_var_float(ncid, var, static_cast<const float*>(values));
    }
}

// Returns 0 or the code that stopped the reading of the static items.
int writeStatics(NcFile& nc, const DataFile& data, const ExportPlan& plan) {
    return forEachStatic(data.header(), data.file(), [&](GbxVector* vector, int number) {
        for (const ExportVar& var : plan.vars) {
            if (!var.isStatic || var.number != number) continue;
            std::vector<unsigned char> values(static_cast<std::size_t>(gbxGetUsedItemBytes(gbxItemS(vector))));
            const auto needed = static_cast<std::size_t>(var.geometry.cellCount() * valueSize(var.info.dataType));
            if (values.size() < needed || gbxStaticGetData(vector, values.data()) != 0) {
                nc.check(NC_EINVAL, "the static item \"" + var.info.name + "\" holds no values");
                return false;
            }
            nc.check(putValues(nc.id(), var.varId, var.info.dataType, nullptr, nullptr, values.data()),
                     "values of " + var.name);
        }
        return nc.ok();
    });
}

// Returns 0 or the code of the read that failed; *failedStep receives its time step.
int writeSteps(NcFile& nc, const DataFile& data, const ExportPlan& plan, const ConvertOptions& options,
               int* failedStep) {
    std::vector<bool> wanted(static_cast<std::size_t>(gbxGetNoOfItems(data.header())), false);
    for (const ExportVar& var : plan.vars) {
        if (!var.isStatic) wanted[static_cast<std::size_t>(var.number - 1)] = true;
    }
    StepReader reader(data, wanted);
    std::string problem;
    if (!reader.usable(&problem)) {
        nc.check(NC_EINVAL, problem);
        return 0;
    }
    Progress progress("convert", plan.time.count, progressWanted(options.quiet, data.path()));
    for (int step = 0; step < plan.time.count && nc.ok(); ++step) {
        *failedStep = step;
        double readTime = 0.0;
        if (const int code = reader.read(step, &readTime); code != 0) return code;
        const double time = timeValue(plan.time, relativeTime(plan.time, step, readTime));
        const std::size_t at = static_cast<std::size_t>(step);
        nc.check(nc_put_var1_double(nc.id(), plan.timeVar, &at, &time), "time");
        for (const ExportVar& var : plan.vars) {
            if (var.isStatic) continue;
            std::vector<std::size_t> start(var.dims.size() + 1, 0), count(1, 1);
            start[0] = at;
            for (const std::size_t d : var.dims)
                count.push_back(static_cast<std::size_t>(plan.dims[d].direction.size));
            nc.check(
                putValues(nc.id(), var.varId, var.info.dataType, start.data(), count.data(), reader.values(var.number)),
                "values of " + var.name);
        }
        progress.update(step + 1);
    }
    return 0;
}

}  // namespace

int exportToNetcdf(const DataFile& data, const std::string& target, const ConvertOptions& options) {
    const Warn warn = [&options](const std::string& what) { reportWarning(options.input, what); };
    ExportPlan plan;
    if (const int code = planExport(data, options.classic, warn, &plan); code != 0) {
        reportError(options.input, "cannot read the static items", code);
        return kExitFailure;
    }
    NcFile nc;
    nc.create(target, options.classic ? NC_64BIT_OFFSET : NC_NETCDF4);
    defineGlobals(nc, data, plan, options, warn);
    defineSpace(nc, plan, warn);
    defineTime(nc, plan, warn);
    if (nc.ok()) plan.crsVar = defineGridMapping(nc, plan.geo);
    for (ExportVar& var : plan.vars) {
        if (nc.ok()) defineVariable(nc, var, plan, data, options, warn);
    }
    if (nc.ok()) nc.check(nc_enddef(nc.id()), "cannot end the definitions");
    if (nc.ok()) writeSpace(nc, plan);
    int code = nc.ok() ? writeStatics(nc, data, plan) : 0;
    int failedStep = -1;
    if (code == 0 && nc.ok()) code = writeSteps(nc, data, plan, options, &failedStep);
    if (code != 0) {
        reportError(options.input,
                    failedStep >= 0 ? "cannot read time step " + std::to_string(failedStep)
                                    : std::string("cannot read the static items"),
                    code);
        return kExitFailure;
    }
    nc.close();
    if (!nc.ok()) {
        reportError(options.output, nc.error());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace lrxtool

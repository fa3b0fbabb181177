// Imports a netCDF-CF file into a data file: the time coordinate becomes the time axis,
// variables along time become items and the others static items, each with its unit, axis
// and missing values. Writes one time step at a time. Calls netCDF-C and the data-file API.
#include "ncimport.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

#include "errortext.h"
#include "ncimportscan.h"
#include "numbertext.h"
#include "progress.h"

namespace lrxtool {

namespace {

constexpr signed char kByteDelete = -127;

struct HeaderDeleter {
    void operator()(GbxHeader* header) const { gbxHeaderDestroy(&header); }
};
using HeaderPtr = std::unique_ptr<GbxHeader, HeaderDeleter>;

// The delete value of each data type: the missing-value mark of the first variable that
// holds that type natively, else the library's; byte variables without a mark get -127, as
// the library's 0 is a common byte value.
DeleteValues chooseDeleteValues(const NcFile& nc, const std::vector<ImportVar>& vars) {
    DeleteValues deletes;
    deletes.floatValue = -1e-35f;
    deletes.doubleValue = -1e-255;
    deletes.byteValue = 0;
    deletes.intValue = INT_MAX;
    deletes.unsignedValue = INT_MAX;
    bool chosen[6] = {};
    for (const ImportVar& var : vars) {
        nc_type type = NC_NAT;
        nc_inq_vartype(nc.id(), var.varId, &type);
        if (var.marks.empty() || var.packed || chosen[var.dataType]) continue;
        const double mark = var.marks[0];
        chosen[var.dataType] = true;
        if (var.dataType == LRX_FLOAT && type == NC_FLOAT)
            deletes.floatValue = static_cast<float>(mark);
        else if (var.dataType == LRX_DOUBLE && type == NC_DOUBLE)
            deletes.doubleValue = mark;
        else if (var.dataType == LRX_BYTE && type == NC_BYTE)
            deletes.byteValue = static_cast<signed char>(mark);
        else if (var.dataType == LRX_INT4 && type == NC_INT)
            deletes.intValue = static_cast<int32_t>(mark);
        else if (var.dataType == LRX_UINT4 && type == NC_UINT)
            deletes.unsignedValue = static_cast<uint32_t>(mark);
        else
            chosen[var.dataType] = false;
    }
    for (const ImportVar& var : vars) {
        if (var.dataType == LRX_BYTE && !chosen[LRX_BYTE]) deletes.byteValue = kByteDelete;
    }
    return deletes;
}

int setTimeAxis(GbxHeader* header, const ImportTime& time) {
    const double first = time.values.empty() ? 0.0 : time.values[0];
    if (time.calendar && time.equidistant)
        return gbxSetEqCalendarAxis(header, time.date.c_str(), time.time.c_str(), time.unit, first, time.step, 0);
    if (time.calendar) return gbxSetNeqCalendarAxis(header, time.date.c_str(), time.time.c_str(), time.unit, 0.0, 0);
    if (time.equidistant) return gbxSetEqTimeAxis(header, time.unit, first, time.step, 0);
    return gbxSetNeqTimeAxis(header, time.unit, 0.0, 0);
}

int setAxis(GbxItem* item, const ImportAxis& axis) {
    const auto& o = axis.origins;
    const auto& s = axis.spacings;
    auto size = [&axis](std::size_t d) { return static_cast<int>(axis.directions[d].size); };
    switch (axis.axisType) {
        case 1:
            return gbxSetItemAxisEqD0(item, axis.unit);
        case 2:
            return gbxSetItemAxisEqD1(item, axis.unit, size(0), o[0], s[0]);
        case 3:
            return gbxSetItemAxisNeqD1(item, axis.unit, size(0), axis.points.data(), 1);
        case 5:
            return gbxSetItemAxisEqD2(item, axis.unit, size(0), size(1), o[0], o[1], s[0], s[1]);
        case 6:
            return gbxSetItemAxisNeqD2(item, axis.unit, size(0), size(1), axis.edges[0].data(), axis.edges[1].data(),
                                       1);
        case 8:
            return gbxSetItemAxisEqD3(item, axis.unit, size(0), size(1), size(2), o[0], o[1], o[2], s[0], s[1], s[2]);
        default:
            return gbxSetItemAxisNeqD3(item, axis.unit, size(0), size(1), size(2), axis.edges[0].data(),
                                       axis.edges[1].data(), axis.edges[2].data(), 1);
    }
}

int defineItem(GbxHeader* header, GbxItem* item, const ImportVar& var) {
    const int code = var.unitText.empty()
                         ? gbxSetItemInfo(header, item, var.itemType, var.name.c_str(), var.unit, var.dataType)
                         : gbxSetItemInfo_(header, item, 999, var.name.c_str(), var.unitText.c_str(), var.dataType);
    return code != 0 ? code : setAxis(item, var.axis);
}

// A numeric global attribute as a custom block (attributes of this tool's own are left out).
void addCustomBlock(const NcFile& nc, int attribute, GbxHeader* header, const Warn& warn) {
    char name[NC_MAX_NAME + 1] = {0};
    nc_type type = NC_NAT;
    std::size_t count = 0;
    nc_inq_attname(nc.id(), NC_GLOBAL, attribute, name);
    nc_inq_att(nc.id(), NC_GLOBAL, name, &type, &count);
    if (std::strncmp(name, "lrx_", 4) == 0 || type == NC_CHAR || type == NC_STRING || count == 0) return;
    static const struct {
        nc_type from;
        int to;
    } kTypes[] = {{NC_FLOAT, LRX_FLOAT}, {NC_DOUBLE, LRX_DOUBLE}, {NC_BYTE, LRX_BYTE},   {NC_INT, LRX_INT4},
                  {NC_UINT, LRX_UINT4},  {NC_SHORT, LRX_INT2},    {NC_USHORT, LRX_UINT2}};
    for (const auto& entry : kTypes) {
        if (entry.from != type) continue;
        std::vector<unsigned char> values(count * 8);
        if (nc_get_att(nc.id(), NC_GLOBAL, name, values.data()) == NC_NOERR)
            gbxAddCustomBlock(header, entry.to, name, static_cast<int>(count), values.data());
        return;
    }
    warn(std::string("the global attribute ") + name + " has a type that custom blocks cannot hold; skipped");
}

int buildHeader(const NcFile& nc, const ImportTime& time, const ImportGeo& geo, const std::vector<ImportVar>& items,
                const DeleteValues& deletes, const Warn& warn, HeaderPtr* out) {
    std::string title, application;
    std::vector<double> version, statsType, dataType;
    nc.getText(NC_GLOBAL, "title", &title);
    if (!nc.getText(NC_GLOBAL, "lrx_application", &application)) application = "lrx convert";
    const int versionNo = nc.getDoubles(NC_GLOBAL, "lrx_application_version", &version) ? int(version[0]) : 1;
    int stats = nc.getDoubles(NC_GLOBAL, "lrx_statistics_type", &statsType) ? int(statsType[0]) : 1;
    if (stats < 1 || stats > 3) stats = 1;
    GbxHeader* created = nullptr;
    int code =
        gbxHeaderCreate(time.equidistant ? F_EQTIME_FIXEDSPACE_ALLITEMS : F_NEQTIME_FIXEDSPACE_ALLITEMS, title.c_str(),
                        application.c_str(), versionNo, static_cast<int>(items.size()), stats, &created);
    out->reset(created);
    if (code != 0) return code;
    GbxHeader* header = created;
    if (nc.getDoubles(NC_GLOBAL, "lrx_data_type", &dataType)) gbxSetDataType(header, static_cast<int>(dataType[0]));
    gbxSetDeleteValFloat(header, deletes.floatValue);
    gbxSetDeleteValDouble(header, deletes.doubleValue);
    gbxSetDeleteValByte(header, static_cast<char>(deletes.byteValue));
    gbxSetDeleteValInt(header, deletes.intValue);
    gbxSetDeleteValUnsignedInt(header, deletes.unsignedValue);
    code = setTimeAxis(header, time);
    if (code == 0 && geo.present)
        code = gbxSetGeoInfoUTMProj(header, geo.projection.c_str(), geo.longitude, geo.latitude, geo.orientation);
    int attributes = 0;
    nc_inq_natts(nc.id(), &attributes);
    for (int a = 0; a < attributes && code == 0; ++a)
        addCustomBlock(nc, a, header, warn);
    for (std::size_t i = 0; i < items.size() && code == 0; ++i)
        code = defineItem(header, gbxItemD(header, static_cast<int>(i) + 1), items[i]);
    return code;
}

// Reads a slab of a variable into values of the item's data type, missing values replaced by
// the header's delete value. False, with the problem described, when a value cannot be kept.
class SlabReader {
public:
    SlabReader(const NcFile& nc, const DeleteValues& deletes) : nc_(nc), deletes_(deletes) {}

    bool read(const ImportVar& var, const std::size_t* start, std::vector<unsigned char>* values,
              std::string* problem) {
        std::size_t cells = 1;
        for (std::size_t d = 0; d < var.counts.size(); ++d)
            cells *= var.counts[d];
        raw_.resize(cells);
        values->resize(cells * static_cast<std::size_t>(valueSizeOf(var.dataType)));
        const std::vector<std::size_t> origin(var.counts.size(), 0);
        if (nc_get_vara_double(nc_.id(), var.varId, start != nullptr ? start : origin.data(), var.counts.data(),
                               raw_.data()) != NC_NOERR) {
            *problem = "cannot read variable " + var.ncName;
            return false;
        }
        for (std::size_t i = 0; i < cells; ++i) {
            if (!store(var, raw_[i], values->data(), i)) {
                *problem = "variable " + var.ncName + " holds the value " + numberText(raw_[i]) +
                           ", which the data file uses as its delete value";
                return false;
            }
        }
        return true;
    }

private:
    static int valueSizeOf(int dataType) { return dataType == LRX_DOUBLE ? 8 : dataType == LRX_BYTE ? 1 : 4; }

    bool missing(const ImportVar& var, double raw) const {
        if (std::isnan(raw)) return true;
        for (const double mark : var.marks) {
            if (raw == mark) return true;
        }
        return false;
    }

    template <typename T>
    static void put(unsigned char* values, std::size_t i, T value) {
        std::memcpy(values + i * sizeof(T), &value, sizeof(T));
    }

    bool store(const ImportVar& var, double raw, unsigned char* values, std::size_t i) const {
        const bool isMissing = missing(var, raw);
        const double value = var.packed ? raw * var.scale + var.offset : raw;
        switch (var.dataType) {
            case LRX_FLOAT:
                put(values, i, isMissing ? deletes_.floatValue : static_cast<float>(value));
                return isMissing || static_cast<float>(value) != deletes_.floatValue;
            case LRX_DOUBLE:
                put(values, i, isMissing ? deletes_.doubleValue : value);
                return isMissing || value != deletes_.doubleValue;
            case LRX_BYTE:
                put(values, i, isMissing ? deletes_.byteValue : static_cast<signed char>(value));
                return isMissing || static_cast<signed char>(value) != deletes_.byteValue;
            case LRX_INT4:
                put(values, i, isMissing ? deletes_.intValue : static_cast<int32_t>(value));
                return isMissing || static_cast<int32_t>(value) != deletes_.intValue;
            default:
                put(values, i, isMissing ? deletes_.unsignedValue : static_cast<uint32_t>(value));
                return isMissing || static_cast<uint32_t>(value) != deletes_.unsignedValue;
        }
    }

    const NcFile& nc_;
    const DeleteValues& deletes_;
    std::vector<double> raw_;
};

int writeStatics(GbxHeader* header, GbxFile* file, const std::vector<ImportVar>& statics, SlabReader& reader,
                 std::string* problem) {
    for (const ImportVar& var : statics) {
        std::vector<unsigned char> values;
        if (!reader.read(var, nullptr, &values, problem)) return F_ERR_DATA;
        GbxVector* vector = nullptr;
        int code = gbxStaticCreate(&vector);
        if (code == 0) code = defineItem(header, gbxItemS(vector), var);
        if (code == 0) code = gbxStaticWrite(vector, file, values.data());
        gbxStaticDestroy(&vector);
        if (code != 0) {
            *problem = "cannot write the static item of variable " + var.ncName;
            return code;
        }
    }
    return 0;
}

int writeSteps(GbxHeader* header, GbxFile* file, const ImportTime& time, const std::vector<ImportVar>& items,
               SlabReader& reader, const ConvertOptions& options, std::string* problem) {
    Progress progress("convert", static_cast<int64_t>(time.values.size()),
                      progressWanted(options.quiet, options.input));
    std::vector<unsigned char> values;
    for (std::size_t step = 0; step < time.values.size(); ++step) {
        for (const ImportVar& var : items) {
            std::vector<std::size_t> start(var.counts.size(), 0);
            start[0] = step;
            if (!reader.read(var, start.data(), &values, problem)) return F_ERR_DATA;
            if (const int code = gbxWriteItemTimeStep(header, file, time.values[step], values.data()); code != 0) {
                *problem = "cannot write time step " + std::to_string(step);
                return code;
            }
        }
        progress.update(static_cast<int64_t>(step) + 1);
    }
    return 0;
}

// Values one time step of a variable may hold: far more than model grids hold, and few enough
// that the sizes a damaged file claims cannot make the reader allocate without bound.
constexpr double kMostCells = double(int64_t{1} << 27);

// True when every variable's values of one time step fit the data file's counts.
bool sizesFit(const std::vector<ImportVar>& vars, std::string* problem) {
    for (const ImportVar& var : vars) {
        double cells = 1;
        for (const std::size_t count : var.counts)
            cells *= static_cast<double>(count);
        if (cells > kMostCells) {
            *problem = "variable " + var.ncName + " holds too many values per time step for a data file";
            return false;
        }
    }
    return true;
}

int fail(const std::string& path, const std::string& what, int code = 0) {
    reportError(path, what, code);
    return kExitFailure;
}

}  // namespace

int importFromNetcdf(const std::string& target, const ConvertOptions& options) {
    const Warn warn = [&options](const std::string& what) { reportWarning(options.input, what); };
    NcFile nc;
    if (!nc.open(options.input)) return fail(options.input, nc.error());
    ImportTime time;
    std::string problem;
    if (!readImportTime(nc, warn, &time, &problem)) return fail(options.input, problem);
    const ImportGeo geo = readImportGeo(nc, warn);
    std::vector<ImportVar> items, statics;
    for (ImportVar& var : scanVariables(nc, time, geo, warn))
        (var.isStatic ? statics : items).push_back(std::move(var));
    if (items.empty()) return fail(options.input, "no variable runs along a time coordinate; a data file needs one");
    if (!sizesFit(items, &problem) || !sizesFit(statics, &problem)) return fail(options.input, problem);

    std::vector<ImportVar> all = items;
    all.insert(all.end(), statics.begin(), statics.end());
    const DeleteValues deletes = chooseDeleteValues(nc, all);
    HeaderPtr header;
    if (const int code = buildHeader(nc, time, geo, items, deletes, warn, &header); code != 0)
        return fail(options.input, "cannot describe the data file", code);
    GbxFile* file = nullptr;
    if (const int code = gbxFileCreate(target.c_str(), header.get(), &file); code != 0) {
        if (file != nullptr) gbxFileClose(header.get(), &file);
        return fail(options.output, "cannot create the data file", code);
    }
    SlabReader reader(nc, deletes);
    int code = writeStatics(header.get(), file, statics, reader, &problem);
    if (code == 0) code = writeSteps(header.get(), file, time, items, reader, options, &problem);
    const int closed = gbxFileClose(header.get(), &file);
    if (code != 0) return fail(options.input, problem, code);
    if (closed != 0) return fail(options.output, "cannot finish the data file", closed);
    return kExitOk;
}

}  // namespace lrxtool

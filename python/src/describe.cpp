// Turns a header and its items into Python dictionaries through the public getters; coordinate
// arrays are copied into numpy arrays, so nothing handed out points into the header.
#include "describe.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>
#include <vnk/vnk.h>

#include "failure.h"

namespace py = pybind11;

namespace lrxpy {

namespace {

template <typename T>
py::array_t<T> copyArray(const T* values, py::ssize_t count) {
    py::array_t<T> out(count);
    if (values != nullptr) std::copy(values, values + count, out.mutable_data());
    return out;
}

const char* text(const char* value) {
    return value != nullptr ? value : "";
}

py::dict timeAxis(GbxHeader* header) {
    py::dict axis;
    const int type = gbxGetTimeAxisType(header);
    axis["type"] = type;
    int unit = 0, steps = 0, index = 0;
    const char *unitText = nullptr, *date = nullptr, *time = nullptr;
    double start = 0.0, step = 0.0;
    switch (type) {
        case F_TM_EQ_AXIS:
            gbxGetEqTimeAxis(header, &unit, &unitText, &start, &step, &steps, &index);
            break;
        case F_TM_NEQ_AXIS:
            gbxGetNeqTimeAxis(header, &unit, &unitText, &start, &step, &steps, &index);
            break;
        case F_CAL_EQ_AXIS:
            gbxGetEqCalendarAxis(header, &unit, &unitText, &date, &time, &start, &step, &steps, &index);
            break;
        case F_CAL_NEQ_AXIS:
            gbxGetNeqCalendarAxis(header, &unit, &unitText, &date, &time, &start, &step, &steps, &index);
            break;
        default:
            break;
    }
    axis["unit"] = unit;
    axis["unit_name"] = text(unitText);
    axis["start"] = start;  // calendar axes: the offset left after folding, normally 0
    axis["step"] = step;    // the span for non-equidistant axes
    axis["steps"] = steps;
    axis["date"] = text(date);
    axis["time"] = text(time);
    return axis;
}

py::object geoInfo(GbxHeader* header) {
    if (gbxGetGeoInfoType(header) != 1) return py::none();
    char* projection = nullptr;
    double longitude = 0.0, latitude = 0.0, orientation = 0.0;
    if (gbxGetGeoInfoUTMProj(header, &projection, &longitude, &latitude, &orientation) != 0) return py::none();
    py::dict geo;
    geo["projection"] = text(projection);
    geo["longitude"] = longitude;
    geo["latitude"] = latitude;
    geo["orientation"] = orientation;
    return geo;
}

py::array customValues(int type, int count, const void* data) {
    switch (type) {
        case LRX_FLOAT:
            return copyArray(static_cast<const float*>(data), count);
        case LRX_DOUBLE:
            return copyArray(static_cast<const double*>(data), count);
        case LRX_BYTE:
            return copyArray(static_cast<const int8_t*>(data), count);
        case LRX_INT4:
            return copyArray(static_cast<const int32_t*>(data), count);
        case LRX_UINT4:
            return copyArray(static_cast<const uint32_t*>(data), count);
        case LRX_INT2:
            return copyArray(static_cast<const int16_t*>(data), count);
        case LRX_UINT2:
            return copyArray(static_cast<const uint16_t*>(data), count);
        default:
            return py::array_t<uint8_t>(0);
    }
}

py::list customBlocks(GbxHeader* header) {
    py::list blocks;
    GbxCustomBlock* block = nullptr;
    gbxGetCustomBlockRef(header, &block);
    while (block != nullptr) {
        int type = 0, count = 0;
        char* name = nullptr;
        void* data = nullptr;
        GbxCustomBlock* next = nullptr;
        if (gbxGetCustomBlock(block, &type, &name, &count, &data, &next) != 0) break;
        blocks.append(py::make_tuple(text(name), customValues(type, count < 0 ? 0 : count, data)));
        block = next;
    }
    return blocks;
}

// Sizes, origins and spacings of the equidistant axes, in the order x, y, z, t.
void equidistantAxis(GbxItem* item, int type, py::dict& axis) {
    int n[4] = {1, 1, 1, 1};
    float o[4] = {}, d[4] = {};
    int count = 0;
    switch (type) {
        case 2:
            gbxGetItemAxisEqD1(item, nullptr, nullptr, &n[0], &o[0], &d[0]);
            count = 1;
            break;
        case 5:
            gbxGetItemAxisEqD2(item, nullptr, nullptr, &n[0], &n[1], &o[0], &o[1], &d[0], &d[1]);
            count = 2;
            break;
        case 8:
            gbxGetItemAxisEqD3(item, nullptr, nullptr, &n[0], &n[1], &n[2], &o[0], &o[1], &o[2], &d[0], &d[1], &d[2]);
            count = 3;
            break;
        case 11:
            gbxGetItemAxisEqD4(item, nullptr, nullptr, &n[0], &n[1], &n[2], &n[3], &o[0], &o[1], &o[2], &o[3], &d[0],
                               &d[1], &d[2], &d[3]);
            count = 4;
            break;
        default:
            break;
    }
    axis["sizes"] = std::vector<int>(n, n + count);
    axis["origin"] = std::vector<double>(o, o + count);
    axis["spacing"] = std::vector<double>(d, d + count);
}

// Coordinate arrays of the non-equidistant and curvilinear axes: edges along each direction
// (Neq), points (NeqD1) or node grids (CurveLinear).
void arrayAxis(GbxItem* item, int type, py::dict& axis) {
    int nx = 1, ny = 1, nz = 1;
    double *x = nullptr, *y = nullptr, *z = nullptr;
    if (type == 3) {
        float* points = nullptr;
        gbxGetItemAxisNeqD1(item, nullptr, nullptr, &nx, &points);
        axis["sizes"] = std::vector<int>{nx};
        axis["points"] = copyArray(points, 3 * static_cast<py::ssize_t>(nx)).reshape({nx, 3});
        return;
    }
    if (type == 6) gbxGetItemAxisNeqD2(item, nullptr, nullptr, &nx, &ny, &x, &y);
    if (type == 9) gbxGetItemAxisNeqD3(item, nullptr, nullptr, &nx, &ny, &nz, &x, &y, &z);
    if (type == 6 || type == 9) {
        axis["sizes"] = type == 6 ? std::vector<int>{nx, ny} : std::vector<int>{nx, ny, nz};
        axis["edges"] = type == 6 ? py::make_tuple(copyArray(x, nx + 1), copyArray(y, ny + 1))
                                  : py::make_tuple(copyArray(x, nx + 1), copyArray(y, ny + 1), copyArray(z, nz + 1));
        return;
    }
    if (type == 12) gbxGetItemAxisCurveLinearD2(item, nullptr, nullptr, &nx, &ny, &x, &y);
    if (type == 13) gbxGetItemAxisCurveLinearD3(item, nullptr, nullptr, &nx, &ny, &nz, &x, &y, &z);
    const py::ssize_t nodes = static_cast<py::ssize_t>(nx + 1) * (ny + 1) * (type == 13 ? nz + 1 : 1);
    axis["sizes"] = type == 12 ? std::vector<int>{nx, ny} : std::vector<int>{nx, ny, nz};
    axis["nodes"] = type == 12 ? py::make_tuple(copyArray(x, nodes), copyArray(y, nodes))
                               : py::make_tuple(copyArray(x, nodes), copyArray(y, nodes), copyArray(z, nodes));
}

// Sizes of the time-varying axes, which hold no coordinates of their own.
void timeVaryingAxis(GbxItem* item, int type, py::dict& axis) {
    int nx = 1, ny = 1, nz = 1;
    if (type == 4) gbxGetItemAxisTvarD1(item, nullptr, nullptr, &nx);
    if (type == 7) gbxGetItemAxisTvarD2(item, nullptr, nullptr, &nx, &ny);
    if (type == 10) gbxGetItemAxisTvarD3(item, nullptr, nullptr, &nx, &ny, &nz);
    axis["sizes"] = type == 4 ? std::vector<int>{nx} : type == 7 ? std::vector<int>{nx, ny} : std::vector<int>{nx, ny, nz};
}

py::dict itemAxis(GbxItem* item) {
    py::dict axis;
    const int type = gbxGetItemAxisType(item);
    const int unit = gbxGetItemGeometryUnit(item);
    const char* unitName = nullptr;
    axis["type"] = type;
    axis["unit"] = unit;
    axis["unit_name"] = vnkGetUnitKey(unit, &unitName) != 0 ? unitName : "";
    axis["sizes"] = std::vector<int>{};
    if (type == 2 || type == 5 || type == 8 || type == 11) equidistantAxis(item, type, axis);
    if (type == 3 || type == 6 || type == 9 || type == 12 || type == 13) arrayAxis(item, type, axis);
    if (type == 4 || type == 7 || type == 10) timeVaryingAxis(item, type, axis);
    return axis;
}

}  // namespace

const char* dtypeName(int dataType) {
    switch (dataType) {
        case LRX_FLOAT:
            return "float32";
        case LRX_DOUBLE:
            return "float64";
        case LRX_BYTE:
            return "int8";
        case LRX_INT4:
            return "int32";
        case LRX_UINT4:
            return "uint32";
        default:
            throw Failure(F_ERR_TYPE, "item values of data type " + std::to_string(dataType));
    }
}

std::vector<py::ssize_t> gridShape(GbxItem* item) {
    const int type = gbxGetItemAxisType(item);
    const py::ssize_t nx = gbxGetItemXSize(item);
    const py::ssize_t xy = gbxGetItemXYSize(item);
    const py::ssize_t all = gbxGetItemXYZSize(item);
    switch (type) {
        case 1:
            return {};
        case 2:
        case 3:
        case 4:
            return {nx};
        case 5:
        case 6:
        case 7:
        case 12:
            return {xy / nx, nx};
        case 8:
        case 9:
        case 10:
        case 13:
            return {all / xy, xy / nx, nx};
        case 11: {
            int n[4] = {};
            float f[8] = {};
            gbxGetItemAxisEqD4(item, nullptr, nullptr, &n[0], &n[1], &n[2], &n[3], &f[0], &f[1], &f[2], &f[3], &f[4],
                               &f[5], &f[6], &f[7]);
            return {n[3], n[2], n[1], n[0]};
        }
        default:
            throw Failure(F_ERR_DATA, "an item without spatial axis");
    }
}

py::dict describeHeader(GbxHeader* header) {
    py::dict out;
    out["title"] = text(gbxGetFileTitle(header));
    out["application"] = text(gbxGetAppTitle(header));
    out["application_version"] = gbxGetAppVersionNo(header);
    out["file_type"] = gbxGetFileType(header);
    out["file_type_name"] = text(gbxFileTypeStr(gbxGetFileType(header)));
    out["data_type"] = gbxGetDataType(header);
    out["item_stats_type"] = gbxGetItemStatsType(header);
    out["compressed"] = gbxIsFileCompressed(header) != 0;
    py::dict deletes;
    deletes["float32"] = gbxGetDeleteValFloat(header);
    deletes["float64"] = gbxGetDeleteValDouble(header);
    deletes["int8"] = static_cast<int>(static_cast<signed char>(gbxGetDeleteValByte(header)));
    deletes["int32"] = gbxGetDeleteValInt(header);
    deletes["uint32"] = gbxGetDeleteValUnsignedInt(header);
    out["delete_values"] = deletes;
    out["geo"] = geoInfo(header);
    out["time_axis"] = timeAxis(header);
    out["custom_blocks"] = customBlocks(header);
    out["items"] = gbxGetNoOfItems(header);
    return out;
}

py::dict describeItem(GbxItem* item) {
    py::dict out;
    int itemType = 0, unit = 0, dataType = 0;
    const char *itemTypeName = nullptr, *name = nullptr, *unitName = nullptr;
    check(gbxGetItemInfo(item, &itemType, &itemTypeName, &name, &unit, &unitName, &dataType), "item definition");
    out["name"] = text(name);
    out["item_type"] = itemType;
    out["item_type_name"] = text(itemTypeName);
    out["unit"] = unit;
    out["unit_name"] = text(unitName);
    out["data_type"] = dataType;
    out["axis"] = itemAxis(item);
    return out;
}

}  // namespace lrxpy

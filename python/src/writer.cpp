// Writing a data file from Python: builds the header from the description that lrx.create
// makes, writes the static items, then the time steps with the GIL released.
#include "writer.h"

#include <pybind11/stl.h>

#include "describe.h"
#include "failure.h"

namespace py = pybind11;

namespace lrxpy {

namespace {

std::string str(const py::handle& value) {
    return value.cast<std::string>();
}

// Equidistant axes of 0 to 3 dimensions: axis type from the number of sizes (x first).
int setAxis(GbxItem* item, const py::dict& axis) {
    const int unit = axis["unit"].cast<int>();
    const auto n = axis["sizes"].cast<std::vector<int>>();
    const auto o = axis["origin"].cast<std::vector<float>>();
    const auto d = axis["spacing"].cast<std::vector<float>>();
    if (o.size() != n.size() || d.size() != n.size()) return F_ERR_DATA;
    switch (n.size()) {
        case 0:
            return gbxSetItemAxisEqD0(item, unit);
        case 1:
            return gbxSetItemAxisEqD1(item, unit, n[0], o[0], d[0]);
        case 2:
            return gbxSetItemAxisEqD2(item, unit, n[0], n[1], o[0], o[1], d[0], d[1]);
        case 3:
            return gbxSetItemAxisEqD3(item, unit, n[0], n[1], n[2], o[0], o[1], o[2], d[0], d[1], d[2]);
        default:
            return F_ERR_DATA;
    }
}

// Defines an item: the unit is a key of the unit library, or a text it does not know.
int defineItem(GbxHeader* header, GbxItem* item, const py::dict& layout) {
    const std::string name = str(layout["name"]);
    const int itemType = layout["item_type"].cast<int>();
    const int dataType = layout["data_type"].cast<int>();
    const py::object unit = layout["unit"];
    int code = py::isinstance<py::str>(unit)
                   ? gbxSetItemInfo_(header, item, itemType, name.c_str(), str(unit).c_str(), dataType)
                   : gbxSetItemInfo(header, item, itemType, name.c_str(), unit.cast<int>(), dataType);
    if (code == 0) code = setAxis(item, layout["axis"].cast<py::dict>());
    return code;
}

int setTimeAxis(GbxHeader* header, const py::dict& axis) {
    const int type = axis["type"].cast<int>();
    const int unit = axis["unit"].cast<int>();
    const double start = axis["start"].cast<double>();
    const double step = axis["step"].cast<double>();
    switch (type) {
        case F_TM_EQ_AXIS:
            return gbxSetEqTimeAxis(header, unit, start, step, 0);
        case F_TM_NEQ_AXIS:
            return gbxSetNeqTimeAxis(header, unit, start, 0);
        case F_CAL_EQ_AXIS:
            return gbxSetEqCalendarAxis(header, str(axis["date"]).c_str(), str(axis["time"]).c_str(), unit, start,
                                        step, 0);
        case F_CAL_NEQ_AXIS:
            return gbxSetNeqCalendarAxis(header, str(axis["date"]).c_str(), str(axis["time"]).c_str(), unit, start,
                                         0);
        default:
            return F_ERR_DATA;
    }
}

int setAttributes(GbxHeader* header, const py::dict& layout) {
    const py::dict deletes = layout["delete_values"].cast<py::dict>();
    int code = 0;
    if (deletes.contains("float32")) code = gbxSetDeleteValFloat(header, deletes["float32"].cast<float>());
    if (code == 0 && deletes.contains("float64")) code = gbxSetDeleteValDouble(header, deletes["float64"].cast<double>());
    if (code == 0 && deletes.contains("int8"))
        code = gbxSetDeleteValByte(header, static_cast<char>(deletes["int8"].cast<int>()));
    if (code == 0 && deletes.contains("int32")) code = gbxSetDeleteValInt(header, deletes["int32"].cast<int>());
    if (code == 0 && deletes.contains("uint32"))
        code = gbxSetDeleteValUnsignedInt(header, deletes["uint32"].cast<unsigned int>());
    if (code == 0 && !layout["geo"].is_none()) {
        const py::dict geo = layout["geo"].cast<py::dict>();
        code = gbxSetGeoInfoUTMProj(header, str(geo["projection"]).c_str(), geo["longitude"].cast<double>(),
                                    geo["latitude"].cast<double>(), geo["orientation"].cast<double>());
    }
    for (const py::handle block : layout["custom_blocks"].cast<py::list>()) {
        const py::tuple pair = block.cast<py::tuple>();
        const py::array values = pair[2].cast<py::array>();
        if (code == 0)
            code = gbxAddCustomBlock(header, pair[1].cast<int>(), str(pair[0]).c_str(), static_cast<int>(values.size()),
                                     values.data());
    }
    return code;
}

int writeStatic(GbxHeader* header, GbxFile* file, const py::dict& layout) {
    GbxVector* vector = nullptr;
    int code = gbxStaticCreate(&vector);
    if (code == 0) code = defineItem(header, gbxItemS(vector), layout);
    const py::array values = layout["values"].cast<py::array>();
    if (code == 0 && values.size() != gbxGetItemXYZSize(gbxItemS(vector))) code = F_ERR_SIZE;
    if (code == 0) code = gbxStaticWrite(vector, file, values.data());
    gbxStaticDestroy(&vector);
    return code;
}

}  // namespace

Writer::Writer(const std::string& path, const py::dict& layout) : path_(path) {
    const py::list items = layout["items"].cast<py::list>();
    check(gbxHeaderCreate(layout["file_type"].cast<int>(), str(layout["title"]).c_str(), str(layout["application"]).c_str(),
                          layout["application_version"].cast<int>(), static_cast<int>(items.size()),
                          layout["stats_type"].cast<int>(), &header_),
          "header of " + path);
    int code = setTimeAxis(header_, layout["time_axis"].cast<py::dict>());
    if (code == 0) code = setAttributes(header_, layout);
    for (std::size_t n = 0; n < items.size() && code == 0; ++n) {
        GbxItem* item = gbxItemD(header_, static_cast<int>(n + 1));
        code = defineItem(header_, item, items[n].cast<py::dict>());
        itemBytes_.push_back(static_cast<std::size_t>(gbxGetItemBytes(item)));
    }
    if (code == 0) code = gbxFileCreate(path.c_str(), header_, &file_);
    for (const py::handle item : layout["statics"].cast<py::list>()) {
        if (code == 0) code = writeStatic(header_, file_, item.cast<py::dict>());
    }
    if (code != 0) {
        abandon();
        throw Failure(code, "cannot create " + path);
    }
}

Writer::~Writer() {
    abandon();
}

void Writer::abandon() {
    if (file_ != nullptr) gbxFileClose(header_, &file_);
    if (header_ != nullptr) gbxHeaderDestroy(&header_);
}

void Writer::writeStep(const py::list& arrays, double time) {
    if (file_ == nullptr) throw Failure(F_ERR_USAGE, path_ + " is closed");
    if (arrays.size() != itemBytes_.size()) throw Failure(F_ERR_ITEM_NO, "one array per item");
    std::vector<py::array> held;
    for (std::size_t n = 0; n < arrays.size(); ++n) {
        py::array values = arrays[n].cast<py::array>();
        if (!(values.flags() & py::array::c_style) || static_cast<std::size_t>(values.nbytes()) != itemBytes_[n])
            throw Failure(F_ERR_SIZE, "values of item " + std::to_string(n + 1));
        held.push_back(values);
    }
    int code = 0;
    {
        py::gil_scoped_release unlocked;
        for (std::size_t n = 0; n < held.size() && code == 0; ++n)
            code = gbxWriteItemTimeStep(header_, file_, time, held[n].data());
    }
    check(code, "time step of " + path_);
}

void Writer::close() {
    if (file_ == nullptr) return;
    int code = 0;
    {
        py::gil_scoped_release unlocked;
        code = gbxFileClose(header_, &file_);
    }
    abandon();
    check(code, "closing " + path_);
}

}  // namespace lrxpy

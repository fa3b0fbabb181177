// One data file being written from Python: the header built from a description, the static
// items written at creation, then one call per time step with the values of every item.
#pragma once

#include <lrx/gbx.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace lrxpy {

class Writer {
public:
    // layout: file_type, title, application, application_version, stats_type, time_axis,
    // delete_values, geo, custom_blocks, items and statics, as lrx.create builds it.
    Writer(const std::string& path, const pybind11::dict& layout);
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Writes one time step: one C-contiguous array per item, in item order, of the item's
    // dtype and element count. time is the step's time in the axis unit.
    void writeStep(const pybind11::list& arrays, double time);
    void close();

private:
    void abandon();

    std::string path_;
    GbxHeader* header_ = nullptr;
    GbxFile* file_ = nullptr;
    std::vector<std::size_t> itemBytes_;
};

}  // namespace lrxpy

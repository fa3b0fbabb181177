// One data file open for reading from Python: its header and file handles, guarded by a lock
// so that threads sharing the object take turns, and reads that run without the GIL.
#pragma once

#include <lrx/gbx.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace lrxpy {

class Reader {
public:
    explicit Reader(const std::string& path);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    void close();
    bool closed() const { return file_ == nullptr; }

    pybind11::dict header();
    pybind11::dict item(int itemNo);
    // Every static item of the file, in file order, each described with its values.
    pybind11::list statics();
    // The time of every step relative to the axis start, in the axis unit, as the time-step
    // heads hold it (the step number for equidistant files).
    pybind11::array_t<double> stepTimes();
    // The item's values at the given steps (0-based, in any order), shaped (steps, grid...),
    // in a new array or in out (None, or a C-contiguous writeable array of that shape and
    // dtype). Float delete values become NaN when masked.
    pybind11::array read(int itemNo, const pybind11::array_t<int64_t>& steps, bool masked,
                         const pybind11::object& out);

private:
    GbxItem* itemOrThrow(int itemNo);
    static pybind11::array target(const pybind11::dtype& dtype, const std::vector<pybind11::ssize_t>& shape,
                                  const pybind11::object& out);
    int readSteps(int itemNo, const std::vector<int64_t>& steps, char* out, std::size_t stepBytes,
                  const std::function<void(char*)>& finishStep);

    std::string path_;
    GbxHeader* header_ = nullptr;
    GbxFile* file_ = nullptr;
    std::mutex lock_;
};

}  // namespace lrxpy

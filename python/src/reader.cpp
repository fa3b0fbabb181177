// Reading a data file for Python: opening, the header and item descriptions, static items,
// step times and item values. File work and value conversion run with the GIL released.
#include "reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

#include "describe.h"
#include "failure.h"

namespace py = pybind11;

namespace lrxpy {

namespace {

// Replaces the delete values of a step by NaN, a vector of lanes at a time: the step has just
// been read and is still in the cache, so this pass costs little beside the read.
template <typename T>
void deleteToNaN(void* values, std::size_t count, T deleteValue) {
    typedef T Lanes __attribute__((vector_size(16)));
    constexpr std::size_t kLanes = 16 / sizeof(T);
    auto* bytes = static_cast<unsigned char*>(values);
    const Lanes deletes = deleteValue - Lanes{};
    const Lanes nans = std::numeric_limits<T>::quiet_NaN() - Lanes{};
    std::size_t i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        Lanes v;
        std::memcpy(&v, bytes + i * sizeof(T), sizeof v);
        v = v == deletes ? nans : v;
        std::memcpy(bytes + i * sizeof(T), &v, sizeof v);
    }
    T* tail = static_cast<T*>(values);
    for (; i < count; ++i)
        if (tail[i] == deleteValue) tail[i] = std::numeric_limits<T>::quiet_NaN();
}

bool isKeyItem(const char* name) {
    static const char* const kKeys[] = {"X-Encoding Key", "Y-Encoding Key", "Z-Encoding Key"};
    return std::any_of(std::begin(kKeys), std::end(kKeys),
                       [&](const char* key) { return name != nullptr && std::string(name) == key; });
}

}  // namespace

Reader::Reader(const std::string& path) : path_(path) {
    int code = 0;
    {
        py::gil_scoped_release unlocked;
        code = gbxFileRead(path.c_str(), &header_, &file_);
    }
    if (code != 0) {
        close();
        throw Failure(code, "cannot open " + path);
    }
}

Reader::~Reader() {
    close();
}

void Reader::close() {
    std::lock_guard<std::mutex> held(lock_);
    if (file_ != nullptr) gbxFileClose(header_, &file_);
    if (header_ != nullptr) gbxHeaderDestroy(&header_);
}

GbxItem* Reader::itemOrThrow(int itemNo) {
    if (header_ == nullptr) throw Failure(F_ERR_USAGE, path_ + " is closed");
    if (itemNo < 1 || itemNo > gbxGetNoOfItems(header_))
        throw Failure(F_ERR_ITEM_NO, "item " + std::to_string(itemNo) + " of " + path_);
    return gbxItemD(header_, itemNo);
}

py::dict Reader::header() {
    std::lock_guard<std::mutex> held(lock_);
    if (header_ == nullptr) throw Failure(F_ERR_USAGE, path_ + " is closed");
    return describeHeader(header_);
}

py::dict Reader::item(int itemNo) {
    std::lock_guard<std::mutex> held(lock_);
    return describeItem(itemOrThrow(itemNo));
}

py::list Reader::statics() {
    std::lock_guard<std::mutex> held(lock_);
    if (file_ == nullptr) throw Failure(F_ERR_USAGE, path_ + " is closed");
    check(gbxFindBlockStatic(header_, file_), "static section of " + path_);
    const bool compressed = gbxIsFileCompressed(header_) != 0;
    py::list out;
    for (;;) {
        int code = 0;
        GbxVector* vector = gbxStaticRead(file_, &code);
        if (vector == nullptr) {
            check(code, "static items of " + path_);
            break;
        }
        std::unique_ptr<GbxVector, void (*)(GbxVector*)> held(vector, [](GbxVector* v) { gbxStaticDestroy(&v); });
        GbxItem* item = gbxItemS(vector);
        py::dict described = describeItem(item);
        if (compressed && isKeyItem(described["name"].cast<std::string>().c_str())) continue;
        const int dataType = described["data_type"].cast<int>();
        py::array values(py::dtype(dtypeName(dataType)), std::vector<py::ssize_t>{gbxGetUsedItemElements(item)});
        check(gbxStaticGetData(vector, values.mutable_data()), "static item of " + path_);
        const std::vector<py::ssize_t> shape = gridShape(item);
        const py::ssize_t cells =
            std::accumulate(shape.begin(), shape.end(), py::ssize_t{1}, std::multiplies<py::ssize_t>());
        described["values"] = cells == values.size() ? values.reshape(shape) : values;
        out.append(described);
    }
    return out;
}

py::array_t<double> Reader::stepTimes() {
    std::lock_guard<std::mutex> held(lock_);
    if (file_ == nullptr) throw Failure(F_ERR_USAGE, path_ + " is closed");
    const int steps = describeHeader(header_)["time_axis"]["steps"].cast<int>();
    py::array_t<double> times(steps);
    double* out = times.mutable_data();
    int code = 0;
    {
        py::gil_scoped_release unlocked;
        for (int t = 0; t < steps && code == 0; ++t) {
            code = gbxFindItemDynamic(header_, file_, t, 1);
            if (code == 0) code = gbxReadItemTimeStep(header_, file_, &out[t], nullptr);
        }
        if (code != 0) lrxGetError(file_);
    }
    check(code, "time steps of " + path_);
    return times;
}

// Reads the steps in ascending order, so that positioning only ever moves forward, into
// their places in out; finishStep runs on each step while its values are still in the cache.
int Reader::readSteps(int itemNo, const std::vector<int64_t>& steps, char* out, std::size_t stepBytes,
                      const std::function<void(char*)>& finishStep) {
    std::vector<std::size_t> order(steps.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return steps[a] < steps[b]; });
    for (std::size_t k : order) {
        if (steps[k] < 0 || steps[k] > INT32_MAX) return F_ERR_STEP_RANGE;
        int code = gbxFindItemDynamic(header_, file_, static_cast<int>(steps[k]), itemNo);
        if (code == 0) code = gbxReadItemTimeStep(header_, file_, nullptr, out + k * stepBytes);
        if (code != 0) return code;
        finishStep(out + k * stepBytes);
    }
    return 0;
}

// The array to read into: out when it fits exactly, a new one when out is None.
py::array Reader::target(const py::dtype& dtype, const std::vector<py::ssize_t>& shape, const py::object& out) {
    if (out.is_none()) return py::array(dtype, shape);
    py::array given = out.cast<py::array>();
    const bool fits = given.dtype().is(dtype) && given.ndim() == static_cast<py::ssize_t>(shape.size()) &&
                      std::equal(shape.begin(), shape.end(), given.shape()) && given.writeable() &&
                      (given.flags() & py::array::c_style) != 0;
    if (!fits) throw Failure(F_ERR_SIZE, "out is not a C-contiguous writeable array of the values' shape and dtype");
    return given;
}

py::array Reader::read(int itemNo, const py::array_t<int64_t>& steps, bool masked, const py::object& into) {
    std::unique_lock<std::mutex> held(lock_);
    GbxItem* item = itemOrThrow(itemNo);
    int dataType = 0;
    gbxGetItemInfo_(item, nullptr, nullptr, nullptr, &dataType);
    const py::dtype dtype(dtypeName(dataType));
    std::vector<py::ssize_t> shape = gridShape(item);
    const std::size_t cells = static_cast<std::size_t>(gbxGetItemXYZSize(item));
    if (static_cast<std::size_t>(gbxGetItemElements(item)) != cells)
        throw Failure(F_ERR_DATA, "item " + std::to_string(itemNo) + " holds no fixed grid");
    shape.insert(shape.begin(), steps.size());
    py::array out = target(dtype, shape, into);
    const auto stepList = steps.unchecked<1>();
    std::vector<int64_t> wanted(stepList.data(0), stepList.data(0) + stepList.shape(0));
    const float deleteFloat = gbxGetDeleteValFloat(header_);
    const double deleteDouble = gbxGetDeleteValDouble(header_);
    const auto finishStep = [&](char* values) {
        if (masked && dataType == LRX_FLOAT) deleteToNaN(values, cells, deleteFloat);
        if (masked && dataType == LRX_DOUBLE) deleteToNaN(values, cells, deleteDouble);
    };
    char* data = static_cast<char*>(out.mutable_data());
    const std::size_t stepBytes = cells * dtype.itemsize();
    held.unlock();
    int code = 0;
    {
        py::gil_scoped_release unlocked;
        std::lock_guard<std::mutex> relocked(lock_);
        code = file_ != nullptr ? readSteps(itemNo, wanted, data, stepBytes, finishStep) : static_cast<int>(F_ERR_USAGE);
        if (code != 0 && file_ != nullptr) lrxGetError(file_);
    }
    check(code, "item " + std::to_string(itemNo) + " of " + path_);
    return out;
}

}  // namespace lrxpy

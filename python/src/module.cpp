// The compiled part of the Python package lrx: the reader and writer classes, unit-library
// lookups, and the translation of library errors into lrx.LrxError.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <vnk/vnk.h>

#include "failure.h"
#include "reader.h"
#include "writer.h"

namespace py = pybind11;

namespace {

py::object unitKey(const std::string& name) {
    int unit = 0;
    return vnkGetUnitTag(name.c_str(), &unit) != 0 ? py::object(py::int_(unit)) : py::object(py::none());
}

py::object unitName(int unit) {
    const char* name = nullptr;
    return vnkGetUnitKey(unit, &name) != 0 ? py::object(py::str(name)) : py::object(py::none());
}

py::object itemTypeName(int itemType) {
    const char* name = nullptr;
    return vnkGetItemTypeKey(itemType, &name) != 0 ? py::object(py::str(name)) : py::object(py::none());
}

py::object convertUnit(int fromUnit, double value, int toUnit) {
    double out = value;
    return vnkConvertUnit(fromUnit, value, toUnit, &out) != 0 ? py::object(py::float_(out)) : py::object(py::none());
}

void raiseLrxError(std::exception_ptr failure) {
    try {
        if (failure) std::rethrow_exception(failure);
    } catch (const lrxpy::Failure& e) {
        const py::object type = py::module_::import("lrx.errors").attr("LrxError");
        const py::object error = type(e.code(), e.what());
        PyErr_SetObject(type.ptr(), error.ptr());
    }
}

}  // namespace

PYBIND11_MODULE(_lrx, m) {
    m.doc() = "Compiled part of lrx: data files through the library's C interface";
    py::register_exception_translator(raiseLrxError);

    py::class_<lrxpy::Reader>(m, "Reader")
        .def(py::init<const std::string&>(), py::arg("path"))
        .def("close", &lrxpy::Reader::close)
        .def_property_readonly("closed", &lrxpy::Reader::closed)
        .def("header", &lrxpy::Reader::header)
        .def("item", &lrxpy::Reader::item, py::arg("item_no"))
        .def("statics", &lrxpy::Reader::statics)
        .def("step_times", &lrxpy::Reader::stepTimes)
        .def("read", &lrxpy::Reader::read, py::arg("item_no"), py::arg("steps"), py::arg("masked"),
             py::arg("out") = py::none());

    py::class_<lrxpy::Writer>(m, "Writer")
        .def(py::init<const std::string&, const py::dict&>(), py::arg("path"), py::arg("layout"))
        .def("write_step", &lrxpy::Writer::writeStep, py::arg("arrays"), py::arg("time"))
        .def("close", &lrxpy::Writer::close);

    m.def("unit_key", &unitKey, "Key of a unit text, or None when the unit library does not know it");
    m.def("unit_name", &unitName, "Name of a unit key, or None");
    m.def("item_type_name", &itemTypeName, "Name of an item type key, or None");
    m.def(
        "unit_suits", [](int itemType, int unit) { return vnkItemUnitEqv(itemType, unit) != 0; },
        "Whether a unit suits an item type");
    m.def("convert_unit", &convertUnit, "A value converted between two units, or None when they differ in kind");
}

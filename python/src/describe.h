// What a header and its items say about a data file, as Python dictionaries: attributes, time
// axis, custom blocks, and each item's definition, grid shape and axis.
#pragma once

#include <lrx/gbx.h>
#include <pybind11/pybind11.h>

#include <vector>

namespace lrxpy {

// Grid shape of one time step of an item in C order (slowest axis first: t4, z, y, x).
// Empty for a single value; throws Failure for an item without axis.
std::vector<pybind11::ssize_t> gridShape(GbxItem* item);

// numpy dtype name of an item data type ("float32", ...); throws Failure for other types.
const char* dtypeName(int dataType);

pybind11::dict describeHeader(GbxHeader* header);
pybind11::dict describeItem(GbxItem* item);

}  // namespace lrxpy

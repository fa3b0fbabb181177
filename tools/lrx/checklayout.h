// The first part of `lrx check`: walks a data file element by element against the layout
// that its header promises (header blocks, static section, and per time step a head and one
// record of each item's type and size) and finds the first element that breaks it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lrx/lrx.h"

namespace lrxtool {

// What the header says the time steps hold.
struct LayoutExpectation {
    std::vector<std::string> names;  // per item
    std::vector<int> dataTypes;      // per item
    std::vector<int64_t> counts;     // values stored per time step, per item
    bool timedHeads = false;         // each time-step head holds the step's time
    int headerSteps = 0;             // time steps that the header counts
};

struct LayoutFinding {
    bool damaged = false;
    int64_t offset = 0;                // of the damage
    int code = 0;                      // the library's code that describes it
    std::string problem;               // what was expected there and what was found
    bool truncated = false;            // the file ends early
    int wholeSteps = 0;                // time steps found whole
    int staticItems = 0;               // static items found
    std::vector<int64_t> itemBlocks;   // offset of each item's definition block
    std::vector<int64_t> statsBlocks;  // offset of each item's statistics block (-1: none)
};

// Walks the file from the first byte after its file header.
LayoutFinding walkLayout(LrxFile* file, const LayoutExpectation& expected);

// Walks any record file without expectations and finds its first damaged element.
LayoutFinding walkElements(LrxFile* file);

}  // namespace lrxtool

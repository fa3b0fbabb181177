// Reads a data file one time step at a time: every item of the step, the chosen ones into
// buffers of their full grid (compressed grids expanded by the library), the others passed
// over. Memory is that of one time step.
#pragma once

#include <string>
#include <vector>

#include "datafile.h"

namespace lrxtool {

class StepReader {
public:
    // wanted[n - 1] tells whether item n is read into a buffer.
    StepReader(const DataFile& data, std::vector<bool> wanted);

    // False, with the problem described, when a wanted item cannot be read: an axis that the
    // time-step calls refuse, or a time step larger than the whole file.
    bool usable(std::string* problem) const;

    // Reads time step index (from 0) and gives the time that reading it gave. Returns 0 or the
    // code of the read that failed.
    int read(int index, double* time);

    const void* values(int itemNo) const { return buffers_[static_cast<std::size_t>(itemNo - 1)].data(); }
    int dataType(int itemNo) const { return dataTypes_[static_cast<std::size_t>(itemNo - 1)]; }
    int64_t count(int itemNo) const { return counts_[static_cast<std::size_t>(itemNo - 1)]; }

private:
    const DataFile& data_;
    std::vector<bool> wanted_;
    std::vector<int> dataTypes_;
    std::vector<int64_t> counts_;
    std::vector<std::vector<unsigned char>> buffers_;
};

}  // namespace lrxtool

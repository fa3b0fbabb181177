// Data files for the header tests: headers written to and read from real files, and files
// assembled block by block.
#pragma once

#include <memory>
#include <string>

#include "src/gbx/common/fileio.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/header/gbxheader.h"
#include "support/tempfiles.h"

namespace gbxtest {

struct HeaderDeleter {
    void operator()(GbxHeader* header) const { gbxHeaderDestroy(&header); }
};
using HeaderPtr = std::unique_ptr<GbxHeader, HeaderDeleter>;

struct DataFileCloser {
    void operator()(LrxFile* file) const { FCloseFile(&file); }
};
using DataFilePtr = std::unique_ptr<LrxFile, DataFileCloser>;

// A header of file type 1 with an equidistant time axis in seconds.
inline HeaderPtr makeHeader(int items = 2, int statsType = 1) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "title", "app", 7, items, statsType, &header);
    if (header != nullptr) {
        header->timeAxisType = F_TM_EQ_AXIS;
        header->timeAxis.unitKey = 1400;
        header->timeAxis.start = 10;
        header->timeAxis.step = 60;
        header->timeAxis.noOfTimeSteps = 3;
        header->timeAxis.index = 1;
    }
    return HeaderPtr(header);
}

// Defines every item that is still fresh (without axis) as a water level in metres named
// "item n" with one float value: a file holds defined items only.
inline void defineFreshItems(GbxHeader* header) {
    for (int i = 0; i < header->noOfItems; ++i) {
        if (header->items[i].axisType != 0) continue;
        const std::string name = "item " + std::to_string(i + 1);
        gbxSetItemInfo(header, &header->items[i], 100000, name.c_str(), 1000, LRX_FLOAT);
    }
}

// Writes the header (its fresh items defined first), then an empty static-section block and
// `tail` as raw bytes.
inline int writeDataFile(const std::string& path, GbxHeader* header, const lrxtest::Bytes& tail = {}) {
    defineFreshItems(header);
    DataFilePtr file(FOpenFileCreate(path.c_str()));
    if (file == nullptr) return F_ERR_OPEN;
    int code = gbxWriteHeader(header, file.get());
    if (code == 0) code = lrxBlockWrite(40000, file.get(), nullptr);
    file.reset();
    lrxtest::Bytes all = lrxtest::readBytes(path);
    all.insert(all.end(), tail.begin(), tail.end());
    lrxtest::writeBytes(path, all);
    return code;
}

inline HeaderPtr readDataFile(const std::string& path, int* error) {
    DataFilePtr file(FOpenFileRead(path.c_str(), error));
    if (file == nullptr) return nullptr;
    return HeaderPtr(gbxReadHeader(file.get(), error));
}

}  // namespace gbxtest

// Data files with time steps for the time-step and positioning tests: headers of given items,
// files written step by step through the exported calls, values that tell each time step,
// item and cell apart, and the files opened again for reading.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "src/lrx/lrxfile.h"
#include "support/axisitems.h"

namespace gbxtest {

// An item of the test headers: its value type and grid (EqD0 for nx 0, EqD1 for ny 0).
struct ItemShape {
    int dataType;
    int nx = 0;
    int ny = 0;
};

// A header of the file type with the items, named "item 1", ... (item type undefined, metres),
// and a time axis in seconds: equidistant for file types 1 and 2, non-equidistant otherwise.
inline HeaderPtr stepHeader(int fileType, const std::vector<ItemShape>& items, int axisType = 0) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(fileType, "steps", "test", 1, static_cast<int>(items.size()), 1, &header);
    if (header == nullptr) return nullptr;
    if (axisType == 0) axisType = fileType <= F_EQTIME_TVARSPACE_ALLITEMS ? F_TM_EQ_AXIS : F_TM_NEQ_AXIS;
    switch (axisType) {
        case F_TM_EQ_AXIS:
            gbxSetEqTimeAxis(header, VNK_UNIT_SECOND, 0, 60, 0);
            break;
        case F_TM_NEQ_AXIS:
            gbxSetNeqTimeAxis(header, VNK_UNIT_SECOND, 0, 0);
            break;
        default:
            gbxSetNeqCalendarAxis(header, "2004-01-01", "00:00:00", VNK_UNIT_SECOND, 0, 0);
    }
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        GbxItem* item = gbxItemD(header, i + 1);
        const std::string name = "item " + std::to_string(i + 1);
        gbxSetItemInfo(header, item, VNK_ITEM_UNDEFINED, name.c_str(), kMetre, items[i].dataType);
        if (items[i].ny > 0)
            gbxSetItemAxisEqD2(item, kMetre, items[i].nx, items[i].ny, 0, 0, 1, 1);
        else if (items[i].nx > 0)
            gbxSetItemAxisEqD1(item, kMetre, items[i].nx, 0, 1);
    }
    return HeaderPtr(header);
}

// The value of a cell in a time step: apart for every time step, item (1-based) and cell.
inline double cellValue(int step, int itemNo, int cell) {
    return 100.0 * step + 10.0 * itemNo + cell + 0.5;
}

// count values of dataType (float or double) as the caller hands them over.
inline std::vector<unsigned char> encodeValues(int dataType, const std::vector<double>& values) {
    const size_t size = dataType == LRX_DOUBLE ? 8 : 4;
    std::vector<unsigned char> bytes(values.size() * size);
    for (size_t i = 0; i < values.size(); ++i) {
        if (dataType == LRX_DOUBLE) {
            std::memcpy(&bytes[i * size], &values[i], size);
        } else {
            const auto value = static_cast<float>(values[i]);
            std::memcpy(&bytes[i * size], &value, size);
        }
    }
    return bytes;
}

inline std::vector<double> decodeValues(int dataType, const std::vector<unsigned char>& bytes) {
    const size_t size = dataType == LRX_DOUBLE ? 8 : 4;
    std::vector<double> values(bytes.size() / size);
    for (size_t i = 0; i < values.size(); ++i) {
        if (dataType == LRX_DOUBLE) {
            std::memcpy(&values[i], &bytes[i * size], size);
        } else {
            float value;
            std::memcpy(&value, &bytes[i * size], size);
            values[i] = value;
        }
    }
    return values;
}

inline std::vector<double> stepValues(GbxHeader* header, int step, int itemNo) {
    std::vector<double> values;
    for (int cell = 0; cell < gbxGetItemElements(gbxItemD(header, itemNo)); ++cell)
        values.push_back(cellValue(step, itemNo, cell));
    return values;
}

// Writes every item of one time step with its cell values.
inline void writeStep(GbxHeader* header, GbxFile* file, int step, double time) {
    for (int itemNo = 1; itemNo <= header->noOfItems; ++itemNo) {
        const int dataType = gbxItemD(header, itemNo)->dataType;
        const auto bytes = encodeValues(dataType, stepValues(header, step, itemNo));
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, time, bytes.data()), 0) << "step " << step << " item " << itemNo;
    }
}

// Reads the next item into a buffer of the item's size; *code receives the result.
inline std::vector<double> readNext(GbxHeader* header, GbxFile* file, double* time, int* code) {
    const GbxItem* item = &header->items[header->currentItem];
    const size_t size = item->dataType == LRX_DOUBLE ? 8 : 4;
    std::vector<unsigned char> bytes(static_cast<size_t>(gbxGetItemElements(const_cast<GbxItem*>(item))) * size);
    *code = gbxReadItemTimeStep(header, file, time, bytes.data());
    return decodeValues(item->dataType, bytes);
}

// A data file written step by step: the header is written at creation, an empty static
// section follows when asked for; offsets of each time step's head are noted as they begin.
class StepFile {
public:
    StepFile(const std::string& path, GbxHeader* header, bool staticSection = false)
        : path_(path), header_(header), file_(FOpenFileCreate(path.c_str())) {
        EXPECT_NE(file_, nullptr);
        EXPECT_EQ(gbxWriteHeader(header, file_.get()), 0);
        if (staticSection) {
            EXPECT_EQ(lrxBlockWrite(40000, file_.get(), nullptr), 0);
        }
        dynamicStart_ = lrxTell64(file_.get());
    }

    GbxFile* file() { return file_.get(); }

    // A static item of one float value, named name; the time steps follow it.
    void addStatic(const char* name, float value) {
        GbxVector* vector = nullptr;
        ASSERT_EQ(gbxStaticCreate(&vector), 0);
        EXPECT_EQ(gbxSetItemInfo(header_, gbxItemS(vector), VNK_ITEM_UNDEFINED, name, kMetre, LRX_FLOAT), 0);
        EXPECT_EQ(gbxStaticWrite(vector, file_.get(), &value), 0);
        gbxStaticDestroy(&vector);
        dynamicStart_ = lrxTell64(file_.get());
    }

    int64_t dynamicStart() const { return dynamicStart_; }
    // Offset of the head of time step n (known once step n + 1 has begun or the file is closed).
    int64_t stepStart(int n) const { return stepStarts_.at(n); }

    void write(const std::vector<double>& times) {
        for (double time : times) {
            const int step = header_->currentTimeStep;
            // The dynamic-section marker comes before the first head: 4 bytes of an empty block.
            stepStarts_.push_back(step == 0 ? dynamicStart_ + 4 : lrxTell64(file_.get()));
            writeStep(header_, file_.get(), step, time);
        }
    }

    // Rewrites the header with the counts and axis start of the time steps written, as closing
    // a file does, and closes the file.
    void close() {
        EXPECT_EQ(gbxUpdateHeader(header_, 1, file_.get()), 0);
        file_.reset();
    }

private:
    std::string path_;
    GbxHeader* header_;
    DataFilePtr file_;
    int64_t dynamicStart_ = 0;
    std::vector<int64_t> stepStarts_;
};

// A data file opened for reading: its header read back and the file standing behind it.
struct OpenedFile {
    HeaderPtr header;
    DataFilePtr file;
};

inline OpenedFile openForReading(const std::string& path) {
    int error = -1;
    OpenedFile opened;
    opened.file.reset(FOpenFileRead(path.c_str(), &error));
    EXPECT_EQ(error, 0);
    if (opened.file == nullptr) return opened;
    opened.header.reset(gbxReadHeader(opened.file.get(), &error));
    EXPECT_EQ(error, 0);
    return opened;
}

}  // namespace gbxtest

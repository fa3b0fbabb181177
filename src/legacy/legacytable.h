// The process-wide table of open legacy data files (256 entries, guarded for use from several
// threads on distinct pairs) and the record operations on a pair's entry: records of R floats
// numbered from 1, static records first, then one record per item and time step.
#pragma once

#include <cstdint>
#include <cstdio>

#include "src/legacy/legacystate.h"

namespace lrx::legacy {

constexpr int kTableSize = 256;

// Running statistics of one item of a pair being written. Sums and counts are kept in 64 bits
// so that long series stay exact; the header file receives them as floats when finalised.
struct RunningStats {
    double minimum;
    double maximum;
    double sum;
    double sumSquares;
    double sumProducts;
    double valid;
    double deletes;
    float previous;  // the previous valid value, for the autocorrelation of 0-D files
};

struct GbxLegacySlot {
    int32_t owner = -1;  // -1 when free, else the entry's number
    int32_t writeMode = 0;
    int64_t nextRecord = 1;
    std::FILE* stream = nullptr;
    bool aligned = false;  // the stream stands at the start of nextRecord
    bool failed = false;   // a write failed: the pair can no longer be completed without loss
    int64_t recordsWritten = 0;
    RunningStats running[kMaxItems] = {};
};

// Takes the first free entry and opens the data file at path in it (binary, read or write):
// the entry's number, or -1 when all are taken or the file cannot be opened.
int32_t slotAcquire(const char* path, bool write);
// Closes the entry's data file and frees the entry: false when it was not open or the close
// lost buffered data.
bool slotRelease(int32_t number);
// The state's entry when it is open in the given mode; null otherwise.
GbxLegacySlot* slotOf(const GbxLegacyState& state, bool write);

// Reading operations (entry in read mode): 0, or -1 when the entry is not open for reading, a
// seek fails or a record is short. A failed seek leaves the next record number unchanged.
// Reads the next record of count (= R) floats into buffer, in the machine's byte order; a
// null buffer passes over it.
int readNextRecord(GbxLegacyState& state, float* buffer, int64_t count);
int goToRecord(GbxLegacyState& state, int64_t record);
int goToFirstDynamic(GbxLegacyState& state);
// Item i (from 1) of time step t (from 0).
int goToTimeStep(GbxLegacyState& state, int64_t timeStep, int item);
// True when the data file holds the record whole.
bool recordPresent(GbxLegacyState& state, int64_t record);

}  // namespace lrx::legacy

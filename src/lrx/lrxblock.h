// Logical blocks: chains of records in memory, and their writing, reading and skipping.
#pragma once

#include <cstdint>

#include "src/lrx/lrxfile.h"

struct LrxLrec {
    int32_t type;      // simple type 1 to 7
    int32_t count;     // number of values
    int32_t ownsData;  // 1 when the node frees data
    void* data;        // count values of the type, host byte order
    LrxLrec* next;
};

// A new node of count values; copy 0 borrows data, otherwise the values are copied (zeros
// when data is null). Appended at the end of chain when chain is not null. Null when the
// type or count is invalid or memory runs out.
LrxLrec* lrxLrecCreate(int type, int count, const void* data, int copy, LrxLrec* chain);
void lrxLrecChainFree(LrxLrec** chain);
// Hands the node's data over to the caller and leaves the node without data.
void* lrxLrecTakeData(LrxLrec* node);

int lrxBlockWrite(uint16_t id, LrxFile* file, LrxLrec* chain);
// Reads a whole block. The identifier is meaningful only when no error is recorded; the
// records read so far are in *chain even on error, and the caller frees them.
uint16_t lrxBlockRead(LrxFile* file, int* records, LrxLrec** chain);
int lrxBlockSkip(LrxFile* file);

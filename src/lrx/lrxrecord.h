// Typed records and element heads of the record stream (internal operations).
#pragma once

#include <cstdint>

#include "src/lrx/lrxfile.h"

// Bytes of a record of count values of type: 0 (and 2009 raised, not recorded) for a type
// outside 1 to 7 or a count below 1.
int64_t lrxRecordSize(int type, int count);
// Writes one record; a zero-size record writes nothing. Returns the file's errorCode.
int lrxRecordWrite(LrxFile* file, int type, int count, const void* data);
// Reads one record of `type` into buffer, which holds capacity values. Returns the count
// read, 0 on failure (2009 other type, 2013 too many values, 2019 no record).
int lrxRecordRead(LrxFile* file, int type, unsigned int capacity, void* buffer);
// Reads and consumes the head of the next element; returns its type (0 on end or error).
int lrxReadHead(LrxFile* file, int32_t* countOrId, int* headLength);

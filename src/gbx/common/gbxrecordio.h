// The checked record operations of the data-file layer: one typed record written, read into
// a caller's buffer, stepped over, or passed over unread. Each reports a failure once through
// the dispatcher with the caller's module and line and returns its code.
#pragma once

#include <cstdint>

#include "lrx/gbx.h"

int gbxCheckWriteLR(int type, int count, const void* values, GbxFile* file, const char* module, int line);
// Reads a record of type holding at most count values into values; *valuesRead (when given)
// receives the number of values the record held.
int gbxCheckReadLR(int type, int count, void* values, GbxFile* file, const char* module, int line,
                   int32_t* valuesRead = nullptr);
// Steps over the next record; 2019 when the next element is no record.
int gbxCheckSkipLR(GbxFile* file, const char* module, int line);
// Adds a record of count four-byte values to the file's pending skip; reads nothing.
int gbxCheckPseudoSkipLR(int count, GbxFile* file, const char* module, int line);
// Adds a record of count values of valueSize bytes to the file's pending skip and returns the
// file's recorded error; reads nothing and reports nothing.
int gbxPassOverRecord(GbxFile* file, int64_t count, int valueSize);

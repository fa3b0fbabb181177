// Handle validation of the gbx calls and the checked record and block operations. Every check
// reports a failure once through the dispatcher, with the caller's module and line, and
// returns its code (0 when the check passes).
#pragma once

#include <cstddef>
#include <cstdint>

#include "src/gbx/gbxheader.h"
#include "src/lrx/lrxblock.h"

int gbxCheckHeader(GbxHeader* header, const char* module, int line);
int gbxCheckCustomBlock(GbxCustomBlock* block, const char* module, int line);
int gbxCheckFile(GbxFile* file, const char* module, int line);
int gbxCheckVector(GbxVector* vector, const char* module, int line);
int gbxCheckItem(GbxItem* item, const char* module, int line);
int gbxCheckHeaderItemNo(GbxHeader* header, int itemNo, const char* module, int line);
int gbxCheckHeaderFile(GbxHeader* header, GbxFile* file, const char* module, int line);
int gbxCheckVectorFile(GbxVector* vector, GbxFile* file, const char* module, int line);

// The first record of a block: present (2001), of the simple type (2009) and, when count is
// not 0, of that many values (2013).
int gbxCheckTypeSize(LrxLrec* record, int type, int count, const char* module, int line);
// Reads the next logical block into *block (null on failure) and checks its first record.
int gbxCheckReadTypeSize(GbxFile* file, int type, int count, LrxLrec** block, const char* module, int line);
int gbxCheckWriteLB(uint16_t id, LrxLrec* records, GbxFile* file, const char* module, int line);
int gbxCheckReadLB(uint16_t* id, LrxLrec** records, GbxFile* file, const char* module, int line);
int gbxCheckWriteLR(int type, int count, const void* values, GbxFile* file, const char* module, int line);
// Reads a record of type holding at most count values into values; *valuesRead (when given)
// receives the number of values the record held.
int gbxCheckReadLR(int type, int count, void* values, GbxFile* file, const char* module, int line,
                   int32_t* valuesRead = nullptr);
int gbxCheckSkipLR(GbxFile* file, const char* module, int line);
int gbxCheckPseudoSkipLR(int count, GbxFile* file, const char* module, int line);

// Allocates size bytes zero-filled into *pointer (null on failure, reported as 2000).
int gbxCheckAlloc(void** pointer, std::size_t size, const char* module, int line);
// Bytes of one value of the simple types 1 to 5; 0 for any other type.
int gbxValueTypeSize(int type);

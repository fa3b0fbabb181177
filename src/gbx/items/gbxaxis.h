// Item spatial axes beyond their exported setters and getters: the axis blocks of a data file,
// their in-place refresh by the header update, and the copying of coordinate arrays.
#pragma once

#include <cstddef>
#include <cstdint>

#include "src/gbx/common/gbxmodel.h"
#include "src/lrx/lrxblock.h"

// True for the tags of the axis blocks, current and older.
bool gbxIsAxisBlockTag(int tag);
// True for the older axis blocks, which carry no axis unit.
bool gbxIsOlderAxisBlockTag(int tag);
// Writes the axis block of the item's axis type; 2010 (reported with the file) for EqD4 and
// unknown codes, which have no block.
int gbxWriteItemAxis(GbxItem* item, GbxFile* file);
// Decodes an axis block read from a file into the item (arrays are taken over from the chain
// and owned by the item). 2018 (reported with the file) for an id that is no axis block;
// 2009, 2013 or 2001 for records that do not match; 2010 for sizes whose element counts do
// not fit 32 bits.
int gbxReadItemAxis(GbxItem* item, int id, LrxLrec* chain, GbxFile* file);
// Puts the item's current axis unit (and, for EqD1, EqD2 and EqD3, origins and spacings) into
// a stored axis block of the item's axis type read by the header update. Returns true when the
// chain was changed and is to be written back.
bool gbxRefreshAxisBlock(const GbxItem* item, int id, LrxLrec* chain);

// Copies count elements of elementSize bytes into *destination, freeing what the slot held
// when *ownerFlag is set; the slot then belongs to the item (*ownerFlag = copy). Without copy
// the source pointer itself is stored. 2000 (reported with the module and line) when the copy
// cannot be allocated; the slot is then null.
int Reassign(int64_t count, std::size_t elementSize, const void* source, int32_t* ownerFlag, int copy,
             const char* module, int line, void** destination);

// Internal pieces shared by the header's lifecycle and serialisation: its item array, and the
// item section and the in-place text rule of its blocks.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

struct LrxLrec;

// Replaces the header's item array by count fresh items. 2000 when it cannot be allocated.
int gbxAllocateItems(GbxHeader* header, int32_t count);
// Frees every item and the item array.
void gbxFreeItems(GbxHeader* header);

// The item section of the header in a file: one item's definition and statistics blocks.
int gbxWriteHeaderItem(GbxHeader* header, GbxItem* item, GbxFile* file);
// Reads the blocks of one item definition, whose definition block is next.
int gbxReadHeaderItem(GbxHeader* header, GbxItem* item, GbxFile* file);
// Reads the element-statistics block that is next into *chain (the caller frees it, also on
// failure) and gives in *elements the elements it holds for the item: the check's code for a
// block without a double record, 2013 (reported with header and file) for one that cannot be
// the item's.
int gbxReadStatsBlock(GbxHeader* header, const GbxItem* item, GbxFile* file, LrxLrec** chain, int64_t* elements);
// True for the tags of blocks that belong to an item definition.
bool gbxIsItemBlockTag(int tag);
// Stores text in a text record read from a file without changing the record's length: a
// longer text is cut to the stored length (the file title's rule), a shorter one is stored
// with its zero and leaves the remaining bytes as they were. The record holds at least 1 byte.
void gbxStoreTextInPlace(LrxLrec* record, const char* text);

// Rewrites in place an item block met by the header update at `position` of the second
// handle, advancing *itemCounter at each definition block.
int gbxUpdateHeaderItemBlock(GbxHeader* header, int tag, int* itemCounter, GbxFile* file, int64_t position);

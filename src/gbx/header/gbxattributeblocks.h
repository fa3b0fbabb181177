// The attribute blocks of a data-file header, described once in a table that drives their
// writing, their reading and their rewriting in place when a file is flushed or closed.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

// What the read and the in-place update return for a tag that names no attribute block (or,
// for the update, none that it rewrites).
constexpr int GBX_NOT_AN_ATTRIBUTE = -1;

// Writes the attribute section: its opening block, then every attribute block in the order of
// the table. The first failure ends the writing and is returned.
int gbxWriteAttributeBlocks(GbxHeader* header, GbxFile* file);
// Reads the attribute block of tag, which is next in the file, into the header.
int gbxReadAttributeBlock(GbxHeader* header, GbxFile* file, int tag);
// Rewrites the attribute block of tag, next in the file and beginning at position, with the
// header's current value, keeping the block's size. A stored block whose records differ from
// what the table writes is left as it is.
int gbxUpdateAttributeBlock(GbxHeader* header, GbxFile* file, int tag, int64_t position);

// The time-axis blocks of a data-file header: the four current forms with a unit key, and the
// four older forms that carry the unit as text.
#pragma once

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxmodel.h"

// The time-axis type (1 to 4) that a block tag describes, or 0 for any other tag.
int gbxTimeAxisTypeOfTag(int tag);
// True for the older forms, which carry the unit as text.
bool gbxIsOlderTimeAxisTag(int tag);

// Writes the block of the header's axis type in its current form; 2010 (reported with the
// header and file) when the header has no time axis.
int gbxWriteTimeAxis(GbxHeader* header, GbxFile* file, const char* module, int line);
// Stores the axis of a block of any of the eight forms in the header.
int gbxReadTimeAxis(GbxHeader* header, int tag, GbxBlockRecords& records, const char* module, int line);
// Builds the block of tag from the header; unitText stands in the older forms.
void gbxBuildTimeAxis(const GbxHeader* header, int tag, const char* unitText, GbxBlockBuilder& block);

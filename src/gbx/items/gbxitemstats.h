// Running statistics of items: the update after each written item time step.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

// Adds the values of one written time step of item itemNo (as stored: the item's unit and data
// type, one per used element in stored order) to the item's statistics.
int gbxCalcStatistics(GbxHeader* header, int itemNo, const void* values);

// The same update without checks or trace, for count values of an item whose data type is one
// of the simple types 1 to 5. Returns 0, or 2010 (not reported) for a statistics type the
// header cannot have.
int gbxAddStepStatistics(GbxHeader* header, GbxItem* item, const void* values, int64_t count);

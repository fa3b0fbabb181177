// Running statistics of items: the update after each written item time step.
#pragma once

#include "src/gbx/common/gbxmodel.h"

// Adds the values of one written time step of item itemNo (as stored: the item's unit and data
// type, one per used element in stored order) to the item's statistics.
int gbxCalcStatistics(GbxHeader* header, int itemNo, const void* values);

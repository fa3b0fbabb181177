// Packing an item's full grid into the values at the encoding-key positions and expanding
// such values back into a full grid, for values of any simple type of an item.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

// True when every key position X[k] + Y[k]·nx + Z[k]·nx·ny (nx and nx·ny the item's x and xy
// sizes; a missing key counts as 0) lies inside the item's full grid, so that packing and
// expanding stay within the caller's buffer.
bool gbxKeysFitGrid(const GbxHeader* header, const GbxItem* item);

// Gathers the values at the key positions from grid (the item's full grid) into packed (key
// size values). Both hold values of dataType. 2010 (not reported) when a key position lies
// outside the grid; nothing is then written.
int gbxPackGrid(const GbxHeader* header, const GbxItem* item, int dataType, const void* grid, void* packed);

// Fills grid (the item's full grid) with the delete value of dataType, then puts the packed
// values (key size values) at the key positions. 2010 (not reported) when a key position lies
// outside the grid; grid is then left as it was.
int gbxExpandGrid(const GbxHeader* header, const GbxItem* item, int dataType, const void* packed, void* grid);

// Writes count copies of the header's delete value of dataType (float, double, byte, int32 or
// uint32) to values.
void gbxFillDeleteValues(const GbxHeader* header, int dataType, void* values, int64_t count);

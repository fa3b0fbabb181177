// The element statistics of an item as they stand in the element-statistics block of a header:
// which stored blocks belong to an item, and the item's statistics laid out for such a block.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

// Elements whose statistics a stored block of `values` doubles holds for the item, or -1
// when it cannot be the item's. A block holds the elements in use times 9 values, as written.
// A compressed file's encoding keys are read only after its header, so while its header is
// read the elements in use are not yet known: any whole number of elements up to the item's
// full grid is then taken.
int64_t gbxStoredStatsElements(const GbxItem* item, const GbxHeader* header, int64_t values);

// Lays out the item's statistics for `elements` elements in out (elements x 9 doubles): the
// elements the item holds are copied, any further ones get the start values of InitStats.
void gbxCopyElementStats(const GbxItem* item, double* out, int64_t elements, double deleteValue);

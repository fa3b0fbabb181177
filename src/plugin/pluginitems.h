// The item list that a loaded plug-in describes, built beside the header's own items.
#pragma once

#include <cstdint>

#include "src/gbx/header/gbxheader.h"

// Asks the header's plug-in for its items and builds them: each starts as a copy of the
// header's item of the same number, or of item 1 without element statistics and associated
// statics when the header has fewer items, and takes what the plug-in's entries give. The
// header itself is not changed. On 0, *items (null for none) holds *count items that belong
// to the caller, and *entryError the last non-zero result of a per-item entry (0 when none).
// Otherwise -1 (an item count, axis type or axis size out of range) or 2000, and nothing is
// left allocated.
int gbxPluginDescribeItems(GbxHeader* header, GbxItem** items, int32_t* count, int* entryError);

// A copy of `from` for header's item list that owns all it holds: texts, axis arrays and,
// with `whole`, the element statistics and associated statics (left empty otherwise; a
// static item's values are never copied). 0, or 2000 with *to holding only what was copied,
// for gbxItemDestroyContents.
int gbxPluginCopyItem(const GbxItem& from, bool whole, GbxHeader* header, GbxItem* to);

// Frees count items and their array.
void gbxPluginFreeItems(GbxItem* items, int32_t count);

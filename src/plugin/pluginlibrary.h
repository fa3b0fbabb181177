// Finding and loading the derived-item library of a data type, and releasing it.
#pragma once

#include <cstdint>

#include "src/gbx/header/gbxheader.h"

// The results of enabling a plug-in that refuse it.
constexpr int GBX_PLUGIN_REFUSED = -1;
constexpr int GBX_PLUGIN_NO_NUMBER = -2;
constexpr int GBX_PLUGIN_NOT_LOADED = -3;

// Loads the library "gbxExt_N" (N the absolute value of dataType, which is not 0) into slot and
// looks up its entries: from the folders of LRX_PLUGIN_PATH first, then by the platform's
// search. Returns 0; -3 when no library loads; -1 when a required entry is missing (the
// library is released again); 2000 when memory runs out. slot is touched only on success.
int gbxPluginLoad(int32_t dataType, GbxPluginSlot* slot);
// Releases the slot's library and clears the slot.
void gbxPluginRelease(GbxPluginSlot* slot);

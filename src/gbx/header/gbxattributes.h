// The header attributes: titles, version and data type, delete values, geographic
// information and custom blocks. Texts and arrays that the accessors store in the header are
// allocated with std::calloc and released with std::free.
#pragma once

#include "src/gbx/common/gbxmodel.h"

// Frees every custom block of the header (name, values and node) and leaves the list empty.
// A null header does nothing.
void gbxFreeCustomBlocks(GbxHeader* header);

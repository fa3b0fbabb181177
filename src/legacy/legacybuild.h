// The in-memory header of a legacy pair: built from the words and texts of a pair opened for
// reading, and refreshed from the state of a pair being written.
#pragma once

#include "src/legacy/legacystate.h"

namespace lrx::legacy {

// A new header for the pair (its legacy field still null): 0, or the code of a setter that
// failed (2000 when out of memory).
int buildHeader(const GbxLegacyState& state, const PairLayout& layout, GbxHeader** header);
// Copies item 1's definition into a static item of the pair, named "No name", item type 999
// and unit 0. For compressed files the item holds the key length.
int defineStaticItem(const GbxLegacyState& state, GbxHeader* header, GbxVector* vector);
// Minimum and maximum of each item from its statistics group, and the number of time steps
// from word 4.
void refreshHeader(const GbxLegacyState& state, GbxHeader* header);

}  // namespace lrx::legacy

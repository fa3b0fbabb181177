// The calls of the fuzz targets on an open data file (native, legacy or through a plug-in): every
// query of the header, its items, axes, time axis and statistics, static reads, time-step reads
// and skips and the positioning calls, in an order that the input's choice bytes give. Every
// buffer handed to the library is sized exactly as the interface documents it and taken from the
// heap, so that the sanitizer sees one byte too many; every array handed out is read to its end.
#pragma once

#include "fuzz/fuzzinput.h"
#include "lrx/gbx.h"

namespace lrxfuzz {

// The largest buffer the driver hands to the library: 8 MiB. A larger one is not offered (the
// call passes over the item instead), so that an item claiming a huge grid, which a compressed
// file may expand legitimately, keeps an execution short.
constexpr int kLargestBuffer = 1 << 23;

// Queries everything the header describes: attributes, encoding keys, custom blocks, the time
// axis, and every item with its axis, statistics and associated static items.
void describeHeader(GbxHeader* header);

// Runs calls chosen by the input's choice bytes until they run out (a bounded number). Without
// choices: the static items, then every time step item by item, as a plain reader does.
void driveReading(GbxHeader* header, GbxFile* file, FuzzInput& input);

// Writes one time step (every item, zero values in a buffer of the documented size) at the
// file's position; the first code other than 0.
int writeOneStep(GbxHeader* header, GbxFile* file);

}  // namespace lrxfuzz

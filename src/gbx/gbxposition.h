// Searching a data file for its section markers.
#pragma once

#include "lrx/gbx.h"

// Moves the file just past the next block of identifier id (40000 static section, 50000
// dynamic section, 50001 time-step head), keeping the file's positionState up to date. A
// section marker that the file has already passed is searched from the start of the file.
// Returns 0, or the record layer's code; a search that reaches the end of the file also
// returns 0 and leaves the file in its end-of-file state (1).
int gbxFindBlock(GbxFile* file, int id);

// Searching a data file for its section markers.
#pragma once

#include <cstdint>

#include "lrx/gbx.h"

// Where a reader stands: the file's offset, error and section state, and the header's time-step
// and item cursor. A call that moves through the file on its own account (the span of a
// non-equidistant time axis) saves it first and hands it back on every path.
struct GbxSavedPosition {
    int64_t offset;
    int32_t errorCode;
    int32_t positionState;
    int32_t dynamicSectionDue;
    int32_t timeStep;
    int32_t item;
    double time;
};

// Saves the position; 2006 (reported) when the file cannot tell its offset.
int gbxSavePosition(GbxHeader* header, GbxFile* file, GbxSavedPosition* saved);
// Restores a saved position, whatever happened since: a failure met in between no longer
// stands on the file. 2006 (reported) when the file cannot seek back.
int gbxRestorePosition(GbxHeader* header, GbxFile* file, const GbxSavedPosition& saved);

// Moves the file just past the next block of identifier id (a section marker or time-step
// head), keeping the file's positionState up to date. A
// section marker that the file has already passed is searched from the start of the file.
// Returns 0, or the record layer's code; a search that reaches the end of the file also
// returns 0 and leaves the file in its end-of-file state (1).
int gbxFindBlock(GbxFile* file, int id);

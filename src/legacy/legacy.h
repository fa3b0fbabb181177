// The interface of the legacy file family (pairs of a .ctN header file and a .dtN data file)
// to the data-file layer: the operations its hand-offs call. Nothing else of the legacy layer
// is visible outside src/legacy. Codes are returned as they are, never through the handlers.
#pragma once

#include "lrx/gbx.h"

namespace lrx::legacy {

// True when the extension of the path's last component, lower-cased, begins with .dt or .ct
// and a digit 0 to 4.
bool isFamilyPath(const char* path);

// Opens a pair for reading: 0, 1000 (no pair, a damaged or unrepresentable header file, no
// free table entry), -1 (a number of dimensions outside 0 to 4) or 2000. The outputs are null
// unless the result is 0.
int openPair(const char* path, GbxHeader** header, GbxFile** file);
// Creates the data file of a pair from a header that stays the caller's: 0, 2021 (the header
// does not fit the old layout, or the data file cannot be created) or 2000.
int createPair(const char* path, GbxHeader* header, GbxFile** file);
// Writes the header file of a pair being written: 0 or 2005. A pair open for reading: 0; a
// header of no pair: 1000.
int flushPair(GbxHeader* header);
// Closes the data file (a written pair gets its header file), frees the handle and sets *file
// to null: 0, or -1.
int closePair(GbxHeader* header, GbxFile** file);
// True when the header's pair is open for reading (not being written).
bool isOpenForReading(const GbxHeader* header);
// Frees the header's legacy state, closing its data file when it is still open.
void releaseState(GbxHeader* header);

// The next dynamic record of count values into data (null: passed over): 0 or 2001.
int readItem(GbxHeader* header, GbxFile* file, void* data, int count);
// Appends a record of count values to a pair being written: 0 or 2002.
int writeItem(GbxHeader* header, GbxFile* file, const void* data, int count);
// Positions on item 1 of time step t: 0 or 2001.
int findTimeStep(GbxHeader* header, GbxFile* file, int timeStep);
// Block 40000 rewinds to the first static record, 50000 goes to the first dynamic one: 0 or -1.
int findBlock(GbxHeader* header, GbxFile* file, int id);
// The next static record as a new static item, or null (code 0 past the static records).
GbxVector* readStatic(GbxFile* file, int* code);
// Appends a static record before the first time step: 0, 2002, 2014 or 2021.
int writeStatic(GbxVector* vector, GbxFile* file, const void* data);

}  // namespace lrx::legacy

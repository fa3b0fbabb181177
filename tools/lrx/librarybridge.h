// The tool's one door into the library's internals: what `lrx blocks` and `lrx check` need
// beyond the exported interface to walk a file element by element and name offsets, and what
// `lrx xsec` needs to list the sections that the lookups hide. Only librarybridge.cpp includes
// internal headers; everything else in the tool uses the public headers in include/lrx and
// include/vnk.
#pragma once

#include <cstdint>
#include <vector>

#include "lrx/csn.h"
#include "lrx/lrx.h"

namespace lrxtool::bridge {

// Bytes between the current position and the end of the file; -1 when it cannot be told.
int64_t remainingBytes(LrxFile* file);

// Moves to an absolute offset (which also ends the end-of-file state).
void seekTo(LrxFile* file, int64_t offset);

// True when the file's byte order is the opposite of the host's.
bool byteOrderSwapped(LrxFile* file);

// One section of a loaded table as the table holds it.
struct SectionView {
    const CsnXsecRecord* record;
    int valid;
};

// Every section of a table in table order, invalid ones included.
std::vector<SectionView> sectionsOf(const CsnXsecTable* table);

}  // namespace lrxtool::bridge

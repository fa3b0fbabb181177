// The tool's one door into the record stream's internals: what `lrx blocks` and `lrx check`
// need beyond the exported interface to walk a file element by element and name offsets.
// Only recordbridge.cpp includes internal headers; everything else in the tool uses the
// public headers in include/lrx and include/vnk.
#pragma once

#include <cstdint>

#include "lrx/lrx.h"

namespace lrxtool::bridge {

// Bytes between the current position and the end of the file; -1 when it cannot be told.
int64_t remainingBytes(LrxFile* file);

// Moves to an absolute offset (which also ends the end-of-file state).
void seekTo(LrxFile* file, int64_t offset);

// True when the file's byte order is the opposite of the host's.
bool byteOrderSwapped(LrxFile* file);

}  // namespace lrxtool::bridge

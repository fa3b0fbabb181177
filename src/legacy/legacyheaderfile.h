// The header file of a legacy pair (.ctN): two records in the framing of unformatted
// sequential files, 150 float words and 436 bytes of fixed-width texts, in either byte order.
#pragma once

#include <cstddef>

#include "src/legacy/legacystate.h"

namespace lrx::legacy {

// Path of the pair's file of the kind "ct" or "dt" with the digit; false when it is too long.
bool pairPath(const GbxLegacyState& state, const char* kind, int digit, char* path, std::size_t size);
// Reads the words and texts into the state and marks it swapped when the file is of the other
// byte order: 0, or 1000 when the file is missing, short or has no length word 600.
int readHeaderFile(const char* path, GbxLegacyState* state);
// Writes base name + .ctN (N the state's number of dimensions): 0, or -1 when it cannot be
// written whole.
int writeHeaderFile(const GbxLegacyState& state);

}  // namespace lrx::legacy

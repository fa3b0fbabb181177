// `lrx info FILE --json`: the description of a data file as one JSON object for scripts.
#pragma once

#include "datafile.h"

namespace lrxtool {

// Writes the JSON object on standard output; returns the exit code.
int printInfoJson(DataFile& data);

}  // namespace lrxtool

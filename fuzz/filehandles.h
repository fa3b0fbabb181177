// Ending what a fuzz target opened: a data file is closed the documented way (a close that fails
// is given up with the record stream's close), then its header destroyed.
#pragma once

#include "lrx/gbx.h"

namespace lrxfuzz {

inline void release(GbxHeader* header, GbxFile* file) {
    if (file != nullptr && gbxFileClose(header, &file) != 0 && file != nullptr) lrxFileClose(&file);
    gbxHeaderDestroy(&header);
}

}  // namespace lrxfuzz

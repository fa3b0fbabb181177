// Reading every element of a record file the way a data-file reader does, for the damaged-file
// tests and the fuzz target.
#pragma once

#include "src/lrx/lrxblock.h"
#include "src/lrx/lrxrecord.h"

namespace lrxtest {

// Reads blocks whole and records into new buffers, steps over terminators, until an error or
// the end of the file. Returns the elements read; gives up after `limit` elements, which a
// walk that terminates never reaches.
inline int walkAllElements(LrxFile* file, int limit) {
    int elements = 0;
    for (; elements < limit; ++elements) {
        int32_t count = 0;
        const int type = lrxQuery(file, &count);
        if (type == LRX_BLOCK) {
            LrxLrec* chain = nullptr;
            int records = 0;
            lrxBlockRead(file, &records, &chain);
            lrxLrecChainFree(&chain);
        } else if (type > 0) {
            int32_t found = 0;
            void* data = lrxLrecReadAlloc(file, &found, &count);
            lrxLrecFree(&data);
        } else if (type == 0 && lrxPeekError(file) == 0) {
            continue;  // a zero type byte was consumed
        } else {
            lrxSkip(file);
        }
        if (lrxPeekError(file) != 0) break;
    }
    return elements;
}

}  // namespace lrxtest

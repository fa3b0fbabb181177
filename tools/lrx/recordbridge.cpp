// The tool's one door into the record stream's internals (see recordbridge.h). Calls the
// record stream's internal seek and size operations and reads its byte-order flag.
#include "recordbridge.h"

#include "lrx/lrxfile.h"

namespace lrxtool::bridge {

int64_t remainingBytes(LrxFile* file) {
    return lrxRemainingBytes(file);
}

void seekTo(LrxFile* file, int64_t offset) {
    lrxSeek64(file, offset, 0);
}

bool byteOrderSwapped(LrxFile* file) {
    // Only bit 0 of swapBytes says whether the file's order is opposite to the host's.
    return file != nullptr && (file->swapBytes & 1) != 0;
}

}  // namespace lrxtool::bridge

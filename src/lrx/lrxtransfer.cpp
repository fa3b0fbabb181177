// Raw transfers, seeks and the pending skip of an open record file. Every transfer goes
// through the handle's buffer (lrxbuffer), which alone calls the os layer; errors are raised
// through lrxRaiseError and kept sticky in the handle's errorCode.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "src/lrx/byteswap.h"
#include "src/lrx/lrxfile.h"
#include "src/os/osfile.h"

namespace {

// Stack room for swapping a copy of a caller's buffer before writing it.
constexpr int64_t kSwapChunkBytes = 64 * 1024;

// Performs the pending skip (or just ends the last transfer's direction) with one seek.
void settlePosition(LrxFile* file) {
    const int64_t skip = file->pendingSkip;
    file->pendingSkip = 0;
    lrxSeek64(file, skip, 1);
}

// Writes count elements reversed, through a copy, so that the caller's buffer stays as it is.
bool writeSwapped(LrxFile* file, const void* data, int elemSize, int64_t count) {
    unsigned char chunk[kSwapChunkBytes];
    const auto* source = static_cast<const unsigned char*>(data);
    const int64_t perChunk = std::max<int64_t>(1, kSwapChunkBytes / elemSize);
    unsigned char* buffer = elemSize <= kSwapChunkBytes ? chunk : new (std::nothrow) unsigned char[elemSize];
    if (buffer == nullptr) return false;
    bool ok = true;
    for (int64_t done = 0; ok && done < count;) {
        const int64_t elements = std::min(perChunk, count - done);
        const int64_t bytes = elements * elemSize;
        std::memcpy(buffer, source + done * elemSize, static_cast<size_t>(bytes));
        lrx::reverseElements(buffer, elemSize, elements);
        ok = lrxBufferWrite(file, buffer, bytes);
        done += elements;
    }
    if (buffer != chunk) delete[] buffer;
    return ok;
}

// The common case of a small transfer in the host's byte order while the buffer is already
// in the transfer's direction with room (or bytes) enough: a copy, no call further down.
// Copies a transfer's bytes; the common sizes of heads and single values are copied inline.
inline void copyBytes(void* to, const void* from, int64_t bytes) {
    switch (bytes) {
        case 1:
            std::memcpy(to, from, 1);
            break;
        case 4:
            std::memcpy(to, from, 4);
            break;
        case 8:
            std::memcpy(to, from, 8);
            break;
        default:
            std::memcpy(to, from, static_cast<size_t>(bytes));
    }
}

// Room in the write buffer for a transfer that needs nothing else done first.
unsigned char* roomFor(LrxFile* file, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    if (!buffer.writing || file->lastDirection > 0 || file->pendingSkip != 0 || (file->swapBytes & 1) != 0 ||
        bytes <= 0 || buffer.filled + bytes > LRX_BUFFER_BYTES)
        return nullptr;
    unsigned char* room = buffer.bytes + buffer.filled;
    buffer.filled += bytes;
    buffer.cursor = buffer.filled;
    return room;
}

// The next bytes read ahead, for a transfer that needs nothing else done first.
const unsigned char* bytesAhead(LrxFile* file, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    if (buffer.writing || !buffer.placed || file->lastDirection < 0 || file->pendingSkip != 0 ||
        (file->swapBytes & 1) != 0 || bytes <= 0 || buffer.filled - buffer.cursor < bytes)
        return nullptr;
    return buffer.bytes + buffer.cursor;
}

bool putQuickly(LrxFile* file, const void* data, int64_t bytes) {
    unsigned char* room = roomFor(file, bytes);
    if (room == nullptr) return false;
    copyBytes(room, data, bytes);
    return true;
}

bool takeQuickly(LrxFile* file, void* data, int64_t bytes) {
    const unsigned char* ahead = bytesAhead(file, bytes);
    if (ahead == nullptr) return false;
    copyBytes(data, ahead, bytes);
    file->buffer.cursor += bytes;
    return true;
}

}  // namespace

void lrxSetError(LrxFile* file, int code) {
    if (file != nullptr) file->errorCode = code;
}

unsigned char* lrxReserve(LrxFile* file, int64_t bytes) {
    if (file == nullptr || file->errorCode != 0 || file->readOnly != 0) return nullptr;
    unsigned char* room = roomFor(file, bytes);
    if (room != nullptr) file->lastDirection = -1;
    return room;
}

const unsigned char* lrxPeek(LrxFile* file, int64_t bytes) {
    if (file == nullptr || file->errorCode != 0) return nullptr;
    return bytesAhead(file, bytes);
}

void lrxConsume(LrxFile* file, int64_t bytes) {
    file->buffer.cursor += bytes;
    file->lastDirection = 1;
}

void lrxWrite(LrxFile* file, const void* data, int elemSize, int count) {
    if (file == nullptr || file->errorCode != 0) return;
    if (file->readOnly == 0 && putQuickly(file, data, static_cast<int64_t>(elemSize) * count)) {
        file->lastDirection = -1;
        return;
    }
    if (file->readOnly) {
        file->errorCode = LRX_RAISE(F_ERR_READONLY);
        return;
    }
    if (file->lastDirection > 0 || file->pendingSkip != 0) {
        settlePosition(file);
        if (file->errorCode != 0) return;
    }
    const int64_t bytes = static_cast<int64_t>(elemSize) * count;
    if (bytes > 0) {
        const bool written = lrx::swapsElements(file->swapBytes, elemSize, count)
                                 ? writeSwapped(file, data, elemSize, count)
                                 : lrxBufferWrite(file, data, bytes);
        if (!written && file->errorCode == 0) file->errorCode = LRX_RAISE(F_ERR_WRITE);
    }
    file->lastDirection = -1;
}

int lrxRead(LrxFile* file, void* data, int elemSize, int count) {
    if (file == nullptr || file->errorCode != 0) return 0;
    if (takeQuickly(file, data, static_cast<int64_t>(elemSize) * count)) {
        file->lastDirection = 1;
        return 1;
    }
    if (file->lastDirection < 0 || file->pendingSkip != 0) {
        settlePosition(file);
        if (file->errorCode != 0) return 0;
    }
    const int64_t bytes = static_cast<int64_t>(elemSize) * count;
    const int64_t arrived = bytes > 0 ? lrxBufferRead(file, data, bytes) : 0;
    file->lastDirection = 1;
    // Bytes written earlier that failed to reach the file when this read flushed them.
    if (file->errorCode != 0) return 0;
    if (arrived == std::max<int64_t>(bytes, 0)) {
        if (lrx::swapsElements(file->swapBytes, elemSize, count)) lrx::reverseElements(data, elemSize, count);
        return 1;
    }
    // A short read at the end of the file is the soft end-of-file state; anywhere else it is
    // a read error. A file that cannot say where it ends counts as ended.
    const int64_t size = lrxBufferFileSize(file);
    const int outcome = size < 0 || lrxBufferTell(file) >= size ? LRX_END_OF_FILE : F_ERR_READ;
    file->errorCode = outcome == LRX_END_OF_FILE ? outcome : LRX_RAISE(outcome);
    return 0;
}

void lrxSeek64(LrxFile* file, int64_t offset, int origin) {
    if (file == nullptr) return;
    if (file->errorCode == LRX_END_OF_FILE) file->errorCode = 0;
    if (file->errorCode != 0) return;
    // An absolute position replaces whatever skip was still pending; a relative one adds to it.
    if (origin != 1) file->pendingSkip = 0;
    if (const int code = lrxBufferSeek(file, offset, origin)) file->errorCode = LRX_RAISE(code);
    file->lastDirection = 0;
}

void lrxSeek(LrxFile* file, int32_t offset, int origin) {
    lrxSeek64(file, offset, origin);
}

void lrxSeekAppBase(LrxFile* file) {
    if (file != nullptr) lrxSeek64(file, file->appBase, 0);
}

void lrxPseudoSkip64(LrxFile* file, int64_t bytes) {
    if (file == nullptr) return;
    if (file->errorCode == LRX_END_OF_FILE) file->errorCode = 0;
    if (file->errorCode == 0) file->pendingSkip += bytes;
}

void lrxPseudoSkip(LrxFile* file, int32_t bytes) {
    lrxPseudoSkip64(file, bytes);
}

int64_t lrxRemainingBytes(LrxFile* file) {
    if (file == nullptr) return -1;
    if (file->pendingSkip != 0) settlePosition(file);
    const int64_t at = lrxBufferTell(file);
    const int64_t size = lrxBufferFileSize(file);
    if (at < 0 || size < 0) return -1;
    return std::max<int64_t>(size - at, 0);
}

bool lrxHoldsBytes(LrxFile* file, int64_t bytes) {
    if (file == nullptr) return false;
    if (file->pendingSkip != 0) settlePosition(file);
    return lrxBufferHolds(file, bytes);
}

int lrxFlush(LrxFile* file) {
    if (file == nullptr) return F_ERR_USAGE;
    const int code = lrxBufferFlush(file);
    if (code != 0 && file->errorCode == 0) file->errorCode = LRX_RAISE(code);
    return code;
}

int lrxCommit(LrxFile* file) {
    if (file == nullptr) return F_ERR_USAGE;
    if (const int code = lrxFlush(file)) return code;
    const int result = lrx::os::commit(file->descriptor) == 0 ? 0 : F_ERR_COMMIT;
    file->commitClock = lrx::os::clockMillis();
    return result;
}

extern "C" {

LRX_EXPORT int32_t LRX_CALL lrxTell(LrxFile* file) {
    if (file == nullptr) return -1;
    const int64_t at = lrxBufferTell(file);
    return at < 0 || at > INT32_MAX ? -1 : static_cast<int32_t>(at);
}

LRX_EXPORT int64_t LRX_CALL lrxTell64(LrxFile* file) {
    if (file == nullptr) return -1;
    // The settling seek runs even with nothing pending: like any seek it ends the end-of-file
    // state.
    settlePosition(file);
    return lrxBufferTell(file);
}

LRX_EXPORT int LRX_CALL lrxGetError(LrxFile* file) {
    if (file == nullptr) return F_ERR_USAGE;
    const int code = file->errorCode;
    file->errorCode = 0;
    return code;
}

LRX_EXPORT int LRX_CALL lrxPeekError(LrxFile* file) {
    return file == nullptr ? F_ERR_USAGE : file->errorCode;
}

}  // extern "C"

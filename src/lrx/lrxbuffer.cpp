// The read-ahead and write-behind buffer of a record-file handle. Every descriptor transfer,
// seek and size query of an open handle passes through here; the memory is taken at the first
// transfer, and a handle whose buffer cannot be allocated transfers straight to the descriptor.
// Calls only the os layer.
#include "src/lrx/lrxbuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "src/lrx/lrxfile.h"
#include "src/os/osfile.h"
#include "src/os/osmemory.h"

namespace {

int64_t logical(const LrxBuffer& buffer) {
    return buffer.start + buffer.cursor;
}

bool haveMemory(LrxBuffer& buffer) {
    if (buffer.bytes == nullptr) buffer.bytes = static_cast<unsigned char*>(lrx::os::allocate(LRX_BUFFER_BYTES));
    return buffer.bytes != nullptr;
}

// An empty buffer in read mode at `offset`, where the descriptor stands.
void emptyAt(LrxBuffer& buffer, int64_t offset) {
    buffer.start = offset;
    buffer.filled = 0;
    buffer.cursor = 0;
    buffer.writing = 0;
    buffer.placed = 1;
}

// After a failed descriptor call the descriptor's offset is unknown: the next transfer asks.
bool lost(LrxBuffer& buffer) {
    buffer.placed = 0;
    buffer.filled = 0;
    buffer.cursor = 0;
    buffer.writing = 0;
    return false;
}

// Learns the logical offset from the descriptor when the buffer does not know it.
bool place(LrxFile* file) {
    LrxBuffer& buffer = file->buffer;
    if (buffer.placed) return true;
    const int64_t at = lrx::os::tell(file->descriptor);
    if (at < 0) return false;
    emptyAt(buffer, at);
    return true;
}

void noteSize(LrxBuffer& buffer, int64_t size) {
    buffer.knownSize = std::max(buffer.knownSize, size);
}

// Writes the held bytes; the buffer is then empty in read mode at the logical offset.
bool writeHeld(LrxFile* file) {
    LrxBuffer& buffer = file->buffer;
    if (!buffer.writing) return true;
    const int64_t held = buffer.filled;
    if (held > 0 && lrx::os::writeBytes(file->descriptor, buffer.bytes, held) != held) {
        buffer.bytesLost = 1;
        return lost(buffer);
    }
    emptyAt(buffer, buffer.start + held);
    noteSize(buffer, buffer.start);
    return true;
}

// Forgets the bytes read ahead, moving the descriptor back to the logical offset.
bool dropReadAhead(LrxFile* file) {
    LrxBuffer& buffer = file->buffer;
    const int64_t offset = logical(buffer);
    if (buffer.cursor != buffer.filled && lrx::os::seek(file->descriptor, offset, 0) < 0) return lost(buffer);
    emptyAt(buffer, offset);
    return true;
}

bool enterWriting(LrxFile* file) {
    LrxBuffer& buffer = file->buffer;
    if (buffer.writing) return true;
    if (!dropReadAhead(file)) return false;
    buffer.writing = 1;
    return true;
}

// After a large transfer the next small one is usually the head of the next large record:
// reading far ahead then would copy most of that record twice.
constexpr int64_t kShortReadAhead = 512;

// Reads straight into the caller's memory at the descriptor, which stands at the logical offset.
int64_t readDirect(LrxFile* file, unsigned char* out, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    const int64_t got = lrx::os::readBytes(file->descriptor, out, bytes);
    if (got < 0) {
        lost(buffer);
        return -1;
    }
    emptyAt(buffer, buffer.start + got);
    buffer.afterDirect = 1;
    return got;
}

// Fills the emptied buffer from the descriptor and hands out up to `bytes` of it.
int64_t readAhead(LrxFile* file, unsigned char* out, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    const int64_t ahead = buffer.afterDirect ? kShortReadAhead : LRX_BUFFER_BYTES;
    buffer.afterDirect = 0;
    const int64_t got = lrx::os::readBytes(file->descriptor, buffer.bytes, ahead);
    if (got < 0) {
        lost(buffer);
        return -1;
    }
    buffer.filled = got;
    buffer.cursor = std::min(bytes, got);
    std::memcpy(out, buffer.bytes, static_cast<size_t>(buffer.cursor));
    // Bytes that arrived show how far the file reaches; a read at or past its end shows nothing,
    // and taking its offset for the size would let a record claim bytes the file does not hold.
    if (got > 0) noteSize(buffer, buffer.start + got);
    return buffer.cursor;
}

}  // namespace

int64_t lrxBufferRead(LrxFile* file, void* data, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    if (!place(file)) return -1;
    if (buffer.writing && !writeHeld(file)) {
        lrxSetError(file, LRX_RAISE(F_ERR_WRITE));
        return -1;
    }
    auto* out = static_cast<unsigned char*>(data);
    const int64_t ready = std::min(bytes, buffer.filled - buffer.cursor);
    if (ready > 0) std::memcpy(out, buffer.bytes + buffer.cursor, static_cast<size_t>(ready));
    buffer.cursor += ready;
    if (ready == bytes) return bytes;
    // The buffer is used up: the descriptor stands at the logical offset.
    emptyAt(buffer, logical(buffer));
    const int64_t left = bytes - ready;
    const int64_t more = left >= LRX_BUFFER_BYTES || !haveMemory(buffer) ? readDirect(file, out + ready, left)
                                                                          : readAhead(file, out + ready, left);
    if (more < 0) return ready > 0 ? ready : -1;
    return ready + more;
}

// Writes the held bytes and a large transfer behind them in one operation.
bool writeHeldAndDirect(LrxFile* file, const void* data, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    const int64_t held = buffer.filled;
    if (lrx::os::writeBytesPair(file->descriptor, buffer.bytes, held, data, bytes) != held + bytes) {
        buffer.bytesLost = 1;
        return lost(buffer);
    }
    emptyAt(buffer, buffer.start + held + bytes);
    noteSize(buffer, buffer.start);
    return true;
}

bool lrxBufferWrite(LrxFile* file, const void* data, int64_t bytes) {
    LrxBuffer& buffer = file->buffer;
    if (!place(file) || !enterWriting(file)) return false;
    if (bytes >= LRX_BUFFER_BYTES && buffer.bytes != nullptr) return writeHeldAndDirect(file, data, bytes);
    if (buffer.filled + bytes > LRX_BUFFER_BYTES || !haveMemory(buffer)) {
        if (!writeHeld(file)) return false;
        if (bytes >= LRX_BUFFER_BYTES || !haveMemory(buffer)) {
            if (lrx::os::writeBytes(file->descriptor, data, bytes) != bytes) {
                buffer.bytesLost = 1;
                return lost(buffer);
            }
            emptyAt(buffer, buffer.start + bytes);
            noteSize(buffer, buffer.start);
            return true;
        }
        buffer.writing = 1;
    }
    std::memcpy(buffer.bytes + buffer.filled, data, static_cast<size_t>(bytes));
    buffer.filled += bytes;
    buffer.cursor = buffer.filled;
    return true;
}

int lrxBufferSeek(LrxFile* file, int64_t offset, int origin) {
    LrxBuffer& buffer = file->buffer;
    if (!place(file)) return F_ERR_SEEK;
    if (buffer.writing && !writeHeld(file)) return F_ERR_WRITE;
    if (origin == 2) {
        const int64_t at = lrx::os::seek(file->descriptor, offset, 2);
        if (at < 0) {
            lost(buffer);
            return F_ERR_SEEK;
        }
        emptyAt(buffer, at);
        return 0;
    }
    int64_t target = offset;
    if (origin == 1 && __builtin_add_overflow(logical(buffer), offset, &target)) return F_ERR_SEEK;
    if (target < 0) return F_ERR_SEEK;
    if (target >= buffer.start && target <= buffer.start + buffer.filled) {
        buffer.cursor = target - buffer.start;
        return 0;
    }
    if (lrx::os::seek(file->descriptor, target, 0) < 0) {
        lost(buffer);
        return F_ERR_SEEK;
    }
    emptyAt(buffer, target);
    return 0;
}

int64_t lrxBufferTell(LrxFile* file) {
    return place(file) ? logical(file->buffer) : -1;
}

int64_t lrxBufferFileSize(LrxFile* file) {
    LrxBuffer& buffer = file->buffer;
    int64_t size = lrx::os::fileSize(file->descriptor);
    if (size < 0) return -1;
    if (buffer.writing) size = std::max(size, buffer.start + buffer.filled);
    noteSize(buffer, size);
    return size;
}

bool lrxBufferHolds(LrxFile* file, int64_t bytes) {
    const int64_t at = lrxBufferTell(file);
    if (at < 0) return false;
    if (file->buffer.knownSize - at >= bytes) return true;
    const int64_t size = lrxBufferFileSize(file);
    return size >= 0 && size - at >= bytes;
}

int lrxBufferWriteOut(LrxFile* file) {
    const bool written = !file->buffer.placed || writeHeld(file);
    return written && !file->buffer.bytesLost ? 0 : F_ERR_WRITE;
}

int lrxBufferFlush(LrxFile* file) {
    if (const int code = lrxBufferWriteOut(file)) return code;
    return !file->buffer.placed || dropReadAhead(file) ? 0 : F_ERR_SEEK;
}

void lrxBufferRelease(LrxFile* file) {
    std::free(file->buffer.bytes);
    file->buffer = LrxBuffer{};
}

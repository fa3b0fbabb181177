// The per-handle buffer between the record stream and the descriptor: reads ahead and writes
// behind in blocks of LRX_BUFFER_BYTES, so that the many small transfers of record heads and
// values cost few system calls. Above it everything sees the file as if unbuffered: the same
// bytes, offsets, end of file and errors. Calls only the os layer.
#pragma once

#include <cstdint>

struct LrxFile;

// Transfers of this size or more bypass the buffer and go straight to the descriptor.
constexpr int64_t LRX_BUFFER_BYTES = 64 * 1024;

// The buffer of one handle. In read mode bytes[0, filled) hold the file from `start` on and the
// descriptor stands at start + filled; in write mode bytes[0, filled) wait to be written at
// `start`, where the descriptor stands. The logical offset is start + cursor.
struct LrxBuffer {
    unsigned char* bytes;  // owned; null until the first transfer
    int64_t start;
    int64_t filled;
    int64_t cursor;
    int32_t writing;  // 1 in write mode
    int32_t placed;   // 1 once start holds the logical offset (0 at open: ask the descriptor)
    int64_t knownSize;  // the file's size when last asked, for the cheap size checks
    int32_t bytesLost;  // 1 once any write to the descriptor failed: the file misses bytes
    int32_t afterDirect;  // 1 after a transfer that bypassed the buffer: read ahead little
};

// Reads up to `bytes` bytes; returns the bytes moved (fewer only at the end of the file or on
// failure) or -1 when nothing could be read. A write that the buffer still held and that fails
// now leaves 2002 in the file's error state, and nothing is read.
int64_t lrxBufferRead(LrxFile* file, void* data, int64_t bytes);
// Takes `bytes` bytes to be written at the logical offset. False when bytes that reached the
// descriptor (these or earlier ones) could not all be written.
bool lrxBufferWrite(LrxFile* file, const void* data, int64_t bytes);
// Moves the logical offset (origins 0 start, 1 current, 2 end). A seek within the bytes read
// ahead moves no descriptor. Returns 0, 2002 when held writes could not be written first, or
// 2006 when the seek failed.
int lrxBufferSeek(LrxFile* file, int64_t offset, int origin);
// The logical offset; -1 when the descriptor cannot tell it.
int64_t lrxBufferTell(LrxFile* file);
// The file's size, counting bytes still held for writing; -1 when it cannot be told.
int64_t lrxBufferFileSize(LrxFile* file);
// True when at least `bytes` bytes lie between the logical offset and the end of the file; asks
// the descriptor only when the size last seen does not already show them.
bool lrxBufferHolds(LrxFile* file, int64_t bytes);
// Writes every held byte to the descriptor. Returns 0, or 2002 when these or any earlier bytes
// of the handle did not reach the file.
int lrxBufferWriteOut(LrxFile* file);
// Writes out as lrxBufferWriteOut does and forgets what was read ahead, so that the next read
// sees what others wrote meanwhile. Returns 0, 2002, or 2006 when the descriptor cannot be put
// back to the logical offset.
int lrxBufferFlush(LrxFile* file);
// Frees the buffer's memory (held writes are not written: flush first).
void lrxBufferRelease(LrxFile* file);

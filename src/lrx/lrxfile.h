// The record-file handle and the record stream's internal operations: create, open and
// close, raw transfers with byte swapping, seeking, the pending skip and error raising.
#pragma once

#include <cstdint>

#include "lrx/lrx.h"
#include "src/lrx/lrxbuffer.h"
#include "src/os/osclock.h"

using LrxDateTime = lrx::os::LocalDateTime;

// The first 32-bit field of every native handle. The legacy layer recognises its own handles
// by the value 7531 there, so a native handle keeps a fixed tag of its own in that place.
constexpr uint32_t LRX_HANDLE_TAG = 0x4C525846u;  // "FXRL"

// The record-stream version written into every header.
constexpr int32_t LRX_VERSION = 104;

// Open modes of lrxFileOpen.
constexpr int LRX_OPEN_READ = 0;
constexpr int LRX_OPEN_READWRITE = 1;

struct LrxFile {
    uint32_t handleTag;
    int descriptor;
    int64_t commitClock;  // clock reading (ms) at open or at the last commit to disk
    int32_t swapBytes;    // bit 0: the file's byte order is opposite to the host's
    char* fileName;       // full path, owned
    LrxDateTime created;
    char* createdDateText;  // made on first request, owned
    char* createdTimeText;
    LrxDateTime edited;
    char* editedDateText;
    char* editedTimeText;
    int32_t readOnly;
    int32_t errorCode;  // 0 none, 1 end of file, else an error code; sticky
    int64_t lrxBase;    // offset of the binary part of the file header
    int64_t appBase;    // offset of the application's data
    int32_t versionCreate;
    int32_t versionEdit;
    int32_t versionCreateApp;
    int32_t versionEditApp;
    int32_t inBlock;            // 1 while a logical block is being read
    int32_t lastDirection;      // -1 after a write, +1 after a read, 0 after a seek
    int64_t pendingSkip;        // bytes still to skip before the next transfer
    int32_t positionState;      // kept for the data-file layer
    int32_t createdNew;         // data-file layer: 1 when this handle created the file
    int32_t dynamicSectionDue;  // data-file layer: an appended file without time steps yet
    float deleteValueFloat;     // the data file's delete values, kept for the data-file layer
    double deleteValueDouble;
    LrxBuffer buffer;  // read-ahead and write-behind between transfers and the descriptor
};

// Creates or truncates `name` and writes the file header. appString may be null or empty.
// kind may be null: the file then gets the tag 0x03030303 and application version 0.
int lrxFileOpenCreate(const char* name, const char* appString, LrxFile** file, LrxKindCallback kind);
// Opens an existing file for reading and writing and stamps the edit fields of its header.
int lrxFileOpenEdit(const char* name, LrxFile** file, LrxKindCallback kind, int32_t* kindTag);
// The common open of an existing file; openFlags is LRX_OPEN_READ or LRX_OPEN_READWRITE.
int lrxFileOpen(const char* name, int openFlags, LrxFile** file, LrxKindCallback kind, int32_t* kindTag);

// Raw transfers of count elements of elemSize bytes, byte-swapped per element when the file
// has the opposite byte order. The caller's buffer is never changed by a write.
void lrxWrite(LrxFile* file, const void* data, int elemSize, int count);
// Returns 1 when every byte arrived, else 0 with the outcome in errorCode.
int lrxRead(LrxFile* file, void* data, int elemSize, int count);

// Seeks with the origins 0 (start), 1 (current), 2 (end); a seek ends the end-of-file state.
void lrxSeek(LrxFile* file, int32_t offset, int origin);
void lrxSeek64(LrxFile* file, int64_t offset, int origin);
// Adds to the pending skip, which the next transfer or lrxTell64 applies in one seek.
void lrxPseudoSkip(LrxFile* file, int32_t bytes);
void lrxPseudoSkip64(LrxFile* file, int64_t bytes);
void lrxSeekAppBase(LrxFile* file);

// Bytes between the current position (pending skip applied) and the end of the file;
// -1 when the file cannot tell.
int64_t lrxRemainingBytes(LrxFile* file);
// True when at least `bytes` bytes lie between the current position (pending skip applied)
// and the end of the file; cheaper than lrxRemainingBytes when the answer is already known.
bool lrxHoldsBytes(LrxFile* file, int64_t bytes);

// Direct access to the handle's buffer for callers that lay out small elements themselves.
// lrxReserve gives room for `bytes` bytes to be written at the current position (the caller
// fills it at once; they count as written), lrxPeek the next `bytes` bytes to be read (taken
// with lrxConsume). Both give null unless the handle is healthy, in the host's byte order,
// already transferring in that direction with nothing pending, and the buffer holds the room
// or the bytes: the caller then takes the ordinary transfers.
unsigned char* lrxReserve(LrxFile* file, int64_t bytes);
const unsigned char* lrxPeek(LrxFile* file, int64_t bytes);
void lrxConsume(LrxFile* file, int64_t bytes);

// Writes the bytes the handle still holds to the file and forgets what it read ahead, so that
// another handle on the same file sees every byte written so far. Returns 0 or the code of the
// write that failed (2002).
int lrxFlush(LrxFile* file);

// Flushes the handle, commits the file's written data to disk and renews commitClock. Returns
// 0, 2002 when the flush fails, or 2005.
int lrxCommit(LrxFile* file);

// Records code in the file's error state (the state stays sticky until taken).
void lrxSetError(LrxFile* file, int code);

// Error handlers of the record stream: one slot each for 1000 and 2000 to 2019.
typedef void(LRX_CALL* LrxErrorHandler)(int code, const char* module, int line);
void lrxSetErrorHandler(int code, LrxErrorHandler handler);
// Calls the handler of code (if any) and returns code.
int lrxRaiseError(int code, const char* module, int line);

// Raises code from the record stream's own module with the current source line.
#define LRX_RAISE(code) lrxRaiseError((code), "lrx", __LINE__)

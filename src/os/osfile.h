// The one place where the library touches operating-system file descriptors. Every open,
// transfer, seek, commit and close of a native file goes through here, so that a buffer or a
// test's fault hook can be put behind the record stream without touching the layers above.
#pragma once

#include <cstdint>
#include <string>

namespace lrx::os {

enum class OpenMode { Read, ReadWrite, CreateTruncate };

// Returns a descriptor, or -1 when the file cannot be opened.
int openFile(const char* path, OpenMode mode);
// Transfers up to `bytes` bytes, retrying short transfers; returns the bytes moved (fewer
// only at the end of the file or on failure) or -1 when nothing could be moved.
int64_t readBytes(int fd, void* buffer, int64_t bytes);
int64_t writeBytes(int fd, const void* buffer, int64_t bytes);
// Writes two pieces one after the other in one operation; as writeBytes for their total.
int64_t writeBytesPair(int fd, const void* first, int64_t firstBytes, const void* second, int64_t secondBytes);
// Origins 0 (start), 1 (current), 2 (end). Returns the new offset, or -1 on failure.
int64_t seek(int fd, int64_t offset, int origin);
int64_t tell(int fd);
// Size of the file in bytes, or -1.
int64_t fileSize(int fd);
// 1 when the offset is at or past the end of the file, 0 when not, -1 on failure.
int atEnd(int fd);
// Flushes the file's data to disk. 0 on success, -1 on failure.
int commit(int fd);
int closeFile(int fd);
// True when something (a file or a folder) exists at path; false for a null or empty path.
bool pathExists(const char* path);
// True when path names a folder.
bool isDirectory(const char* path);
// The absolute path of `name` formed without touching the file; empty when it cannot be
// formed or is longer than `limit` characters.
std::string fullPath(const char* name, std::size_t limit);

// The descriptor operations, as a fault hook sees them (bit values, so that a set is a mask).
enum class Operation : unsigned { Open = 1, Read = 2, Write = 4, Seek = 8, Commit = 16, Close = 32 };

// What a fault hook decides for one operation. A failing operation sets errno to `error` and
// moves nothing, except a short write, which moves the first half of its bytes (a disk that
// fills up part way) before it fails.
struct FaultDecision {
    bool fail = false;
    int error = 0;
    bool shortWrite = false;
};

// Called before every descriptor operation (seekOrigin is the origin of a seek, -1 for any other
// operation). The shipped library installs none and every operation proceeds; the test build
// installs one to count operations and to reach the failure paths that a healthy disk never takes.
using FaultHook = FaultDecision (*)(Operation operation, int seekOrigin);
// Installs hook (null: none) and returns the one it replaces.
FaultHook setFaultHook(FaultHook hook);
// Asks the installed hook (if any) about one operation and sets errno when it fails: for this
// module and for the other one that reaches files, the legacy family's buffered streams.
FaultDecision injectedFault(Operation operation, int seekOrigin = -1);

}  // namespace lrx::os

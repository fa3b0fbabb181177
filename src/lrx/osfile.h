// The one place where the library touches operating-system file descriptors. Every open,
// transfer, seek, commit and close of a native file goes through here, so that a buffer or
// fault injection can be put behind the record stream without touching the layers above.
#pragma once

#include <atomic>
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

// The descriptor operations that tests can count and make fail.
enum class Operation : unsigned { Open = 1, Read = 2, Write = 4, Seek = 8, Commit = 16, Close = 32 };
constexpr unsigned kAllOperations = 63;

// Counts of descriptor operations, for tests that need to observe what reached the disk.
// Atomic, as files on different threads count into them.
struct Counters {
    std::atomic<uint64_t> commits{0};
    std::atomic<uint64_t> operations{0};  // every open, read, write, seek, commit and close
};
Counters& counters();

// Faults that tests switch on to reach failure paths that a healthy disk never takes.
struct Faults {
    std::atomic<int> failingSeeksToEnd{0};  // the next n seeks relative to the end of a file fail
    // The failOperation-th operation from now among those in failKinds fails (1: the next
    // one); 0 switches this off. A failing write writes half of its bytes and then reports
    // that the disk is full; a failing read, seek, commit or close moves nothing.
    std::atomic<int64_t> failOperation{0};
    std::atomic<unsigned> failKinds{kAllOperations};
};
Faults& faults();

}  // namespace lrx::os

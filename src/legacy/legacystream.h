// The one place where the legacy family touches files: every open, read, write, seek, flush
// and close of a header file or data file goes through these buffered-stream calls, so that a
// port or a fault injection touches this module only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace lrx::legacy {

// Opens a file in binary mode for reading, or creates (truncates) it for writing. Null on
// failure.
std::FILE* streamOpenRead(const char* path);
std::FILE* streamOpenWrite(const char* path);
// True when the file can be opened for reading.
bool streamExists(const char* path);
// True when all bytes were moved.
bool streamRead(std::FILE* stream, void* buffer, std::size_t bytes);
bool streamWrite(std::FILE* stream, const void* buffer, std::size_t bytes);
// To an absolute offset; false on failure.
bool streamSeek(std::FILE* stream, int64_t offset);
bool streamFlush(std::FILE* stream);
// Closes the stream; false when data it buffered could not be written.
bool streamClose(std::FILE* stream);
// The file's size in bytes (what reached it), or -1.
int64_t streamSize(std::FILE* stream);

// Every call above asks the os layer's fault hook first, as the descriptor calls do (a flush as
// a commit, a size query as a read), so that the test build can make any of them fail.

}  // namespace lrx::legacy

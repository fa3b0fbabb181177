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

// Faults that tests switch on: the failOperation-th stream operation from now fails (1: the
// next one); 0 switches this off. A failing write moves half of its bytes first.
struct StreamFaults {
    int64_t failOperation = 0;
};
StreamFaults& streamFaults();

}  // namespace lrx::legacy

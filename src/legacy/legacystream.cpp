// Buffered file streams of the legacy family: the only file that calls fopen, fread, fwrite,
// fseeko, fflush, fclose and fstat for header files and data files. Binary mode is the only
// mode on this platform.
#include "src/legacy/legacystream.h"

#include <sys/stat.h>

#include "src/os/osfile.h"

namespace lrx::legacy {

namespace {

using lrx::os::Operation;

bool failsNow(Operation operation) {
    return lrx::os::injectedFault(operation).fail;
}

}  // namespace

std::FILE* streamOpenRead(const char* path) {
    return failsNow(Operation::Open) ? nullptr : std::fopen(path, "rb");
}

std::FILE* streamOpenWrite(const char* path) {
    return failsNow(Operation::Open) ? nullptr : std::fopen(path, "wb");
}

bool streamExists(const char* path) {
    std::FILE* stream = streamOpenRead(path);
    if (stream == nullptr) return false;
    std::fclose(stream);
    return true;
}

bool streamRead(std::FILE* stream, void* buffer, std::size_t bytes) {
    if (failsNow(Operation::Read)) return false;
    return std::fread(buffer, 1, bytes, stream) == bytes;
}

bool streamWrite(std::FILE* stream, const void* buffer, std::size_t bytes) {
    const lrx::os::FaultDecision fault = lrx::os::injectedFault(Operation::Write);
    if (fault.fail) {
        if (fault.shortWrite) std::fwrite(buffer, 1, bytes / 2, stream);
        return false;
    }
    return std::fwrite(buffer, 1, bytes, stream) == bytes;
}

bool streamSeek(std::FILE* stream, int64_t offset) {
    if (lrx::os::injectedFault(Operation::Seek, 0).fail) return false;
    return fseeko(stream, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool streamFlush(std::FILE* stream) {
    if (failsNow(Operation::Commit)) return false;
    return std::fflush(stream) == 0;
}

bool streamClose(std::FILE* stream) {
    // The stream is released whatever happens; a fault only changes what is reported.
    const bool failed = failsNow(Operation::Close);
    return std::fclose(stream) == 0 && !failed;
}

int64_t streamSize(std::FILE* stream) {
    struct stat status {};
    if (failsNow(Operation::Read) || fstat(fileno(stream), &status) != 0) return -1;
    return static_cast<int64_t>(status.st_size);
}

}  // namespace lrx::legacy

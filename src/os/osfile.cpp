// POSIX descriptors behind the record stream: the only file that calls open, read, write,
// lseek, fsync and close for native files, and access and stat for the path tests. Binary
// mode is the only mode on this platform.
#include "src/os/osfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace lrx::os {

namespace {

int openFlags(OpenMode mode) {
    switch (mode) {
        case OpenMode::Read:
            return O_RDONLY;
        case OpenMode::ReadWrite:
            return O_RDWR;
        case OpenMode::CreateTruncate:
            return O_WRONLY | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

// Moves bytes with `transfer`, retrying interrupted and partial transfers; returns the bytes
// moved, or -1 when the first attempt failed.
template <typename Transfer>
int64_t transferAll(int64_t bytes, Transfer transfer) {
    int64_t done = 0;
    while (done < bytes) {
        const ssize_t n = transfer(done, static_cast<size_t>(bytes - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return done > 0 ? done : -1;
        if (n == 0) break;
        done += n;
    }
    return done;
}

FaultHook faultHook = nullptr;

bool failsNow(Operation operation, int seekOrigin = -1) {
    return injectedFault(operation, seekOrigin).fail;
}

}  // namespace

FaultDecision injectedFault(Operation operation, int seekOrigin) {
    if (faultHook == nullptr) return {};
    const FaultDecision decision = faultHook(operation, seekOrigin);
    if (decision.fail) errno = decision.error;
    return decision;
}

int openFile(const char* path, OpenMode mode) {
    if (path == nullptr || failsNow(Operation::Open)) return -1;
    int fd;
    do {
        fd = ::open(path, openFlags(mode) | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int64_t readBytes(int fd, void* buffer, int64_t bytes) {
    if (failsNow(Operation::Read)) return -1;
    auto* out = static_cast<char*>(buffer);
    return transferAll(bytes, [&](int64_t done, size_t left) { return ::read(fd, out + done, left); });
}

int64_t writeBytes(int fd, const void* buffer, int64_t bytes) {
    const auto* in = static_cast<const char*>(buffer);
    const FaultDecision fault = injectedFault(Operation::Write);
    if (fault.fail) {
        if (!fault.shortWrite) return -1;
        // A disk that fills up part way: the first half arrives, the rest does not.
        const int64_t half = bytes / 2;
        const int64_t written =
            transferAll(half, [&](int64_t done, size_t left) { return ::write(fd, in + done, left); });
        return written > 0 ? written : -1;
    }
    return transferAll(bytes, [&](int64_t done, size_t left) { return ::write(fd, in + done, left); });
}

int64_t writeBytesPair(int fd, const void* first, int64_t firstBytes, const void* second, int64_t secondBytes) {
    const int64_t total = firstBytes + secondBytes;
    // A failing write moves the first half of all its bytes (a short write) or none, as
    // writeBytes does.
    const FaultDecision fault = injectedFault(Operation::Write);
    const bool failing = fault.fail;
    const int64_t wanted = !failing ? total : fault.shortWrite ? total / 2 : 0;
    const auto* a = static_cast<const char*>(first);
    const auto* b = static_cast<const char*>(second);
    int64_t done = 0;
    while (done < wanted) {
        iovec parts[2];
        int count = 0;
        if (done < firstBytes) {
            parts[count++] = {const_cast<char*>(a + done), static_cast<size_t>(std::min(firstBytes, wanted) - done)};
        }
        const int64_t from = std::max<int64_t>(done - firstBytes, 0);
        const int64_t upTo = wanted - firstBytes;
        if (upTo > from) parts[count++] = {const_cast<char*>(b + from), static_cast<size_t>(upTo - from)};
        const ssize_t n = ::writev(fd, parts, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    if (failing) return done > 0 ? done : -1;
    return done > 0 || total == 0 ? done : -1;
}

int64_t seek(int fd, int64_t offset, int origin) {
    if (failsNow(Operation::Seek, origin)) return -1;
    const int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    const off_t at = ::lseek(fd, static_cast<off_t>(offset), whence);
    return at < 0 ? -1 : static_cast<int64_t>(at);
}

int64_t tell(int fd) {
    return seek(fd, 0, 1);
}

int64_t fileSize(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

int atEnd(int fd) {
    const int64_t at = tell(fd);
    const int64_t size = fileSize(fd);
    if (at < 0 || size < 0) return -1;
    return at >= size ? 1 : 0;
}

int commit(int fd) {
    if (failsNow(Operation::Commit)) return -1;
    return ::fsync(fd) == 0 ? 0 : -1;
}

int closeFile(int fd) {
    // A failing close still releases the descriptor, as close(2) does on every error but EINTR.
    const bool failed = failsNow(Operation::Close);
    return ::close(fd) == 0 && !failed ? 0 : -1;
}

bool pathExists(const char* path) {
    return path != nullptr && *path != '\0' && ::access(path, F_OK) == 0;
}

bool isDirectory(const char* path) {
    struct stat info {};
    return path != nullptr && *path != '\0' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

// Joins `path` onto `out` segment by segment, resolving "." and ".." by their text alone (the
// file need not exist, as with a path that is about to be created).
void appendSegments(std::string& out, const std::string& path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            const std::size_t slash = out.rfind('/');
            out.erase(slash == 0 ? 1 : slash);
        } else if (!segment.empty() && segment != ".") {
            if (out.back() != '/') out += '/';
            out += segment;
        }
        start = end + 1;
    }
}

}  // namespace

std::string fullPath(const char* name, std::size_t limit) {
    if (name == nullptr || *name == '\0') return {};
    try {
        std::string out = "/";
        if (name[0] != '/') {
            char cwd[PATH_MAX];
            if (::getcwd(cwd, sizeof cwd) == nullptr) return {};
            appendSegments(out, cwd);
        }
        appendSegments(out, name);
        if (out.size() > limit) return {};
        return out;
    } catch (...) {
        return {};
    }
}

FaultHook setFaultHook(FaultHook hook) {
    const FaultHook previous = faultHook;
    faultHook = hook;
    return previous;
}

}  // namespace lrx::os

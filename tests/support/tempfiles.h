// Scratch files for tests: a private folder per test, whole-file byte access, and the count
// of open descriptors.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lrxtest {

using Bytes = std::vector<unsigned char>;

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const;

private:
    std::filesystem::path root_;
};

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);

// Appends a value's bytes in little- or big-endian order.
void putLittle(Bytes& out, uint64_t value, int size);
void putBig(Bytes& out, uint64_t value, int size);
void putText(Bytes& out, const std::string& text);

// The number of file descriptors the process holds open, to check that a call leaks none.
int openDescriptors();

}  // namespace lrxtest

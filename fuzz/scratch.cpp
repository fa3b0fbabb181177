// The scratch folder of a fuzz target: made once per process, removed at exit.
#include "fuzz/scratch.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace lrxfuzz {

namespace {

class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        const std::filesystem::path base =
            std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path(error);
        folder_ = base / ("lrx-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_, error);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

}  // namespace

std::string scratchPath(const std::string& name) {
    static const ScratchFolder scratch;
    return (scratch.folder() / name).string();
}

bool writeScratch(const std::string& path, const uint8_t* data, std::size_t size) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
    return std::fclose(out) == 0 && written;
}

}  // namespace lrxfuzz

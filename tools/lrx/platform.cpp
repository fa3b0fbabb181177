// The tool's calls into the operating system (POSIX): the terminal test and unique temporary
// files.
#include "platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace lrxtool {

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

std::string createTemporaryBeside(const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::string stem = (folder / ("." + target.filename().string() + ".")).string() + std::to_string(::getpid());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string name = stem + "-" + std::to_string(attempt);
        // Made exclusively, with the permissions that the output would get from the umask.
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            return name;
        }
        if (errno != EEXIST) return "";
    }
    return "";
}

}  // namespace lrxtool

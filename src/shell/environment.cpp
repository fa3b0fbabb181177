// Reads environment variables for the shell services: the only caller of getenv. Calls the
// C library only.
#include "src/shell/environment.h"

#include <cstdlib>

namespace lrx::shell {

std::optional<std::string> environmentValue(const char* name) {
    if (name == nullptr) return std::nullopt;
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

}  // namespace lrx::shell

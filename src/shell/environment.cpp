// Reads environment variables for the shell services: the only caller of getenv. Calls the
// C library only.
#include "src/shell/environment.h"

#include <cstdlib>
#include <new>

namespace lrx::shell {

std::optional<std::string> environmentValue(const char* name) noexcept {
    if (name == nullptr) return std::nullopt;
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    try {
        return std::string(value);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace lrx::shell

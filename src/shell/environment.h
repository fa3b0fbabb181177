// The process environment as the shell services see it. environment.cpp is the only place
// in the library that reads environment variables.
#pragma once

#include <optional>
#include <string>

namespace lrx::shell {

// A copy of the value of the environment variable `name`, or nothing when it is not set (or
// the copy cannot be made). Never throws.
std::optional<std::string> environmentValue(const char* name) noexcept;

}  // namespace lrx::shell

// The process environment as the shell services see it. environment.cpp is the only place
// in the library that reads environment variables.
#pragma once

#include <optional>
#include <string>

namespace lrx::shell {

// A copy of the value of the environment variable `name`, or nothing when it is not set.
// Throws std::bad_alloc when the copy cannot be made, so that a caller never takes a lack of
// memory for a variable that is not set.
std::optional<std::string> environmentValue(const char* name);

}  // namespace lrx::shell

// The words the tool prints for the library's error codes, and the one shape of its error and
// warning lines on standard error: "lrx: PATH: WHAT (error CODE: MEANING)".
#pragma once

#include <string>

namespace lrxtool {

// What a code means, in words: "not a record file (no magic at its start)"; "" for 0.
const char* errorMeaning(int code);

// "error 2014: not a record file (no magic at its start)", or "end of file" for the record
// stream's end-of-file state.
std::string errorText(int code);

// Prints "lrx: PATH: WHAT (error CODE: MEANING)" on standard error; without the parenthesis
// when code is 0.
void reportError(const std::string& path, const std::string& what, int code = 0);

// Prints "lrx: warning: PATH: WHAT" on standard error.
void reportWarning(const std::string& path, const std::string& what);

}  // namespace lrxtool

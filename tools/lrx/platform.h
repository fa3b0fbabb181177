// The tool's calls into the operating system: whether standard error is a terminal, and a
// fresh file name beside an output file to write to before it takes the output's name.
#pragma once

#include <string>

namespace lrxtool {

bool stderrIsTerminal();

// Creates an empty file with a unique name in the folder of path (".NAME.XXXXXX") and returns
// its path; "" when none can be made.
std::string createTemporaryBeside(const std::string& path);

}  // namespace lrxtool

// The commands of the `lrx` tool and its exit codes. main.cpp dispatches to them; each command
// lives in a file of its own and takes the arguments that follow its name.
#pragma once

#include <string>
#include <vector>

namespace lrxtool {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the file could not be opened or is damaged
constexpr int kExitUsage = 2;    // the command line was wrong; main prints the usage

// `lrx blocks FILE`: the file header and every element of the record file with its offset.
int runBlocks(const std::vector<std::string>& args);

// `lrx info FILE`: a description of a data file through the data-file API.
int runInfo(const std::vector<std::string>& args);

}  // namespace lrxtool

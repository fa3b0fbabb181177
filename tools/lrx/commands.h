// The commands of the `lrx` tool, their options and exit codes. main.cpp reads the command
// line into these options; each command lives in a file of its own.
#pragma once

#include <string>
#include <vector>

namespace lrxtool {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the file cannot be read, is damaged, or a check failed
constexpr int kExitUsage = 2;    // the command line was wrong

// `lrx blocks FILE`: the file header and every element of the record file with its offset.
int runBlocks(const std::string& path);

// `lrx info FILE [--json]`: a description of a data file through the data-file API.
struct InfoOptions {
    std::string path;
    bool json = false;
    bool noPlugin = false;  // the file's own items even when a plug-in for its data type is found
};
int runInfo(const InfoOptions& options);

// `lrx dump FILE ...`: values as CSV on standard output.
struct DumpOptions {
    std::string path;
    std::vector<std::string> items;  // names or numbers; empty: every item
    std::string steps;               // "FIRST:LAST[:STRIDE]"; empty: every time step
    bool statics = false;            // the static items instead of the time steps
    std::string delimiter = ",";
    int precision = 0;     // significant digits; 0: the shortest exact text
    std::string deleteAs;  // the text written for delete values
    bool quiet = false;
};
int runDump(const DumpOptions& options);

// `lrx check FILE`: reads everything, recomputes the statistics, reports the first damage.
struct CheckOptions {
    std::string path;
    bool quiet = false;
};
int runCheck(const CheckOptions& options);

// `lrx convert IN OUT`: a data file to netCDF-CF or a netCDF-CF file to a data file.
struct ConvertOptions {
    std::string input;
    std::string output;
    bool classic = false;  // netCDF output in the 64-bit-offset classic format
    int deflate = 0;       // netCDF-4 compression level 0 to 9
    bool quiet = false;
    std::string commandLine;  // for the history attribute of an exported file
};
int runConvert(const ConvertOptions& options);

}  // namespace lrxtool

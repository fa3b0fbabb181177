// Entry of the `lrx` tool: finds the command named by the first argument, runs it with the
// remaining arguments, and prints the usage when the command line is wrong.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "commands.h"
#include "xsec.h"

namespace {

struct Command {
    const char* name;
    const char* arguments;
    const char* summary;
    int (*run)(const std::vector<std::string>& args);
};

constexpr Command kCommands[] = {
    {"blocks", "FILE", "list the file header and every block, record and terminator with its offset",
     lrxtool::runBlocks},
    {"info", "FILE", "describe a data file: titles, time axis, items with their axes and statistics, static items",
     lrxtool::runInfo},
    {"xsec", "FILE", "list the sections of a cross-section file in table order", lrxtool::runXsec},
};

void printUsage(std::FILE* out) {
    std::fputs("usage: lrx COMMAND ARGUMENTS\n\ncommands:\n", out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %s %s\n      %s\n", command.name, command.arguments, command.summary);
    }
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

int run(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "-h")) {
        printUsage(stdout);
        return lrxtool::kExitOk;
    }
    const Command* command = args.empty() ? nullptr : findCommand(args[0]);
    if (command == nullptr) {
        if (!args.empty()) std::fprintf(stderr, "lrx: unknown command '%s'\n", args[0].c_str());
        printUsage(stderr);
        return lrxtool::kExitUsage;
    }
    const int status = command->run(std::vector<std::string>(args.begin() + 1, args.end()));
    if (status == lrxtool::kExitUsage) printUsage(stderr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "lrx: %s\n", failure.what());
        return lrxtool::kExitFailure;
    }
}

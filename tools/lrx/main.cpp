// Entry of the `lrx` tool: reads the command line with CLI11, one subcommand per verb, and
// runs the chosen command. Exit codes: 0 done, 1 the file cannot be read, is damaged or a
// check failed, 2 a wrong command line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "commands.h"
#include "xsec.h"
#include "lrx/gbx.h"

#ifndef LRX_TOOL_VERSION
#define LRX_TOOL_VERSION "0"
#endif

namespace {

using lrxtool::kExitFailure;
using lrxtool::kExitOk;
using lrxtool::kExitUsage;

// A subcommand and what running it does once the command line has been read.
struct Verb {
    CLI::App* command;
    std::function<int()> run;
};

struct Options {
    std::string blocksPath;
    std::string xsecPath;
    lrxtool::InfoOptions info;
    lrxtool::DumpOptions dump;
    lrxtool::CheckOptions check;
    lrxtool::ConvertOptions convert;
};

std::string versionText() {
    return std::string("lrx ") + LRX_TOOL_VERSION + " (record files version " + std::to_string(lrxGetVersionCurrent()) +
           ", data files version " + std::to_string(gbxGetVersionCurrent()) + ")";
}

Verb addInfo(CLI::App& app, Options& options) {
    CLI::App* info = app.add_subcommand(
        "info", "describe a data file: titles, time axis, items with axes and statistics, static items");
    info->add_option("FILE", options.info.path, "data file")->required();
    info->add_flag("--json", options.info.json, "one JSON object for scripts");
    info->add_flag("--no-plugin", options.info.noPlugin,
                   "the file's own items, even when a plug-in for its data type adds derived ones");
    return {info, [&options] { return lrxtool::runInfo(options.info); }};
}

Verb addBlocks(CLI::App& app, Options& options) {
    CLI::App* blocks = app.add_subcommand(
        "blocks", "list the file header and every block, record and terminator of a record file with its offset");
    blocks->add_option("FILE", options.blocksPath, "record file of any kind")->required();
    return {blocks, [&options] { return lrxtool::runBlocks(options.blocksPath); }};
}

Verb addDump(CLI::App& app, Options& options) {
    lrxtool::DumpOptions& dump = options.dump;
    CLI::App* command = app.add_subcommand("dump", "write the values of a data file as CSV on standard output");
    command->add_option("FILE", dump.path, "data file")->required();
    command->add_option("--item", dump.items, "an item by name or number (from 1); may be repeated; default: all")
        ->allow_extra_args(false);
    command->add_option("--steps", dump.steps, "time steps FIRST:LAST[:STRIDE], counted from 0, LAST included");
    command->add_flag("--statics", dump.statics, "the static items instead of the time steps");
    command->add_option("--delimiter", dump.delimiter, "field delimiter (default ,)");
    command->add_option("--precision", dump.precision, "significant digits (default: shortest exact)")
        ->check(CLI::Range(1, 17));
    command->add_option("--delete-as", dump.deleteAs, "text written for delete values (default: empty field)");
    command->add_flag("--quiet", dump.quiet, "no progress bar");
    return {command, [&dump] { return lrxtool::runDump(dump); }};
}

Verb addCheck(CLI::App& app, Options& options) {
    CLI::App* check = app.add_subcommand(
        "check", "read every block, static item and time step, recompute the statistics, report the first damage");
    check->add_option("FILE", options.check.path, "data file")->required();
    check->add_flag("--quiet", options.check.quiet, "no progress bar");
    return {check, [&options] { return lrxtool::runCheck(options.check); }};
}

Verb addConvert(CLI::App& app, Options& options, const std::string& commandLine) {
    lrxtool::ConvertOptions& convert = options.convert;
    convert.commandLine = commandLine;
    CLI::App* command = app.add_subcommand(
        "convert", "convert a data file (.gbx) to netCDF-CF (.nc), or a netCDF-CF file to a data file");
    command->add_option("IN", convert.input, "file to convert")->required();
    command->add_option("OUT", convert.output, "file to write; its extension (.nc or .gbx) chooses the direction")
        ->required();
    CLI::Option* classic =
        command->add_flag("--classic", convert.classic, "netCDF output in the 64-bit-offset classic format");
    command->add_option("--deflate", convert.deflate, "netCDF-4 compression level 0 to 9")
        ->check(CLI::Range(0, 9))
        ->excludes(classic);
    command->add_flag("--quiet", convert.quiet, "no progress bar");
    return {command, [&convert] { return lrxtool::runConvert(convert); }};
}

Verb addXsec(CLI::App& app, Options& options) {
    CLI::App* xsec = app.add_subcommand("xsec", "list the sections of a cross-section file in table order");
    xsec->add_option("FILE", options.xsecPath, "cross-section file")->required();
    return {xsec, [&options] { return lrxtool::listCrossSections(options.xsecPath, std::cout); }};
}

// The command line as typed, the program named without its folder.
std::string joined(int argc, char** argv) {
    std::string line = "lrx";
    for (int i = 1; i < argc; ++i)
        line += " " + std::string(argv[i]);
    return line;
}

int run(int argc, char** argv) {
    CLI::App app{"lrx: inspect, dump, check and convert data files and record files", "lrx"};
    app.set_version_flag("--version", versionText(), "print the version and exit");
    app.require_subcommand(1);
    Options options;
    const std::vector<Verb> verbs = {addInfo(app, options), addBlocks(app, options), addDump(app, options),
                                     addCheck(app, options), addConvert(app, options, joined(argc, argv)),
                                     addXsec(app, options)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? kExitOk : kExitUsage;
    }
    for (const Verb& verb : verbs) {
        if (verb.command->parsed()) return verb.run();
    }
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "lrx: %s\n", failure.what());
        return kExitFailure;
    }
}

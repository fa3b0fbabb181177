// `lrx check FILE`: reads the whole file and tells whether it is sound. First walks every
// element against the layout the header promises (blocks, static items, the head and item
// records of every time step), then reads every static item and time step through the
// data-file API and recomputes each item's statistics. Prints the first damage with its
// offset and what was expected there; a truncated file says how many whole time steps it
// still holds. Exit 0 only for a sound, consistent file.
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "checklayout.h"
#include "checkstats.h"
#include "commands.h"
#include "datafile.h"
#include "elementwalk.h"
#include "errortext.h"
#include "progress.h"
#include "recordfile.h"
#include "timeaxis.h"

namespace lrxtool {

namespace {

void printDamage(int64_t offset, const std::string& problem) {
    std::printf("damage          at offset %" PRId64 ": %s\n", offset, problem.c_str());
}

int reportDamage(const std::string& path, int64_t offset, const std::string& problem, int code) {
    printDamage(offset, problem);
    std::fflush(stdout);
    reportError(path, "damaged at offset " + std::to_string(offset), code);
    return kExitFailure;
}

LayoutExpectation expectationOf(GbxHeader* header) {
    LayoutExpectation expected;
    for (int n = 1; n <= gbxGetNoOfItems(header); ++n) {
        GbxItem* item = gbxItemD(header, n);
        const ItemInfo info = itemInfo(item);
        expected.names.push_back(info.name);
        expected.dataTypes.push_back(info.dataType);
        expected.counts.push_back(gbxGetUsedItemElements(item));
    }
    const int fileType = gbxGetFileType(header);
    expected.timedHeads = fileType != F_EQTIME_FIXEDSPACE_ALLITEMS && fileType != F_EQTIME_TVARSPACE_ALLITEMS;
    expected.headerSteps = readTimeAxis(header).count;
    return expected;
}

// A file whose header cannot be read: the first damaged element, when the walk finds one.
int headerUnreadable(const std::string& path) {
    OpenedRecordFile opened = openAnyRecordFile(path);
    if (!opened.handle) return kExitFailure;
    const LayoutFinding finding = walkElements(opened.handle.get());
    if (finding.damaged) {
        printDamage(finding.offset, finding.problem + "; the header cannot be read");
        std::fflush(stdout);
    }
    return kExitFailure;
}

int layoutDamage(const std::string& path, const LayoutFinding& finding, int headerSteps) {
    std::string problem = finding.problem;
    if (finding.truncated) {
        problem += "; the file holds " + plural(finding.wholeSteps, "whole time step") + " of the " +
                   std::to_string(headerSteps) + " its header counts";
        printDamage(finding.offset, problem);
        std::fflush(stdout);
        reportError(
            path, "truncated: " + plural(finding.wholeSteps, "whole time step") + " of " + std::to_string(headerSteps),
            finding.code);
        return kExitFailure;
    }
    return reportDamage(path, finding.offset, problem, finding.code);
}

// Reads every static item through the data-file API; returns 0 or the code that stopped it.
int readStatics(const DataFile& data, int* count) {
    *count = 0;
    return forEachStatic(data.header(), data.file(), [count](GbxVector*, int) {
        ++*count;
        return true;
    });
}

// Reads every time step with the stored (compressed) arrays and adds them to the sums.
int readSteps(const DataFile& data, int steps, StatsRecomputer* sums, bool showProgress, int* failedStep) {
    GbxHeader* header = data.header();
    // From here on the reads hand over the values as stored, compressed grids unexpanded, which
    // is what the statistics were computed from.
    gbxItemEnableCompression(header);
    const int items = gbxGetNoOfItems(header);
    std::vector<std::vector<unsigned char>> buffers(static_cast<std::size_t>(items));
    std::vector<int> dataTypes(static_cast<std::size_t>(items));
    for (int n = 1; n <= items; ++n) {
        GbxItem* item = gbxItemD(header, n);
        dataTypes[n - 1] = itemInfo(item).dataType;
        buffers[n - 1].resize(static_cast<std::size_t>(gbxGetItemElements(item)) * valueSize(dataTypes[n - 1]));
    }
    Progress progress("check", steps, showProgress);
    int code = steps > 0 ? gbxFindBlockDynamic(header, data.file()) : 0;
    for (int step = 0; step < steps && code == 0; ++step) {
        *failedStep = step;
        for (int n = 1; n <= items && code == 0; ++n) {
            code = gbxReadItemTimeStep(header, data.file(), nullptr, buffers[n - 1].data());
            if (code == 0) sums->add(n, buffers[n - 1].data(), gbxGetItemElements(gbxItemD(header, n)));
        }
        progress.update(step + 1);
    }
    return code;
}

std::string itemLabel(const LayoutExpectation& expected, int itemNo) {
    return "item " + std::to_string(itemNo) + " \"" + expected.names[static_cast<std::size_t>(itemNo - 1)] + "\"";
}

int statisticsDamage(const std::string& path, const LayoutExpectation& expected, const LayoutFinding& layout,
                     const StatsMismatch& mismatch) {
    const auto index = static_cast<std::size_t>(mismatch.itemNo - 1);
    if (mismatch.element < 0) {
        const int64_t offset = index < layout.itemBlocks.size() ? layout.itemBlocks[index] : 0;
        return reportDamage(path, offset,
                            "the statistics in the definition of " + itemLabel(expected, mismatch.itemNo) +
                                " disagree with its values: " + mismatch.what,
                            F_ERR_DATA);
    }
    const int64_t offset = index < layout.statsBlocks.size() ? layout.statsBlocks[index] : 0;
    return reportDamage(path, offset,
                        "the statistics of element " + std::to_string(mismatch.element) + " of " +
                            itemLabel(expected, mismatch.itemNo) + " disagree with its values: " + mismatch.what,
                        F_ERR_DATA);
}

}  // namespace

int runCheck(const CheckOptions& options) {
    const std::string& path = options.path;
    DataFile data;
    if (!data.open(path)) return headerUnreadable(path);
    const LayoutExpectation expected = expectationOf(data.header());
    std::printf("file            %s\n", path.c_str());
    std::printf("header          %s, %s\n", plural(static_cast<int64_t>(expected.names.size()), "item").c_str(),
                plural(expected.headerSteps, "time step").c_str());

    // A data file that the data-file API reads but that is no record file (an older file
    // family) has no elements to walk; its time steps are those its header counts.
    LayoutFinding layout;
    layout.wholeSteps = expected.headerSteps;
    if (OpenedRecordFile opened = openAnyRecordFile(path, false); opened.handle)
        layout = walkLayout(opened.handle.get(), expected);
    if (layout.damaged) return layoutDamage(path, layout, expected.headerSteps);

    int statics = 0;
    if (const int code = readStatics(data, &statics); code != 0) {
        reportError(path, "cannot read static item " + std::to_string(statics + 1), code);
        return kExitFailure;
    }
    StatsRecomputer sums(data.header());
    int failedStep = 0;
    if (const int code = readSteps(data, layout.wholeSteps, &sums, progressWanted(options.quiet, path), &failedStep);
        code != 0) {
        reportError(path, "cannot read time step " + std::to_string(failedStep), code);
        return kExitFailure;
    }
    StatsMismatch mismatch;
    if (!sums.agree(&mismatch)) return statisticsDamage(path, expected, layout, mismatch);
    std::printf("sound           %s, %s; the statistics agree with the values\n",
                plural(statics, "static item").c_str(), plural(layout.wholeSteps, "time step").c_str());
    return kExitOk;
}

}  // namespace lrxtool

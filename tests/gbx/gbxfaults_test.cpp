// Failing system calls under a whole create-write-flush-close run: every operation of the
// descriptor layer is made to fail in turn (a write that fills the disk half way, an I/O error
// on read, a failing seek, commit, open or close). A run whose calls all report success must
// leave a file that reads back exactly; a run that fails must leave handles that can still be
// released, with no descriptor or memory lost.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "src/lrx/lrxfile.h"
#include "support/osfaults.h"
#include "support/tempfiles.h"

namespace {

constexpr int kSteps = 4;
constexpr int kCells = 3;
constexpr int kMetre = 1000;

float cell(int step, int index) {
    return 10.0f * static_cast<float>(step) + static_cast<float>(index);
}

GbxHeader* scenarioHeader() {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "faults", "tests", 1, 2, 1, &header);
    gbxSetNeqTimeAxis(header, 1400, 100.0, 0);
    gbxSetItemInfo(header, gbxItemD(header, 1), 100000, "level", kMetre, LRX_FLOAT);
    gbxSetItemAxisEqD1(gbxItemD(header, 1), kMetre, kCells, 0, 1);
    gbxSetItemInfo(header, gbxItemD(header, 2), 100000, "flag", kMetre, LRX_INT2);
    const int32_t note[2] = {7, 8};
    gbxAddCustomBlock(header, LRX_INT4, "note", 2, note);
    return header;
}

int writeStatic(GbxHeader* header, GbxFile* file) {
    GbxVector* depth = nullptr;
    gbxStaticCreate(&depth);
    gbxSetItemInfo(header, gbxItemS(depth), 100000, "depth", kMetre, LRX_FLOAT);
    gbxSetItemAxisEqD1(gbxItemS(depth), kMetre, kCells, 0, 1);
    const float values[kCells] = {1, 2, 3};
    const int code = gbxStaticWrite(depth, file, values);
    gbxStaticDestroy(&depth);
    return code;
}

int writeStep(GbxHeader* header, GbxFile* file, int step) {
    float level[kCells];
    for (int i = 0; i < kCells; ++i)
        level[i] = cell(step, i);
    const int16_t flag = static_cast<int16_t>(step);
    const double time = 100.0 + 10.0 * step;
    int code = gbxWriteItemTimeStep(header, file, time, level);
    if (code == 0) code = gbxWriteItemTimeStep(header, file, time, &flag);
    return code;
}

// Creates the file, writes a static item and the time steps with a flush half way, and closes
// it. True when every call reported success. A close that fails is given up the documented
// way: the record stream's close releases the descriptor and the handle.
bool createWriteClose(const std::string& path) {
    GbxHeader* header = scenarioHeader();
    GbxFile* file = nullptr;
    int code = gbxFileCreate(path.c_str(), header, &file);
    if (code == 0) code = writeStatic(header, file);
    for (int step = 0; step < kSteps && code == 0; ++step) {
        code = writeStep(header, file, step);
        if (code == 0 && step == 1) code = gbxFileFlush(header, file);
    }
    if (file != nullptr) {
        const int closed = gbxFileClose(header, &file);
        if (code == 0) code = closed;
        if (file != nullptr) lrxFileClose(&file);
    }
    gbxHeaderDestroy(&header);
    return code == 0;
}

// Reads the file back through the exported calls; an empty text when it holds exactly what
// the scenario wrote, else what differs.
std::string differences(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) != 0) {
        if (file != nullptr) gbxFileClose(header, &file);
        gbxHeaderDestroy(&header);
        return "cannot be read";
    }
    std::string found;
    double span = 0;
    int steps = 0;
    gbxGetNeqTimeAxis(header, nullptr, nullptr, nullptr, &span, &steps, nullptr);
    if (steps != kSteps || span != 10.0 * (kSteps - 1)) found += " time axis";
    int code = 0;
    GbxVector* depth = gbxStaticRead(file, &code);
    float values[kCells] = {};
    if (depth == nullptr || gbxStaticGetData(depth, values) != 0 || values[2] != 3) found += " static";
    if (depth != nullptr) gbxStaticDestroy(&depth);
    for (int step = 0; step < kSteps; ++step) {
        float level[kCells] = {};
        int16_t flag = -1;
        if (gbxReadItemTimeStep(header, file, nullptr, level) != 0 || level[2] != cell(step, 2)) found += " level";
        if (gbxReadItemTimeStep(header, file, nullptr, &flag) != 0 || flag != step) found += " flag";
    }
    double max = 0;
    gbxGetItemStatsGlobal(gbxItemD(header, 1), nullptr, &max, nullptr);
    if (max != cell(kSteps - 1, kCells - 1)) found += " statistics";
    GbxCustomBlock* block = nullptr;
    void* note = nullptr;
    gbxGetCustomBlockRef(header, &block);
    gbxGetCustomBlock(block, nullptr, nullptr, nullptr, &note, nullptr);
    if (note == nullptr || static_cast<int32_t*>(note)[1] != 8) found += " custom block";
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return found;
}

TEST(GbxFaults, NoCallReportsSuccessOverAFileThatDiffersFromWhatWasWritten) {
    lrxtest::TempDir dir;
    const std::string path = dir.path("faults.gbx");
    const uint64_t before = lrxtest::counters().operations;
    ASSERT_TRUE(createWriteClose(path));
    const int64_t operations = static_cast<int64_t>(lrxtest::counters().operations - before);
    ASSERT_EQ(differences(path), "");
    ASSERT_GT(operations, 50);

    const int descriptors = lrxtest::openDescriptors();
    int failedRuns = 0;
    for (int64_t k = 1; k <= operations; ++k) {
        lrxtest::faults().failOperation = k;
        const bool succeeded = createWriteClose(path);
        lrxtest::faults().failOperation = 0;
        if (succeeded)
            EXPECT_EQ(differences(path), "") << "operation " << k << " failed unnoticed";
        else
            ++failedRuns;
        ASSERT_EQ(lrxtest::openDescriptors(), descriptors) << "operation " << k;
    }
    // A few operations may fail harmlessly (a size query that only guards a read); most may not.
    EXPECT_GT(failedRuns, operations * 9 / 10);
}

}  // namespace

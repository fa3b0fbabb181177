// Failing system calls and allocations under the life of a data file: creating one (static item,
// custom block, time steps, a flush half way, close), appending to it, editing it and reading it
// whole. Every operation of one kind is made to fail in turn (see support/faultsweep.h). A run
// whose calls all report success must leave a file that reads back exactly (a run that only
// reads must have read it exactly), a file closed before the run stays byte for byte as it was,
// and every run leaves handles that can be released, with no descriptor or memory lost.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "src/gbx/header/gbxheader.h"
#include "src/lrx/lrxfile.h"
#include "support/faultsweep.h"
#include "support/tempfiles.h"
#include "support/writerun.h"

namespace {

using lrxtest::Fault;

constexpr int kSteps = 4;
constexpr int kCells = 3;
constexpr int kMetre = 1000;
constexpr float kEditShift = 0.5f;

// What a file should hold after a scenario.
struct Expected {
    int steps = kSteps;
    const char* title = "faults";
    int editedStep = -1;  // the time step whose levels an edit shifted
};

float cell(int step, int index) {
    return 10.0f * static_cast<float>(step) + static_cast<float>(index);
}

float level(const Expected& expected, int step, int index) {
    return cell(step, index) + (step == expected.editedStep ? kEditShift : 0.0f);
}

// The header of the scenarios in *header; returns the first code other than 0 of its calls.
int scenarioHeader(GbxHeader** header) {
    int code = gbxHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "faults", "tests", 1, 2, 1, header);
    const auto keep = [&code](int result) {
        if (code == 0) code = result;
    };
    keep(gbxSetNeqTimeAxis(*header, 1400, 100.0, 0));
    keep(gbxSetItemInfo(*header, gbxItemD(*header, 1), 100000, "level", kMetre, LRX_FLOAT));
    keep(gbxSetItemAxisEqD1(gbxItemD(*header, 1), kMetre, kCells, 0, 1));
    keep(gbxSetItemInfo(*header, gbxItemD(*header, 2), 100000, "flag", kMetre, LRX_INT2));
    const int32_t note[2] = {7, 8};
    keep(gbxAddCustomBlock(*header, LRX_INT4, "note", 2, note));
    return code;
}

int writeStatic(GbxHeader* header, GbxFile* file) {
    GbxVector* depth = nullptr;
    int code = gbxStaticCreate(&depth);
    if (code != 0) return code;
    code = gbxSetItemInfo(header, gbxItemS(depth), 100000, "depth", kMetre, LRX_FLOAT);
    if (code == 0) code = gbxSetItemAxisEqD1(gbxItemS(depth), kMetre, kCells, 0, 1);
    const float values[kCells] = {1, 2, 3};
    if (code == 0) code = gbxStaticWrite(depth, file, values);
    gbxStaticDestroy(&depth);
    return code;
}

int writeStep(GbxHeader* header, GbxFile* file, int step, float shift = 0.0f) {
    float values[kCells];
    for (int i = 0; i < kCells; ++i)
        values[i] = cell(step, i) + shift;
    const int16_t flag = static_cast<int16_t>(step);
    const double time = 100.0 + 10.0 * step;
    int code = gbxWriteItemTimeStep(header, file, time, values);
    if (code == 0) code = gbxWriteItemTimeStep(header, file, time, &flag);
    return code;
}

// Closes what a scenario opened and frees its header; returns code, or the close's code when
// code is 0. A close that fails is given up the documented way: the record stream's close
// releases the descriptor and the handle.
int finish(GbxHeader* header, GbxFile* file, int code) {
    if (file != nullptr) {
        const int closed = gbxFileClose(header, &file);
        if (code == 0) code = closed;
        if (file != nullptr) lrxFileClose(&file);
    }
    gbxHeaderDestroy(&header);
    return code;
}

int writeUnshiftedStep(GbxHeader* header, GbxFile* file, int step) {
    return writeStep(header, file, step);
}

// Creates the file, writes a static item and the time steps with a flush half way, and closes it.
int createWriteClose(const std::string& path) {
    return lrxtest::createWriteFlushClose(path, {scenarioHeader, writeStatic, writeUnshiftedStep, finish, kSteps});
}

// Appends one time step to the file.
int appendStep(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = gbxFileAppend(path.c_str(), &header, &file);
    if (code == 0) code = writeStep(header, file, kSteps);
    return finish(header, file, code);
}

// Gives the file a new title of the same length and rewrites time step 1 with shifted levels.
int editFile(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = gbxFileEdit(path.c_str(), &header, &file);
    if (code == 0) code = gbxSetFileTitle(header, "edited");
    if (code == 0) code = gbxFindTimeStep(header, file, 1);
    if (code == 0) code = writeStep(header, file, 1, kEditShift);
    return finish(header, file, code);
}

// What a read of the whole file found wrong, as bits.
enum Mismatch : unsigned {
    kUnreadable = 1,
    kTitle = 2,
    kTimeAxis = 4,
    kStatistics = 8,
    kCustomBlock = 16,
    kStatic = 32,
    kLevel = 64,
    kFlag = 128,
};

struct ReadBack {
    int code = 0;  // the first code other than 0 that a call returned
    unsigned mismatches = 0;
};

unsigned compareHeader(GbxHeader* header, const Expected& expected) {
    unsigned found = 0;
    if (std::strcmp(gbxGetFileTitle(header), expected.title) != 0) found |= kTitle;
    double span = 0;
    int steps = 0;
    gbxGetNeqTimeAxis(header, nullptr, nullptr, nullptr, &span, &steps, nullptr);
    if (steps != expected.steps || span != 10.0 * (expected.steps - 1)) found |= kTimeAxis;
    double max = 0;
    gbxGetItemStatsGlobal(gbxItemD(header, 1), nullptr, &max, nullptr);
    if (max != cell(expected.steps - 1, kCells - 1)) found |= kStatistics;
    GbxCustomBlock* block = nullptr;
    void* note = nullptr;
    gbxGetCustomBlockRef(header, &block);
    gbxGetCustomBlock(block, nullptr, nullptr, nullptr, &note, nullptr);
    if (note == nullptr || static_cast<int32_t*>(note)[1] != 8) found |= kCustomBlock;
    return found;
}

unsigned compareData(GbxHeader* header, GbxFile* file, const Expected& expected, int* code) {
    unsigned found = 0;
    int read = 0;
    GbxVector* depth = gbxStaticRead(file, &read);
    float values[kCells] = {};
    if (depth == nullptr || gbxStaticGetData(depth, values) != 0 || values[2] != 3) found |= kStatic;
    if (depth != nullptr) gbxStaticDestroy(&depth);
    if (*code == 0) *code = read;
    for (int step = 0; step < expected.steps; ++step) {
        int16_t flag = -1;
        float levels[kCells] = {};
        const int first = gbxReadItemTimeStep(header, file, nullptr, levels);
        const int second = gbxReadItemTimeStep(header, file, nullptr, &flag);
        if (*code == 0) *code = first != 0 ? first : second;
        for (int i = 0; i < kCells; ++i) {
            if (first != 0 || levels[i] != level(expected, step, i)) found |= kLevel;
        }
        if (second != 0 || flag != step) found |= kFlag;
    }
    return found;
}

// Asks a header that an opening handed out with its failure for every item's description, so
// that the sanitizers see a header that was handed out half built.
void touchItems(GbxHeader* header) {
    for (int n = 1; n <= gbxGetNoOfItems(header); ++n) {
        const char* name = nullptr;
        gbxGetItemInfo(gbxItemD(header, n), nullptr, nullptr, &name, nullptr, nullptr, nullptr);
        volatile std::size_t length = name != nullptr ? std::strlen(name) : 0;
        length = length + static_cast<std::size_t>(gbxGetItemElements(gbxItemD(header, n)));
    }
}

// Reads the whole file through the exported calls. Makes no allocation of its own.
ReadBack readBack(const std::string& path, const Expected& expected) {
    ReadBack found;
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    found.code = gbxFileRead(path.c_str(), &header, &file);
    if (found.code != 0) {
        found.mismatches = kUnreadable;
        touchItems(header);
    } else {
        found.mismatches = compareHeader(header, expected) | compareData(header, file, expected, &found.code);
    }
    found.code = finish(header, file, found.code);
    return found;
}

std::string describe(unsigned mismatches) {
    static const char* const kNames[] = {"unreadable", "title", "time axis", "statistics",
                                         "custom block", "static", "level", "flag"};
    std::string text;
    for (int bit = 0; bit < 8; ++bit) {
        if ((mismatches & (1u << bit)) != 0) text += std::string(" ") + kNames[bit];
    }
    return text;
}

std::string differences(const std::string& path, const Expected& expected = {}) {
    return describe(readBack(path, expected).mismatches);
}

// A scenario of the sweep: what it does to the file and what the file then holds.
struct Scenario {
    const char* name;
    int (*run)(const std::string& path);
    Expected expected;
};

class GbxFaults : public lrxtest::OneFileSweep {
protected:
    GbxFaults() : OneFileSweep("faults.gbx", "bystander.gbx") {}

    void SetUp() override {
        ASSERT_EQ(createWriteClose(path), 0);
        ASSERT_EQ(differences(path), "");
        keepWritten();
    }

    // After each run: a run that reported success left the file it promised; then the checks
    // of every run.
    void checkRun(const Scenario& scenario, Fault fault, int64_t k, bool succeeded) {
        if (succeeded) {
            EXPECT_EQ(differences(path, scenario.expected), "")
                << scenario.name << ": " << lrxtest::faultName(fault) << " " << k << " failed unnoticed";
        }
        checkLeftovers(scenario.name, fault, k);
    }
};

const Scenario kWriteScenarios[] = {
    {"create", createWriteClose, {}},
    {"append", appendStep, {kSteps + 1}},
    {"edit", editFile, {kSteps, "edited", 1}},
};

TEST_F(GbxFaults, NoWriteReportsSuccessOverAFileThatDiffersFromWhatWasWritten) {
    for (const Scenario& scenario : kWriteScenarios) {
        for (const Fault fault : lrxtest::kSystemCallFaults) {
            const lrxtest::SweepTally tally = lrxtest::sweepFault(
                fault, [&] { return scenario.run(path) == 0; },
                [&](int64_t k, bool succeeded) { checkRun(scenario, fault, k, succeeded); });
            lrxtest::printTally(scenario.name, fault, tally);
            EXPECT_GT(tally.points, 0) << scenario.name << ": " << lrxtest::faultName(fault);
        }
    }
}

TEST_F(GbxFaults, ReadingNeverReportsSuccessOverValuesItDidNotRead) {
    ReadBack found;
    for (const Fault fault : lrxtest::kSystemCallFaults) {
        const lrxtest::SweepTally tally = lrxtest::sweepFault(
            fault,
            [&] {
                found = readBack(path, {});
                return found.code == 0;
            },
            [&](int64_t k, bool succeeded) {
                if (succeeded) {
                    EXPECT_EQ(describe(found.mismatches), "") << "read: " << lrxtest::faultName(fault) << " " << k;
                }
                EXPECT_EQ(lrxtest::readBytes(path), written) << "a read changed the file";
                checkLeftovers("read", fault, k);
            });
        lrxtest::printTally("read", fault, tally);
    }
}

// The codes that an allocation failure may end in: 2000, and the codes that the library gives
// for two of its allocations, 2010 for a record node of a block being built and 2003 for the
// handle of a file being created.
bool endsAsOutOfMemory(int code) {
    return code == F_ERR_MEMORY || code == F_ERR_DATA || code == F_ERR_OPEN;
}

// Whichever allocation fails while a data file is read whole or written, the run ends in 2000,
// or, where the library can do without the memory (a buffer, an index), the file is right.
TEST_F(GbxFaults, EveryFailingAllocationEndsIn2000OrIsDoneWithout) {
    ReadBack found;
    lrxtest::SweepTally tally = lrxtest::sweepFault(
        Fault::Allocation,
        [&] {
            found = readBack(path, {});
            return found.code == 0;
        },
        [&](int64_t k, bool succeeded) {
            if (succeeded) {
                EXPECT_EQ(describe(found.mismatches), "") << "read: allocation " << k;
            } else {
                EXPECT_EQ(found.code, F_ERR_MEMORY) << "read: allocation " << k;
            }
            checkLeftovers("read", Fault::Allocation, k);
        });
    lrxtest::printTally("read", Fault::Allocation, tally);
    EXPECT_GT(tally.points, 10);

    int code = 0;
    const Scenario creating = kWriteScenarios[0];
    tally = lrxtest::sweepFault(
        Fault::Allocation,
        [&] {
            code = creating.run(path);
            return code == 0;
        },
        [&](int64_t k, bool succeeded) {
            if (!succeeded) {
                EXPECT_TRUE(endsAsOutOfMemory(code)) << "create: allocation " << k << " gave " << code;
            }
            checkRun(creating, Fault::Allocation, k, succeeded);
        });
    lrxtest::printTally(creating.name, Fault::Allocation, tally);
    EXPECT_GT(tally.points, 10);
}

}  // namespace

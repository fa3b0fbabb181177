// Failing stream operations and allocations under a legacy pair: writing one (a static record,
// time steps, a flush half way, close) and reading one whole. Every operation of one kind is made
// to fail in turn (see support/faultsweep.h): a write whose calls all report success leaves a
// pair that reads back exactly, a read that reports success read exactly what was written, a
// pair closed before the run stays as it was, and no descriptor or memory is lost.
#include <gtest/gtest.h>

#include <string>

#include "legacypairs.h"
#include "support/faultsweep.h"
#include "support/writerun.h"

namespace {

using lrxtest::Fault;

constexpr int kItems = 2;
constexpr int kCells = 4;
constexpr int kSteps = 3;

float cell(int step, int item, int index) {
    return static_cast<float>(100 * step + 10 * item + index);
}

// Keeps the first code other than 0.
struct FirstCode {
    int code = 0;
    void operator()(int result) {
        if (code == 0) code = result;
    }
};

// A header of two float items on one 1-D axis and an equidistant time axis in seconds.
int pairHeader(GbxHeader** header) {
    FirstCode first;
    first(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "faults", "test", 1, kItems, 1, header));
    const char* const names[kItems] = {"item 1", "item 2"};
    for (int i = 1; i <= kItems; ++i) {
        first(gbxSetItemInfo(*header, gbxItemD(*header, i), 999, names[i - 1], 0, LRX_FLOAT));
        first(gbxSetItemAxisEqD1(gbxItemD(*header, i), 1000, kCells, 5.0f, 0.5f));
    }
    first(gbxSetEqTimeAxis(*header, 1400, 0.0, 60.0, 0));
    return first.code;
}

int writeStatic(GbxHeader* header, GbxFile* file) {
    GbxVector* vector = nullptr;
    FirstCode first;
    first(gbxStaticCreate(&vector));
    first(gbxSetItemInfo(header, gbxItemS(vector), 999, "static", 0, LRX_FLOAT));
    first(gbxSetItemAxisEqD1(gbxItemS(vector), 1000, kCells, 5.0f, 0.5f));
    const float values[kCells] = {1, 2, 3, 4};
    if (first.code == 0) first(gbxStaticWrite(vector, file, values));
    gbxStaticDestroy(&vector);
    return first.code;
}

int writeStep(GbxHeader* header, GbxFile* file, int step) {
    FirstCode first;
    for (int item = 1; item <= kItems && first.code == 0; ++item) {
        float values[kCells];
        for (int k = 0; k < kCells; ++k)
            values[k] = cell(step, item, k);
        first(gbxWriteItemTimeStep(header, file, 60.0 * step, values));
    }
    return first.code;
}

// The handle of a pair is freed by its close whatever the close gives.
int finish(GbxHeader* header, GbxFile* file, int code) {
    if (file != nullptr) {
        const int closed = gbxFileClose(header, &file);
        EXPECT_EQ(file, nullptr);
        if (code == 0) code = closed;
    }
    gbxHeaderDestroy(&header);
    return code;
}

int writePair(const std::string& path) {
    return lrxtest::createWriteFlushClose(path, {pairHeader, writeStatic, writeStep, finish, kSteps});
}

struct ReadBack {
    int code = 0;            // the first code other than 0 that a call returned
    bool wrong = false;      // a value differs from what was written
    bool handedOut = false;  // an open that failed handed out a header or a file
};

// Reads the pair whole. Makes no allocation of its own.
ReadBack readPair(const std::string& path) {
    ReadBack found;
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    FirstCode first;
    first(gbxFileRead(path.c_str(), &header, &file));
    // A pair that cannot be opened hands out neither a header nor a file.
    found.handedOut = first.code != 0 && (header != nullptr || file != nullptr);
    if (first.code == 0) {
        GbxVector* vector = gbxStaticRead(file, &first.code);
        float values[kCells] = {};
        if (vector == nullptr || gbxStaticGetData(vector, values) != 0 || values[3] != 4) found.wrong = true;
        if (vector != nullptr) gbxStaticDestroy(&vector);
        int steps = 0;
        gbxGetEqTimeAxis(header, nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
        if (steps != kSteps) found.wrong = true;
    }
    for (int step = 0; step < kSteps && first.code == 0; ++step) {
        for (int item = 1; item <= kItems && first.code == 0; ++item) {
            float values[kCells] = {};
            first(gbxReadItemTimeStep(header, file, nullptr, values));
            for (int k = 0; k < kCells; ++k) {
                if (values[k] != cell(step, item, k)) found.wrong = true;
            }
        }
    }
    found.code = finish(header, file, first.code);
    return found;
}

class LegacyFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(writePair(path), 0);
        const ReadBack found = readPair(path);
        ASSERT_EQ(found.code, 0);
        ASSERT_FALSE(found.wrong);
        headerFile = lrxtest::readBytes(dir.path("pair.ct1"));
        dataFile = lrxtest::readBytes(path);
        lrxtest::writeBytes(dir.path("bystander.ct1"), headerFile);
        lrxtest::writeBytes(dir.path("bystander.dt1"), dataFile);
        leftAlone.keep(dir.path("bystander.ct1"));
        leftAlone.keep(dir.path("bystander.dt1"));
        leftAlone.countDescriptors();
    }

    // What the run had to leave alone is as it was; the next run gets its start.
    void checkLeftovers(const char* scenario, Fault fault, int64_t k) {
        leftAlone.check(scenario, fault, k);
        lrxtest::writeBytes(dir.path("pair.ct1"), headerFile);
        lrxtest::writeBytes(path, dataFile);
    }

    lrxtest::TempDir dir;
    const std::string path = dir.path("pair.dt1");
    lrxtest::Bytes headerFile;
    lrxtest::Bytes dataFile;
    lrxtest::LeftAlone leftAlone;
};

TEST_F(LegacyFaults, NoCallReportsSuccessOverAPairThatDiffersFromWhatWasWritten) {
    int code = 0;
    ReadBack found;
    for (const Fault fault : lrxtest::kSystemCallFaults) {
        const lrxtest::SweepTally written = lrxtest::sweepFault(
            fault,
            [&] {
                code = writePair(path);
                return code == 0;
            },
            [&](int64_t k, bool succeeded) {
                if (succeeded) {
                    const ReadBack reread = readPair(path);
                    EXPECT_TRUE(reread.code == 0 && !reread.wrong) << lrxtest::faultName(fault) << " " << k;
                }
                checkLeftovers("legacy write", fault, k);
            });
        lrxtest::printTally("legacy write", fault, written);
        // Every operation of a pair being written matters: none may fail unreported.
        EXPECT_EQ(written.failedRuns, written.points) << lrxtest::faultName(fault);
        const lrxtest::SweepTally read = lrxtest::sweepFault(
            fault,
            [&] {
                found = readPair(path);
                return found.code == 0;
            },
            [&](int64_t k, bool succeeded) {
                if (succeeded) {
                    EXPECT_FALSE(found.wrong) << lrxtest::faultName(fault) << " " << k;
                }
                EXPECT_FALSE(found.handedOut) << lrxtest::faultName(fault) << " " << k;
                EXPECT_EQ(lrxtest::readBytes(path), dataFile) << "a read changed the data file";
                checkLeftovers("legacy read", fault, k);
            });
        lrxtest::printTally("legacy read", fault, read);
    }
}

// Whichever allocation fails while a pair is read, the read ends in 2000 or, where the library
// can do without the memory, reads the pair exactly.
TEST_F(LegacyFaults, EveryFailingAllocationOfAReadEndsIn2000OrIsDoneWithout) {
    ReadBack found;
    const lrxtest::SweepTally tally = lrxtest::sweepFault(
        Fault::Allocation,
        [&] {
            found = readPair(path);
            return found.code == 0;
        },
        [&](int64_t k, bool succeeded) {
            EXPECT_FALSE(found.handedOut) << "allocation " << k;
            if (succeeded) {
                EXPECT_FALSE(found.wrong) << "allocation " << k;
            } else {
                EXPECT_EQ(found.code, F_ERR_MEMORY) << "allocation " << k;
            }
            checkLeftovers("legacy read", Fault::Allocation, k);
        });
    lrxtest::printTally("legacy read", Fault::Allocation, tally);
    EXPECT_GT(tally.points, 5);
}

}  // namespace

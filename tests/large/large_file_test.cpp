// A data file of more than 4 GiB: one item of 1000 x 1000 floats written for 1100 time steps,
// positioned on time steps that lie beyond 2 GiB and 4 GiB and read back exactly, given one more
// step by appending, and read again. Run by `make test-large` in a folder it removes afterwards
// (LRX_LARGE_DIR); skipped when that folder's disk lacks the room. Prints how long each part took.
#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr int kSide = 1000;
constexpr int kCells = kSide * kSide;
constexpr int kSteps = 1100;
constexpr int64_t kGiB = int64_t{1} << 30;
// The file's bytes with room to spare: 1101 steps of 4 MB values and their record heads.
constexpr int64_t kRoomNeeded = 4400 * int64_t{1000000} + kGiB / 2;

float cell(int step, int k) {
    return static_cast<float>(step * 8 + k % 7919);
}

class Stopwatch {
public:
    // Prints the seconds since the last lap under the given name.
    void lap(const char* what) {
        const auto now = std::chrono::steady_clock::now();
        std::printf("[ large    ] %-40s %7.1f s\n", what, std::chrono::duration<double>(now - last_).count());
        std::fflush(stdout);
        last_ = now;
    }

private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

std::string folder() {
    const char* given = std::getenv("LRX_LARGE_DIR");
    return given != nullptr && *given != '\0' ? given : std::filesystem::temp_directory_path().string();
}

int64_t freeBytes(const std::string& path) {
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0) return -1;
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

struct HeaderDeleter {
    void operator()(GbxHeader* header) const { gbxHeaderDestroy(&header); }
};
using HeaderPtr = std::unique_ptr<GbxHeader, HeaderDeleter>;

void fillStep(std::vector<float>& values, int step) {
    for (int k = 0; k < kCells; ++k)
        values[k] = cell(step, k);
}

// Reads time step `step` where the file stands and compares every cell.
void expectStep(GbxHeader* header, GbxFile* file, int step, std::vector<float>& values) {
    std::fill(values.begin(), values.end(), 0.0f);
    ASSERT_EQ(gbxReadItemTimeStep(header, file, nullptr, values.data()), 0) << "step " << step;
    int wrong = 0;
    for (int k = 0; k < kCells; ++k)
        wrong += values[k] != cell(step, k);
    EXPECT_EQ(wrong, 0) << "cells of step " << step << " that differ";
}

void writeFile(const std::string& path, std::vector<float>& values) {
    GbxHeader* made = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "large", "tests", 1, 1, 1, &made), 0);
    HeaderPtr header(made);
    ASSERT_EQ(gbxSetEqTimeAxis(made, 1400, 0.0, 60.0, 0), 0);
    ASSERT_EQ(gbxSetItemInfo(made, gbxItemD(made, 1), 100000, "level", 1000, LRX_FLOAT), 0);
    ASSERT_EQ(gbxSetItemAxisEqD2(gbxItemD(made, 1), 1000, kSide, kSide, 0, 0, 1, 1), 0);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), made, &file), 0);
    for (int step = 0; step < kSteps; ++step) {
        fillStep(values, step);
        ASSERT_EQ(gbxWriteItemTimeStep(made, file, 60.0 * step, values.data()), 0) << "step " << step;
    }
    ASSERT_EQ(gbxFileClose(made, &file), 0);
}

}  // namespace

TEST(LargeFile, StepsBeyondTwoAndFourGibibytesReadBackExactlyAndTakeAnAppendedStep) {
    const std::string dir = folder();
    const int64_t room = freeBytes(dir);
    if (room < kRoomNeeded) {
        GTEST_SKIP() << "the large-file test needs " << kRoomNeeded / kGiB << "+ GiB free in " << dir << ", which has "
                     << (room < 0 ? 0 : room) / kGiB << " GiB";
    }
    const std::string path = (std::filesystem::path(dir) / "large.gbx").string();
    std::vector<float> values(kCells);
    Stopwatch watch;
    writeFile(path, values);
    watch.lap("write 1100 steps of 4 MB and close");
    ASSERT_GT(static_cast<int64_t>(std::filesystem::file_size(path)), 4 * kGiB);

    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileRead(path.c_str(), &header, &file), 0);
    HeaderPtr read(header);
    int steps = 0;
    gbxGetEqTimeAxis(header, nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
    EXPECT_EQ(steps, kSteps);
    // Steps whose values begin below 2 GiB, beyond 2 GiB, beyond 4 GiB, and the last one.
    bool beyond2 = false, beyond4 = false;
    for (const int step : {1, 600, 1080, kSteps - 1, 300}) {
        ASSERT_EQ(gbxFindTimeStep(header, file, step), 0) << "step " << step;
        const int64_t at = lrxTell64(file);
        beyond2 = beyond2 || (at > 2 * kGiB && at < 4 * kGiB);
        beyond4 = beyond4 || at > 4 * kGiB;
        expectStep(header, file, step, values);
    }
    EXPECT_TRUE(beyond2 && beyond4);
    double max = 0;
    gbxGetItemStatsGlobal(gbxItemD(header, 1), nullptr, &max, nullptr);
    EXPECT_EQ(max, cell(kSteps - 1, 7918));
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    watch.lap("open and read five steps by position");

    ASSERT_EQ(gbxFileAppend(path.c_str(), &header, &file), 0);
    HeaderPtr appended(header);
    fillStep(values, kSteps);
    ASSERT_EQ(gbxWriteItemTimeStep(header, file, 60.0 * kSteps, values.data()), 0);
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    watch.lap("append one step and close");

    ASSERT_EQ(gbxFileRead(path.c_str(), &header, &file), 0);
    HeaderPtr reread(header);
    gbxGetEqTimeAxis(header, nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
    EXPECT_EQ(steps, kSteps + 1);
    for (const int step : {kSteps, kSteps - 1}) {
        ASSERT_EQ(gbxFindTimeStep(header, file, step), 0) << "step " << step;
        expectStep(header, file, step, values);
    }
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    watch.lap("read the appended step back");
    std::filesystem::remove(path);
}

// Eight data files read at once from eight threads through the public interface, each thread
// tracing its steps, while another thread sets the trace switches and the error handlers and
// a damaged file is among the reads; and eight legacy pairs written and read on eight threads. Run under ThreadSanitizer by `make test-tsan`; in the
// other builds it checks the values and the trace's lines.
#include <gtest/gtest.h>
#include <lrx/gbx.h>
#include <lrx/trace.h>
#include <unistd.h>
#include <vnk/vnk.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kFiles = 8;
constexpr int kItems = 2;
constexpr int kSteps = 6;
constexpr int kNx = 7;
constexpr int kNy = 5;
constexpr int kCells = kNx * kNy;

float valueAt(int file, int item, int step, int cell) {
    return static_cast<float>(file * 1000 + item * 100 + step) + static_cast<float>(cell) * 0.25f;
}

std::string scratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("lrx_threads_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

void writeFile(const std::string& path, int fileNo) {
    GbxHeader* header = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "threads", "test", 1, kItems, 2, &header), 0);
    ASSERT_EQ(gbxSetEqCalendarAxis(header, "2026-01-01", "00:00:00", VNK_UNIT_SECOND, 0.0, 60.0, 0), 0);
    // Data type 1: a legacy pair reads its first item back as a level in metres.
    ASSERT_EQ(gbxSetDataType(header, 1), 0);
    for (int n = 1; n <= kItems; ++n) {
        GbxItem* item = gbxItemD(header, n);
        ASSERT_EQ(gbxSetItemInfo(header, item, VNK_ITEM_LEVEL, n == 1 ? "level" : "depth", VNK_UNIT_METRE, LRX_FLOAT),
                  0);
        ASSERT_EQ(gbxSetItemAxisEqD2(item, VNK_UNIT_METRE, kNx, kNy, 0.0f, 0.0f, 10.0f, 10.0f), 0);
    }
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    std::vector<float> grid(kCells);
    for (int t = 0; t < kSteps; ++t) {
        for (int n = 1; n <= kItems; ++n) {
            for (int c = 0; c < kCells; ++c)
                grid[c] = valueAt(fileNo, n, t, c);
            ASSERT_EQ(gbxWriteItemTimeStep(header, file, t * 60.0, grid.data()), 0);
        }
    }
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
}

// Reads every item of every step, last step first so that positioning moves backwards, each
// step traced as a call "readerK" that exits with "of K"; returns the number of values that
// differ from what was written.
int readBackwards(const std::string& path, int fileNo) {
    const std::string stepEntry = "reader" + std::to_string(fileNo) + " step %d";
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) != 0) return -1;
    int wrong = 0;
    const char* unitName = nullptr;
    gbxGetItemInfo(gbxItemD(header, 1), nullptr, nullptr, nullptr, nullptr, &unitName, nullptr);
    if (unitName == nullptr || std::string(unitName) != "m") ++wrong;
    std::vector<float> grid(kCells);
    for (int t = kSteps - 1; t >= 0; --t) {
        DebugEnter(stepEntry.c_str(), t);
        for (int n = 1; n <= kItems; ++n) {
            if (gbxFindItemDynamic(header, file, t, n) != 0 || gbxReadItemTimeStep(header, file, nullptr, grid.data()))
                return -1;
            for (int c = 0; c < kCells; ++c)
                wrong += grid[c] != valueAt(fileNo, n, t, c);
        }
        DebugExit("of %d", fileNo);
    }
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return wrong;
}

// Reads a file cut inside its time steps until the read fails; returns that code.
int readDamaged(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = gbxFileRead(path.c_str(), &header, &file);
    std::vector<float> grid(kCells);
    while (code == 0)
        code = gbxReadItemTimeStep(header, file, nullptr, grid.data());
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return code;
}

std::atomic<int> reportsSeen{0};
void LRX_CALL countReport(GbxHeader*, GbxFile*, void*, int32_t, const char*, int32_t) {
    ++reportsSeen;
}

// Counts the lines of the trace and those that are not whole: a marker after the start of
// the line (lines of two threads mixed), or an exit line "<-}readerK of J" whose name
// (popped from its thread's stack) belongs to another thread than its text.
int brokenLines(const std::string& path, int* lines) {
    std::ifstream in(path);
    std::string line;
    int broken = 0;
    *lines = 0;
    while (std::getline(in, line)) {
        ++*lines;
        const std::size_t text = line.find_first_not_of(' ');
        if (text == std::string::npos) continue;
        for (const char* marker : {"->{", "<-}", "-><-"})
            broken += line.find(marker, text + 1) != std::string::npos;
        int name = -1, own = -2;
        if (std::sscanf(line.c_str() + text, "<-}reader%d of %d", &name, &own) == 2) broken += name != own;
    }
    return broken;
}

}  // namespace

TEST(ParallelReads, EightFilesOnEightThreadsReadBackAsWritten) {
    std::vector<std::string> paths;
    for (int k = 0; k < kFiles; ++k) {
        paths.push_back(scratchPath(std::to_string(k) + ".gbx"));
        writeFile(paths.back(), k);
    }
    const std::string damaged = scratchPath("damaged.gbx");
    std::filesystem::copy_file(paths[0], damaged, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) - kCells * 4 * 3);

    const std::string tracePath = scratchPath("trace.txt");
    std::fflush(stdout);
    const int savedStdout = ::dup(1);
    ASSERT_NE(std::freopen(tracePath.c_str(), "w", stdout), nullptr);

    std::atomic<bool> reading{true};
    std::thread settings([&] {
        while (reading) {
            gbxDebugOn(0);
            DebugFileIO(0);
            gbxAddErrorHandler(F_ERR_READ, countReport);
            gbxAddErrorHandler(F_ERR_USAGE, countReport);
            gbxInitSystem();
        }
    });
    std::vector<int> wrong(kFiles, 0), damagedCodes(kFiles, 0);
    std::vector<std::string> innermost(kFiles);
    std::vector<std::thread> readers;
    for (int k = 0; k < kFiles; ++k) {
        readers.emplace_back([&, k] {
            const std::string own = "reader" + std::to_string(k);
            PutFunctionName(own.c_str());
            wrong[k] = readBackwards(paths[k], k);
            damagedCodes[k] = readDamaged(damaged);
            innermost[k] = GetFunctionName();
        });
    }
    for (std::thread& reader : readers)
        reader.join();
    reading = false;
    settings.join();
    gbxInitSystem();
    std::fflush(stdout);
    ::dup2(savedStdout, 1);
    ::close(savedStdout);

    for (int k = 0; k < kFiles; ++k) {
        EXPECT_EQ(wrong[k], 0) << "file " << k;
        EXPECT_NE(damagedCodes[k], 0) << "reader " << k;
        // Each thread's name stack holds what that thread pushed, whatever the others did.
        EXPECT_EQ(innermost[k], "reader" + std::to_string(k));
    }
    int lines = 0;
    EXPECT_EQ(brokenLines(tracePath, &lines), 0);
    EXPECT_EQ(lines, kFiles * kSteps * 2);
    for (const std::string& path : paths)
        std::filesystem::remove(path);
    std::filesystem::remove(damaged);
    std::filesystem::remove(tracePath);
}

TEST(ParallelReads, EightLegacyPairsWrittenAndReadOnEightThreads) {
    // Each thread takes and frees entries of the one table of open pairs while the others do.
    std::vector<int> wrong(kFiles, -2);
    std::vector<std::thread> threads;
    for (int k = 0; k < kFiles; ++k) {
        threads.emplace_back([&, k] {
            const std::string base = scratchPath("pair" + std::to_string(k));
            writeFile(base + ".dt2", k);
            wrong[k] = readBackwards(base + ".dt2", k);
            std::filesystem::remove(base + ".dt2");
            std::filesystem::remove(base + ".ct2");
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int k = 0; k < kFiles; ++k)
        EXPECT_EQ(wrong[k], 0) << "pair " << k;
}

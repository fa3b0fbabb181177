// Four files of data type 7 read at once from four threads, each through the example plug-in
// gbxExt_7, which the library finds beside itself without LRX_PLUGIN_PATH (in sanitizer builds
// through it: their dlopen loads on its own behalf and so skips the run path of liblrx.so).
// Run under ThreadSanitizer by `make test-tsan`.
#include <gtest/gtest.h>
#include <lrx/gbx.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kSteps = 5;
constexpr int kCells = 6;

// The current components of file f, item 1 (U) or 2 (V), in a cell of a step.
float component(int f, int item, int step, int cell) {
    return static_cast<float>(item == 1 ? f + step : cell + 1);
}

void writeFile(const std::string& path, int f) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "currents", "test", 1, 2, 1, &header), 0);
    gbxSetDataType(header, 7);
    gbxSetEqTimeAxis(header, 1400, 0, 60, 0);
    for (int n = 1; n <= 2; ++n) {
        gbxSetItemInfo(header, gbxItemD(header, n), 100020 + n, "component", 2000, LRX_FLOAT);
        gbxSetItemAxisEqD1(gbxItemD(header, n), 1000, kCells, 0, 1);
    }
    ASSERT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    float values[kCells];
    for (int t = 0; t < kSteps * 2; ++t) {
        for (int c = 0; c < kCells; ++c)
            values[c] = component(f, t % 2 + 1, t / 2, c);
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, t / 2, values), 0);
    }
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
}

// Enables the plug-in and reads every item; returns the number of wrong speeds, or -1 when
// the plug-in or a read fails.
int readSpeeds(const std::string& path, int f) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int wrong = gbxFileRead(path.c_str(), &header, &file) == 0 && gbxEnablePlugin(header, file) == 0 ? 0 : -1;
    float values[4][kCells];
    for (int t = 0; t < kSteps && wrong >= 0; ++t) {
        for (auto& item : values)
            wrong = gbxReadItemTimeStep(header, file, nullptr, item) != 0 ? -1 : wrong;
        for (int c = 0; c < kCells && wrong >= 0; ++c)
            wrong += std::fabs(values[2][c] - std::hypot(component(f, 1, t, c), component(f, 2, t, c))) > 1e-4f;
    }
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return wrong;
}

TEST(ParallelPlugins, HeadersOnDifferentThreadsUseOnePluginAtOnce) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    setenv("LRX_PLUGIN_PATH", LRX_EXAMPLE_PLUGIN_DIR, 1);
#endif
    const auto folder = std::filesystem::temp_directory_path() / ("lrx_plugins_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::vector<int> wrong(4, -2);
    std::vector<std::thread> readers;
    for (int f = 0; f < 4; ++f) {
        const std::string path = (folder / ("currents" + std::to_string(f) + ".gbx")).string();
        writeFile(path, f);
        readers.emplace_back([&wrong, path, f] { wrong[f] = readSpeeds(path, f); });
    }
    for (auto& reader : readers)
        reader.join();
    std::filesystem::remove_all(folder);
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace

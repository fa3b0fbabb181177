// Running the tool as a user runs it, and the data files the tool tests read, written through
// the exported data-file API.
#include "tools/toolrun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "lrx/gbx.h"
#include "vnk/vnk.h"

namespace lrxtest {

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The cells of the 6 x 4 grid that the compressed file stores: all but its first row and the
// first cell of the second.
constexpr int kNx = 6, kNy = 4, kKeys = 15;

void compressionKeys(int32_t* x, int32_t* y) {
    int k = 0;
    for (int cell = kNx + 3; cell < kNx * kNy; ++cell, ++k) {
        x[k] = cell % kNx;
        y[k] = cell / kNx;
    }
}

}  // namespace

const double kCompressedHours[kCompressedSteps] = {0, 1.5, 3, 7.25, 24};

RunResult runProgram(const TempDir& dir, const std::string& program, const std::vector<std::string>& args) {
    std::string command = shellQuoted(program);
    for (const std::string& arg : args)
        command += " " + shellQuoted(arg);
    command += " >" + shellQuoted(dir.path("stdout")) + " 2>" + shellQuoted(dir.path("stderr")) + " </dev/null";
    const int raw = std::system(command.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readText(dir.path("stdout"));
    result.err = readText(dir.path("stderr"));
    return result;
}

RunResult runLrx(const TempDir& dir, const std::vector<std::string>& args) {
    return runProgram(dir, LRX_TOOL_PATH, args);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string readText(const std::string& path) {
    const Bytes bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string writeDemoFile(const TempDir& dir, const std::string& name) {
    const std::string path = dir.path(name);
    const RunResult written = runProgram(dir, LRX_GRID_TIMESERIES_PATH, {path});
    EXPECT_EQ(written.status, 0) << written.err;
    return path;
}

double cellValue(int step, int itemNo, int cell) {
    return 10.0 * step + itemNo + 0.25 * cell;
}

std::string writeCompressedFile(const TempDir& dir) {
    const std::string path = dir.path("estuary.gbx");
    GbxHeader* header = nullptr;
    EXPECT_EQ(gbxHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "Estuary", "tool test", 3, 2, 2, &header), 0);
    EXPECT_EQ(gbxSetNeqCalendarAxis(header, "2024-02-28", "22:00:00", 1402, 0.0, 0), 0);
    int32_t keyX[kKeys], keyY[kKeys];
    compressionKeys(keyX, keyY);
    EXPECT_EQ(gbxSetEncodeKey(header, keyX, keyY, nullptr, kKeys), 0);
    EXPECT_EQ(gbxSetItemInfo(header, gbxItemD(header, 1), 100050, "Salinity", 3800, LRX_FLOAT), 0);
    EXPECT_EQ(gbxSetItemInfo(header, gbxItemD(header, 2), VNK_ITEM_UNDEFINED, "Wet cells", 0, LRX_INT4), 0);
    for (int n = 1; n <= 2; ++n)
        EXPECT_EQ(gbxSetItemAxisEqD2(gbxItemD(header, n), VNK_UNIT_METRE, kNx, kNy, 10, 20, 50, 25), 0);
    GbxFile* file = nullptr;
    EXPECT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    for (int step = 0; step < kCompressedSteps; ++step) {
        float salinity[kNx * kNy];
        int32_t wet[kNx * kNy];
        for (int cell = 0; cell < kNx * kNy; ++cell) {
            salinity[cell] = static_cast<float>(cellValue(step, 1, cell));
            wet[cell] = static_cast<int32_t>(cellValue(step, 2, cell) * 4);
        }
        EXPECT_EQ(gbxWriteItemTimeStep(header, file, kCompressedHours[step], salinity), 0);
        EXPECT_EQ(gbxWriteItemTimeStep(header, file, kCompressedHours[step], wet), 0);
    }
    EXPECT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
    return path;
}

std::string writeTimeSeriesFile(const TempDir& dir) {
    const std::string path = dir.path("gauge.gbx");
    GbxHeader* header = nullptr;
    EXPECT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Gauge", "tool test", 1, 2, 1, &header), 0);
    EXPECT_EQ(gbxSetEqTimeAxis(header, VNK_UNIT_SECOND, 100.0, 60.0, 0), 0);
    EXPECT_EQ(gbxSetItemInfo(header, gbxItemD(header, 1), VNK_ITEM_LEVEL, "Level", VNK_UNIT_METRE, LRX_FLOAT), 0);
    EXPECT_EQ(gbxSetItemInfo(header, gbxItemD(header, 2), 100010, "Flow", 3400, LRX_DOUBLE), 0);
    GbxFile* file = nullptr;
    EXPECT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    for (int step = 0; step < 4; ++step) {
        const float level = step == 2 ? gbxGetDeleteValFloat(header) : 1.5f + 0.25f * step;
        const double flow = 12.5 * (step + 1);
        EXPECT_EQ(gbxWriteItemTimeStep(header, file, 0.0, &level), 0);
        EXPECT_EQ(gbxWriteItemTimeStep(header, file, 0.0, &flow), 0);
    }
    EXPECT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
    return path;
}

}  // namespace lrxtest

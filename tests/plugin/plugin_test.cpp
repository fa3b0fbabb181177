// Derived-item plug-ins: what enabling shows and refuses, the order of the entry calls while
// reading and skipping, unloading, and the example plug-in for current components. The test
// plug-ins (testplugin.c, one library per behaviour) record their calls in gCalls.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "support/faultsweep.h"
#include "support/tempfiles.h"
#include "vnk/vnk.h"

namespace {

using Calls = std::vector<std::string>;
Calls gCalls;

constexpr int kCells = 12;  // the test files' 4 x 3 grid
constexpr int kFullPlugin = 9101;
const float kDelete = gbxDefaultDeleteFloat();

// Item types of the test files: two plain items, or a level and the current components.
const std::vector<int> kTwoItems = {VNK_ITEM_LEVEL, VNK_ITEM_LEVEL};
const std::vector<int> kCurrentItems = {VNK_ITEM_LEVEL, 100021, 100022};

// Apart for every time step, item and cell; cell 5 of items 2 and 3 is dry.
float cellValue(int step, int itemNo, int cell) {
    if (itemNo > 1 && cell == 5) return kDelete;
    return static_cast<float>(100 * step + 10 * itemNo + cell) * (itemNo == 3 ? -0.5f : 1.0f);
}

// A file of type 1 with the items ("item N", m/s for the components, else m) on the grid,
// element statistics, item 1 associated with static item 1, and two time steps.
std::string writeFile(const lrxtest::TempDir& dir, int dataType, const std::vector<int>& itemTypes) {
    const std::string path = dir.path("plugin" + std::to_string(dataType) + ".gbx");
    const int count = static_cast<int>(itemTypes.size());
    GbxHeader* header = nullptr;
    gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "plugin", "test", 1, count, 2, &header);
    gbxSetEqTimeAxis(header, VNK_UNIT_SECOND, 0, 60, 0);
    gbxSetDataType(header, dataType);
    for (int n = 1; n <= count; ++n) {
        const std::string name = "item " + std::to_string(n);
        const int unit = itemTypes[n - 1] == VNK_ITEM_LEVEL ? VNK_UNIT_METRE : 2000;
        gbxSetItemInfo(header, gbxItemD(header, n), itemTypes[n - 1], name.c_str(), unit, LRX_FLOAT);
        gbxSetItemAxisEqD2(gbxItemD(header, n), VNK_UNIT_METRE, 4, 3, 0, 0, 1, 1);
    }
    gbxSetAssocStatic(header, 1, 1);
    GbxFile* file = nullptr;
    EXPECT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    float grid[kCells];
    for (int t = 0; t < 2; ++t) {
        for (int n = 1; n <= count; ++n) {
            for (int c = 0; c < kCells; ++c)
                grid[c] = cellValue(t, n, c);
            EXPECT_EQ(gbxWriteItemTimeStep(header, file, t * 60.0, grid), 0);
        }
    }
    EXPECT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
    return path;
}

// A file opened by gbxFileRead; closed and destroyed (unloading a plug-in) at the end.
struct Opened {
    explicit Opened(const std::string& path) { EXPECT_EQ(gbxFileRead(path.c_str(), &header, &file), 0); }
    ~Opened() {
        if (file != nullptr) gbxFileClose(header, &file);
        gbxHeaderDestroy(&header);
    }
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
};

class PluginTest : public ::testing::Test {
protected:
    // A missing folder and an empty entry before the folders that hold the plug-ins.
    void SetUp() override {
        const std::string folders = dir.path("missing") + "::" + LRX_TEST_PLUGIN_DIR + ":" + LRX_EXAMPLE_PLUGIN_DIR;
        setenv("LRX_PLUGIN_PATH", folders.c_str(), 1);
        gCalls.clear();
    }

    lrxtest::TempDir dir;
};

TEST_F(PluginTest, EnablingShowsThePluginsItemsBuiltFromCopiesOfTheFiles) {
    Opened opened(writeFile(dir, kFullPlugin, kTwoItems));
    GbxHeader* header = opened.header;
    ASSERT_EQ(gbxEnablePlugin(header, opened.file), 0);
    Calls calls = {"initialize", "items"};
    for (const std::string n : {"1", "2", "3"}) {
        for (const char* entry : {"derived ", "info ", "valuetype ", "stats ", "axistype ", "axiseq "})
            calls.push_back(entry + n);
    }
    EXPECT_EQ(gCalls, calls);
    ASSERT_EQ(gbxGetNoOfItems(header), 3);
    EXPECT_EQ(header->fileItemCount, 2);
    const GbxItem* items = header->items;
    EXPECT_STREQ(items[1].name, "item 2");
    EXPECT_EQ(std::vector<int>({items[0].valueType, items[1].valueType, items[2].valueType}),
              std::vector<int>({2, 2, 0}))
        << "value type 4 is ignored";
    EXPECT_NE(items[0].elementStats, nullptr);
    EXPECT_EQ(gbxGetNoAssocStatic(header, 1), 1);
    // The extra item: item 1's definition without its statistics table and associations.
    EXPECT_STREQ(items[2].name, "sum");
    EXPECT_EQ(items[2].itemType, VNK_ITEM_LEVEL);
    EXPECT_EQ(items[2].isDerived, 1);
    EXPECT_EQ(items[2].elementStats, nullptr);
    EXPECT_EQ(gbxGetNoAssocStatic(header, 3), 0);
    EXPECT_EQ(std::vector<double>({items[2].minValue, items[2].maxValue, items[2].deleteCount}),
              std::vector<double>({-1, 5, 3}));
    int nx = 0, ny = 0;
    float x0 = 0, y0 = 0, dx = 0, dy = 0;
    EXPECT_EQ(gbxGetItemAxisEqD2(gbxItemD(header, 3), nullptr, nullptr, &nx, &ny, &x0, &y0, &dx, &dy), 0);
    EXPECT_EQ(std::vector<float>({float(nx), float(ny), x0, y0, dx, dy}), std::vector<float>({4, 3, 3, 3, 2, 2}));
}

TEST_F(PluginTest, ReadsAndSkipsCallTheTimeStepEntriesInOrder) {
    Opened opened(writeFile(dir, kFullPlugin, kTwoItems));
    ASSERT_EQ(gbxEnablePlugin(opened.header, opened.file), 0);
    gCalls.clear();
    float grid[kCells];
    std::vector<double> times;
    for (int n = 0; n < 6; ++n) {
        double time = -1;
        ASSERT_EQ(gbxReadItemTimeStep(opened.header, opened.file, &time, grid), 0);
        times.push_back(time);
        const int step = n / 3, itemNo = n % 3 + 1;
        const float expected = itemNo < 3 ? cellValue(step, itemNo, 7) : cellValue(step, 1, 7) + cellValue(step, 2, 7);
        EXPECT_EQ(grid[7], expected) << "read " << n;
    }
    EXPECT_EQ(times, std::vector<double>({0, 0, 0, 1, 1, 1}));
    const Calls step = {"newtimestep", "read 1", "read 2", "read 3"};
    Calls calls = step;
    calls.insert(calls.end(), step.begin(), step.end());
    EXPECT_EQ(gCalls, calls);

    gCalls.clear();
    ASSERT_EQ(gbxFindBlockDynamic(opened.header, opened.file), 0);
    ASSERT_EQ(gbxSkipTimeStep(opened.header, opened.file), 0);
    EXPECT_EQ(gCalls, Calls({"newtimestep"}));
    ASSERT_EQ(gbxReadItemTimeStep(opened.header, opened.file, nullptr, grid), 0);
    EXPECT_EQ(grid[0], cellValue(1, 1, 0)) << "the skip passed over the underlying time step";
}

TEST_F(PluginTest, UnloadingTerminatesAndKeepsTheItems) {
    Opened opened(writeFile(dir, kFullPlugin, kTwoItems));
    ASSERT_EQ(gbxEnablePlugin(opened.header, opened.file), 0);
    gCalls.clear();
    ASSERT_EQ(gbxEnablePlugin(opened.header, opened.file), 0);
    EXPECT_EQ(Calls(gCalls.begin(), gCalls.begin() + 2), Calls({"terminate", "initialize"}));
    gCalls.clear();
    EXPECT_EQ(gbxUnloadPlugin(opened.header), 0);
    EXPECT_EQ(gbxUnloadPlugin(opened.header), 0);
    EXPECT_EQ(gCalls, Calls({"terminate"}));
    EXPECT_EQ(gbxGetNoOfItems(opened.header), 3);

    ASSERT_EQ(gbxEnablePlugin(opened.header, opened.file), 0);
    gCalls.clear();
    gbxFileClose(opened.header, &opened.file);
    EXPECT_TRUE(gCalls.empty()) << "closing the file leaves the plug-in loaded";
    gbxHeaderDestroy(&opened.header);
    EXPECT_EQ(gCalls, Calls({"terminate"}));
}

TEST_F(PluginTest, RefusedPluginLeavesTheHeaderAsItWas) {
    struct Case {
        int dataType;
        int result;
        Calls calls;
    };
    const std::vector<Case> cases = {
        {9104, -1, {}},              // no gbxExtReadItemTimeStep
        {9106, -1, {}},              // an axis type without axis parameters
        {9107, -1, {"initialize"}},  // initialisation fails
        {9105, -1, {"initialize", "items", "derived 1", "info 1", "valuetype 1", "stats 1", "axistype 1", "terminate"}},
        {9999, -3, {}},       // no such library
        {INT_MIN, -3, {}},    // a number beyond 32 bits
        {0, -2, {}},
    };
    for (const Case& c : cases) {
        Opened opened(writeFile(dir, c.dataType, kTwoItems));
        gCalls.clear();
        const auto* bytes = reinterpret_cast<const unsigned char*>(opened.header);
        const std::vector<unsigned char> before(bytes, bytes + sizeof(GbxHeader));
        EXPECT_EQ(gbxEnablePlugin(opened.header, opened.file), c.result) << c.dataType;
        EXPECT_EQ(gCalls, c.calls) << c.dataType;
        EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + sizeof(GbxHeader)), before) << c.dataType;
    }
}

TEST_F(PluginTest, OnlyAFileOpenForReadingTakesAPlugin) {
    const std::string path = writeFile(dir, kFullPlugin, kTwoItems);
    for (auto open : {gbxFileEdit, gbxFileAppend}) {
        GbxHeader* header = nullptr;
        GbxFile* file = nullptr;
        ASSERT_EQ(open(path.c_str(), &header, &file), 0);
        EXPECT_EQ(gbxEnablePlugin(header, file), -1);
        gbxFileClose(header, &file);
        gbxHeaderDestroy(&header);
    }
    Opened opened(path);
    EXPECT_EQ(gbxEnablePlugin(opened.header, nullptr), -1);
    EXPECT_EQ(gbxEnablePlugin(nullptr, opened.file), -1);
    EXPECT_TRUE(gCalls.empty());
}

TEST_F(PluginTest, ItemCountAndPerItemFailuresOfThePlugin) {
    Opened fewer(writeFile(dir, 9102, kTwoItems));
    ASSERT_EQ(gbxEnablePlugin(fewer.header, fewer.file), 0);
    EXPECT_EQ(gbxGetNoOfItems(fewer.header), 1);
    EXPECT_EQ(gbxUnloadPlugin(fewer.header), 0) << "no terminate entry";
    EXPECT_EQ(gCalls, Calls({"items", "derived 1", "info 1"}));

    Opened none(writeFile(dir, 9103, kTwoItems));
    ASSERT_EQ(gbxEnablePlugin(none.header, none.file), 0);
    EXPECT_EQ(gbxGetNoOfItems(none.header), 0);

    // The last failing entry gives the result; the plug-in stays.
    Opened failing(writeFile(dir, 9108, kTwoItems));
    EXPECT_EQ(gbxEnablePlugin(failing.header, failing.file), 55);
    EXPECT_STREQ(failing.header->items[2].name, "sum");
    EXPECT_EQ(failing.header->items[1].valueType, 0) << "no value type without the item's info";
}

TEST_F(PluginTest, ExamplePluginAddsCurrentSpeedAndDirection) {
    // Data type -7 loads the plug-in for 7.
    Opened opened(writeFile(dir, -7, kCurrentItems));
    GbxHeader* header = opened.header;
    ASSERT_EQ(gbxEnablePlugin(header, opened.file), 0);
    ASSERT_EQ(gbxGetNoOfItems(header), 5);
    std::vector<int> types(5), units(5);
    for (int n = 0; n < 5; ++n)
        gbxGetItemInfo(gbxItemD(header, n + 1), &types[n], nullptr, nullptr, &units[n], nullptr, nullptr);
    EXPECT_STREQ(header->items[3].name, "Current speed");
    EXPECT_EQ(types, std::vector<int>({VNK_ITEM_LEVEL, 100021, 100022, 100020, 100030}));
    EXPECT_EQ(units, std::vector<int>({VNK_UNIT_METRE, 2000, 2000, 2000, 2201}));
    EXPECT_EQ(gbxGetItemXYSize(gbxItemD(header, 4)), kCells);
    double min = 0, max = 0;
    int deletes = 0;
    gbxGetItemStatsGlobal(gbxItemD(header, 5), &min, &max, &deletes);
    EXPECT_EQ(std::vector<double>({min, max, double(deletes)}), std::vector<double>({0, 360, 2}));

    float grid[5][kCells];
    for (int t = 0; t < 2; ++t) {
        for (auto& values : grid)
            ASSERT_EQ(gbxReadItemTimeStep(header, opened.file, nullptr, values), 0);
        for (int c = 0; c < kCells; ++c) {
            const float u = cellValue(t, 2, c), v = cellValue(t, 3, c);
            EXPECT_EQ(grid[1][c], u);
            // Where the components are dry, so are speed and direction.
            EXPECT_FLOAT_EQ(grid[3][c], c == 5 ? kDelete : std::hypot(u, v));
            EXPECT_FLOAT_EQ(grid[4][c], c == 5 ? kDelete : float(std::atan2(u, v) * 180 / std::numbers::pi));
        }
    }
}

// Opens the file, enables its plug-in and reads one time step; the first code other than 0.
// Makes no allocation of its own. A plug-in that cannot be enabled leaves the header with the
// file's own items.
int enableAndRead(const std::string& path, int items, bool* headerChanged) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = gbxFileRead(path.c_str(), &header, &file);
    if (code == 0) {
        code = gbxEnablePlugin(header, file);
        if (code != 0 && gbxGetNoOfItems(header) != items) *headerChanged = true;
    }
    float grid[kCells];
    for (int n = 1; n <= gbxGetNoOfItems(header) && code == 0; ++n)
        code = gbxReadItemTimeStep(header, file, nullptr, grid);
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return code;
}

// Whichever allocation fails while a file is opened and its plug-in enabled and read, the run
// ends in 2000 and the header keeps the file's items, or it succeeds.
TEST_F(PluginTest, EveryFailingAllocationOfAnEnablingEndsIn2000OrIsDoneWithout) {
    const std::string path = writeFile(dir, -7, kCurrentItems);
    const int descriptors = lrxtest::openDescriptors();
    int code = 0;
    bool headerChanged = false;
    const lrxtest::SweepTally tally = lrxtest::sweepFault(
        lrxtest::Fault::Allocation, [&] { return (code = enableAndRead(path, 3, &headerChanged)) == 0; },
        [&](int64_t k, bool succeeded) {
            if (!succeeded) {
                EXPECT_EQ(code, F_ERR_MEMORY) << "allocation " << k;
            }
            EXPECT_FALSE(headerChanged) << "allocation " << k;
            ASSERT_EQ(lrxtest::openDescriptors(), descriptors) << "allocation " << k;
        });
    lrxtest::printTally("enable plug-in", lrxtest::Fault::Allocation, tally);
    EXPECT_GT(tally.points, 10);
}

}  // namespace

// Exported by the test program for the test plug-ins.
extern "C" void pluginTestRecord(const char* entry, int itemNo) {
    gCalls.push_back(itemNo > 0 ? std::string(entry) + " " + std::to_string(itemNo) : entry);
}

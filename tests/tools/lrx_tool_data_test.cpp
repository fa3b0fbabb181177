// `lrx info --json`, `lrx dump` and `lrx check` run as a user runs them, on the demo, a
// compressed file on a non-equidistant calendar axis and a time series, sound and damaged.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/toolrun.h"

namespace {

using namespace lrxtest;

TEST(LrxToolInfo, JsonHoldsTimeAxisStatisticsAndCustomBlocks) {
    TempDir dir;
    const std::string path = writeDemoFile(dir);
    const RunResult info = runLrx(dir, {"info", "--json", path});
    ASSERT_EQ(info.status, 0) << info.err;
    writeBytes(dir.path("info.json"), Bytes(info.out.begin(), info.out.end()));
    const std::string script =
        "import json,sys\n"
        "d = json.load(open(sys.argv[1]))\n"
        "t = d['time_axis']; i = d['items'][0]\n"
        "print(t['start'], t['step'], t['count'], t['end'])\n"
        "print(i['name'], i['unit']['name'], i['axis']['type']['name'], i['axis']['size'], i['statistics'])\n"
        "print(d['geographic']['projection'], d['statics'][0]['name'], d['custom_blocks'][0]['values'])\n";
    const RunResult read = runProgram(dir, LRX_PYTHON_PATH, {"-c", script, dir.path("info.json")});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(linesOf(read.out),
              (std::vector<std::string>{
                  "2026-01-01T00:00:00 3600 100 2026-01-05T03:00:00",
                  "Water level m EqD2 [20, 10] {'minimum': -1.2, 'maximum': 1.29, 'delete_values': 1200}",
                  "UTM-32 Bathymetry [-2, 2, 0.25]"}));
}

TEST(LrxToolDump, TimeSeriesHaveOneRowPerStepAndOneColumnPerItem) {
    TempDir dir;
    const std::string path = writeTimeSeriesFile(dir);
    const RunResult all = runLrx(dir, {"dump", path});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, "time,Level,Flow\n100,1.5,12.5\n160,1.75,25\n220,,37.5\n280,2.25,50\n");
    const RunResult chosen = runLrx(dir, {"dump", path, "--steps", "1:3:2", "--item", "Flow", "--item", "1",
                                          "--delimiter", ";", "--delete-as", "NA"});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.out, "time;Flow;Level\n160;25;1.75\n280;50;2.25\n");
    const RunResult deleted = runLrx(dir, {"dump", path, "--steps", "2:2", "--delete-as", "NA"});
    EXPECT_EQ(deleted.out, "time,Level,Flow\n220,NA,37.5\n");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--item", "Depth"}, std::vector<std::string>{"--steps", "3:1"}}) {
        std::vector<std::string> args = {"dump", path};
        args.insert(args.end(), wrong.begin(), wrong.end());
        const RunResult refused = runLrx(dir, args);
        EXPECT_EQ(refused.status, 2) << wrong[1];
        EXPECT_EQ(refused.out, "");
    }
}

TEST(LrxToolDump, GridsHaveOneRowPerCellWithIndicesCoordinatesAndCalendarTime) {
    TempDir dir;
    const std::string path = writeCompressedFile(dir);
    const RunResult dump = runLrx(dir, {"dump", path, "--steps", "3:3"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    const std::vector<std::string> lines = linesOf(dump.out);
    ASSERT_EQ(lines.size(), 1u + 24u);
    EXPECT_EQ(lines[0], "time,i,j,x,y,Salinity,Wet cells");
    // Cell 0 is not among the stored cells; cell 9 (i 3, j 1) is.
    EXPECT_EQ(lines[1], "2024-02-29T05:15:00,0,0,10,20,,");
    EXPECT_EQ(lines[10], "2024-02-29T05:15:00,3,1,160,45,33.25,137");
}

TEST(LrxToolDump, StaticItemsHaveNoTimeColumn) {
    TempDir dir;
    const std::string path = writeDemoFile(dir);
    const RunResult dump = runLrx(dir, {"dump", path, "--statics", "--delete-as", "land"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    const std::vector<std::string> lines = linesOf(dump.out);
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[0], "i,j,x,y,Bathymetry");
    EXPECT_EQ(lines[1], "0,0,0,0,land");
    EXPECT_EQ(lines[200], "19,9,1900,900,11.5");
}

TEST(LrxToolCheck, SoundFilesPass) {
    TempDir dir;
    for (const std::string& path : {writeDemoFile(dir), writeCompressedFile(dir)}) {
        const RunResult check = runLrx(dir, {"check", path});
        EXPECT_EQ(check.status, 0) << path << "\n" << check.out << check.err;
        EXPECT_EQ(check.err, "");
        EXPECT_NE(check.out.find("the statistics agree with the values"), std::string::npos) << check.out;
    }
}

// The demo damaged at its end: one time step is 2419 bytes (an empty head block of 4 bytes
// and three records of 200 floats), so its last record begins 805 bytes before the end.
TEST(LrxToolCheck, NamesTheFirstDamageWithItsOffset) {
    struct Damage {
        const char* what;
        std::size_t cut;      // bytes cut off the end
        std::size_t fromEnd;  // byte changed, counted from the end (0: none)
        std::vector<unsigned char> bytes;
        const char* printed;
        const char* message;
    };
    const std::vector<Damage> damages = {
        {"cut",
         100,
         0,
         {},
         "the file holds 99 whole time steps of the 100 its header counts",
         "truncated: 99 whole time steps of 100 (end of file)"},
        {"value changed",
         0,
         100,
         {0, 0, 0xC6, 0x42},
         "the statistics in the definition of item 3 \"V velocity\" disagree with its values: stored maximum 0.1, the "
         "values give 99",
         "(error 2010: data that do not fit their description)"},
        {"record type changed",
         0,
         2 * 805,
         {2},
         "expected a float record of 200 values for item 2 \"U velocity\" of time step 99, found a double record of "
         "200 values",
         "(error 2019: a block or record out of place)"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        TempDir dir;
        const std::string path = writeDemoFile(dir);
        Bytes bytes = readBytes(path);
        if (damage.fromEnd != 0)
            std::memcpy(&bytes[bytes.size() - damage.fromEnd], damage.bytes.data(), damage.bytes.size());
        bytes.resize(bytes.size() - damage.cut);
        writeBytes(path, bytes);
        const RunResult check = runLrx(dir, {"check", path});
        EXPECT_EQ(check.status, 1);
        EXPECT_NE(check.out.find("damage          at offset "), std::string::npos) << check.out;
        EXPECT_NE(check.out.find(damage.printed), std::string::npos) << check.out;
        EXPECT_NE(check.err.find(damage.message), std::string::npos) << check.err;
    }
}

}  // namespace

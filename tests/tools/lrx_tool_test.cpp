// The `lrx` command run as a user runs it: the listing of the demo file, the file header of
// other kinds and byte orders, damaged files, files that are no record files, and usage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "lrx/gbx.h"
#include "src/lrx/lrxfile.h"
#include "support/tempfiles.h"
#include "tools/toolrun.h"

namespace {

using namespace lrxtest;

// The element listing: the lines after the blank line that ends the file header.
std::vector<std::string> listingOf(const std::string& out) {
    const std::vector<std::string> lines = linesOf(out);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines.end());
    }
    return {};
}

// The plain record file of examples/write_blocks.
std::string writeBlocksFile(const TempDir& dir) {
    const std::string path = dir.path("blocks.dat");
    const RunResult written = runProgram(dir, LRX_WRITE_BLOCKS_PATH, {path});
    EXPECT_EQ(written.status, 0) << written.err;
    return path;
}

// True for a text of the shape "yyyy-mm-dd hh:mm:ss".
bool isDateAndTime(const std::string& text) {
    const std::string shape = "dddd-dd-dd dd:dd:dd";
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

using Elements = std::vector<std::pair<int64_t, std::string>>;

std::string listingLine(int64_t offset, const std::string& element) {
    char text[160];
    std::snprintf(text, sizeof text, "%10lld  %s", static_cast<long long>(offset), element.c_str());
    return text;
}

// A listing: the column heads, then one line per offset and element text.
std::vector<std::string> listing(const Elements& elements) {
    std::vector<std::string> lines = {"    offset  element"};
    for (const auto& [offset, element] : elements)
        lines.push_back(listingLine(offset, element));
    return lines;
}

// The listing of the demo file, up to (not including) the line of the given offset.
std::vector<std::string> demoListingBefore(int64_t offset) {
    const Elements all = {
        {130, "block 1 (2 records)"},
        {133, "  float (3 values)"},
        {150, "  double (2 values)"},
        {171, "terminator"},
        {172, "block 2 (5 records)"},
        {175, "  byte (5 values)"},
        {185, "  integer*2 (4 values)"},
        {198, "  unsigned*2 (2 values)"},
        {207, "  integer*4 (3 values)"},
        {224, "  unsigned*4 (1 value)"},
        {233, "terminator"},
        {234, "integer*4 (2 values)"},
        {247, "block 3 (0 records)"},
        {250, "terminator"},
        {251, "double (1 value)"},
        {264, "end of file"},
    };
    Elements before;
    for (const auto& element : all) {
        if (element.first < offset) before.push_back(element);
    }
    return listing(before);
}

TEST(LrxTool, ListsTheDemoFileHeaderAndEveryElementWithItsOffset) {
    TempDir dir;
    const std::string path = writeBlocksFile(dir);
    const RunResult result = runLrx(dir, {"blocks", path});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0], "file            " + path);
    EXPECT_EQ(lines[1], "kind tag        \"GBX_\" (0x5F584247)");
    EXPECT_EQ(lines[2], "byte order      little-endian (host order)");
    EXPECT_EQ(lines[3], "record layer    version 104 at creation, 104 at last edit");
    EXPECT_EQ(lines[4], "application     version 206 at creation, 206 at last edit");
    EXPECT_TRUE(isDateAndTime(lines[5].substr(16))) << lines[5];
    EXPECT_TRUE(isDateAndTime(lines[6].substr(16))) << lines[6];
    EXPECT_EQ(lines[5].substr(0, 16), "created         ");
    EXPECT_EQ(lines[6].substr(0, 16), "last edited     ");
    EXPECT_EQ(lines[7], "lrxBase         82");
    EXPECT_EQ(lines[8], "appBase         130");
    EXPECT_EQ(listingOf(result.out), demoListingBefore(INT64_MAX));
}

// Damage is made by cutting the demo file or by changing one of its bytes.
struct Damage {
    const char* what;
    std::size_t cutAt;   // 0: not cut
    std::size_t byteAt;  // 0: no byte changed
    unsigned char byte;
    std::vector<std::string> listing;
    std::string message;
};

const std::string kOutOfPlace = "error 2019: a block or record out of place";
const std::string kWrongType = "error 2009: a record of the wrong type";

TEST(LrxTool, StopsWithExitOneAtTheFirstDamagedElement) {
    std::vector<std::string> afterFirstBlock = demoListingBefore(172);
    afterFirstBlock.push_back(listingLine(172, "damaged: terminator outside a block (" + kOutOfPlace + ")"));
    const std::vector<Damage> damages = {
        {"record cut short", 160, 0, 0,
         listing({{130, "block 1 (1 record, no terminator)"},
                  {133, "  float (3 values)"},
                  {150, "damaged: double record of 2 values needs 21 bytes, 10 remain (end of file)"}}),
         "damaged element at offset 150 (end of file)"},
        {"record head cut short", 152, 0, 0,
         listing({{130, "block 1 (1 record, no terminator)"},
                  {133, "  float (3 values)"},
                  {150, "damaged: element head cut off by the end of the file (end of file)"}}),
         "damaged element at offset 150 (end of file)"},
        {"file ends before the terminator", 171, 0, 0,
         listing({{130, "block 1 (2 records, no terminator)"},
                  {133, "  float (3 values)"},
                  {150, "  double (2 values)"},
                  {171, "damaged: end of file inside block 1, which has no terminator (" + kOutOfPlace + ")"}}),
         "damaged element at offset 171 (" + kOutOfPlace + ")"},
        {"unknown type byte", 0, 150, 0x09,
         listing({{130, "block 1 (1 record, no terminator)"},
                  {133, "  float (3 values)"},
                  {150, "damaged: unknown element type byte 0x09 (" + kWrongType + ")"}}),
         "damaged element at offset 150 (" + kWrongType + ")"},
        {"zero type byte", 0, 171, 0x00,
         listing({{130, "block 1 (2 records, no terminator)"},
                  {133, "  float (3 values)"},
                  {150, "  double (2 values)"},
                  {171, "damaged: element type byte 0x00 (" + kWrongType + ")"}}),
         "damaged element at offset 171 (" + kWrongType + ")"},
        {"block head inside a block", 0, 171, 0xFE,
         listing({{130, "block 1 (2 records, no terminator)"},
                  {133, "  float (3 values)"},
                  {150, "  double (2 values)"},
                  {171, "damaged: block head 766 inside block 1, which has no terminator (" + kOutOfPlace + ")"}}),
         "damaged element at offset 171 (" + kOutOfPlace + ")"},
        {"terminator outside a block", 0, 172, 0xFF, afterFirstBlock,
         "damaged element at offset 172 (" + kOutOfPlace + ")"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        TempDir dir;
        const std::string path = writeBlocksFile(dir);
        Bytes bytes = readBytes(path);
        ASSERT_EQ(bytes.size(), 264u);
        if (damage.cutAt != 0) bytes.resize(damage.cutAt);
        if (damage.byteAt != 0) bytes[damage.byteAt] = damage.byte;
        writeBytes(path, bytes);

        const RunResult result = runLrx(dir, {"blocks", path});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "lrx: " + path + ": " + damage.message + "\n");
        EXPECT_EQ(listingOf(result.out), damage.listing);
    }
}

// A cross-section-kind file written big-endian: magic and every multi-byte field reversed.
Bytes bigEndianFile() {
    Bytes out;
    putText(out, "_BLO");
    putBig(out, 0x5F4E5343, 4);  // "CSN_"
    putText(out, " FENN Alto - this file contains binary data, do not edit");
    out.push_back(0x1A);
    for (int round = 0; round < 2; ++round) {
        for (int field : {2007, 3, 5, 9, 4, 3})
            putBig(out, static_cast<uint64_t>(field), 2);
        putBig(out, 104, 4);
        putBig(out, 104, 4);
    }
    putBig(out, 0, 8);
    out.insert(out.end(), {0xFE, 0x00, 0x07, 0x06});
    putBig(out, 2, 4);
    putBig(out, 1, 2);
    putBig(out, 0xFFFE, 2);
    out.push_back(0xFF);
    return out;
}

TEST(LrxTool, ListsBigEndianFileInItsOwnByteOrder) {
    TempDir dir;
    const std::string path = dir.path("section.dat");
    writeBytes(path, bigEndianFile());
    const RunResult result = runLrx(dir, {"blocks", path});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[1], "kind tag        \"CSN_\" (0x5F4E5343)");
    EXPECT_EQ(lines[2], "byte order      big-endian (swapped to host order on reading)");
    EXPECT_EQ(lines[4], "application     version 104 at creation, 104 at last edit");
    EXPECT_EQ(lines[5], "created         2007-03-05 09:04:03");
    EXPECT_EQ(lines[7], "lrxBase         65");
    EXPECT_EQ(lines[8], "appBase         113");
    EXPECT_EQ(
        listingOf(result.out),
        listing(
            {{113, "block 7 (1 record)"}, {116, "  integer*2 (2 values)"}, {125, "terminator"}, {126, "end of file"}}));
}

TEST(LrxTool, EscapesKindTagBytesThatAreNotPrintable) {
    TempDir dir;
    const std::string path = dir.path("nokind.dat");
    LrxFile* file = nullptr;
    ASSERT_EQ(lrxFileOpenCreate(path.c_str(), nullptr, &file, nullptr), 0);
    lrxFileClose(&file);
    const RunResult result = runLrx(dir, {"blocks", path});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[1], "kind tag        \"\\x03\\x03\\x03\\x03\" (0x03030303)");
    EXPECT_EQ(listingOf(result.out), listing({{113, "end of file"}}));
}

TEST(LrxTool, NamesTheCodeWhenAFileIsNoRecordFile) {
    struct Case {
        const char* what;
        Bytes content;  // empty: the file is not made
        const char* message;
    };
    Bytes headerCut;
    putText(headerCut, "OLB_GBX_ FENN Alto");
    const std::vector<Case> cases = {
        {"text file", Bytes{'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd', '\n'},
         "not a record file (error 2014: not a record file (no magic at its start))"},
        {"shorter than the magic", Bytes{'O', 'L'},
         "cannot read a record-file magic (error 2001: cannot read from the file)"},
        {"header cut off", headerCut, "the file ends inside its header (end of file)"},
        {"missing file", Bytes{}, "cannot open the file (error 2003: cannot open the file)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.path("input.txt");
        if (!c.content.empty()) writeBytes(path, c.content);
        const RunResult result = runLrx(dir, {"blocks", path});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "lrx: " + path + ": " + c.message + "\n");
    }
}

TEST(LrxTool, WrongCommandLineExitsTwoAndHelpListsEveryVerb) {
    const std::vector<std::vector<std::string>> commandLines = {
        {},
        {"frobnicate"},
        {"blocks"},
        {"blocks", "a.dat", "b.dat"},
        {"--blocks", "a.dat"},
        {"dump", "a.gbx", "--precision", "0"},
        {"convert", "a.gbx", "b.nc", "--classic", "--deflate", "4"},
        {"convert", "a.gbx", "b.txt"},
    };
    for (const auto& args : commandLines) {
        TempDir dir;
        const RunResult result = runLrx(dir, args);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "") << testing::PrintToString(args);
    }
    TempDir dir;
    const RunResult help = runLrx(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* verb : {"info", "blocks", "dump", "check", "convert"})
        EXPECT_NE(help.out.find(std::string("\n  ") + verb + " "), std::string::npos) << verb << "\n" << help.out;
    const RunResult dumpHelp = runLrx(dir, {"dump", "--help"});
    EXPECT_EQ(dumpHelp.status, 0);
    EXPECT_NE(dumpHelp.out.find("--delete-as"), std::string::npos) << dumpHelp.out;
    const RunResult version = runLrx(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("lrx ", 0), 0u) << version.out;
}

}  // namespace

TEST(LrxToolInfo, DescribesTheDemoDataFile) {
    TempDir dir;
    const std::string path = writeDemoFile(dir);
    const RunResult info = runLrx(dir, {"info", path});
    EXPECT_EQ(info.status, 0) << info.err;
    const std::vector<std::string> lines = linesOf(info.out);
    for (const char* expected : {
             "title           Harbour model results",
             "time axis       3 F_CAL_EQ_AXIS",
             "  start         2026-01-01 00:00:00",
             "  step          3600 s",
             "  time steps    100",
             "  end           2026-01-05 03:00:00",
             "geographic      UTM-32, origin longitude 9.55 latitude 55.7, orientation 0",
             "items           3",
             "  1 \"Water level\"  Water Level (100000), unit m (1000), float",
             "    axis EqD2 20 x 10, origin (0, 0), spacing (100, 100), unit m (1000)",
             "static items    1",
             "  \"Display range\"  float x 3",
         }) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected << "\n" << info.out;
    }
}

TEST(LrxToolInfo, RefusesFilesThatAreNoDataFiles) {
    TempDir dir;
    const std::string text = dir.path("notes.txt");
    writeBytes(text, Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    const std::string blocks = writeBlocksFile(dir);
    // A text file, a missing file, and a record file whose blocks are no data-file header.
    for (const auto& [path, reason] : {std::pair{text, std::string("(error 2014: not a record file")},
                                       {dir.path("none"), std::string("(error 2003: cannot open the file)")},
                                       {blocks, std::string("(error 2016: a block that does not belong there)")}}) {
        const RunResult info = runLrx(dir, {"info", path});
        EXPECT_EQ(info.status, 1) << path;
        EXPECT_NE(info.err.find(path + ": cannot read the data file " + reason), std::string::npos) << info.err;
    }
}

// A file of data type 7 with the two current components: the example plug-in adds current
// speed and direction, unless asked not to. (The sanitizers' own dlopen does not search the
// tool's run path, so the plug-in's folder is named.)
TEST(LrxToolInfo, ShowsThePluginsItemsUnlessAskedNotTo) {
    TempDir dir;
    const std::string path = dir.path("currents.gbx");
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "currents", "test", 1, 2, 1, &header), 0);
    gbxSetDataType(header, 7);
    gbxSetEqTimeAxis(header, 1400, 0, 60, 0);
    for (int n = 1; n <= 2; ++n) {
        gbxSetItemInfo(header, gbxItemD(header, n), 100020 + n, n == 1 ? "U" : "V", 2000, LRX_FLOAT);
        gbxSetItemAxisEqD1(gbxItemD(header, n), 1000, 3, 0, 1);
    }
    ASSERT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    const float values[3] = {1, 2, 3};
    for (int n = 0; n < 2; ++n)
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, 0, values), 0);
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);

    setenv("LRX_PLUGIN_PATH", LRX_EXAMPLE_PLUGIN_DIR, 1);
    const std::vector<std::string> derived = linesOf(runLrx(dir, {"info", path}).out);
    const std::vector<std::string> own = linesOf(runLrx(dir, {"info", "--no-plugin", path}).out);
    unsetenv("LRX_PLUGIN_PATH");
    EXPECT_NE(std::find(derived.begin(), derived.end(), "items           4"), derived.end());
    EXPECT_NE(std::find(own.begin(), own.end(), "items           2"), own.end());
}

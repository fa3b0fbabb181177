// Cross-section files made by hand: older versions with shorter blocks, and damaged files,
// which give the load's codes or invalid sections, never a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "src/xsec/csnbuild.h"
#include "xsec/xsecfiles.h"

using namespace lrxtest;

namespace {

RawBlock doubles(uint16_t id, std::vector<int> counts) {
    RawBlock block{id, {}};
    for (int count : counts)
        block.records.push_back(record(LRX_DOUBLE, std::vector<double>(static_cast<size_t>(count), 4.5)));
    return block;
}

RawBlock rawBlock(int count) {
    RawBlock block = doubles(259, {count, count, count, count});
    for (int i = 0; i < 2; ++i)
        block.records.push_back(record(LRX_UINT2, std::vector<uint16_t>(static_cast<size_t>(count), 7)));
    return block;
}

std::vector<RawBlock> section(const std::string& key1, std::vector<RawBlock> points = {}) {
    std::vector<RawBlock> blocks = {textsBlock(key1, 0.5, "k"), codesBlock(24, 15)};
    blocks.insert(blocks.end(), points.begin(), points.end());
    return blocks;
}

std::vector<RawBlock> joined(std::initializer_list<std::vector<RawBlock>> parts) {
    std::vector<RawBlock> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

// The creating version and the length of the 257 block say how many codes and values are
// taken; a record that holds fewer gives only what it holds. Defaults stay for the rest.
TEST(CsnOlderFiles, CreatingVersionDecidesHowManyCodesAndValuesAreTaken) {
    const struct {
        int32_t version;
        bool extraText;
        int codesHeld, valuesHeld, codes, values;
    } cases[] = {
        {104, true, 24, 15, 24, 15}, {104, false, 24, 15, 24, 15}, {105, true, 24, 15, 24, 15},
        {103, true, 24, 15, 23, 10}, {103, false, 24, 15, 23, 9},  {102, true, 24, 15, 21, 10},
        {102, false, 24, 15, 21, 9}, {101, true, 24, 15, 20, 10},  {100, false, 24, 15, 16, 9},
        {104, true, 5, 3, 5, 3},
    };
    TempDir dir;
    const std::string path = dir.path("old.csn");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + (c.extraText ? " with" : " without") + " extra text");
        writeBlocks(path, c.version,
                    {textsBlock("a", 1, "b", c.extraText ? "x" : nullptr), codesBlock(c.codesHeld, c.valuesHeld)});
        TablePtr table = loadTable(path);
        EXPECT_EQ(csnFormatVersion(), c.version);
        CsnXsecRecord* s = csnXsecFind(table.get(), "a", 1, "b", nullptr);
        ASSERT_NE(s, nullptr);
        EXPECT_STREQ(s->extraText, c.extraText ? "x" : " ");
        for (int i = 0; i < CSN_CODE_COUNT; ++i)
            EXPECT_EQ(s->codes[i], i < c.codes ? i + 1 : (i == 23 ? 2 : 0)) << "code " << i + 1;
        for (int i = 0; i < CSN_VALUE_COUNT; ++i)
            EXPECT_EQ(s->values[i], i < c.values ? i + 1 : (i < 10 ? 0.0 : 1.0)) << "value " << i + 1;
    }
}

TEST(CsnOlderFiles, RawBlockOfThreeRecordsGetsZeroArraysFourToSix) {
    TempDir dir;
    writeBlocks(dir.path("raw3.csn"), 103, section("a", {doubles(259, {4, 4, 4})}));
    TablePtr table = loadTable(dir.path("raw3.csn"));
    CsnXsecRecord* s = csnXsecFind(table.get(), "a", 0.5, "k", nullptr);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->noRaw, 4);
    EXPECT_EQ(s->raw3[3], 4.5);
    EXPECT_EQ(s->raw4[3], 0.0);
    EXPECT_EQ(s->raw5[3] + s->raw6[3], 0);
}

TEST(CsnDamagedFiles, PointBlockOfWrongStructureMakesOnlyItsSectionInvalid) {
    RawBlock byteInRaw = rawBlock(2);
    byteInRaw.records[4] = textRecord("ab");
    RawBlock floatInProcessed = doubles(261, {2, 2, 2, 2, 2});
    floatInProcessed.records.push_back(record(LRX_FLOAT, std::vector<float>{1, 2}));
    const RawBlock bad[] = {
        doubles(259, {2, 2, 2, 2, 2}),       doubles(259, {2, 2, 3}), byteInRaw,         doubles(260, {1, 1}),
        doubles(261, {2, 2, 2, 2, 2, 3}),    floatInProcessed,        RawBlock{259, {}},
    };
    TempDir dir;
    const std::string path = dir.path("bad.csn");
    for (const RawBlock& block : bad) {
        SCOPED_TRACE("block " + std::to_string(block.id) + " of " + std::to_string(block.records.size()));
        // Point blocks before the first section and blocks of unknown ids are passed over.
        writeBlocks(path, 104, joined({{rawBlock(5), doubles(260, {3}), RawBlock{999, {}}}, section("a", {rawBlock(2)}),
                                       section("b", {rawBlock(3), block}), section("c")}));
        int code = -1;
        TablePtr table = loadTable(path, 0, &code);
        ASSERT_EQ(code, 0);
        CsnXsecRecord* a = csnXsecFind(table.get(), "a", 0.5, "k", nullptr);
        CsnXsecRecord* c = csnXsecFind(table.get(), "c", 0.5, "k", nullptr);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(a->noRaw, 2);
        EXPECT_EQ(a->noSel, 0);
        EXPECT_EQ(csnXsecFind(table.get(), "b", 0.5, "k", nullptr), nullptr);
        EXPECT_EQ(csnXsecNext(table.get(), a), nullptr);
        EXPECT_EQ(csnXsecPrev(table.get(), c), nullptr);
    }
}

TEST(CsnDamagedFiles, BlocksThatMakeNoSectionFailTheLoad) {
    RawBlock twoTexts = textsBlock("a", 1, "b", nullptr);
    twoTexts.records.pop_back();
    RawBlock fiveTexts = textsBlock("a", 1, "b");
    fiveTexts.records.push_back(textRecord("e"));
    RawBlock floatPosition = textsBlock("a", 1, "b");
    floatPosition.records[1] = record(LRX_FLOAT, std::vector<float>{1});
    RawBlock oneCodeRecord = codesBlock(24, 15);
    oneCodeRecord.records.pop_back();
    RawBlock byteCodes = codesBlock(24, 15);
    byteCodes.records[0] = textRecord("codes");
    const std::vector<RawBlock> cases[] = {
        {codesBlock(24, 15)},   {twoTexts, codesBlock(24, 15)},       {fiveTexts, codesBlock(24, 15)},
        {floatPosition, codesBlock(24, 15)}, {textsBlock("a", 1, "b"), oneCodeRecord},
        {textsBlock("a", 1, "b"), byteCodes},
    };
    TempDir dir;
    const std::string path = dir.path("nosection.csn");
    for (const auto& blocks : cases) {
        writeBlocks(path, 104, joined({section("ok"), blocks}));
        int code = -1;
        EXPECT_EQ(loadTable(path, 0, &code), nullptr);
        EXPECT_EQ(code, F_ERR_DATA);
    }
}

TEST(CsnDamagedFiles, FilesThatAreNoCrossSectionFilesGiveTheOpenCodes) {
    TempDir dir;
    writeBytes(dir.path("text.csn"), Bytes{'h', 'e', 'l', 'l', 'o'});
    LrxFile* data = nullptr;
    lrxFileOpenCreate(dir.path("data.csn").c_str(), nullptr, &data, [](int32_t* v) {
        *v = 206;
        return 0x5F584247;  // the data-file kind
    });
    lrxFileClose(&data);
    const std::pair<std::string, int> cases[] = {
        {dir.path("missing.csn"), F_ERR_OPEN}, {dir.path("text.csn"), F_ERR_MAGIC}, {dir.path("data.csn"), F_ERR_VERSION}};
    for (const auto& [path, expected] : cases) {
        int code = -1;
        EXPECT_EQ(loadTable(path, 0, &code), nullptr);
        EXPECT_EQ(code, expected) << path;
    }
}

// Every prefix of a file loads the sections it holds whole, or fails with a code.
TEST(CsnDamagedFiles, FileCutAtEveryByteLoadsWhatItHoldsOrFails) {
    TempDir dir;
    const std::string whole = dir.path("whole.csn");
    const std::string cut = dir.path("cut.csn");
    writeBlocks(whole, 104, joined({section("a", {rawBlock(2), doubles(260, {1})}), section("b")}));
    const Bytes bytes = readBytes(whole);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        writeBytes(cut, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)));
        int code = -1;
        TablePtr table = loadTable(cut, 0, &code);
        if (code != 0) {
            EXPECT_EQ(table, nullptr);
            continue;
        }
        EXPECT_EQ(csnXsecFind(table.get(), "b", 0.5, "k", nullptr), nullptr) << size;
    }
}

// `lrx xsec FILE` lists every section in table order, invalid ones included.
TEST(CsnTool, ListsSectionsInTableOrder) {
    TempDir dir;
    const std::string path = dir.path("list.csn");
    writeBlocks(path, 104,
                joined({section("b\"q", {rawBlock(2), doubles(260, {1, 1})}), section("a", {doubles(261, {3, 3, 3, 3, 3, 3})})}));
    const auto run = [&](const std::string& file, int* status) {
        std::FILE* pipe = ::popen((std::string(LRX_TOOL_PATH) + " xsec '" + file + "' 2>/dev/null").c_str(), "r");
        std::string out;
        for (int c; (c = std::fgetc(pipe)) != EOF;)
            out += static_cast<char>(c);
        *status = WEXITSTATUS(::pclose(pipe));
        return out;
    };
    int status = -1;
    EXPECT_EQ(run(path, &status),
              "\"a\" \"k\" 0.5 raw 0 sel 0 prc 3 valid 1\n"
              "\"b\\\"q\" \"k\" 0.5 raw 2 sel 0 prc 0 valid 0\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(run(dir.path("missing.csn"), &status), "");
    EXPECT_EQ(status, 1);
}

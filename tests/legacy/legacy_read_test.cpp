// Reading legacy pairs: the family test, the header built from the words and texts, both byte
// orders, reading and positioning by record number, compressed 3-D files, damaged header files
// and the table of open pairs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "src/legacy/legacy.h"
#include "legacypairs.h"

using namespace legacytest;
using lrxtest::TempDir;

namespace {

std::vector<float> readNext(const Opened& opened, int values = 4) {
    std::vector<float> data(values, -1.0f);
    double time = -1;
    const int code = gbxReadItemTimeStep(opened.header.get(), opened.file, &time, data.data());
    if (code != 0) data.assign(1, static_cast<float>(code));
    return data;
}

std::vector<float> recordOf(int r) {
    return {recordValue(r, 0), recordValue(r, 1), recordValue(r, 2), recordValue(r, 3)};
}

}  // namespace

TEST(LegacyRead, FamilyIsTheExtensionDtOrCtWithDigitZeroToFour) {
    const std::pair<const char*, bool> cases[] = {
        {"run.dt2", true},   {"run.CT0", true},    {"a.b/run.Dt4x", true}, {"run.dt5", false},
        {"run.dtx", false},  {"run.dt2/x", false}, {"run.gbx", false},     {"run", false},
        {"run.d2", false},   {"run.ct", false},
    };
    for (const auto& [path, legacy] : cases)
        EXPECT_EQ(lrx::legacy::isFamilyPath(path), legacy) << path;
}

TEST(LegacyRead, EitherFileOfThePairOpensItInAnyCase) {
    TempDir dir;
    writePair(dir.path("run"), onePair());
    for (const std::string& path : {dir.path("run.DT1"), dir.path("run.ct1")}) {
        GbxHeader* header = nullptr;
        GbxFile* file = nullptr;
        ASSERT_EQ(lrx::legacy::openPair(path.c_str(), &header, &file), 0) << path;
        EXPECT_EQ(gbxGetNoOfItems(header), 3);
        gbxFileClose(header, &file);
        EXPECT_EQ(file, nullptr);
        gbxHeaderDestroy(&header);
    }
}

TEST(LegacyRead, HeaderTakesWordsAndTexts) {
    TempDir dir;
    Pair pair = onePair();
    pair.words[8] = 2;  // a grid of 4 x 2
    pair.words[21] = 1;
    pair.words[9] = 1;       // a level and two fluxes
    pair.words[35] = 0.25f;  // item 1's delete fraction
    for (std::vector<float>& record : pair.records)
        record.resize(8, 0.0f);
    const Opened opened = openPair(writePair(dir.path("grid"), pair));
    ASSERT_EQ(opened.code, 0);
    GbxHeader* h = opened.header.get();
    EXPECT_STREQ(gbxGetFileTitle(h), "a legacy pair");
    EXPECT_STREQ(gbxGetAppTitle(h), "Unknown");
    EXPECT_EQ(gbxGetItemStatsType(h), 2);
    EXPECT_EQ(gbxGetDeleteValInt(h), -987654);
    EXPECT_EQ(gbxGetDeleteValFloat(h), -1e-35f);
    const int types[] = {100000, 100080, 100080};
    const int units[] = {1000, 4700, 4700};
    for (int i = 1; i <= 3; ++i) {
        int itemType = 0, unit = 0, axisUnit = 0, nx = 0, ny = 0;
        float x0 = 0, y0 = 0, dx = 0, dy = 0;
        const char* name = nullptr;
        gbxGetItemInfo(gbxItemD(h, i), &itemType, nullptr, &name, &unit, nullptr, nullptr);
        EXPECT_EQ(std::string(name), "item " + std::to_string(i));
        EXPECT_EQ(itemType, types[i - 1]);
        EXPECT_EQ(unit, units[i - 1]);
        ASSERT_EQ(gbxGetItemAxisEqD2(gbxItemD(h, i), &axisUnit, nullptr, &nx, &ny, &x0, &y0, &dx, &dy), 0);
        EXPECT_EQ(std::vector<float>({float(axisUnit), float(nx), float(ny), x0, dx}),
                  std::vector<float>({1000, 4, 2, 100, 2.5f}));
    }
    double min = 0, max = 0;
    int deletes = 0;
    gbxGetItemStatsGlobal(gbxItemD(h, 2), &min, &max, &deletes);
    EXPECT_EQ(min, -1.0);
    EXPECT_EQ(max, 11.0);
    gbxGetItemStatsGlobal(gbxItemD(h, 1), nullptr, nullptr, &deletes);
    EXPECT_EQ(deletes, 6);  // 0.25 of 3 time steps of 8 values
    GbxCustomBlock* block = nullptr;
    char* name = nullptr;
    int count = 0;
    gbxGetCustomBlockRef(h, &block);
    gbxGetCustomBlock(block, nullptr, &name, &count, nullptr, nullptr);
    EXPECT_STREQ(name, "K37_Misc");
    EXPECT_EQ(count, 7);
}

TEST(LegacyRead, WordsChooseTimeAxisAndGeographicInformation) {
    // The time unit is seconds only for a text that starts with s.
    const std::pair<const char*, int> units[] = {{"sec", 1400}, {"Seconds", 1400}, {"hours", 0}, {"", 0}};
    for (const auto& [text, key] : units) {
        TempDir dir;
        Pair pair = onePair();
        pair.timeUnit = text;
        const Opened opened = openPair(writePair(dir.path("t"), pair));
        int unit = -1;
        ASSERT_EQ(gbxGetEqTimeAxis(opened.header.get(), &unit, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
        EXPECT_EQ(unit, key) << text;
    }
    TempDir dir;
    Pair pair = onePair();
    pair.words[1] = 36466;
    pair.words[5] = 3600;
    pair.words[146] = -900.0f;
    pair.words[24] = 12.5f;
    pair.words[25] = 55.0f;
    pair.words[144] = 30.0f;
    const Opened opened = openPair(writePair(dir.path("cal"), pair));
    const char* date = nullptr;
    const char* time = nullptr;
    ASSERT_EQ(gbxGetEqCalendarAxis(opened.header.get(), nullptr, nullptr, &date, &time, nullptr, nullptr, nullptr,
                                   nullptr),
              0);
    EXPECT_STREQ(date, "2000-01-01");
    EXPECT_STREQ(time, "01:00:00");
    char* projection = nullptr;
    double geo[3] = {};
    ASSERT_EQ(gbxGetGeoInfoUTMProj(opened.header.get(), &projection, &geo[0], &geo[1], &geo[2]), 0);
    EXPECT_STREQ(projection, "UTM");
    EXPECT_EQ(std::vector<double>(geo, geo + 3), std::vector<double>({12.5, 55.0, 30.0}));
    // Any other marker gives no geographic information.
    pair.words[146] = -899.0f;
    EXPECT_EQ(gbxGetGeoInfoType(openPair(writePair(dir.path("plain"), pair)).header.get()), 0);
}

TEST(LegacyRead, RecordsAreReadAndFoundByNumberInBothByteOrders) {
    for (const bool swapped : {false, true}) {
        TempDir dir;
        const Opened opened = openPair(writePair(dir.path("run"), onePair(), swapped));
        ASSERT_EQ(opened.code, 0);
        GbxHeader* h = opened.header.get();
        // The first item read jumps over the two static records.
        EXPECT_EQ(readNext(opened), recordOf(3));
        EXPECT_EQ(gbxSkipItem(h, opened.file), 0);
        EXPECT_EQ(readNext(opened), recordOf(5));
        EXPECT_EQ(gbxFindItemDynamic(h, opened.file, 2, 1), 0);
        EXPECT_EQ(readNext(opened), recordOf(2 * 3 + 2 + 1));
        EXPECT_EQ(gbxFindItemDynamic(h, opened.file, 1, 3), 0);
        EXPECT_EQ(readNext(opened), recordOf(1 * 3 + 2 + 3));

        ASSERT_EQ(gbxFindBlockStatic(h, opened.file), 0);
        for (int r = 1; r <= 3; ++r) {
            int code = -1;
            GbxVector* vector = gbxStaticRead(opened.file, &code);
            EXPECT_EQ(code, 0);
            if (r == 3) {
                EXPECT_EQ(vector, nullptr);
                break;
            }
            ASSERT_NE(vector, nullptr);
            std::vector<float> values(4);
            EXPECT_EQ(gbxStaticGetData(vector, values.data()), 0);
            EXPECT_EQ(values, recordOf(r));
            gbxStaticDestroy(&vector);
        }
        // Past the last record.
        EXPECT_EQ(gbxFindItemDynamic(h, opened.file, 2, 3), 0);
        EXPECT_EQ(readNext(opened), recordOf(11));
        EXPECT_EQ(readNext(opened), std::vector<float>{F_ERR_READ});
    }
}

TEST(LegacyRead, RecordsPastTwoGibibytesAreFound) {
    TempDir dir;
    const int values = 1 << 20;  // records of 4 MiB
    Pair pair = onePair(1, 0, 600);
    pair.words[20] = values - 1;
    pair.records.clear();
    const std::string path = writePair(dir.path("big"), pair);
    // A sparse data file whose last record alone holds values.
    std::filesystem::resize_file(path, 600ull * values * 4);
    std::fstream data(path, std::ios::in | std::ios::out | std::ios::binary);
    const float last[2] = {1.5f, 2.5f};
    data.seekp(599ll * values * 4);
    data.write(reinterpret_cast<const char*>(last), sizeof last);
    data.close();

    const Opened opened = openPair(path);
    ASSERT_EQ(opened.code, 0);
    ASSERT_EQ(gbxFindItemDynamic(opened.header.get(), opened.file, 599, 1), 0);
    const std::vector<float> read = readNext(opened, values);
    ASSERT_EQ(read.size(), static_cast<std::size_t>(values));
    EXPECT_EQ(read[0], 1.5f);
    EXPECT_EQ(read[1], 2.5f);
}

TEST(LegacyRead, CompressedGridIsExpandedByKeysFromTheFirstStaticRecords) {
    TempDir dir;
    Pair pair = onePair(1, 5, 1);
    float* w = pair.words.data();
    w[8] = 3;
    w[20] = 1;  // key length 2
    w[21] = w[22] = 0;
    w[148] = 2;  // full grid 3 x 2 x 1
    w[149] = 1;
    w[150] = 0;
    pair.records = {{0, 2}, {1, 0}, {0, 0}, {9, 9}, {9, 9}, {7.5f, 8.5f}};
    const Opened opened = openPair(writePair(dir.path("keys"), pair));
    ASSERT_EQ(opened.code, 0);
    EXPECT_EQ(gbxGetEncodeKeySize(opened.header.get()), 2);
    EXPECT_EQ(gbxGetItemXYZSize(gbxItemD(opened.header.get(), 1)), 6);
    const float d = -1e-35f;
    EXPECT_EQ(readNext(opened, 6), (std::vector<float>{d, d, 8.5f, 7.5f, d, d}));

    // Without the three key records the header would not match the records: refused.
    pair.records.resize(2);
    EXPECT_EQ(openPair(writePair(dir.path("short"), pair)).code, F_ERR_USAGE);
}

TEST(LegacyRead, DamagedHeaderFilesAreRefusedBeforeUse) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        int word;
        float value;
        int code;
    };
    const Case cases[] = {
        {"17 items", 7, 17, F_ERR_USAGE},
        {"no items", 7, 0, F_ERR_USAGE},
        {"items not a number", 7, nan, F_ERR_USAGE},
        {"negative statics", 11, -1, F_ERR_USAGE},
        {"infinite last time step", 4, inf, F_ERR_USAGE},
        {"negative size", 20, -2, F_ERR_USAGE},
        {"size past 32 bits", 20, 3e9f, F_ERR_USAGE},
        {"record past 2 GiB", 20, 6e8f, F_ERR_USAGE},
        {"day beyond year 9999", 1, 3e6f, F_ERR_USAGE},
        {"five dimensions", 8, 5, -1},
    };
    for (const Case& c : cases) {
        TempDir dir;
        Pair pair = onePair();
        pair.words[c.word] = c.value;
        lrxtest::writeBytes(dir.path("bad.ct1"), headerFileBytes(pair, false));
        lrxtest::writeBytes(dir.path("bad.dt1"), dataFileBytes(pair, false));
        EXPECT_EQ(lrx::legacy::openPair(dir.path("bad.dt1").c_str(), nullptr, nullptr), c.code) << c.name;
    }

    TempDir dir;
    const Bytes whole = headerFileBytes(onePair(), false);
    writePair(dir.path("cut"), onePair());
    // The file is read in two fixed pieces: cuts across both, and at their edges.
    std::vector<std::size_t> sizes = {603, 604, 607, 608, 609, 1047, 1051};
    for (std::size_t size = 0; size < whole.size(); size += 16)
        sizes.push_back(size);
    for (const std::size_t size : sizes) {
        lrxtest::writeBytes(dir.path("cut.ct1"), Bytes(whole.begin(), whole.begin() + size));
        ASSERT_EQ(openPair(dir.path("cut.dt1")).code, F_ERR_USAGE) << size;
    }
    lrxtest::writeBytes(dir.path("cut.ct1"), whole);
    std::remove(dir.path("cut.dt1").c_str());
    EXPECT_EQ(lrx::legacy::openPair(dir.path("cut.ct1").c_str(), nullptr, nullptr), F_ERR_USAGE);
}

TEST(LegacyRead, LrxInfoDescribesAPair) {
    TempDir dir;
    const std::string command = std::string(LRX_TOOL_PATH) + " info " + writePair(dir.path("info"), onePair()) +
                                " >" + dir.path("out.txt");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Bytes out = lrxtest::readBytes(dir.path("out.txt"));
    EXPECT_NE(std::string(out.begin(), out.end()).find("a legacy pair"), std::string::npos);
}

TEST(LegacyRead, TableHolds256OpenPairsAndFreesEntriesOfDestroyedHeaders) {
    TempDir dir;
    const std::string path = writePair(dir.path("many"), onePair());
    std::vector<HeaderPtr> headers;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 256; ++i) {
            GbxHeader* header = nullptr;
            ASSERT_EQ(gbxFileRead(path.c_str(), &header, nullptr), 0) << i;
            headers.emplace_back(header);
        }
        EXPECT_EQ(openPair(path).code, F_ERR_USAGE);
        // Destroying a header without closing its file frees the entry all the same.
        headers.clear();
    }
}

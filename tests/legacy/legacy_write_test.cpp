// Writing legacy pairs: headers the old layout cannot hold, the words of the header file, the
// running statistics, complete time steps, static records and flushing while writing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "legacypairs.h"

using namespace legacytest;
using lrxtest::TempDir;

namespace {

constexpr float kDelete = -1e-35f;

// Item i's statistics group word k in a header file.
float groupWordOf(const Bytes& headerFile, int item, int k) {
    return wordOf(headerFile, 32 + 7 * (item - 1) + k - 1);
}

GbxVector* staticItem(GbxHeader* header, int nx) {
    GbxVector* vector = nullptr;
    gbxStaticCreate(&vector);
    gbxSetItemInfo(header, vector, 999, "static", 0, LRX_FLOAT);
    gbxSetItemAxisEqD1(vector, 1000, nx, 5.0f, 0.5f);
    return vector;
}

}  // namespace

TEST(LegacyWrite, HeadersTheOldLayoutCannotHoldAreRefused) {
    struct Case {
        const char* name;
        int items;
        void (*change)(GbxHeader*);
    };
    const Case cases[] = {
        {"17 items", 17, [](GbxHeader*) {}},
        {"double item", 2,
         [](GbxHeader* h) {
             gbxSetItemInfo(h, gbxItemD(h, 2), 999, "d", 0, LRX_DOUBLE);
             gbxSetItemAxisEqD1(gbxItemD(h, 2), 1000, 4, 5.0f, 0.5f);
         }},
        {"axes differ", 2, [](GbxHeader* h) { gbxSetItemAxisEqD1(gbxItemD(h, 2), 1000, 4, 6.0f, 0.5f); }},
        {"file type 4", 1, [](GbxHeader* h) { h->fileType = F_NEQTIME_FIXEDSPACE_ALLITEMS; }},
        {"non-equidistant axis", 1, [](GbxHeader* h) { h->items[0].axisType = GBX_NEQD1; }},
        {"non-equidistant time", 1, [](GbxHeader* h) { h->timeAxisType = F_TM_NEQ_AXIS; }},
        {"calendar before 1800", 1,
         [](GbxHeader* h) { gbxSetEqCalendarAxis(h, "1700-01-01", "00:00:00", 1400, 0.0, 60.0, 0); }},
    };
    for (const Case& c : cases) {
        TempDir dir;
        HeaderPtr header = newHeader(c.items, 4);
        c.change(header.get());
        GbxFile* file = reinterpret_cast<GbxFile*>(&header);
        EXPECT_EQ(gbxFileCreate(dir.path("w.dt1").c_str(), header.get(), &file), 2021) << c.name;
        EXPECT_EQ(file, nullptr);
        EXPECT_FALSE(std::filesystem::exists(dir.path("w.dt1"))) << c.name;
    }
}

TEST(LegacyWrite, CompleteTimeStepsStaticsAndDeleteFractionReadBack) {
    TempDir dir;
    HeaderPtr header = newHeader(3, 10);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(dir.path("run.dt1").c_str(), header.get(), &file), 0);
    GbxVector* vector = staticItem(header.get(), 10);
    const std::vector<float> statics(10, 3.5f);
    EXPECT_EQ(gbxStaticWrite(vector, file, statics.data()), 0);

    // Seven items of three: two complete time steps and one item of the third. Item 2 holds 5
    // delete values in its 20 values.
    std::vector<float> values(10, 1.0f);
    for (int write = 0; write < 7; ++write) {
        for (int k = 0; k < 10; ++k)
            values[k] = write == 1 && k < 5 ? kDelete : static_cast<float>(write * 10 + k);
        ASSERT_EQ(gbxWriteItemTimeStep(header.get(), file, 0.0, values.data()), 0);
    }
    EXPECT_EQ(gbxStaticWrite(vector, file, statics.data()), 2014);
    gbxStaticDestroy(&vector);
    ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(gbxFileClose(header.get(), &file), -1);

    const Bytes headerFile = lrxtest::readBytes(dir.path("run.ct1"));
    EXPECT_EQ(wordOf(headerFile, 4), 1.0f);
    EXPECT_EQ(wordOf(headerFile, 11), 1.0f);
    EXPECT_EQ(groupWordOf(headerFile, 2, 4), 0.25f);
    EXPECT_EQ(groupWordOf(headerFile, 2, 1), 15.0f);

    const Opened opened = openPair(dir.path("run.dt1"));
    ASSERT_EQ(opened.code, 0);
    int steps = 0;
    gbxGetEqTimeAxis(opened.header.get(), nullptr, nullptr, nullptr, nullptr, &steps, nullptr);
    EXPECT_EQ(steps, 2);
    double min = 0, max = 0;
    int deletes = 0;
    gbxGetItemStatsGlobal(gbxItemD(opened.header.get(), 2), &min, &max, &deletes);
    EXPECT_EQ(deletes, 5);
    EXPECT_EQ(max, 49.0);
    std::vector<float> read(10);
    for (int item = 0; item < 6; ++item) {
        ASSERT_EQ(gbxReadItemTimeStep(opened.header.get(), opened.file, nullptr, read.data()), 0);
        EXPECT_EQ(read[9], static_cast<float>(item * 10 + 9));
    }
}

TEST(LegacyWrite, HeaderFileWordsFollowTheHeader) {
    TempDir dir;
    HeaderPtr header = newHeader(1, 3);
    GbxHeader* raw = header.get();
    gbxSetItemAxisEqD2(gbxItemD(raw, 1), 1000, 3, 2, 100.0f, 200.0f, 10.0f, 20.0f);
    // One hour of offset is folded into the start; the step of one hour is stored in seconds.
    gbxSetEqCalendarAxis(raw, "2000-01-01", "00:00:00", 1402, 1.0, 1.0, 4);
    gbxSetGeoInfoUTMProj(raw, "UTM-32", 9.5, 55.25, 12.0);
    const float misc[7] = {1, 2, 3, 4, 5, 6, 7};
    gbxAddCustomBlock(raw, LRX_FLOAT, "K37_Misc", 7, misc);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(dir.path("g.dt2").c_str(), raw, &file), 0);
    ASSERT_EQ(gbxFileClose(raw, &file), 0);

    const Bytes h = lrxtest::readBytes(dir.path("g.ct2"));
    ASSERT_EQ(h.size(), 1052u);
    const std::pair<int, float> words[] = {
        {1, 36466}, {2, 4},     {4, -1},     {5, 3600},  {6, 3600},  {7, 1},       {8, 2},   {12, 0},
        {13, 0},    {16, 1},    {17, 1},     {20, 2},    {21, 1},    {24, 9.5f},   {25, 55.25f},
        {28, 10},   {29, 20},   {144, 12},   {145, 2},   {146, -900}, {150, 7},
    };
    for (const auto& [k, value] : words)
        EXPECT_EQ(wordOf(h, k), value) << "word " << k;
    const char* texts = reinterpret_cast<const char*>(h.data()) + 612;
    EXPECT_STREQ(texts, "written pair");
    EXPECT_STREQ(texts + 46, "s");
    EXPECT_STREQ(texts + 96, "item 1");
}

TEST(LegacyWrite, SeriesStatisticsAndDeleteCountOfZeroDimensions) {
    TempDir dir;
    HeaderPtr header = newHeader(1, 1);
    GbxHeader* raw = header.get();
    gbxSetItemAxisEqD0(gbxItemD(raw, 1), 0);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(dir.path("s.dt0").c_str(), raw, &file), 0);
    for (const float value : {1.0f, 2.0f, kDelete, 4.0f})
        ASSERT_EQ(gbxWriteItemTimeStep(raw, file, 0.0, &value), 0);
    // A flush leaves a readable pair behind.
    ASSERT_EQ(gbxFileFlush(raw, file), 0);
    EXPECT_EQ(openPair(dir.path("s.dt0")).code, 0);
    ASSERT_EQ(gbxFileClose(raw, &file), 0);

    const Bytes h = lrxtest::readBytes(dir.path("s.ct0"));
    const double mean = 7.0 / 3, variance = 21.0 / 3 - mean * mean;
    EXPECT_EQ(groupWordOf(h, 1, 1), 1.0f);
    EXPECT_EQ(groupWordOf(h, 1, 2), 4.0f);
    EXPECT_FLOAT_EQ(groupWordOf(h, 1, 3), mean);
    EXPECT_FLOAT_EQ(groupWordOf(h, 1, 4), std::sqrt(variance));
    // Products of each valid value with the one before it: 1 x 0, 2 x 1, 4 x 2.
    EXPECT_FLOAT_EQ(groupWordOf(h, 1, 5), (10.0 / 2 - mean * mean) / variance);
    EXPECT_EQ(groupWordOf(h, 1, 6), 1.0f);

    // The number of delete values reads back as written, not once per time step.
    const Opened opened = openPair(dir.path("s.dt0"));
    int deletes = -1;
    gbxGetItemStatsGlobal(gbxItemD(opened.header.get(), 1), nullptr, nullptr, &deletes);
    EXPECT_EQ(deletes, 1);
}

TEST(LegacyWrite, HeaderReadFromAPairServesANativeFile) {
    TempDir dir;
    const Opened pair = openPair(writePair(dir.path("source"), onePair(2, 0, 1)));
    ASSERT_EQ(pair.code, 0);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(dir.path("copy.gbx").c_str(), pair.header.get(), &file), 0);
    const std::vector<float> values = {1, 2, 3, 4};
    ASSERT_EQ(writeItems(pair.header.get(), file, 2, values), 0);
    // The native file is closed as a native file, not by the pair's layer.
    ASSERT_EQ(gbxFileClose(pair.header.get(), &file), 0);
    EXPECT_EQ(file, nullptr);
    const Opened copy = openPair(dir.path("copy.gbx"));
    ASSERT_EQ(copy.code, 0);
    std::vector<float> read(4);
    ASSERT_EQ(gbxReadItemTimeStep(copy.header.get(), copy.file, nullptr, read.data()), 0);
    EXPECT_EQ(read, values);
}

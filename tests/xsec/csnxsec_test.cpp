// Sections in memory and their writing: defaults, sizing, the handle check, and the file a
// section becomes.
#include <gtest/gtest.h>

#include <filesystem>

#include "src/lrx/lrxfile.h"
#include "xsec/xsecfiles.h"

using namespace lrxtest;

TEST(CsnXsec, NewSectionHasTheDefaults) {
    SectionPtr section = makeSection("Rhine", 12.5, "km 12");
    ASSERT_NE(section, nullptr);
    EXPECT_STREQ(section->keyText2, "km 12");
    EXPECT_STREQ(section->extraText, " ");
    for (int i = 0; i < CSN_CODE_COUNT; ++i)
        EXPECT_EQ(section->codes[i], i == 23 ? 2 : 0) << i;
    for (int i = 0; i < CSN_VALUE_COUNT; ++i)
        EXPECT_EQ(section->values[i], i < 10 ? 0.0 : 1.0) << i;
    EXPECT_EQ(section->noRaw + section->noSel + section->noPrc, 0);
    EXPECT_STREQ(makeSection("", 0, "", "note")->extraText, "note");
    EXPECT_STREQ(makeSection("a", 0, "b", "")->extraText, " ");
    EXPECT_EQ(csnXsecCreate("a", 0, nullptr), nullptr);
    EXPECT_EQ(csnXsecCreate(nullptr, 0, "b"), nullptr);
}

TEST(CsnXsec, SizingGivesZeroedArraysAndZeroFreesThem) {
    SectionPtr section = makeSection("a", 0, "b");
    CsnXsecRecord* r = section.get();
    const struct {
        int(LRX_CALL* set)(CsnXsecRecord*, uint16_t);
        const int32_t* count;
        double* const* last;  // the set's last double array
    } sets[] = {{csnXsecSetNoRaw, &r->noRaw, &r->raw4}, {csnXsecSetNoSel, &r->noSel, &r->sel},
                {csnXsecSetNoPrc, &r->noPrc, &r->prc6}};
    for (const auto& s : sets) {
        EXPECT_EQ(s.set(r, 300), 1);
        EXPECT_EQ(*s.count, 300);
        ASSERT_NE(*s.last, nullptr);
        EXPECT_EQ((*s.last)[299], 0.0);
        EXPECT_EQ(s.set(r, 0), 1);
        EXPECT_EQ(*s.count, 0);
        EXPECT_EQ(*s.last, nullptr);
    }
    EXPECT_EQ(csnXsecSetNoRaw(r, 2), 1);
    ASSERT_NE(r->raw6, nullptr);
    EXPECT_EQ(r->raw6[1], 0);
}

TEST(CsnXsec, HandlesThatAreNotLiveSectionsAreNeverTouched) {
    CsnXsecRecord foreign{};
    CsnXsecRecord* freed = csnXsecCreate("a", 0, "b");
    CsnXsecRecord* handle = freed;
    csnXsecFree(&handle);
    EXPECT_EQ(handle, nullptr);
    TempDir dir;
    LrxFile* file = nullptr;
    ASSERT_EQ(csnFileOpenCreate(dir.path("a.csn").c_str(), &file), 0);
    for (CsnXsecRecord* bad : {static_cast<CsnXsecRecord*>(nullptr), &foreign, freed}) {
        EXPECT_EQ(csnXsecSetNoRaw(bad, 3), 0);
        EXPECT_EQ(csnXsecWrite(bad, file), F_ERR_USAGE);
        csnXsecFree(&bad);
        EXPECT_EQ(bad, nullptr);
    }
    EXPECT_EQ(foreign.noRaw, 0);
    csnFileClose(&file);
    EXPECT_EQ(std::filesystem::file_size(dir.path("a.csn")), 113u);
}

TEST(CsnXsec, WriteRefusesAnInconsistentRecordAndAFileInError) {
    TempDir dir;
    SectionPtr section = makeSection("a", 0, "b");
    ASSERT_EQ(csnXsecSetNoRaw(section.get(), 3), 1);
    LrxFile* file = nullptr;
    ASSERT_EQ(csnFileOpenCreate(dir.path("a.csn").c_str(), &file), 0);
    uint16_t* raw5 = section->raw5;
    section->raw5 = nullptr;
    EXPECT_EQ(csnXsecWrite(section.get(), file), F_ERR_USAGE);
    section->raw5 = raw5;
    lrxSetError(file, F_ERR_WRITE);
    EXPECT_EQ(csnXsecWrite(section.get(), file), F_ERR_WRITE);
    EXPECT_EQ(csnGetError(file), F_ERR_WRITE);
    EXPECT_EQ(csnPeekError(file), 0);
    EXPECT_EQ(lrxTell64(file), 113);
    EXPECT_EQ(csnFileClose(&file), 0);
    EXPECT_EQ(csnFileOpenCreate(dir.path("no/such.csn").c_str(), &file), F_ERR_OPEN);
}

// The file header has the kind "CSN_" and no application string; a section without points
// is its 257 and 258 blocks only, and its empty texts are one zero byte each.
TEST(CsnXsec, SectionWithoutPointsIsTwoBlocks) {
    TempDir dir;
    const std::string path = dir.path("a.csn");
    SectionPtr section = makeSection("", 0, "");
    writeSections(path, {section.get()});
    const Bytes bytes = readBytes(path);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 8), "CSN_");
    EXPECT_EQ(bytes[64], 0x1A);
    LrxFile* file = nullptr;
    int32_t tag = 0;
    ASSERT_EQ(lrxFileOpenRead(path.c_str(), &file, [](int32_t*) { return LRX_ACCEPT_ANY_KIND; }, &tag), 0);
    EXPECT_EQ(lrxGetAppBase(file), 113);
    EXPECT_EQ(lrxGetVersionCreateApp(file), 104);
    std::vector<int> blocks;  // id, then the count of each record
    for (LrxLrec* chain = nullptr; lrxPeekError(file) == 0; lrxLrecChainFree(&chain)) {
        const int id = lrxBlockRead(file, nullptr, &chain);
        if (lrxPeekError(file) == 0) blocks.push_back(id);
        for (const LrxLrec* node = chain; node != nullptr; node = node->next)
            blocks.push_back(node->count);
    }
    EXPECT_EQ(lrxPeekError(file), LRX_END_OF_FILE);
    lrxFileClose(&file);
    EXPECT_EQ(blocks, (std::vector<int>{257, 1, 1, 1, 1, 258, 24, 15}));

    TablePtr table = loadTable(path);
    CsnXsecRecord* loaded = csnXsecFind(table.get(), "", 0, "", nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(loaded->keyText1, "");
    EXPECT_STREQ(loaded->keyText2, "");
    EXPECT_EQ(loaded->noRaw + loaded->noSel + loaded->noPrc, 0);
}

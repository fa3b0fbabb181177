// The dispatch of the data-file calls to a family of files: every family fills its whole
// table, the family is chosen by path, file handle and header, and a plug-in family hands
// what it does not serve to the family underneath.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "src/gbx/file/gbxfamily.h"
#include "support/tempfiles.h"
#include "support/timestepfiles.h"

namespace {

using namespace gbxtest;

TEST(GbxFamily, EveryFamilyFillsEveryOperation) {
    for (const GbxFamily* family : {&gbxNativeFamily, &gbxLegacyFamily, &gbxPluginFamily}) {
        SCOPED_TRACE(family->name);
        const auto filled = [](auto... operations) { return ((operations != nullptr) && ...); };
        EXPECT_TRUE(filled(family->claimsPath, family->claimsFile, family->claimsHeader, family->open, family->create,
                           family->flush, family->close, family->staticWrite, family->staticRead, family->writeItem,
                           family->readItem, family->skipItem, family->findSection, family->findTimeStep,
                           family->findItem, family->savePosition, family->restorePosition));
    }
    EXPECT_TRUE(gbxNativeFamily.keepsStatistics);
    EXPECT_FALSE(gbxLegacyFamily.keepsStatistics);
}

TEST(GbxFamily, ChosenByPathHandleAndHeader) {
    EXPECT_EQ(&gbxFamilyOfPath("harbour.gbx"), &gbxNativeFamily);
    EXPECT_EQ(&gbxFamilyOfFile(nullptr), &gbxNativeFamily);
    EXPECT_EQ(&gbxFamilyOfHeader(nullptr), &gbxNativeFamily);

    // A legacy handle is known by its first 32-bit word alone.
    uint32_t legacyHandle[4] = {7531, 0, 0, 0};
    EXPECT_EQ(&gbxFamilyOfFile(reinterpret_cast<GbxFile*>(legacyHandle)), &gbxLegacyFamily);
    lrxtest::TempDir dir;
    DataFilePtr native(FOpenFileCreate(dir.path("native.gbx").c_str()));
    EXPECT_EQ(&gbxFamilyOfFile(native.get()), &gbxNativeFamily);

    HeaderPtr header = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
    EXPECT_EQ(&gbxFamilyOfHeader(header.get()), &gbxNativeFamily);
    int legacyFile = 0;
    header->legacyFile = &legacyFile;
    EXPECT_EQ(&gbxFamilyOfHeader(header.get()), &gbxLegacyFamily);
    header->legacyFile = nullptr;

    // A plug-in serves a header and its file while it is loaded and not running itself.
    int library = 0;
    header->plugin.library = &library;
    EXPECT_EQ(&gbxFamilyOf(header.get(), native.get()), &gbxPluginFamily);
    header->plugin.busy = 1;
    EXPECT_EQ(&gbxFamilyOf(header.get(), native.get()), &gbxNativeFamily);
    header->plugin = GbxPluginSlot{};
}

TEST(GbxFamily, PluginHandsWritesToTheFileUnderneath) {
    lrxtest::TempDir dir;
    const std::string path = dir.path("derived.gbx");
    HeaderPtr header = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
    int library = 0;
    header->plugin.library = &library;
    const float value = 2.5f;
    EXPECT_EQ(gbxWriteItemTimeStep(header.get(), file, 0.0, &value), 0);
    header->plugin = GbxPluginSlot{};
    EXPECT_EQ(gbxFileClose(header.get(), &file), 0);

    OpenedFile opened = openForReading(path);
    ASSERT_NE(opened.header, nullptr);
    float read = 0;
    double time = -1;
    EXPECT_EQ(gbxReadItemTimeStep(opened.header.get(), opened.file.get(), &time, &read), 0);
    EXPECT_EQ(read, value);
}

}  // namespace

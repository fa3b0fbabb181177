// Items for the axis tests: dynamic items of a header, free-standing static items, the codes
// that the handler table sees, and axis blocks written to and read from real files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/gbx/common/fileio.h"
#include "src/gbx/header/gbxheader.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/items/gbxitem.h"
#include "src/lrx/lrxfile.h"
#include "support/headerfiles.h"
#include "support/reports.h"
#include "vnk/vnk.h"

namespace gbxtest {

constexpr int kMetre = VNK_UNIT_METRE;
constexpr int kFoot = 1005;  // the international foot, 0.3048 m

// The codes reported through the handler table from construction on.
using lrxtest::ReportedCodes;

// A header of the given file type whose first item is defined (item type undefined, unit
// metre, floats) and so holds an EqD0 axis.
inline HeaderPtr headerOfFileType(int fileType, int statsType = 1) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(fileType, "axes", "test", 1, 2, statsType, &header);
    if (header != nullptr) gbxSetItemInfo(header, gbxItemD(header, 1), VNK_ITEM_UNDEFINED, "depth", kMetre, 1);
    return HeaderPtr(header);
}

inline GbxItem* firstItem(const HeaderPtr& header) {
    return gbxItemD(header.get(), 1);
}

// A free-standing static item, with or without a header, freed with all it owns.
struct StaticItem {
    explicit StaticItem(GbxHeader* header) {
        gbxItemInit(&item, gbxDefaultDeleteFloat());
        item.isStatic = 1;
        item.header = header;
    }
    ~StaticItem() { gbxItemDestroyContents(&item); }
    StaticItem(const StaticItem&) = delete;
    StaticItem& operator=(const StaticItem&) = delete;

    GbxItem item{};
};

// Writes the axis blocks of the items into a new data file, in order; returns the codes.
inline std::vector<int> writeAxisFile(const std::string& path, const std::vector<GbxItem*>& items) {
    std::vector<int> codes;
    DataFilePtr file(FOpenFileCreate(path.c_str()));
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return codes;
    for (GbxItem* item : items)
        codes.push_back(gbxWriteItemAxis(item, file.get()));
    return codes;
}

// The bytes of a data file behind its file header.
inline lrxtest::Bytes blockBytes(const std::string& path) {
    int64_t appBase = 0;
    {
        int error = 0;
        DataFilePtr file(FOpenFileRead(path.c_str(), &error));
        if (file == nullptr) return {};
        appBase = lrxGetAppBase(file.get());
    }
    const lrxtest::Bytes all = lrxtest::readBytes(path);
    return lrxtest::Bytes(all.begin() + appBase, all.end());
}

// Reads the next block of an open data file into the item as an axis block; *id receives the
// block's id. Returns the code of the decoding.
inline int readAxisBlock(GbxFile* file, GbxItem* item, int* id) {
    *id = FQueryLogicalBlock(file);
    LrxLrec* chain = FReadLogicalBlock(file);
    const int code = gbxReadItemAxis(item, *id, chain, file);
    FFreeLogicalBlock(chain);
    return code;
}

}  // namespace gbxtest

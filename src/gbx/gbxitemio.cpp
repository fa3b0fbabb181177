// The item section of a header in a file. Item definitions are not yet written: a header's
// items keep their definitions in memory only, and the definition blocks of a file are
// stepped over when reading and updating, so that the blocks after them are still found.
#include "gbx/gbxblock.h"
#include "gbx/gbxheaderparts.h"

namespace {

int stepOverItemBlocks(GbxFile* file) {
    int code = 0;
    bool first = true;
    while (code == 0) {
        const int tag = FQueryLogicalBlock(file);
        if (!gbxIsItemBlockTag(tag) || (!first && (tag == 30002 || tag == 30005))) break;
        code = FSkipLogicalBlock(file);
        first = false;
    }
    return code;
}

}  // namespace

bool gbxIsItemBlockTag(int tag) {
    return (tag >= 30002 && tag <= 30006) || (tag >= 31001 && tag <= 31062);
}

int gbxWriteHeaderItem(GbxHeader*, GbxItem*, GbxFile*) {
    return 0;
}

int gbxReadHeaderItem(GbxHeader*, GbxItem*, GbxFile* file) {
    return stepOverItemBlocks(file);
}

int gbxUpdateHeaderItemBlock(GbxHeader*, int tag, int* itemCounter, GbxFile* file, int64_t) {
    if (tag == 30002 || tag == 30005) ++*itemCounter;
    return FSkipLogicalBlock(file);
}

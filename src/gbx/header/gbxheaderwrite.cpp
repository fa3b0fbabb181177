// Writes a header as its tagged blocks, right after the record-file header: attributes,
// geographic information, time axis, items and custom blocks.
#include <cstdint>

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/header/gbxattributeblocks.h"
#include "src/gbx/header/gbxheader.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/time/gbxtimeaxisblocks.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxheader";

int writeItems(GbxHeader* header, GbxFile* file) {
    int code = gbxWriteEmptyBlock(GBX_TAG_ITEMS, file, kModule, __LINE__);
    if (code == 0) code = gbxWriteValueBlock(GBX_TAG_ITEM_COUNT, LRX_INT4, &header->noOfItems, file, kModule, __LINE__);
    if (code != 0) return code;
    GbxCall loop("for_loop start here");
    for (int32_t i = 0; i < header->noOfItems && code == 0; ++i) {
        code = gbxWriteHeaderItem(header, &header->items[i], file);
    }
    loop.exit("ends here");
    return code;
}

// A custom block without values (a type outside 1 to 7, or no values) has no record that
// could hold them and would not read back; it is kept in memory but not written.
bool holdsValues(const GbxCustomBlock* custom) {
    return custom->data != nullptr && custom->count > 0 && custom->type >= LRX_FLOAT && custom->type <= LRX_UINT2;
}

int writeCustomBlocks(GbxHeader* header, GbxFile* file) {
    int code = 0;
    for (const GbxCustomBlock* custom = header->customBlocks; custom != nullptr && code == 0; custom = custom->next) {
        if (!holdsValues(custom)) continue;
        GbxBlockBuilder block;
        block.text(custom->name).add(custom->type, custom->count, custom->data);
        code = block.write(GBX_TAG_CUSTOM, file, kModule, __LINE__);
    }
    return code;
}

}  // namespace

int gbxWriteHeader(GbxHeader* header, GbxFile* file) {
    GbxCall call("gbxWriteHeader");
    if (const int code = gbxCheckHeaderFile(header, file, kModule, __LINE__)) return call.result(code);
    int code = gbxWriteAttributeBlocks(header, file);
    if (code == 0) code = gbxWriteEmptyBlock(GBX_TAG_TIME, file, kModule, __LINE__);
    if (code == 0) code = gbxWriteTimeAxis(header, file, kModule, __LINE__);
    if (code == 0) code = writeItems(header, file);
    if (code == 0) code = writeCustomBlocks(header, file);
    return call.result(code);
}

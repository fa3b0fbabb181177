// Reads a header from its tagged blocks, from the application data up to the first static or
// dynamic section marker, in its current and older forms.
#include <cstdlib>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/header/gbxattributeblocks.h"
#include "src/gbx/header/gbxattributes.h"
#include "src/gbx/header/gbxheader.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/time/gbxtimeaxisblocks.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxheader";

enum class Step { Next, Done };

struct Reader {
    GbxHeader* header;
    GbxFile* file;
    int32_t itemCounter = 0;
};

int readTimeAxis(Reader& reader, int tag) {
    int code = 0;
    GbxBlockRecords records(gbxReadBlock(reader.file, &code));
    return code != 0 ? code : gbxReadTimeAxis(reader.header, tag, records, kModule, __LINE__);
}

// The item-count block: the item count, checked against what the rest of the file can hold before
// the item array is allocated. Every item definition takes at least
// GBX_MIN_ITEM_DEFINITION_BYTES, so a count whose definitions would not fit in the bytes left
// means the file ends before its items: the end-of-file state.
int readItemCount(Reader& reader) {
    int32_t count = 0;
    int code = gbxReadValueBlock(reader.file, LRX_INT4, &count, kModule, __LINE__);
    if (code != 0) return code;
    if (count < 0) return GBX_REPORT(reader.header, reader.file, nullptr, F_ERR_DATA);
    const int64_t remaining = lrxRemainingBytes(reader.file);
    if (remaining >= 0 && count * GBX_MIN_ITEM_DEFINITION_BYTES > remaining) return LRX_END_OF_FILE;
    code = gbxAllocateItems(reader.header, count);
    reader.itemCounter = 0;
    return code;
}

int readCustomBlock(Reader& reader) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(reader.file, LRX_BYTE, 0, &first, kModule, __LINE__);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    char* name = records.takeText(kModule, __LINE__);
    const LrxLrec* values = name != nullptr && records.chain()->next != nullptr ? records.chain()->next : nullptr;
    if (values == nullptr) {
        std::free(name);
        return records.error() != 0 ? records.error() : GBX_REPORT(reader.header, reader.file, nullptr, F_ERR_READ);
    }
    const int added = gbxAddCustomBlock(reader.header, values->type, name, values->count, values->data);
    std::free(name);
    return added;
}

// An item definition goes into the next item of the array, never past its end.
int readItem(Reader& reader) {
    GbxHeader* header = reader.header;
    if (reader.itemCounter >= header->noOfItems) return GBX_REPORT(header, reader.file, nullptr, F_ERR_ITEM_NO);
    GbxItem* item = &header->items[reader.itemCounter];
    const int code = gbxReadHeaderItem(header, item, reader.file);
    if (code == 0) {
        item->header = header;
        ++reader.itemCounter;
    }
    return code;
}

// Acts on the block whose tag is next; *step says whether the header is complete.
int readBlock(Reader& reader, int tag, Step* step, const GbxCall& call) {
    *step = Step::Next;
    const int attribute = gbxReadAttributeBlock(reader.header, reader.file, tag);
    if (attribute != GBX_NOT_AN_ATTRIBUTE) return attribute;
    if (gbxTimeAxisTypeOfTag(tag) != 0) return readTimeAxis(reader, tag);
    switch (tag) {
        case GBX_TAG_ATTRIBUTES:
        case GBX_TAG_TIME:
        case GBX_TAG_ITEMS:
            return FSkipLogicalBlock(reader.file);
        case GBX_TAG_ITEM_COUNT:
            return readItemCount(reader);
        case GBX_TAG_ITEM_UNIT_TEXT:
        case GBX_TAG_ITEM_UNIT_KEY:
            return readItem(reader);
        case GBX_TAG_CUSTOM:
            return readCustomBlock(reader);
        case GBX_TAG_STATICS:
        case GBX_TAG_TIME_STEPS:
            *step = Step::Done;
            return 0;
        default:
            call.print("Unknown file tag found");
            return FSkipLogicalBlock(reader.file);
    }
}

}  // namespace

GbxHeader* gbxReadHeader(GbxFile* file, int* error) {
    GbxCall call("gbxReadHeader");
    int ignored = 0;
    if (error == nullptr) error = &ignored;
    if ((*error = gbxCheckFile(file, kModule, __LINE__)) != 0) {
        call.exit("%p [%d]", nullptr, *error);
        return nullptr;
    }
    void* memory = nullptr;
    if ((*error = gbxCheckAlloc(&memory, sizeof(GbxHeader), kModule, __LINE__)) != 0) {
        call.exit("%p [%d]", nullptr, *error);
        return nullptr;
    }
    Reader reader{static_cast<GbxHeader*>(memory), file};
    file->positionState = GBX_IN_HEADER;
    int code = gbxInitHeader(reader.header);
    for (Step step = Step::Next; code == 0 && step == Step::Next;) {
        const int tag = FQueryLogicalBlock(file);
        call.print("tag=%d", tag);
        code = readBlock(reader, tag, &step, call);
        if (code == 0) code = lrxPeekError(file);
    }
    if (code != 0) gbxHeaderDestroy(&reader.header);
    *error = code;
    call.result(code);
    return reader.header;
}

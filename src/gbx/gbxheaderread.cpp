// Reads a header from its tagged blocks, from the application data up to the first static or
// dynamic section marker, in its current and older forms.
#include <cstdlib>

#include "src/gbx/gbxblock.h"
#include "src/gbx/gbxheader.h"
#include "src/gbx/gbxheaderparts.h"
#include "src/gbx/gbxio.h"
#include "src/gbx/gbxtimeaxisblocks.h"
#include "src/gbx/gbxtrace.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxheader";

enum class Step { Next, Done };

struct Reader {
    GbxHeader* header;
    GbxFile* file;
    int32_t itemCounter = 0;
};

void replaceText(char** slot, char* text) {
    std::free(*slot);
    *slot = text;
}

// Blocks of one record of one value, copied into a field.
int readValue(Reader& reader, int type, void* field) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(reader.file, type, 1, &first, kModule, __LINE__);
    GbxBlockRecords records(first);
    return code != 0 ? code : (records.copy(type, 1, field, kModule, __LINE__) ? 0 : records.error());
}

int readText(Reader& reader, char** slot) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(reader.file, LRX_BYTE, 0, &first, kModule, __LINE__);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    char* text = records.takeText(kModule, __LINE__);
    if (text == nullptr) return records.error();
    replaceText(slot, text);
    return 0;
}

int readFileType(Reader& reader) {
    int16_t fileType = 0;
    const int code = readValue(reader, LRX_INT2, &fileType);
    if (code == 0) reader.header->fileType = fileType;
    return code;
}

int readGeoInfo(Reader& reader) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(reader.file, LRX_BYTE, 0, &first, kModule, __LINE__);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    char* projection = records.takeText(kModule, __LINE__);
    double origin[3];
    if (projection == nullptr || !records.copy(LRX_DOUBLE, 3, origin, kModule, __LINE__)) {
        std::free(projection);
        return records.error();
    }
    GbxHeader* header = reader.header;
    replaceText(&header->projection, projection);
    header->longitude = origin[0];
    header->latitude = origin[1];
    header->orientation = origin[2];
    header->geoInfoType = GBX_GEO_UTM;
    return 0;
}

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
    int code = readValue(reader, LRX_INT4, &count);
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

int readAttribute(Reader& reader, int tag) {
    GbxHeader* header = reader.header;
    switch (tag) {
        case GBX_TAG_FILE_TITLE:
            return readText(reader, &header->fileTitle);
        case GBX_TAG_APP_TITLE:
            return readText(reader, &header->appTitle);
        case GBX_TAG_APP_VERSION:
            return readValue(reader, LRX_INT4, &header->appVersionNo);
        case GBX_TAG_FILE_TYPE:
            return readFileType(reader);
        case GBX_TAG_STATS_TYPE:
            return readValue(reader, LRX_INT4, &header->itemStatsType);
        case GBX_TAG_DELETE_FLOAT: {
            const int code = readValue(reader, LRX_FLOAT, &header->deleteValueFloat);
            reader.file->deleteValueFloat = header->deleteValueFloat;
            return code;
        }
        case GBX_TAG_DELETE_DOUBLE: {
            const int code = readValue(reader, LRX_DOUBLE, &header->deleteValueDouble);
            reader.file->deleteValueDouble = header->deleteValueDouble;
            return code;
        }
        case GBX_TAG_DELETE_BYTE:
            return readValue(reader, LRX_BYTE, &header->deleteValueByte);
        case GBX_TAG_DELETE_INT:
            return readValue(reader, LRX_INT4, &header->deleteValueInt);
        case GBX_TAG_DELETE_UNSIGNED:
            return readValue(reader, LRX_UINT4, &header->deleteValueUnsigned);
        case GBX_TAG_GEO_INFO:
            return readGeoInfo(reader);
        case GBX_TAG_DATA_TYPE:
            return readValue(reader, LRX_INT4, &header->dataType);
        case GBX_TAG_COMPRESSED:
            return readValue(reader, LRX_INT4, &header->compressed);
        default:
            return -1;
    }
}

// Acts on the block whose tag is next; *step says whether the header is complete.
int readBlock(Reader& reader, int tag, Step* step, const GbxCall& call) {
    *step = Step::Next;
    const int attribute = readAttribute(reader, tag);
    if (attribute >= 0) return attribute;
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

// Writes a header as its tagged blocks, right after the record-file header: attributes,
// geographic information, time axis, items and custom blocks.
#include <cstdint>

#include "src/gbx/gbxblock.h"
#include "src/gbx/gbxheader.h"
#include "src/gbx/gbxheaderparts.h"
#include "src/gbx/gbxtimeaxisblocks.h"
#include "src/gbx/gbxtrace.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxheader";

int writeEmpty(uint16_t tag, GbxFile* file) {
    return GbxBlockBuilder().write(tag, file, kModule, __LINE__);
}

int writeValue(uint16_t tag, int type, const void* value, GbxFile* file) {
    GbxBlockBuilder block;
    block.add(type, 1, value);
    return block.write(tag, file, kModule, __LINE__);
}

int writeText(uint16_t tag, const char* text, GbxFile* file) {
    GbxBlockBuilder block;
    block.text(text);
    return block.write(tag, file, kModule, __LINE__);
}

// The attribute blocks in their order on disk; the file keeps the delete values for the
// time-step and static-item code.
int writeAttributes(GbxHeader* header, GbxFile* file) {
    const int16_t fileType = static_cast<int16_t>(header->fileType);
    int code = writeEmpty(GBX_TAG_ATTRIBUTES, file);
    if (code == 0) code = writeValue(GBX_TAG_FILE_TYPE, LRX_INT2, &fileType, file);
    if (code == 0) code = writeText(GBX_TAG_FILE_TITLE, header->fileTitle, file);
    if (code == 0) code = writeText(GBX_TAG_APP_TITLE, header->appTitle, file);
    if (code == 0) code = writeValue(GBX_TAG_APP_VERSION, LRX_INT4, &header->appVersionNo, file);
    if (code == 0) code = writeValue(GBX_TAG_DATA_TYPE, LRX_INT4, &header->dataType, file);
    if (code == 0) code = writeValue(GBX_TAG_COMPRESSED, LRX_INT4, &header->compressed, file);
    if (code == 0) code = writeValue(GBX_TAG_STATS_TYPE, LRX_INT4, &header->itemStatsType, file);
    if (code == 0) {
        file->deleteValueFloat = header->deleteValueFloat;
        code = writeValue(GBX_TAG_DELETE_FLOAT, LRX_FLOAT, &header->deleteValueFloat, file);
    }
    if (code == 0) {
        file->deleteValueDouble = header->deleteValueDouble;
        code = writeValue(GBX_TAG_DELETE_DOUBLE, LRX_DOUBLE, &header->deleteValueDouble, file);
    }
    if (code == 0) code = writeValue(GBX_TAG_DELETE_BYTE, LRX_BYTE, &header->deleteValueByte, file);
    if (code == 0) code = writeValue(GBX_TAG_DELETE_INT, LRX_INT4, &header->deleteValueInt, file);
    if (code == 0) code = writeValue(GBX_TAG_DELETE_UNSIGNED, LRX_UINT4, &header->deleteValueUnsigned, file);
    return code;
}

int writeGeoInfo(GbxHeader* header, GbxFile* file) {
    if (header->geoInfoType == GBX_GEO_UNDEFINED) return 0;
    if (header->geoInfoType != GBX_GEO_UTM) return GBX_REPORT(header, file, nullptr, F_ERR_DATA);
    const double origin[3] = {header->longitude, header->latitude, header->orientation};
    GbxBlockBuilder block;
    block.text(header->projection).add(LRX_DOUBLE, 3, origin);
    return block.write(GBX_TAG_GEO_INFO, file, kModule, __LINE__);
}

int writeItems(GbxHeader* header, GbxFile* file) {
    int code = writeEmpty(GBX_TAG_ITEMS, file);
    if (code == 0) code = writeValue(GBX_TAG_ITEM_COUNT, LRX_INT4, &header->noOfItems, file);
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
    int code = writeAttributes(header, file);
    if (code == 0) code = writeGeoInfo(header, file);
    if (code == 0) code = writeEmpty(GBX_TAG_TIME, file);
    if (code == 0) code = gbxWriteTimeAxis(header, file, kModule, __LINE__);
    if (code == 0) code = writeItems(header, file);
    if (code == 0) code = writeCustomBlocks(header, file);
    return call.result(code);
}

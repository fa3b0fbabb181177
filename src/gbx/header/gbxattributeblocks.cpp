// The attribute blocks of a data-file header: one table of tag, record type, field and update
// rule, and the write, read and in-place update that walk it. Calls the block entrance, the
// record stream's record sizes and the dispatcher.
#include "src/gbx/header/gbxattributeblocks.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"

namespace {

constexpr const char* kModule = "gbxheader";

enum class Shape {
    Value,       // one record of one value, the field's own
    ShortValue,  // one 16-bit record of a 32-bit field: its low 16 bits, read back sign-extended
    Text,        // one text record of an owned text field
    GeoInfo      // the projection text and the origin; written only with geographic information
};

// The time-step and static-item code find the delete values of floats and doubles on the file.
void keepFloatOnFile(const GbxHeader* header, GbxFile* file) {
    file->deleteValueFloat = header->deleteValueFloat;
}

void keepDoubleOnFile(const GbxHeader* header, GbxFile* file) {
    file->deleteValueDouble = header->deleteValueDouble;
}

struct AttributeBlock {
    uint16_t tag;
    Shape shape;
    int recordType;
    std::size_t field;  // offset of the header field
    bool updated;       // rewritten in place at a flush or close
    void (*keepOnFile)(const GbxHeader*, GbxFile*) = nullptr;
};

// The attribute blocks in their order on disk.
const AttributeBlock kAttributeBlocks[] = {
    {GBX_TAG_FILE_TYPE, Shape::ShortValue, LRX_INT2, offsetof(GbxHeader, fileType), false},
    {GBX_TAG_FILE_TITLE, Shape::Text, LRX_BYTE, offsetof(GbxHeader, fileTitle), true},
    {GBX_TAG_APP_TITLE, Shape::Text, LRX_BYTE, offsetof(GbxHeader, appTitle), false},
    {GBX_TAG_APP_VERSION, Shape::Value, LRX_INT4, offsetof(GbxHeader, appVersionNo), false},
    {GBX_TAG_DATA_TYPE, Shape::Value, LRX_INT4, offsetof(GbxHeader, dataType), true},
    {GBX_TAG_COMPRESSED, Shape::Value, LRX_INT4, offsetof(GbxHeader, compressed), false},
    {GBX_TAG_STATS_TYPE, Shape::Value, LRX_INT4, offsetof(GbxHeader, itemStatsType), false},
    {GBX_TAG_DELETE_FLOAT, Shape::Value, LRX_FLOAT, offsetof(GbxHeader, deleteValueFloat), true, keepFloatOnFile},
    {GBX_TAG_DELETE_DOUBLE, Shape::Value, LRX_DOUBLE, offsetof(GbxHeader, deleteValueDouble), true, keepDoubleOnFile},
    {GBX_TAG_DELETE_BYTE, Shape::Value, LRX_BYTE, offsetof(GbxHeader, deleteValueByte), true},
    {GBX_TAG_DELETE_INT, Shape::Value, LRX_INT4, offsetof(GbxHeader, deleteValueInt), true},
    {GBX_TAG_DELETE_UNSIGNED, Shape::Value, LRX_UINT4, offsetof(GbxHeader, deleteValueUnsigned), true},
    {GBX_TAG_GEO_INFO, Shape::GeoInfo, LRX_BYTE, offsetof(GbxHeader, projection), true},
};

const AttributeBlock* blockOfTag(int tag) {
    for (const AttributeBlock& block : kAttributeBlocks) {
        if (block.tag == tag) return &block;
    }
    return nullptr;
}

void* fieldOf(GbxHeader* header, const AttributeBlock& block) {
    return reinterpret_cast<unsigned char*>(header) + block.field;
}

char** textFieldOf(GbxHeader* header, const AttributeBlock& block) {
    return static_cast<char**>(fieldOf(header, block));
}

// ---- Writing ------------------------------------------------------------------------------

int writeGeoInfo(GbxHeader* header, GbxFile* file) {
    if (header->geoInfoType == GBX_GEO_UNDEFINED) return 0;
    if (header->geoInfoType != GBX_GEO_UTM) return GBX_REPORT(header, file, nullptr, F_ERR_DATA);
    const double origin[3] = {header->longitude, header->latitude, header->orientation};
    GbxBlockBuilder block;
    block.text(header->projection).add(LRX_DOUBLE, 3, origin);
    return block.write(GBX_TAG_GEO_INFO, file, kModule, __LINE__);
}

int writeBlock(GbxHeader* header, GbxFile* file, const AttributeBlock& block) {
    switch (block.shape) {
        case Shape::Value:
            return gbxWriteValueBlock(block.tag, block.recordType, fieldOf(header, block), file, kModule, __LINE__);
        case Shape::ShortValue: {
            const auto value = static_cast<int16_t>(*static_cast<const int32_t*>(fieldOf(header, block)));
            return gbxWriteValueBlock(block.tag, block.recordType, &value, file, kModule, __LINE__);
        }
        case Shape::Text:
            return gbxWriteTextBlock(block.tag, *textFieldOf(header, block), file, kModule, __LINE__);
        case Shape::GeoInfo:
            return writeGeoInfo(header, file);
    }
    return 0;
}

// ---- Reading ------------------------------------------------------------------------------

int readGeoInfo(GbxHeader* header, GbxFile* file) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(file, LRX_BYTE, 0, &first, kModule, __LINE__);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    char* projection = records.takeText(kModule, __LINE__);
    double origin[3];
    if (projection == nullptr || !records.copy(LRX_DOUBLE, 3, origin, kModule, __LINE__)) {
        std::free(projection);
        return records.error();
    }
    std::free(header->projection);
    header->projection = projection;
    header->longitude = origin[0];
    header->latitude = origin[1];
    header->orientation = origin[2];
    header->geoInfoType = GBX_GEO_UTM;
    return 0;
}

int readBlock(GbxHeader* header, GbxFile* file, const AttributeBlock& block) {
    switch (block.shape) {
        case Shape::Value:
            return gbxReadValueBlock(file, block.recordType, fieldOf(header, block), kModule, __LINE__);
        case Shape::ShortValue: {
            int16_t value = 0;
            const int code = gbxReadValueBlock(file, block.recordType, &value, kModule, __LINE__);
            if (code == 0) *static_cast<int32_t*>(fieldOf(header, block)) = value;
            return code;
        }
        case Shape::Text:
            return gbxReadTextBlock(file, textFieldOf(header, block), kModule, __LINE__);
        case Shape::GeoInfo:
            return readGeoInfo(header, file);
    }
    return 0;
}

// ---- Updating in place --------------------------------------------------------------------

bool holds(const LrxLrec* record, int type, int count) {
    return record != nullptr && record->type == type && record->count == count;
}

// Changes the stored records of a block to the header's value; false when they are not as the
// table writes them, and the block is then left as it is.
bool refresh(GbxHeader* header, const AttributeBlock& block, LrxLrec* chain) {
    switch (block.shape) {
        case Shape::Value:
            // A block that already holds the value is left as it is: the bytes would not change.
            if (!holds(chain, block.recordType, 1)) return false;
            if (std::memcmp(chain->data, fieldOf(header, block), lrxSimpSize(block.recordType)) == 0) return false;
            std::memcpy(chain->data, fieldOf(header, block), lrxSimpSize(block.recordType));
            return true;
        case Shape::Text:
            if (chain == nullptr || chain->type != LRX_BYTE) return false;
            gbxStoreTextInPlace(chain, *textFieldOf(header, block));
            return true;
        case Shape::GeoInfo: {
            LrxLrec* origin = chain != nullptr ? chain->next : nullptr;
            if (!holds(origin, LRX_DOUBLE, 3)) return false;
            const double values[3] = {header->longitude, header->latitude, header->orientation};
            std::memcpy(origin->data, values, sizeof values);
            return true;
        }
        case Shape::ShortValue:
            break;
    }
    return false;
}

}  // namespace

int gbxWriteAttributeBlocks(GbxHeader* header, GbxFile* file) {
    int code = gbxWriteEmptyBlock(GBX_TAG_ATTRIBUTES, file, kModule, __LINE__);
    for (const AttributeBlock& block : kAttributeBlocks) {
        if (code != 0) break;
        if (block.keepOnFile != nullptr) block.keepOnFile(header, file);
        code = writeBlock(header, file, block);
    }
    return code;
}

int gbxReadAttributeBlock(GbxHeader* header, GbxFile* file, int tag) {
    const AttributeBlock* block = blockOfTag(tag);
    if (block == nullptr) return GBX_NOT_AN_ATTRIBUTE;
    const int code = readBlock(header, file, *block);
    if (block->keepOnFile != nullptr) block->keepOnFile(header, file);
    return code;
}

int gbxUpdateAttributeBlock(GbxHeader* header, GbxFile* file, int tag, int64_t position) {
    const AttributeBlock* block = blockOfTag(tag);
    if (block == nullptr || !block->updated) return GBX_NOT_AN_ATTRIBUTE;
    int code = 0;
    LrxLrec* chain = gbxReadBlock(file, &code);
    if (code == 0 && refresh(header, *block, chain))
        code = gbxRewriteBlock(block->tag, chain, file, position, kModule, __LINE__);
    FFreeLogicalBlock(chain);
    return code;
}

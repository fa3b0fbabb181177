// An item definition as logical blocks of a data file: the definition block (with a unit key or
// a unit text), the value-type block and the axis block. Calls the block
// builder and records, the checked block operations, the axis blocks, the unit library's unit
// check and names, and the dispatcher.
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/items/gbxitem.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxitemio";
// Records of a definition block; a reader takes no more than these.
constexpr int kDefinitionRecords = 7;

// Hands out the records of a chain one at a time, each as a block of its own, so that a record
// that fails its check can be passed over and the next one still taken.
class RecordQueue {
public:
    explicit RecordQueue(LrxLrec* chain) : rest_(chain) {}
    ~RecordQueue() { FFreeLogicalBlock(rest_); }
    RecordQueue(const RecordQueue&) = delete;
    RecordQueue& operator=(const RecordQueue&) = delete;

    bool empty() const { return rest_ == nullptr; }
    LrxLrec* pop() {
        LrxLrec* record = rest_;
        rest_ = record->next;
        record->next = nullptr;
        return record;
    }

private:
    LrxLrec* rest_;
};

int writeDefinition(const GbxItem* item, GbxFile* file) {
    const bool unitKeyForm = item->unitText == nullptr;
    const double statistics[3] = {item->maxValue, item->minValue, item->deleteCount};
    GbxBlockBuilder block;
    block.add(LRX_INT4, 1, &item->itemType).text(item->name);
    if (unitKeyForm)
        block.add(LRX_INT4, 1, &item->unit);
    else
        block.text(item->unitText);
    block.add(LRX_INT4, 1, &item->dataType)
        .add(LRX_DOUBLE, 3, statistics)
        .add(LRX_FLOAT, 3, item->refCoords)
        .add(LRX_FLOAT, 3, item->orientation);
    return block.write(unitKeyForm ? GBX_TAG_ITEM_UNIT_KEY : GBX_TAG_ITEM_UNIT_TEXT, file, kModule, __LINE__);
}

int takeText(GbxBlockRecords& record, char** slot) {
    char* text = record.takeText(kModule, __LINE__);
    if (text == nullptr) return record.error();
    std::free(*slot);
    *slot = text;
    return 0;
}

int copyValues(GbxBlockRecords& record, int type, int count, void* out) {
    return record.copy(type, count, out, kModule, __LINE__) ? 0 : record.error();
}

// The unit-key form gives the unit as a key; the item keeps the unit's name as its unit text
// (the empty text for a key the unit library does not know).
int takeUnitKey(GbxItem* item, GbxBlockRecords& record) {
    if (const int code = copyValues(record, LRX_INT4, 1, &item->unit)) return code;
    const char* name = nullptr;
    if (vnkGetUnitKey(item->unit, &name) == 0 || name == nullptr) name = "";
    const std::size_t length = std::strlen(name);
    void* copy = nullptr;
    if (const int code = gbxCheckAlloc(&copy, length + 1, kModule, __LINE__)) return code;
    std::memcpy(copy, name, length + 1);
    std::free(item->unitText);
    item->unitText = static_cast<char*>(copy);
    return 0;
}

int takeUnitText(GbxItem* item, GbxBlockRecords& record) {
    const int code = takeText(record, &item->unitText);
    if (code == 0) item->unit = -1;
    return code;
}

int takeStatistics(GbxItem* item, GbxBlockRecords& record) {
    double values[3];
    const int code = copyValues(record, LRX_DOUBLE, 3, values);
    if (code == 0) {
        item->maxValue = values[0];
        item->minValue = values[1];
        item->deleteCount = values[2];
    }
    return code;
}

// Stores definition record `index` (1 to 7) after checking its type and count.
int takeDefinitionRecord(GbxItem* item, uint16_t id, int index, GbxBlockRecords& record) {
    switch (index) {
        case 1:
            return copyValues(record, LRX_INT4, 1, &item->itemType);
        case 2:
            return takeText(record, &item->name);
        case 3:
            return id == GBX_TAG_ITEM_UNIT_TEXT ? takeUnitText(item, record) : takeUnitKey(item, record);
        case 4:
            return copyValues(record, LRX_INT4, 1, &item->dataType);
        case 5:
            return takeStatistics(item, record);
        case 6:
            return copyValues(record, LRX_FLOAT, 3, item->refCoords);
        default:
            return copyValues(record, LRX_FLOAT, 3, item->orientation);
    }
}

// Takes the records of a definition block in order. A record that fails its check is not
// stored (its code is reported) and the next one is taken all the same; the result is the
// first failure, so a damaged definition never reads as a good one. Fields of records that
// the block lacks keep their reset values. Frees the chain.
int readDefinition(GbxItem* item, uint16_t id, LrxLrec* chain) {
    RecordQueue records(chain);
    int code = 0;
    for (int index = 1; index <= kDefinitionRecords && !records.empty(); ++index) {
        GbxBlockRecords record(records.pop());
        const int taken = takeDefinitionRecord(item, id, index, record);
        if (code == 0) code = taken;
    }
    return code;
}

int readValueType(GbxItem* item, LrxLrec* chain) {
    GbxBlockRecords records(chain);
    return copyValues(records, LRX_INT4, 1, &item->valueType);
}

// Reads the next block; on failure the records read so far are freed.
int readNextBlock(GbxFile* file, uint16_t* id, LrxLrec** chain) {
    const int code = gbxCheckReadLB(id, chain, file, kModule, __LINE__);
    if (code != 0) {
        FFreeLogicalBlock(*chain);
        *chain = nullptr;
    }
    return code;
}

}  // namespace

int gbxWriteItem(GbxItem* item, GbxFile* file) {
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return code;
    if (const int code = gbxCheckFile(file, kModule, __LINE__)) return code;
    if (item->unitText == nullptr && vnkItemUnitEqv(item->itemType, item->unit) == 0) {
        return GBX_REPORT(nullptr, file, nullptr, F_ERR_UNIT);
    }
    // A definition block that could not be written must stop the item here: blocks written
    // behind a missing definition would make the rest of the file unreadable.
    int code = writeDefinition(item, file);
    if (code == 0) {
        GbxBlockBuilder valueType;
        valueType.add(LRX_INT4, 1, &item->valueType);
        code = valueType.write(GBX_TAG_ITEM_VALUE_TYPE, file, kModule, __LINE__);
    }
    return code != 0 ? code : gbxWriteItemAxis(item, file);
}

int gbxReadItem(GbxItem* item, GbxFile* file) {
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return code;
    if (const int code = gbxCheckFile(file, kModule, __LINE__)) return code;
    gbxItemReset(item);
    uint16_t id = 0;
    LrxLrec* chain = nullptr;
    if (const int code = readNextBlock(file, &id, &chain)) return code;
    if (id != GBX_TAG_ITEM_UNIT_TEXT && id != GBX_TAG_ITEM_UNIT_KEY) {
        FFreeLogicalBlock(chain);
        return F_ERR_SKIP;
    }
    if (const int code = readDefinition(item, id, chain)) return code;
    if (const int code = readNextBlock(file, &id, &chain)) return code;
    if (id == GBX_TAG_ITEM_VALUE_TYPE) {
        if (const int code = readValueType(item, chain)) return code;
        if (const int code = readNextBlock(file, &id, &chain)) return code;
    }
    const int code = gbxReadItemAxis(item, id, chain, file);
    FFreeLogicalBlock(chain);
    return code;
}

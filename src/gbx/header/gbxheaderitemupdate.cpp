// The item blocks of a header rewritten in place when a file is flushed or closed: each
// definition's item type, name, unit key and statistics, the element statistics and the axis
// values, every block keeping its record types and counts. Calls the block layer, the axis
// block refresh, the statistics layout, the dispatcher and the header's in-place text rule.
#include <cstring>

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/items/gbxstatsblock.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"

namespace {

constexpr const char* kModule = "gbxitemio";
constexpr int kDefinitionRecords = 7;

// The item of the update's counter, or null before the first definition and past the last
// item of the header (a file with more definitions than the header has items).
GbxItem* itemAt(GbxHeader* header, int counter) {
    if (counter < 1 || counter > header->noOfItems || header->items == nullptr) return nullptr;
    return &header->items[counter - 1];
}

bool holds(const LrxLrec* record, int type, int count) {
    return record->type == type && record->count == count;
}

int writeBack(int tag, LrxLrec* chain, GbxFile* file, int64_t position) {
    return gbxRewriteBlock(static_cast<uint16_t>(tag), chain, file, position, kModule, __LINE__);
}

int skip(GbxFile* file) {
    // A block that cannot be stepped over ends the walk through the file's error state.
    FSkipLogicalBlock(file);
    return 0;
}

// A definition of at least 7 records gets the item type (record 1), the name (record 2, by
// the in-place text rule), the unit key (record 3 of the unit-key form) and the item-wide
// statistics (record 5); records of another type or count than written stay as they are.
int rewriteDefinition(const GbxItem* item, int tag, GbxFile* file, int64_t position) {
    int code = 0;
    GbxBlockRecords block(gbxReadBlock(file, &code));
    if (code != 0) return code;
    LrxLrec* records[kDefinitionRecords] = {};
    LrxLrec* record = block.chain();
    for (int i = 0; i < kDefinitionRecords && record != nullptr; ++i, record = record->next)
        records[i] = record;
    if (records[kDefinitionRecords - 1] == nullptr) return 0;
    if (holds(records[0], LRX_INT4, 1)) std::memcpy(records[0]->data, &item->itemType, sizeof item->itemType);
    if (records[1]->type == LRX_BYTE) gbxStoreTextInPlace(records[1], item->name);
    if (holds(records[2], LRX_INT4, 1)) std::memcpy(records[2]->data, &item->unit, sizeof item->unit);
    if (holds(records[4], LRX_DOUBLE, 3)) {
        const double statistics[3] = {item->maxValue, item->minValue, item->deleteCount};
        std::memcpy(records[4]->data, statistics, sizeof statistics);
    }
    return writeBack(tag, block.chain(), file, position);
}

// The element statistics written over the stored ones without reading them first: the block
// and record heads say where the values stand and how many there are, and the item's own
// storage is written there as it is. (A header of a million elements holds 72 MB of them.)
// False when the item's storage does not cover the stored elements: the caller then lays
// them out in a copy.
bool rewriteStatsInPlace(GbxHeader* header, const GbxItem* item, GbxFile* file, int64_t position, int* code) {
    int32_t id = 0;
    int32_t count = 0;
    int length = 0;
    *code = 0;
    if (lrxReadHead(file, &id, &length) != LRX_BLOCK || lrxReadHead(file, &count, &length) != LRX_DOUBLE) {
        lrxSeek64(file, position, 0);
        return false;
    }
    const int64_t elements = gbxStoredStatsElements(item, header, count);
    if (elements < 0 || item->elementStats == nullptr || item->statsElements < elements) {
        lrxSeek64(file, position, 0);
        return false;
    }
    lrxWrite(file, item->elementStats, sizeof(double), count);
    // Past the rest of the block, as a rewrite of the whole block would leave the file.
    lrxSeek64(file, position, 0);
    FSkipLogicalBlock(file);
    *code = lrxPeekError(file);
    return true;
}

int rewriteStats(GbxHeader* header, const GbxItem* item, int tag, GbxFile* file, int64_t position) {
    if (header->itemStatsType == GBX_STATS_GLOBAL) return skip(file);
    if (!gbxKeepsElementStats(header->itemStatsType)) return GBX_REPORT(header, file, nullptr, F_ERR_DATA);
    if (item == nullptr) return skip(file);
    int code = 0;
    if (rewriteStatsInPlace(header, item, file, position, &code)) return code;
    LrxLrec* first = nullptr;
    int64_t elements = 0;
    code = gbxReadStatsBlock(header, item, file, &first, &elements);
    GbxBlockRecords block(first);
    if (code != 0) return code;
    gbxCopyElementStats(item, static_cast<double*>(first->data), elements, header->deleteValueDouble);
    return writeBack(tag, first, file, position);
}

int rewriteAxis(const GbxItem* item, int tag, GbxFile* file, int64_t position) {
    int code = 0;
    GbxBlockRecords block(gbxReadBlock(file, &code));
    if (code != 0) return code;
    return gbxRefreshAxisBlock(item, tag, block.chain()) ? writeBack(tag, block.chain(), file, position) : 0;
}

}  // namespace

int gbxUpdateHeaderItemBlock(GbxHeader* header, int tag, int* itemCounter, GbxFile* file, int64_t position) {
    if (tag == GBX_TAG_ITEM_UNIT_TEXT || tag == GBX_TAG_ITEM_UNIT_KEY) {
        // The counter stops one past the last item, however many definitions the file holds.
        if (*itemCounter <= header->noOfItems) ++*itemCounter;
        const GbxItem* item = itemAt(header, *itemCounter);
        return item != nullptr ? rewriteDefinition(item, tag, file, position) : skip(file);
    }
    GbxItem* item = itemAt(header, *itemCounter);
    if (tag == GBX_TAG_ITEM_STATS) return rewriteStats(header, item, tag, file, position);
    if (item != nullptr && gbxIsAxisBlockTag(tag) && !gbxIsOlderAxisBlockTag(tag))
        return rewriteAxis(item, tag, file, position);
    return skip(file);
}

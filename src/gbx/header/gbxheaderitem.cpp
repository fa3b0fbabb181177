// One item of the header's item section in a file: its definition blocks followed by its
// element statistics and associated static items, written and read back.
// Calls the item blocks, the block builder and records, the associated-static calls and the
// dispatcher.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/items/gbxstatsblock.h"

namespace {

constexpr const char* kModule = "gbxitemio";

bool keepsElementStats(const GbxHeader* header) {
    return gbxKeepsElementStats(header->itemStatsType);
}

// The element-statistics block: the elements in use times 9 doubles. An item whose storage was
// made for fewer elements (keys installed after it was defined) has the rest written at their
// start values.
int writeStats(GbxHeader* header, const GbxItem* item, GbxFile* file) {
    const int64_t elements = gbxItemElements64(item, header, true);
    if (elements < 1 || elements > std::numeric_limits<int32_t>::max() / GBX_STATS_ENTRIES) {
        return GBX_REPORT(header, file, nullptr, F_ERR_DATA);
    }
    const int values = static_cast<int>(elements * GBX_STATS_ENTRIES);
    GbxBlockBuilder block;
    if (item->elementStats != nullptr && item->statsElements >= elements) {
        block.borrow(LRX_DOUBLE, values, item->elementStats);
        return block.write(GBX_TAG_ITEM_STATS, file, kModule, __LINE__);
    }
    void* memory = nullptr;
    if (const int code = gbxCheckAlloc(&memory, static_cast<std::size_t>(values) * sizeof(double), kModule, __LINE__)) {
        return code;
    }
    std::unique_ptr<double, GbxFreeMemory> laidOut(static_cast<double*>(memory));
    gbxCopyElementStats(item, laidOut.get(), elements, header->deleteValueDouble);
    block.borrow(LRX_DOUBLE, values, laidOut.get());
    return block.write(GBX_TAG_ITEM_STATS, file, kModule, __LINE__);
}

int writeAssocStatics(const GbxItem* item, GbxFile* file) {
    int count = 0;
    for (const GbxAssocStatic* node = item->assocStatics; node != nullptr; node = node->next)
        ++count;
    if (count == 0) return 0;
    void* memory = nullptr;
    if (const int code =
            gbxCheckAlloc(&memory, static_cast<std::size_t>(count) * sizeof(uint32_t), kModule, __LINE__)) {
        return code;
    }
    std::unique_ptr<uint32_t, GbxFreeMemory> numbers(static_cast<uint32_t*>(memory));
    int i = 0;
    for (const GbxAssocStatic* node = item->assocStatics; node != nullptr; node = node->next) {
        numbers.get()[i++] = static_cast<uint32_t>(node->number);
    }
    GbxBlockBuilder block;
    block.add(LRX_UINT4, count, numbers.get());
    return block.write(GBX_TAG_ITEM_ASSOC, file, kModule, __LINE__);
}

// True when the item is one of the header's item array.
bool isHeaderItem(const GbxHeader* header, const GbxItem* item) {
    const auto first = reinterpret_cast<uintptr_t>(header->items);
    const auto at = reinterpret_cast<uintptr_t>(item);
    return header->items != nullptr && at >= first && (at - first) % sizeof(GbxItem) == 0 &&
           (at - first) / sizeof(GbxItem) < static_cast<uintptr_t>(header->noOfItems);
}

// The element-statistics block replaces the item's statistics when the header keeps them per
// element; under any other statistics type the block is passed over.
int readStats(GbxHeader* header, GbxItem* item, GbxFile* file) {
    if (!keepsElementStats(header)) return FSkipLogicalBlock(file);
    LrxLrec* first = nullptr;
    int64_t elements = 0;
    const int code = gbxReadStatsBlock(header, item, file, &first, &elements);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    std::free(item->elementStats);
    item->elementStats = static_cast<double*>(lrxLrecTakeData(first));
    item->statsElements = static_cast<int32_t>(elements);
    return 0;
}

// The associated-statics block: unsigned records whose values replace the item's list, added
// in order until one is refused (a number below 1, reported); the header is read on all the same.
int readAssocStatics(GbxHeader* header, GbxItem* item, GbxFile* file) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(file, LRX_UINT4, 0, &first, kModule, __LINE__);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    for (LrxLrec* record = first->next; record != nullptr; record = record->next) {
        if (const int checked = gbxCheckTypeSize(record, LRX_UINT4, 0, kModule, __LINE__)) return checked;
    }
    gbxItemFreeAssoc(item);
    for (const LrxLrec* record = first; record != nullptr; record = record->next) {
        const auto* numbers = static_cast<const uint32_t*>(record->data);
        if (gbxAddAssocStatics(header, item, numbers, record->count) != 0) return 0;
    }
    return 0;
}

}  // namespace

int gbxReadStatsBlock(GbxHeader* header, const GbxItem* item, GbxFile* file, LrxLrec** chain, int64_t* elements) {
    const int code = gbxCheckReadTypeSize(file, LRX_DOUBLE, 0, chain, kModule, __LINE__);
    if (code != 0) return code;
    *elements = gbxStoredStatsElements(item, header, (*chain)->count);
    return *elements < 0 ? GBX_REPORT(header, file, nullptr, F_ERR_SIZE) : 0;
}

bool gbxIsItemBlockTag(int tag) {
    return (tag >= GBX_TAG_ITEM_UNIT_TEXT && tag <= GBX_TAG_ITEM_VALUE_TYPE) || gbxIsAxisBlockTag(tag);
}

int gbxWriteHeaderItem(GbxHeader* header, GbxItem* item, GbxFile* file) {
    int code = gbxWriteItem(item, file);
    if (code == 0 && header->itemStatsType != GBX_STATS_GLOBAL) {
        code =
            keepsElementStats(header) ? writeStats(header, item, file) : GBX_REPORT(header, file, nullptr, F_ERR_DATA);
    }
    if (code == 0) code = writeAssocStatics(item, file);
    return code;
}

int gbxReadHeaderItem(GbxHeader* header, GbxItem* item, GbxFile* file) {
    if (!isHeaderItem(header, item)) return GBX_REPORT(header, file, nullptr, F_ERR_ITEM_NO);
    int code = gbxReadItem(item, file);
    if (code != 0) return code;
    // The statistics block is sized by the item's elements, which depend on its header.
    item->header = header;
    while (code == 0) {
        const int tag = FQueryLogicalBlock(file);
        if (tag == GBX_TAG_ITEM_STATS)
            code = readStats(header, item, file);
        else if (tag == GBX_TAG_ITEM_ASSOC)
            code = readAssocStatics(header, item, file);
        else
            break;
    }
    return code;
}

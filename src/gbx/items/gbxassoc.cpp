// The static items associated with a dynamic item: a list of positive numbers kept in
// insertion order, which the library only stores, counts, hands out and serialises.
// Calls the check functions, the dispatcher and the call trace.
#include <cstdlib>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"

namespace {

constexpr const char* kModule = "gbxitem";

GbxItem* itemOf(GbxHeader* header, int itemNo) {
    return &header->items[itemNo - 1];
}

int countOf(const GbxItem* item) {
    int count = 0;
    for (const GbxAssocStatic* node = item->assocStatics; node != nullptr; node = node->next)
        ++count;
    return count;
}

GbxAssocStatic** endOf(GbxItem* item) {
    GbxAssocStatic** end = &item->assocStatics;
    while (*end != nullptr)
        end = &(*end)->next;
    return end;
}

// Appends one number at *end (a number below 1 gives 2007) and moves *end behind it.
int append(GbxHeader* header, GbxAssocStatic*** end, int number) {
    if (number <= 0) return gbxReportError(header, nullptr, nullptr, F_ERR_ITEM_NO, kModule, __LINE__);
    void* memory = nullptr;
    if (const int code = gbxCheckAlloc(&memory, sizeof(GbxAssocStatic), kModule, __LINE__)) return code;
    auto* added = static_cast<GbxAssocStatic*>(memory);
    added->number = number;
    **end = added;
    *end = &added->next;
    return 0;
}

}  // namespace

int gbxAddAssocStatics(GbxHeader* header, GbxItem* item, const uint32_t* numbers, int32_t count) {
    GbxAssocStatic** end = endOf(item);
    for (int32_t i = 0; i < count; ++i) {
        // Numbers above INT32_MAX turn negative and are refused like 0.
        if (const int code = append(header, &end, static_cast<int32_t>(numbers[i]))) return code;
    }
    return 0;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxSetAssocStatic(GbxHeader* header, int itemNo, int staticNo) {
    GbxCall call("gbxSetAssocStatic");
    if (const int code = gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__)) return call.result(code);
    GbxAssocStatic** end = endOf(itemOf(header, itemNo));
    return call.result(append(header, &end, staticNo));
}

LRX_EXPORT int LRX_CALL gbxGetNoAssocStatic(GbxHeader* header, int itemNo) {
    GbxCall call("gbxGetNoAssocStatic");
    const int code = gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__);
    const int count = code == 0 ? countOf(itemOf(header, itemNo)) : 0;
    call.exit("[%d] %d", code, count);
    return count;
}

LRX_EXPORT int LRX_CALL gbxGetAssocStatic(GbxHeader* header, int itemNo, int index, int* staticNo) {
    GbxCall call("gbxGetAssocStatic");
    if (staticNo != nullptr) *staticNo = 0;
    if (const int code = gbxCheckHeaderItemNo(header, itemNo, kModule, __LINE__)) return call.result(code);
    if (index < 1) return call.result(gbxReportError(header, nullptr, nullptr, F_ERR_ITEM_NO, kModule, __LINE__));
    const GbxAssocStatic* node = itemOf(header, itemNo)->assocStatics;
    for (int i = 1; i < index && node != nullptr; ++i)
        node = node->next;
    // Past the end of the list there is no value, which is not an error.
    if (node != nullptr && staticNo != nullptr) *staticNo = node->number;
    return call.result(0);
}

}  // extern "C"

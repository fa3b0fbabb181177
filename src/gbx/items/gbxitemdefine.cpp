// Defining an item: the exported setters with a unit key or a unit text and the definition
// steps behind them. Calls the unit library (unit check), the check functions, the statistics
// storage (InitStats), the dispatcher and the call trace.
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxitem";

const char* textOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

// A new copy of text (the empty text for null) in *slot; 2000 (reported) leaves it null.
int copyText(const char* text, char** slot, const char* module, int line) {
    const char* source = textOrEmpty(text);
    const std::size_t length = std::strlen(source);
    void* copy = nullptr;
    const int code = gbxCheckAlloc(&copy, length + 1, module, line);
    if (code == 0) std::memcpy(copy, source, length + 1);
    *slot = static_cast<char*>(copy);
    return code;
}

int checkAxisType(int axisType, const char* module, int line) {
    if (gbxIsValidAxisType(axisType)) return 0;
    return gbxReportError(nullptr, nullptr, nullptr, F_ERR_FILE_TYPE, module, line);
}

void storeKeys(GbxItem* item, int itemType, int dataType, int axisType) {
    item->itemType = itemType;
    item->dataType = dataType;
    item->axisType = axisType;
}

// The common frame of both setters: handle checks, the texts (which must be given), the
// definition step, then the owner and, for a dynamic item, fresh statistics.
template <typename Step>
int defineItem(GbxCall& call, GbxHeader* header, GbxItem* item, bool textsGiven, Step step) {
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return call.result(code);
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return call.result(code);
    if (!textsGiven) {
        return call.result(gbxReportError(header, nullptr, item, F_ERR_USAGE, kModule, __LINE__));
    }
    int code = step();
    if (code == 0) {
        item->header = header;
        if (!gbxItemIsStatic(item)) code = InitStats(item, kModule, __LINE__);
    }
    return call.result(code);
}

}  // namespace

int gbxItemTypesNameUnit_(GbxItem* item, int itemType, const char* name, int unit, int dataType, int axisType,
                          const char* module, int line) {
    GbxCall call("gbxItemTypesNameUnit_ %d %d %d %s %d", itemType, dataType, axisType, textOrEmpty(name), unit);
    if (const int code = checkAxisType(axisType, module, line)) return call.result(code);
    if (vnkItemUnitEqv(itemType, unit) == 0) {
        return call.result(gbxReportError(nullptr, nullptr, nullptr, F_ERR_UNIT, module, line));
    }
    gbxItemReset(item);
    if (const int code = copyText(name, &item->name, module, line)) return call.result(code);
    item->unit = unit;
    storeKeys(item, itemType, dataType, axisType);
    return call.result(0);
}

int gbxItemTypesNameUnit(GbxItem* item, int itemType, const char* name, const char* unitText, int dataType,
                         int axisType, const char* module, int line) {
    GbxCall call("gbxItemTypesNameUnit %d %d %d %s %s", itemType, dataType, axisType, textOrEmpty(name),
                 textOrEmpty(unitText));
    if (const int code = checkAxisType(axisType, module, line)) return call.result(code);
    gbxItemReset(item);
    int code = copyText(name, &item->name, module, line);
    if (code == 0) code = copyText(unitText, &item->unitText, module, line);
    if (code != 0) {
        std::free(item->name);
        std::free(item->unitText);
        item->name = item->unitText = nullptr;
        return call.result(code);
    }
    storeKeys(item, itemType, dataType, axisType);
    return call.result(0);
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxSetItemInfo(GbxHeader* header, GbxItem* item, int itemType, const char* name, int unit,
                                       int dataType) {
    GbxCall call("gbxSetItemInfo");
    return defineItem(call, header, item, name != nullptr, [&] {
        return gbxItemTypesNameUnit_(item, itemType, name, unit, dataType, GBX_EQD0, kModule, __LINE__);
    });
}

LRX_EXPORT int LRX_CALL gbxSetItemInfo_(GbxHeader* header, GbxItem* item, int itemType, const char* name,
                                        const char* unitText, int dataType) {
    GbxCall call("gbxSetItemInfo_");
    return defineItem(call, header, item, name != nullptr && unitText != nullptr, [&] {
        return gbxItemTypesNameUnit(item, itemType, name, unitText, dataType, GBX_EQD0, kModule, __LINE__);
    });
}

}  // extern "C"

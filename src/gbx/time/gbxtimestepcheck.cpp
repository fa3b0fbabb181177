// The checks of the time-step calls (file-type mask, the item touched next and its counts) and
// the read and write position. Calls the handle checks, the item counts, the dispatcher and the
// call trace.
#include <cstdint>
#include <limits>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/time/gbxtimestep.h"

namespace {

bool isTimeVarying(int axisType) {
    return axisType == GBX_TVARD1 || axisType == GBX_TVARD2 || axisType == GBX_TVARD3;
}

// A count that a record and the caller's buffer can hold: at least one value, and no more bytes
// than 32 bits count, which is all gbxGetItemBytes can tell a caller about the buffer to give.
bool usableCount(int64_t count, int valueSize) {
    return count >= 1 && count <= std::numeric_limits<int32_t>::max() / valueSize;
}

}  // namespace

int gbxCheckFileTypeMask(GbxHeader* header, int mask, const char* module, int line) {
    GbxCall call("gbxCheckFileTypeMask %d", mask);
    const bool allowed = header->fileType != 0 && (header->fileType & mask) != 0;
    const int code = allowed ? 0 : gbxReportError(nullptr, nullptr, nullptr, F_ERR_FILE_TYPE, module, line);
    return call.result(code);
}

int gbxDescribeStepItem(GbxHeader* header, GbxFile* file, int itemIndex, GbxStepItem* out, const char* module,
                        int line) {
    if (itemIndex == -1) itemIndex = header->currentItem;
    if (itemIndex < 0 || itemIndex >= header->noOfItems || header->items == nullptr)
        return gbxReportError(header, file, nullptr, F_ERR_ITEM_NO, module, line);
    GbxItem* item = &header->items[itemIndex];
    // The stored count is the key length whenever keys exist; the caller's only while the
    // header's compression switch is on (as gbxItemElements64 counts them).
    const int64_t xyz = gbxItemXYZSize64(item);
    const bool keyed = xyz >= 0 && header->encodeKeyRef != nullptr && header->encodeKeySize >= 1;
    const int64_t stored = keyed ? header->encodeKeySize : xyz;
    const int64_t caller = keyed && header->itemCompression != 0 ? header->encodeKeySize : xyz;
    // Values are sized as the record layer stores them, 16-bit integers included. A value type
    // without a size would make the record layer write nothing and report success.
    const int valueSize = lrxSimpSize(item->dataType);
    if (valueSize == 0 || !usableCount(stored, valueSize) || !usableCount(caller, valueSize))
        return gbxReportError(nullptr, nullptr, nullptr, F_ERR_DATA, module, line);
    *out = {itemIndex, item, item->dataType, valueSize, static_cast<int32_t>(stored), static_cast<int32_t>(caller)};
    return 0;
}

int gbxCheckItemTypeCount(GbxHeader* header, GbxFile* file, int mask, int itemIndex, GbxStepItem* out,
                          const char* module, int line) {
    GbxCall call("gbxCheckItemTypeCount");
    int code = gbxCheckHeaderFile(header, file, module, line);
    if (code == 0) code = gbxCheckFileTypeMask(header, mask, module, line);
    if (code == 0) code = gbxDescribeStepItem(header, file, itemIndex, out, module, line);
    if (code == 0 && isTimeVarying(out->item->axisType))
        code = gbxReportError(nullptr, nullptr, nullptr, F_ERR_DATA, module, line);
    return call.result(code);
}



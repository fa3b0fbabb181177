// The compression calls of items: whether an item's header holds encoding keys, and the switch
// that makes callers exchange compressed arrays of key-size values. Calls the check functions
// and the call trace.
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"

namespace {

constexpr const char* kModule = "gbxitem";

// A grid is compressed by X and Y keys together; an X key alone names no cell.
bool holdsGridKeys(const GbxHeader* header) {
    return header != nullptr && header->encodeKeyX != nullptr && header->encodeKeyY != nullptr;
}

}  // namespace

extern "C" {

// Both calls trace their entry line only; the name leaves the stack silently at return.
LRX_EXPORT int LRX_CALL gbxIsItemCompressed(GbxItem* item, int* keySize) {
    GbxCall call("gbxIsItemCompressed");
    if (keySize != nullptr) *keySize = 0;
    if (const int code = gbxCheckItem(item, kModule, __LINE__)) return code;
    // The switch is not consulted: keys installed mean compressed storage either way.
    if (keySize != nullptr && holdsGridKeys(item->header)) *keySize = item->header->encodeKeySize;
    return 0;
}

LRX_EXPORT void LRX_CALL gbxItemEnableCompression(GbxHeader* header) {
    GbxCall call("gbxItemEnableCompression");
    if (header != nullptr) header->itemCompression = 1;
}

}  // extern "C"

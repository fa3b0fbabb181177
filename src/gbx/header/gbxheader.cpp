// Header lifecycle: creation, defaults, destruction and the encoding keys. Serialisation is
// in gbxheaderwrite.cpp, gbxheaderread.cpp and gbxheaderupdate.cpp.
#include "src/gbx/header/gbxheader.h"

#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/header/gbxattributes.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/items/gbxitem.h"
#include "src/os/osmemory.h"

namespace {

constexpr const char* kModule = "gbxheader";

void freeKeys(GbxHeader* header) {
    std::free(header->encodeKeyX);
    std::free(header->encodeKeyY);
    std::free(header->encodeKeyZ);
    header->encodeKeyX = header->encodeKeyY = header->encodeKeyZ = nullptr;
    header->encodeKeySize = 0;
}

// A copy of size entries of key into *slot; true when there was nothing to copy or it worked.
bool copyKey(int32_t** slot, const int32_t* key, int size) {
    if (key == nullptr) return true;
    const std::size_t bytes = static_cast<std::size_t>(size) * sizeof(int32_t);
    *slot = static_cast<int32_t*>(lrx::os::allocate(bytes));
    if (*slot == nullptr) return false;
    std::memcpy(*slot, key, bytes);
    return true;
}

}  // namespace

int gbxInitHeader(GbxHeader* header) {
    GbxCall call("gbxInitHeader");
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return call.result(code);
    header->fileType = 0;
    header->appVersionNo = 0;
    header->dataType = 0;
    header->compressed = 0;
    header->itemStatsType = 0;
    header->deleteValueFloat = gbxDefaultDeleteFloat();
    header->deleteValueDouble = gbxDefaultDeleteDouble();
    header->deleteValueByte = 0;
    header->deleteValueInt = GBX_DELETE_INT;
    header->deleteValueUnsigned = GBX_DELETE_INT;
    header->geoInfoType = GBX_GEO_UNDEFINED;
    header->longitude = header->latitude = header->orientation = 0;
    header->timeAxisType = F_UNDEFINED_TAXIS;
    header->timeAxis = GbxTimeAxisRecord{};
    // No time written yet: the first time step's time becomes the last time.
    header->lastTime = gbxDefaultDeleteDouble();
    header->noOfItems = 0;
    const int titles = gbxSetFileTitle(header, "") | gbxSetAppTitle(header, "");
    return call.result(titles != 0 ? F_ERR_MEMORY : 0);
}

int gbxInitHeaderItems(GbxHeader* header) {
    GbxCall call("gbxInitHeaderItems");
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return call.result(code);
    for (int32_t i = 0; i < header->noOfItems && header->items != nullptr; ++i) {
        gbxItemInit(&header->items[i], header->deleteValueFloat);
    }
    return call.result(0);
}

int gbxAllocateItems(GbxHeader* header, int32_t count) {
    void* items = nullptr;
    const int code = gbxCheckAlloc(&items, static_cast<std::size_t>(count) * sizeof(GbxItem), kModule, __LINE__);
    if (code != 0) return code;
    gbxFreeItems(header);
    header->items = static_cast<GbxItem*>(items);
    header->noOfItems = count;
    return gbxInitHeaderItems(header);
}

void gbxFreeItems(GbxHeader* header) {
    for (int32_t i = 0; i < header->noOfItems && header->items != nullptr; ++i) {
        gbxItemDestroyContents(&header->items[i]);
    }
    std::free(header->items);
    header->items = nullptr;
    header->noOfItems = 0;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxHeaderCreate(int fileType, const char* fileTitle, const char* appTitle, int appVersionNo,
                                        int noOfItems, int itemStatsType, GbxHeader** header) {
    GbxCall call("gbxHeaderCreate <%s> <%s> %d", fileTitle != nullptr ? fileTitle : "",
                 appTitle != nullptr ? appTitle : "", noOfItems);
    if (header == nullptr) return call.result(GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_USAGE));
    *header = nullptr;
    if (itemStatsType < 1 || itemStatsType > 3 || noOfItems < 1) {
        return call.result(GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_DATA));
    }
    void* memory = nullptr;
    if (const int code = gbxCheckAlloc(&memory, sizeof(GbxHeader), kModule, __LINE__)) return call.result(code);
    GbxHeader* created = static_cast<GbxHeader*>(memory);
    int code = gbxInitHeader(created);
    created->fileType = fileType;
    if (code == 0) code = gbxSetFileTitle(created, fileTitle != nullptr ? fileTitle : "");
    if (code == 0) code = gbxSetAppTitle(created, appTitle != nullptr ? appTitle : "");
    created->appVersionNo = appVersionNo;
    created->itemStatsType = itemStatsType;
    if (code == 0) code = gbxAllocateItems(created, noOfItems);
    if (code != 0) {
        gbxHeaderDestroy(&created);
        return call.result(code);
    }
    *header = created;
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxHeaderDestroy(GbxHeader** header) {
    GbxCall call("gbxHeaderDestroy");
    GbxHeader* doomed = header != nullptr ? *header : nullptr;
    if (const int code = gbxCheckHeader(doomed, kModule, __LINE__)) {
        if (header != nullptr) *header = nullptr;
        return call.result(code);
    }
    gbxReleasePlugin(doomed);
    std::free(doomed->fileTitle);
    std::free(doomed->appTitle);
    std::free(doomed->projection);
    std::free(doomed->timeAxis.unitText);
    gbxFreeItems(doomed);
    gbxFreeCustomBlocks(doomed);
    freeKeys(doomed);
    gbxReleaseLegacyFile(doomed);
    std::free(doomed);
    *header = nullptr;
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxSetEncodeKey(GbxHeader* header, const int32_t* keyX, const int32_t* keyY,
                                        const int32_t* keyZ, int size) {
    GbxCall call("gbxSetEncodeKey");
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return call.result(code);
    if (size < 0) return call.result(GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA));
    freeKeys(header);
    if (size > 0 && !(copyKey(&header->encodeKeyX, keyX, size) && copyKey(&header->encodeKeyY, keyY, size) &&
                      copyKey(&header->encodeKeyZ, keyZ, size))) {
        // All or nothing: a header never keeps half its keys.
        freeKeys(header);
        header->encodeKeyRef = nullptr;
        return call.result(GBX_REPORT(header, nullptr, nullptr, F_ERR_MEMORY));
    }
    header->encodeKeySize = size;
    header->encodeKeyRef = &header->encodeKeyX;
    header->compressed = 1;
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxGetEncodeKey(GbxHeader* header, int32_t* keyX, int32_t* keyY, int32_t* keyZ) {
    GbxCall call("gbxGetEncodeKey");
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) return call.result(code);
    const int32_t size = header->encodeKeySize;
    if (size < 1) return call.result(0);
    const std::size_t bytes = static_cast<std::size_t>(size) * sizeof(int32_t);
    const int32_t* stored[3] = {header->encodeKeyX, header->encodeKeyY, header->encodeKeyZ};
    int32_t* outputs[3] = {keyX, keyY, keyZ};
    for (int i = 0; i < 3; ++i) {
        if (outputs[i] != nullptr && stored[i] != nullptr) std::memcpy(outputs[i], stored[i], bytes);
    }
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxGetEncodeKeySize(GbxHeader* header) {
    return gbxCheckHeader(header, kModule, __LINE__) == 0 ? header->encodeKeySize : 0;
}

LRX_EXPORT int LRX_CALL gbxIsFileCompressed(GbxHeader* header) {
    return gbxCheckHeader(header, kModule, __LINE__) == 0 ? header->compressed : 0;
}

}  // extern "C"

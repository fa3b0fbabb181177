// The header attributes in memory: file and statistics type, titles, application version, data
// type, delete values, geographic information, custom blocks and the format version (module
// gbxio). Calls the check functions, the error dispatcher and the call trace.
#include "src/gbx/header/gbxattributes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxformat.h"
#include "src/gbx/common/gbxtrace.h"

namespace {

constexpr const char* kModule = "gbxio";

const char* textOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

// Replaces *slot by a copy of text. The old text is freed first; when the copy cannot be
// made the slot stays null and 2000 (already reported) is returned.
int replaceText(char** slot, const char* text) {
    std::free(*slot);
    *slot = nullptr;
    const std::size_t length = std::strlen(text);
    void* copy = nullptr;
    const int code = gbxCheckAlloc(&copy, length + 1, kModule, __LINE__);
    if (code != 0) return code;
    std::memcpy(copy, text, length);
    *slot = static_cast<char*>(copy);
    return 0;
}

// A text attribute's setter: a null text is refused and changes nothing.
int setText(GbxHeader* header, char* GbxHeader::*field, const char* text) {
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code != 0) return code;
    if (text == nullptr) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
    return replaceText(&(header->*field), text);
}

// A traced setter; the entry line shows the value as entryFormat says.
template <typename T, typename Shown>
int setField(GbxHeader* header, T GbxHeader::*field, T value, const char* entryFormat, Shown shownValue) {
    GbxCall call(entryFormat, shownValue);
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code == 0) header->*field = value;
    return call.result(code);
}

// How a getter's exit line shows its value: floats as doubles, bytes and unsigned values as
// signed integers.
double shown(float value) {
    return value;
}
double shown(double value) {
    return value;
}
int shown(int32_t value) {
    return value;
}
int shown(int8_t value) {
    return value;
}
int shown(uint32_t value) {
    return static_cast<int>(value);
}

// A traced getter: the field's value, or `invalid` when the header check fails. The exit line
// gets the value and the check's code; a format that shows only the value ignores the code.
template <typename T>
T getField(const char* name, GbxHeader* header, T GbxHeader::*field, T invalid, const char* exitFormat) {
    GbxCall call(name);
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    const T value = code == 0 ? header->*field : invalid;
    call.exit(exitFormat, shown(value), code);
    return value;
}

// A traced text getter: the text, or "" when it is null or the header check fails.
const char* getText(const char* name, GbxHeader* header, char* GbxHeader::*field, const char* exitFormat) {
    GbxCall call(name);
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    const char* text = code == 0 ? textOrEmpty(header->*field) : "";
    call.exit(exitFormat, text, code);
    return text;
}

// Appends in constant time: a file may hold hundreds of thousands of custom blocks.
void appendCustomBlock(GbxHeader* header, GbxCustomBlock* block) {
    if (header->customBlocks == nullptr)
        header->customBlocks = block;
    else
        header->lastCustomBlock->next = block;
    header->lastCustomBlock = block;
}

// Bytes of count values of a custom block's type (0 for a type that keeps no values), or -1
// when count is negative or the size would not fit an allocation.
int64_t customBlockBytes(int type, int count) {
    if (count < 0) return -1;
    const uint64_t bytes = static_cast<uint64_t>(count) * lrxSimpSize(type);
    return bytes > static_cast<uint64_t>(PTRDIFF_MAX) ? -1 : static_cast<int64_t>(bytes);
}

// Copies the values into the block; a null data argument gives zeros, as the block layer's
// records do.
int fillCustomValues(GbxCustomBlock* block, const void* data, int64_t bytes) {
    if (bytes == 0) return 0;
    void* values = nullptr;
    const int code = gbxCheckAlloc(&values, static_cast<std::size_t>(bytes), kModule, __LINE__);
    if (code != 0) return code;
    if (data != nullptr) std::memcpy(values, data, static_cast<std::size_t>(bytes));
    block->data = values;
    return 0;
}

int addCustomBlock(GbxHeader* header, int type, const char* name, int count, const void* data) {
    int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code != 0) return code;
    const int64_t bytes = customBlockBytes(type, count);
    if (name == nullptr || bytes < 0) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);

    void* node = nullptr;
    code = gbxCheckAlloc(&node, sizeof(GbxCustomBlock), kModule, __LINE__);
    if (code != 0) return code;
    auto* block = static_cast<GbxCustomBlock*>(node);
    appendCustomBlock(header, block);
    // From here on the block stays in the list, even without its name or values.
    block->type = type;
    block->count = count;
    code = replaceText(&block->name, name);
    if (code != 0) return code;
    return fillCustomValues(block, data, bytes);
}

int getGeoInfo(GbxHeader* header, char** projection, double* longitude, double* latitude, double* orientation) {
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code != 0) return code;
    if (header->geoInfoType == GBX_GEO_UNDEFINED) return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    if (header->geoInfoType != GBX_GEO_UTM) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
    if (projection != nullptr) *projection = header->projection;
    if (longitude != nullptr) *longitude = header->longitude;
    if (latitude != nullptr) *latitude = header->latitude;
    if (orientation != nullptr) *orientation = header->orientation;
    return 0;
}

int setGeoInfo(GbxHeader* header, const char* projection, double longitude, double latitude, double orientation) {
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code != 0) return code;
    if (projection == nullptr) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
    header->geoInfoType = GBX_GEO_UTM;
    header->longitude = longitude;
    header->latitude = latitude;
    header->orientation = orientation;
    return replaceText(&header->projection, projection);
}

}  // namespace

void gbxFreeCustomBlocks(GbxHeader* header) {
    if (header == nullptr) return;
    GbxCustomBlock* block = header->customBlocks;
    header->customBlocks = nullptr;
    header->lastCustomBlock = nullptr;
    while (block != nullptr) {
        GbxCustomBlock* next = block->next;
        std::free(block->name);
        std::free(block->data);
        std::free(block);
        block = next;
    }
}

extern "C" {

// ---- File type, statistics type, titles, version and data type -------------------------

int LRX_CALL gbxGetFileType(GbxHeader* header) {
    return getField("gbxGetFileType", header, &GbxHeader::fileType, 0, "%d [%d]");
}

int LRX_CALL gbxGetItemStatsType(GbxHeader* header) {
    return getField("gbxGetItemStatsType", header, &GbxHeader::itemStatsType, 0, "%d [%d]");
}

const char* LRX_CALL gbxGetFileTitle(GbxHeader* header) {
    return getText("gbxGetFileTitle", header, &GbxHeader::fileTitle, "<%s>");
}

int LRX_CALL gbxSetFileTitle(GbxHeader* header, const char* title) {
    GbxCall call("gbxSetFileTitle <%s>", textOrEmpty(title));
    return call.result(setText(header, &GbxHeader::fileTitle, title));
}

const char* LRX_CALL gbxGetAppTitle(GbxHeader* header) {
    return getText("gbxGetAppTitle", header, &GbxHeader::appTitle, "<%s> [%d]");
}

int LRX_CALL gbxSetAppTitle(GbxHeader* header, const char* title) {
    GbxCall call("gbxSetAppTitle <%s>", textOrEmpty(title));
    return call.result(setText(header, &GbxHeader::appTitle, title));
}

int LRX_CALL gbxGetAppVersionNo(GbxHeader* header) {
    return getField("gbxGetAppVersionNo", header, &GbxHeader::appVersionNo, -1, "%d");
}

int LRX_CALL gbxSetAppVersionNo(GbxHeader* header, int version) {
    return setField(header, &GbxHeader::appVersionNo, version, "gbxSetAppVersionNo <%d>", version);
}

int LRX_CALL gbxGetDataType(GbxHeader* header) {
    return getField("gbxGetDataType", header, &GbxHeader::dataType, 0, "%d");
}

int LRX_CALL gbxSetDataType(GbxHeader* header, int dataType) {
    return setField(header, &GbxHeader::dataType, dataType, "gbxSetDataType <%d>", dataType);
}

// ---- Delete values ------------------------------------------------------------------------

float LRX_CALL gbxGetDeleteValFloat(GbxHeader* header) {
    return getField("gbxGetDeleteValFloat", header, &GbxHeader::deleteValueFloat, 0.0f, "%g [%d]");
}

int LRX_CALL gbxSetDeleteValFloat(GbxHeader* header, float value) {
    return setField(header, &GbxHeader::deleteValueFloat, value, "gbxSetDeleteValFloat %g", static_cast<double>(value));
}

double LRX_CALL gbxGetDeleteValDouble(GbxHeader* header) {
    return getField("gbxGetDeleteValDouble", header, &GbxHeader::deleteValueDouble, 0.0, "%g [%d]");
}

int LRX_CALL gbxSetDeleteValDouble(GbxHeader* header, double value) {
    return setField(header, &GbxHeader::deleteValueDouble, value, "gbxSetDeleteValDouble %lg", value);
}

char LRX_CALL gbxGetDeleteValByte(GbxHeader* header) {
    return static_cast<char>(
        getField("gbxGetDeleteValByte", header, &GbxHeader::deleteValueByte, int8_t{0}, "%d [%d]"));
}

int LRX_CALL gbxSetDeleteValByte(GbxHeader* header, char value) {
    return setField(header, &GbxHeader::deleteValueByte, static_cast<int8_t>(value), "gbxSetDeleteValByte <%c>",
                    static_cast<int>(value));
}

int LRX_CALL gbxGetDeleteValInt(GbxHeader* header) {
    return getField("gbxGetDeleteValInt", header, &GbxHeader::deleteValueInt, 0, "%d [%d]");
}

int LRX_CALL gbxSetDeleteValInt(GbxHeader* header, int value) {
    return setField(header, &GbxHeader::deleteValueInt, value, "gbxSetDeleteValInt %d", value);
}

unsigned int LRX_CALL gbxGetDeleteValUnsignedInt(GbxHeader* header) {
    return getField("gbxGetDeleteValUnsignedInt", header, &GbxHeader::deleteValueUnsigned, uint32_t{0}, "%d [%d]");
}

int LRX_CALL gbxSetDeleteValUnsignedInt(GbxHeader* header, unsigned int value) {
    return setField(header, &GbxHeader::deleteValueUnsigned, uint32_t{value}, "gbxSetDeleteValUnsignedInt %d",
                    static_cast<int>(value));
}

// ---- Geographic information ---------------------------------------------------------------

int LRX_CALL gbxGetGeoInfoType(GbxHeader* header) {
    return getField("gbxGetGeoInfoType", header, &GbxHeader::geoInfoType, 0, "%d [%d]");
}

int LRX_CALL gbxGetGeoInfoUTMProj(GbxHeader* header, char** projection, double* longitude, double* latitude,
                                  double* orientation) {
    GbxCall call("gbxGetGeoInfoUTMProj");
    return call.result(getGeoInfo(header, projection, longitude, latitude, orientation));
}

int LRX_CALL gbxSetGeoInfoUTMProj(GbxHeader* header, const char* projection, double longitude, double latitude,
                                  double orientation) {
    GbxCall call("gbxSetGeoInfoUTMProj");
    return call.result(setGeoInfo(header, projection, longitude, latitude, orientation));
}

int LRX_CALL gbxSetGeoInfoUndefined(GbxHeader* header) {
    GbxCall call("gbxSetGeoInfoUndefined");
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code != 0) return call.result(code);
    header->geoInfoType = GBX_GEO_UNDEFINED;
    std::free(header->projection);
    header->projection = nullptr;
    return call.result(0);
}

// ---- Format version -----------------------------------------------------------------------

int LRX_CALL gbxGetVersionCurrent(void) {
    gbxTraceEnterExit("gbxGetIOVersionNo");
    return GBX_FORMAT_VERSION;
}

// ---- Custom blocks ------------------------------------------------------------------------

int LRX_CALL gbxAddCustomBlock(GbxHeader* header, int type, const char* name, int count, const void* data) {
    GbxCall call(GbxCombinedEntry{}, "gbxAddCustomBlock");
    return call.result(addCustomBlock(header, type, name, count, data));
}

int LRX_CALL gbxGetCustomBlockRef(GbxHeader* header, GbxCustomBlock** first) {
    GbxCall call(GbxCombinedEntry{}, "gbxGetCustomBlockRef");
    const int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code == 0 && first != nullptr) *first = header->customBlocks;
    return call.result(code);
}

int LRX_CALL gbxGetCustomBlock(GbxCustomBlock* block, int* type, char** name, int* count, void** data,
                               GbxCustomBlock** next) {
    GbxCall call(GbxCombinedEntry{}, "gbxGetCustomBlock");
    const int code = gbxCheckCustomBlock(block, kModule, __LINE__);
    if (code != 0) return call.result(code);
    if (type != nullptr) *type = block->type;
    if (name != nullptr) *name = block->name;
    if (count != nullptr) *count = block->count;
    // A block of a type without values leaves the caller's data pointer as it was.
    if (data != nullptr && lrxSimpSize(block->type) > 0) *data = block->data;
    if (next != nullptr) *next = block->next;
    return call.result(0);
}

}  // extern "C"

// Static items: data a file holds once, each written as its definition blocks followed by a
// block with its values, behind the static-section marker. Calls the item blocks, the block
// entrance, the value unit conversion, the family dispatch, the checks and trace.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "src/gbx/common/fileio.h"
#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/common/gbxvalueunits.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/items/gbxitem.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"

namespace {

constexpr const char* kModule = "gbxstatic";

// Written values come from the caller's unit; the file's delete values stand in for a header.
GbxDeleteValues writeDeleteValues(const GbxVector* vector, const GbxFile* file) {
    if (vector->header != nullptr) return {vector->header->deleteValueFloat, vector->header->deleteValueDouble};
    return {file->deleteValueFloat, file->deleteValueDouble};
}

// Values handed back to the caller: without a header, the library's default delete values.
GbxDeleteValues readDeleteValues(const GbxVector* vector) {
    if (vector->header != nullptr) return {vector->header->deleteValueFloat, vector->header->deleteValueDouble};
    return {gbxDefaultDeleteFloat(), gbxDefaultDeleteDouble()};
}

// ---- Writing ------------------------------------------------------------------------------

// Opens the static section with its marker before the first static item; refuses once the
// time steps have begun.
int openStaticSection(GbxVector* vector, GbxFile* file) {
    if (file->positionState >= GBX_IN_TIME_STEPS) return GBX_REPORT(nullptr, file, vector, F_ERR_USAGE);
    if (file->positionState >= GBX_IN_STATICS) return 0;
    GbxBlockBuilder marker;
    if (const int code = marker.write(GBX_TAG_STATICS, file, kModule, __LINE__)) return code;
    file->positionState = GBX_IN_STATICS;
    return 0;
}

bool timeVarying(int axisType) {
    return axisType == GBX_TVARD1 || axisType == GBX_TVARD2 || axisType == GBX_TVARD3;
}

// A static item needs an axis of fixed size, values of a stored simple type (1 to 7) and a
// count that one record can hold (1 to INT32_MAX values). The count goes to *count.
int checkWritable(GbxVector* vector, GbxFile* file, int* count) {
    if (vector->axisType == GBX_AXIS_NONE || timeVarying(vector->axisType)) {
        return GBX_REPORT(nullptr, file, vector, F_ERR_DATA);
    }
    const int64_t values = gbxItemXYZSize64(vector);
    if (lrxSimpSize(vector->dataType) == 0 || values < 1 || values > std::numeric_limits<int32_t>::max()) {
        return GBX_REPORT(nullptr, file, vector, F_ERR_DATA);
    }
    *count = static_cast<int>(values);
    return 0;
}

// The values block with one record of the values. The record borrows them: a block of a large
// item is written without another copy.
int writeValues(GbxVector* vector, GbxFile* file, const void* values, int count) {
    return gbxWriteBorrowedBlock(GBX_TAG_STATIC_VALUES, vector->dataType, count, values, file, kModule, __LINE__);
}

int writeStatic(GbxVector* vector, GbxFile* file, const void* data) {
    if (data == nullptr) return GBX_REPORT(nullptr, file, vector, F_ERR_DATA);
    if (const int code = openStaticSection(vector, file)) return code;
    int count = 0;
    if (const int code = checkWritable(vector, file, &count)) return code;
    int code = 0;
    const GbxBuffer copy(
        gbxCopyFromCallerUnit(vector, data, count, writeDeleteValues(vector, file), &code, kModule, __LINE__));
    if (code != 0) return code;
    if ((code = gbxWriteItem(vector, file)) != 0) return code;
    return writeValues(vector, file, copy != nullptr ? copy.get() : data, count);
}

// ---- Reading ------------------------------------------------------------------------------

// The type of the next element (block id in *id), left unread. The end of the file is no
// error here, since the static section may be the last thing a file holds; but a file that
// ends inside the head of an element was cut off there.
int nextElement(GbxFile* file, int32_t* id, int* code) {
    *id = 0;
    const int64_t remaining = lrxRemainingBytes(file);
    const int type = gbxQueryElement(file, id);
    const int error = lrxPeekError(file);
    if (error == LRX_END_OF_FILE)
        *code = remaining > 0 ? F_ERR_SKIP : 0;
    else
        *code = GBX_REPORT(nullptr, file, nullptr, error);
    return type;
}

bool isDefinition(int type, int32_t id) {
    return type == LRX_BLOCK && (id == GBX_TAG_ITEM_UNIT_TEXT || id == GBX_TAG_ITEM_UNIT_KEY);
}

// Once a static item has begun, the end of the file before its last block is a cut-off item,
// not the end of the section.
int cutOff(int code) {
    return code == LRX_END_OF_FILE ? F_ERR_SKIP : code;
}

// Takes the record's values into the item as the file holds them, with their length in bytes.
void keepValues(GbxVector* vector, LrxLrec* record) {
    const int64_t bytes = lrxRecordSize(record->type, record->count);
    std::free(vector->elementStats);
    vector->elementStats = static_cast<double*>(lrxLrecTakeData(record));
    vector->valueBytes = bytes;
}

// The values block behind the item's definition: its first record must hold the item's simple
// type and exactly its XYZ size of values, so the item never holds fewer values than it claims.
int readValues(GbxVector* vector, GbxFile* file) {
    uint16_t id = 0;
    LrxLrec* chain = nullptr;
    const int code = gbxCheckReadLB(&id, &chain, file, kModule, __LINE__);
    GbxBlockRecords records(chain);
    if (code != 0) return cutOff(code);
    if (id != GBX_TAG_STATIC_VALUES) return F_ERR_SKIP;
    if (lrxSimpSize(vector->dataType) == 0) return GBX_REPORT(nullptr, file, vector, F_ERR_TYPE);
    const int64_t count = gbxItemXYZSize64(vector);
    if (count < 1 || count > std::numeric_limits<int32_t>::max()) {
        return GBX_REPORT(nullptr, file, vector, F_ERR_SIZE);
    }
    LrxLrec* record = records.take(vector->dataType, static_cast<int>(count), kModule, __LINE__);
    if (record == nullptr) return records.error();
    keepValues(vector, record);
    return 0;
}

// Steps over the section marker when the file stands before it; the type and id of the
// element after it are left in *type and *id.
int enterStaticSection(GbxFile* file, int* type, int32_t* id) {
    int code = 0;
    *type = nextElement(file, id, &code);
    if (code != 0 || file->positionState >= GBX_IN_STATICS) return code;
    if (*type != LRX_BLOCK || *id != GBX_TAG_STATICS) return 0;
    if ((code = cutOff(FSkipLogicalBlock(file))) != 0) return code;
    file->positionState = GBX_IN_STATICS;
    *type = nextElement(file, id, &code);
    return code;
}

GbxVector* readStatic(GbxFile* file, int* code) {
    if (file->positionState >= GBX_IN_TIME_STEPS) {
        *code = GBX_REPORT(nullptr, file, nullptr, F_ERR_USAGE);
        return nullptr;
    }
    int type = 0;
    int32_t id = 0;
    if ((*code = enterStaticSection(file, &type, &id)) != 0) return nullptr;
    if (!isDefinition(type, id)) return nullptr;
    GbxVector* vector = nullptr;
    if ((*code = gbxStaticCreate(&vector)) != 0) return nullptr;
    *code = cutOff(gbxReadItem(vector, file));
    if (*code == 0) *code = readValues(vector, file);
    if (*code != 0) gbxStaticDestroy(&vector);
    return vector;
}

// ---- Values of a read item ----------------------------------------------------------------

// Copies the values that the item's current definition describes. The block keeps the bytes the
// file gave: a definition that needs more than it holds (a larger axis or a wider data type set
// after the read) gets 2013, never bytes from past its end.
int copyValues(GbxVector* vector, void* buffer) {
    if (buffer == nullptr) return GBX_REPORT(nullptr, nullptr, vector, F_ERR_DATA);
    // An item the caller built for writing holds no values.
    if (vector->elementStats == nullptr || vector->valueBytes < 1) {
        return GBX_REPORT(nullptr, nullptr, vector, F_ERR_DATA);
    }
    const int size = lrxSimpSize(vector->dataType);
    if (size == 0) return GBX_REPORT(nullptr, nullptr, vector, F_ERR_TYPE);
    const int64_t count = gbxItemElements64(vector, vector->header, true);
    if (count < 0 || count > vector->valueBytes / size) return GBX_REPORT(nullptr, nullptr, vector, F_ERR_SIZE);
    std::memcpy(buffer, vector->elementStats, static_cast<std::size_t>(count) * static_cast<std::size_t>(size));
    gbxConvertValues(vector, buffer, static_cast<int32_t>(count), readDeleteValues(vector),
                     GbxValueDirection::ToCaller);
    return 0;
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxStaticCreate(GbxVector** vector) {
    GbxCall call("gbxStaticCreate");
    // Without a place to put it, a new item could never be freed.
    if (vector == nullptr) return call.result(GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_USAGE));
    *vector = nullptr;
    void* memory = nullptr;
    if (const int code = gbxCheckAlloc(&memory, sizeof(GbxItem), kModule, __LINE__)) return call.result(code);
    auto* item = static_cast<GbxItem*>(memory);
    // A text that cannot be allocated stays null; every reader of the texts accepts null.
    gbxItemInit(item, gbxDefaultDeleteFloat());
    item->isStatic = 1;
    *vector = item;
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxStaticDestroy(GbxVector** vector) {
    GbxCall call("gbxStaticDestroy");
    if (const int code = gbxCheckVector(vector != nullptr ? *vector : nullptr, kModule, __LINE__)) {
        return call.result(code);
    }
    gbxItemDestroyContents(*vector);
    std::free(*vector);
    *vector = nullptr;
    return call.result(0);
}

LRX_EXPORT int LRX_CALL gbxStaticWrite(GbxVector* vector, GbxFile* file, const void* data) {
    GbxCall call("gbxStaticWrite");
    return call.result(gbxFamilyOfFile(file).staticWrite(vector, file, data));
}

LRX_EXPORT GbxVector* LRX_CALL gbxStaticRead(GbxFile* file, int* code) {
    GbxCall call("gbxStaticRead");
    int result = 0;
    GbxVector* vector = gbxFamilyOfFile(file).staticRead(file, &result);
    if (code != nullptr) *code = result;
    call.exit("%p [%d]", static_cast<void*>(vector), result);
    return vector;
}

LRX_EXPORT int LRX_CALL gbxStaticSkip(GbxFile* file) {
    int code = 0;
    GbxVector* vector = gbxStaticRead(file, &code);
    if (vector != nullptr) gbxStaticDestroy(&vector);
    return code;
}

LRX_EXPORT int LRX_CALL gbxStaticGetData(GbxVector* vector, void* buffer) {
    GbxCall call("gbxStaticGetData");
    if (const int code = gbxCheckVector(vector, kModule, __LINE__)) return call.result(code);
    return call.result(copyValues(vector, buffer));
}

}  // extern "C"

// ---- The native family ----------------------------------------------------------------------

int gbxNativeStaticWrite(GbxVector* vector, GbxFile* file, const void* data) {
    if (const int code = gbxCheckVectorFile(vector, file, kModule, __LINE__)) return code;
    return writeStatic(vector, file, data);
}

GbxVector* gbxNativeStaticRead(GbxFile* file, int* code) {
    if ((*code = gbxCheckFile(file, kModule, __LINE__)) != 0) return nullptr;
    return readStatic(file, code);
}

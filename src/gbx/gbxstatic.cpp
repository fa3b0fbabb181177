// Static items: data a file holds once, each written as its definition blocks followed by a
// block with its values, behind the static-section marker. Calls the item blocks, the block
// entrance, the unit library, the legacy hand-offs, the checks and trace.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

#include "src/gbx/fileio.h"
#include "src/gbx/gbxalloc.h"
#include "src/gbx/gbxblock.h"
#include "src/gbx/gbxcheck.h"
#include "src/gbx/gbxhandoffs.h"
#include "src/gbx/gbxheader.h"
#include "src/gbx/gbxitem.h"
#include "src/gbx/gbxtrace.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxstatic";

struct FreeMemory {
    void operator()(void* memory) const { std::free(memory); }
};
using Buffer = std::unique_ptr<void, FreeMemory>;

struct DeleteValues {
    float asFloat;
    double asDouble;
};

enum class Direction { FromCaller, ToCaller };

// Written values come from the caller's unit; the file's delete values stand in for a header.
DeleteValues writeDeleteValues(const GbxVector* vector, const GbxFile* file) {
    if (vector->header != nullptr) return {vector->header->deleteValueFloat, vector->header->deleteValueDouble};
    return {file->deleteValueFloat, file->deleteValueDouble};
}

// Values handed back to the caller: without a header, the library's default delete values.
DeleteValues readDeleteValues(const GbxVector* vector) {
    if (vector->header != nullptr) return {vector->header->deleteValueFloat, vector->header->deleteValueDouble};
    return {gbxDefaultDeleteFloat(), gbxDefaultDeleteDouble()};
}

// Only float and double values are converted, and only under conversion mode 1 or 2.
bool converts(const GbxVector* vector) {
    const bool floating = vector->dataType == LRX_FLOAT || vector->dataType == LRX_DOUBLE;
    return floating && (vector->convMode == GBX_CONV_USER_UNIT || vector->convMode == GBX_CONV_UNIT);
}

// Converts count values in place between the caller's unit and the item's unit. A conversion
// the unit library refuses leaves the values as they are.
template <typename T>
void convertArray(const GbxVector* vector, T* values, int count, T deleteValue, Direction direction) {
    constexpr bool isFloat = std::is_same_v<T, float>;
    const bool toCaller = direction == Direction::ToCaller;
    if (vector->convMode == GBX_CONV_USER_UNIT) {
        const int itemType = vector->itemType;
        const int unit = vector->unit;
        if constexpr (isFloat) {
            toCaller ? vnkConvertItemArrayToUserUnitF(itemType, unit, values, count, deleteValue)
                     : vnkConvertItemArrayFromUserUnitF(itemType, unit, values, count, deleteValue);
        } else {
            toCaller ? vnkConvertItemArrayToUserUnitD(itemType, unit, values, count, deleteValue)
                     : vnkConvertItemArrayFromUserUnitD(itemType, unit, values, count, deleteValue);
        }
    } else if (vector->convMode == GBX_CONV_UNIT) {
        const int from = toCaller ? vector->unit : vector->convUnit;
        const int to = toCaller ? vector->convUnit : vector->unit;
        if constexpr (isFloat) {
            vnkConvertItemArrayF(from, to, values, count, deleteValue);
        } else {
            vnkConvertItemArrayD(from, to, values, count, deleteValue);
        }
    }
}

void convertValues(const GbxVector* vector, void* values, int count, DeleteValues deleteValues, Direction direction) {
    if (vector->dataType == LRX_FLOAT)
        convertArray(vector, static_cast<float*>(values), count, deleteValues.asFloat, direction);
    else if (vector->dataType == LRX_DOUBLE)
        convertArray(vector, static_cast<double*>(values), count, deleteValues.asDouble, direction);
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

// The caller's values converted into the item's unit, in a copy: the caller's array is never
// changed.
int convertedCopy(GbxVector* vector, GbxFile* file, const void* data, int count, Buffer* copy) {
    const std::size_t bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(lrxSimpSize(vector->dataType));
    void* memory = nullptr;
    if (const int code = gbxCheckAlloc(&memory, bytes, kModule, __LINE__)) return code;
    copy->reset(memory);
    std::memcpy(memory, data, bytes);
    convertValues(vector, memory, count, writeDeleteValues(vector, file), Direction::FromCaller);
    return 0;
}

// The values block with one record of the values. The record borrows them: a block of a large item
// is written without another copy.
int writeValues(GbxVector* vector, GbxFile* file, const void* values, int count) {
    return gbxWriteBorrowedBlock(GBX_TAG_STATIC_VALUES, vector->dataType, count, values, file, kModule, __LINE__);
}

int writeStatic(GbxVector* vector, GbxFile* file, const void* data) {
    if (data == nullptr) return GBX_REPORT(nullptr, file, vector, F_ERR_DATA);
    if (const int code = openStaticSection(vector, file)) return code;
    int count = 0;
    if (const int code = checkWritable(vector, file, &count)) return code;
    Buffer copy;
    const void* values = data;
    if (converts(vector)) {
        if (const int code = convertedCopy(vector, file, data, count, &copy)) return code;
        values = copy.get();
    }
    if (const int code = gbxWriteItem(vector, file)) return code;
    return writeValues(vector, file, values, count);
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

// The values block behind the item's definition: its first record must hold the item's simple type
// and exactly its XYZ size of values, so the item never holds fewer values than it claims.
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
    if (converts(vector)) {
        convertValues(vector, buffer, static_cast<int>(count), readDeleteValues(vector), Direction::ToCaller);
    }
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
    if (gbxIsLegacyFile(file)) return call.result(gbxLegacyStaticWrite(vector, file, data));
    if (const int code = gbxCheckVectorFile(vector, file, kModule, __LINE__)) return call.result(code);
    return call.result(writeStatic(vector, file, data));
}

LRX_EXPORT GbxVector* LRX_CALL gbxStaticRead(GbxFile* file, int* code) {
    GbxCall call("gbxStaticRead");
    int result = 0;
    GbxVector* vector = nullptr;
    if (gbxIsLegacyFile(file)) {
        vector = gbxLegacyStaticRead(file, &result);
    } else if ((result = gbxCheckFile(file, kModule, __LINE__)) == 0) {
        vector = readStatic(file, &result);
    }
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

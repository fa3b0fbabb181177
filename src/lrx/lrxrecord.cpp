// Typed records and element heads: the simple-type table, writing a record, reading element
// heads, querying and skipping elements, and reading records into new or caller buffers.
#include "src/lrx/lrxrecord.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "src/os/osmemory.h"

namespace {

struct SimpleType {
    const char* name;
    uint16_t size;
};

// Indexed by code + 2, for the codes -2 to 7.
constexpr SimpleType kSimpleTypes[] = {
    {"block", 0}, {"terminator", 0}, {"unknown", 0},    {"float", 4},     {"double", 8},
    {"byte", 1},  {"integer*4", 4},  {"unsigned*4", 4}, {"integer*2", 2}, {"unsigned*2", 2},
};

bool isKnownCode(int type) {
    return type >= LRX_BLOCK && type <= LRX_UINT2;
}

// Steps back over a head that was read only to look at it.
void unreadHead(LrxFile* file, int headLength) {
    lrxSeek(file, -headLength, 1);
}

}  // namespace

int64_t lrxRecordSize(int type, int count) {
    const int64_t size = lrxSimpSize(type);
    if (size == 0 || count <= 0) {
        LRX_RAISE(F_ERR_TYPE);
        return 0;
    }
    return size * count;
}

int lrxRecordWrite(LrxFile* file, int type, int count, const void* data) {
    if (file == nullptr) return F_ERR_USAGE;
    if (file->errorCode != 0) return file->errorCode;
    const int64_t bytes = lrxRecordSize(type, count);
    if (bytes == 0) return file->errorCode;
    const auto typeByte = static_cast<int8_t>(type);
    // A small record in the host's byte order goes out as one transfer: head and values.
    constexpr int64_t kHead = 5;
    unsigned char whole[256];
    if ((file->swapBytes & 1) == 0 && kHead + bytes <= static_cast<int64_t>(sizeof whole)) {
        whole[0] = static_cast<unsigned char>(typeByte);
        std::memcpy(whole + 1, &count, 4);
        std::memcpy(whole + kHead, data, static_cast<std::size_t>(bytes));
        lrxWrite(file, whole, 1, static_cast<int>(kHead + bytes));
        return file->errorCode;
    }
    lrxWrite(file, &typeByte, 1, 1);
    lrxWrite(file, &count, 4, 1);
    lrxWrite(file, data, lrxSimpSize(type), count);
    return file->errorCode;
}

int lrxReadHead(LrxFile* file, int32_t* countOrId, int* headLength) {
    if (file == nullptr || file->errorCode != 0) return 0;
    int8_t type = 0;
    int length = 1;
    int32_t value = *countOrId;
    lrxRead(file, &type, 1, 1);
    if (type > 0) {
        lrxRead(file, &value, 4, 1);
        length = 5;
    } else if (type == LRX_BLOCK) {
        uint16_t id = 0;
        lrxRead(file, &id, 2, 1);
        value = id;
        length = 3;
    }
    if (file->errorCode != 0) {
        *countOrId = 0;
        *headLength = 0;
        return 0;
    }
    *countOrId = value;
    *headLength = length;
    return type;
}

int lrxRecordRead(LrxFile* file, int type, unsigned int capacity, void* buffer) {
    int32_t count = 0;
    int length = 0;
    const int found = lrxReadHead(file, &count, &length);
    if (found > 0) {
        // A head of an unknown type or without values holds nothing to read: recorded, so
        // that the caller does not take its untouched buffer for the values.
        if (lrxRecordSize(found, count) == 0) {
            lrxSetError(file, F_ERR_TYPE);
            return 0;
        }
        if (found != type) {
            lrxSetError(file, LRX_RAISE(F_ERR_TYPE));
            return 0;
        }
        if (capacity < static_cast<unsigned int>(count)) {
            lrxSetError(file, LRX_RAISE(F_ERR_SIZE));
            return 0;
        }
        return lrxRead(file, buffer, lrxSimpSize(found), count) != 0 ? count : 0;
    }
    if (found < 0) {
        unreadHead(file, length);
        lrxSetError(file, LRX_RAISE(F_ERR_SKIP));
    }
    return 0;
}

extern "C" {

LRX_EXPORT const char* LRX_CALL lrxSimpName(int type) {
    return isKnownCode(type) ? kSimpleTypes[type + 2].name : "unknown";
}

LRX_EXPORT uint16_t LRX_CALL lrxSimpSize(int type) {
    return isKnownCode(type) ? kSimpleTypes[type + 2].size : 0;
}

LRX_EXPORT int LRX_CALL lrxSimpValid(int type) {
    return isKnownCode(type) ? 1 : 0;
}

LRX_EXPORT int LRX_CALL lrxQuery(LrxFile* file, int32_t* countOrId) {
    int32_t ignored = 0;
    if (countOrId == nullptr) countOrId = &ignored;
    int length = 0;
    const int type = lrxReadHead(file, countOrId, &length);
    if (type != 0) unreadHead(file, length);
    return type;
}

LRX_EXPORT int LRX_CALL lrxSkip(LrxFile* file) {
    if (file == nullptr || file->errorCode != 0) return 0;
    int32_t count = 0;
    const int type = lrxQuery(file, &count);
    if (type > 0) {
        // A record whose size is not known (type above 7, count below 1) is passed over by its
        // head alone, so that a skip always moves forward.
        const int64_t bytes = lrxSimpSize(type) > 0 && count > 0 ? lrxRecordSize(type, count) : 0;
        lrxSeek64(file, 5 + bytes, 1);
    } else if (type == LRX_BLOCK) {
        lrxSeek(file, 3, 1);
    } else if (type < 0) {
        lrxSeek(file, 1, 1);
    }
    return type;
}

LRX_EXPORT void* LRX_CALL lrxLrecReadAlloc(LrxFile* file, int32_t* type, int32_t* count) {
    int32_t ignoredType = 0;
    int32_t ignoredCount = 0;
    if (type == nullptr) type = &ignoredType;
    if (count == nullptr) count = &ignoredCount;
    int length = 0;
    const int found = lrxReadHead(file, count, &length);
    *type = found;
    if (found > 0) {
        const int64_t bytes = lrxRecordSize(found, *count);
        if (bytes == 0) return nullptr;
        // A record that claims more bytes than the file still holds (or than it can be shown to
        // hold) is cut off: it is the end of the file, and nothing is allocated for it.
        if (!lrxHoldsBytes(file, bytes)) {
            lrxSetError(file, LRX_END_OF_FILE);
            return nullptr;
        }
        void* buffer = lrx::os::allocate(static_cast<size_t>(bytes));
        if (buffer == nullptr) {
            lrxSetError(file, LRX_RAISE(F_ERR_MEMORY));
            return nullptr;
        }
        lrxRead(file, buffer, lrxSimpSize(found), *count);
        return buffer;
    }
    if (file != nullptr && file->inBlock) {
        if (found == LRX_TERMINATOR) file->inBlock = 0;
        return nullptr;
    }
    if (found < 0) unreadHead(file, length);
    return nullptr;
}

LRX_EXPORT void LRX_CALL lrxLrecFree(void** buffer) {
    if (buffer == nullptr) return;
    std::free(*buffer);
    *buffer = nullptr;
}

}  // extern "C"

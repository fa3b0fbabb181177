// Handle validation of the gbx calls, the checked record and block operations, and the
// allocation and value-size helpers. Calls the record stream's record and block operations,
// the logical-block layer (fileio), the data-file error dispatcher and the call trace.
#include "src/gbx/gbxcheck.h"

#include <cstdlib>

#include "src/gbx/fileio.h"
#include "src/gbx/gbxtrace.h"
#include "src/lrx/lrxrecord.h"

namespace {

// Reported as the module when a caller passes none.
constexpr const char* kModule = "gbxcheck";

const char* moduleOr(const char* module) {
    return module != nullptr ? module : kModule;
}

int report(GbxHeader* header, GbxFile* file, int code, const char* module, int line) {
    return gbxReportError(header, file, nullptr, code, moduleOr(module), line);
}

// The common shape of the null-handle checks: 1000 with three null handles.
int checkPresent(const char* name, const void* handle, const char* module, int line) {
    GbxCall call(name);
    const int code = handle != nullptr ? 0 : report(nullptr, nullptr, F_ERR_USAGE, module, line);
    return call.result(code);
}

// The record stream's recorded error, dispatched with the file; stays recorded on the file.
int reportPendingError(GbxFile* file, const char* module, int line) {
    return report(nullptr, file, lrxPeekError(file), module, line);
}

// Values needed for a record of count values of type: a positive type size and count.
bool recordHasValues(int type, int count) {
    return lrxSimpSize(type) > 0 && count > 0;
}

}  // namespace

int gbxCheckHeader(GbxHeader* header, const char* module, int line) {
    return checkPresent("gbxCheckHeader", header, module, line);
}

int gbxCheckCustomBlock(GbxCustomBlock* block, const char* module, int line) {
    return checkPresent("gbxCheckCustomBlock", block, module, line);
}

int gbxCheckFile(GbxFile* file, const char* module, int line) {
    return checkPresent("gbxCheckFile", file, module, line);
}

int gbxCheckVector(GbxVector* vector, const char* module, int line) {
    return checkPresent("gbxCheckVector", vector, module, line);
}

int gbxCheckItem(GbxItem* item, const char* module, int line) {
    return checkPresent("gbxCheckItem", item, module, line);
}

int gbxCheckHeaderItemNo(GbxHeader* header, int itemNo, const char* module, int line) {
    GbxCall call("gbxCheckHeaderItemNo");
    int code = gbxCheckHeader(header, module, line);
    if (code == 0 && (itemNo < 1 || itemNo > header->noOfItems))
        code = report(header, nullptr, F_ERR_ITEM_NO, module, line);
    return call.result(code);
}

int gbxCheckHeaderFile(GbxHeader* header, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckHeaderFile");
    int code = gbxCheckHeader(header, module, line);
    if (code == 0) code = gbxCheckFile(file, module, line);
    return call.result(code);
}

int gbxCheckVectorFile(GbxVector* vector, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckVectorFile");
    int code = gbxCheckVector(vector, module, line);
    if (code == 0) code = gbxCheckFile(file, module, line);
    return call.result(code);
}

int gbxCheckTypeSize(LrxLrec* record, int type, int count, const char* module, int line) {
    GbxCall call("gbxCheckTypeSize");
    int code = 0;
    if (record == nullptr)
        code = report(nullptr, nullptr, F_ERR_READ, module, line);
    else if (record->type != type)
        code = report(nullptr, nullptr, F_ERR_TYPE, module, line);
    else if (count != 0 && record->count != count)
        code = report(nullptr, nullptr, F_ERR_SIZE, module, line);
    return call.result(code);
}

int gbxCheckReadTypeSize(GbxFile* file, int type, int count, LrxLrec** block, const char* module, int line) {
    GbxCall call("gbxCheckReadTypeSize");
    if (block != nullptr) *block = nullptr;
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    LrxLrec* chain = FReadLogicalBlock(file);
    code = gbxCheckTypeSize(chain, type, count, module, line);
    // A caller without an out argument cannot free the chain, so it is freed here.
    if (block != nullptr)
        *block = chain;
    else
        lrxLrecChainFree(&chain);
    return call.result(code);
}

int gbxCheckWriteLB(uint16_t id, LrxLrec* records, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckWriteLB");
    int code = gbxCheckFile(file, module, line);
    if (code == 0) {
        code = lrxBlockWrite(id, file, records);
        if (code != 0) code = report(nullptr, file, code, module, line);
    }
    return call.result(code);
}

int gbxCheckReadLB(uint16_t* id, LrxLrec** records, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckReadLB");
    if (records != nullptr) *records = nullptr;
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    LrxLrec* chain = nullptr;
    int recordCount = 0;
    const uint16_t blockId = lrxBlockRead(file, &recordCount, &chain);
    if (id != nullptr) *id = blockId;
    if (records != nullptr)
        *records = chain;
    else
        lrxLrecChainFree(&chain);
    return call.result(reportPendingError(file, module, line));
}

int gbxCheckWriteLR(int type, int count, const void* values, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckWriteLR");
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    // The record stream would read the values from a null pointer.
    if (values == nullptr && recordHasValues(type, count))
        return call.result(report(nullptr, file, F_ERR_DATA, module, line));
    code = lrxRecordWrite(file, type, count, values);
    if (code != 0) code = report(nullptr, file, code, module, line);
    return call.result(code);
}

int gbxCheckReadLR(int type, int count, void* values, GbxFile* file, const char* module, int line,
                   int32_t* valuesRead) {
    GbxCall call("gbxCheckReadLR");
    if (valuesRead != nullptr) *valuesRead = 0;
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    // count is the capacity of values: a negative one would pass the record stream's size
    // check as a huge unsigned capacity, and a null buffer would be written through.
    if (count < 0 || (values == nullptr && count > 0))
        return call.result(report(nullptr, file, F_ERR_DATA, module, line));
    const int read = lrxRecordRead(file, type, static_cast<unsigned int>(count), values);
    if (valuesRead != nullptr) *valuesRead = read;
    return call.result(reportPendingError(file, module, line));
}

int gbxCheckSkipLR(GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckSkipLR");
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    const int type = lrxSkip(file);
    if (type > 0 && lrxSimpValid(type))
        code = lrxPeekError(file);
    else
        code = report(nullptr, file, F_ERR_SKIP, module, line);
    return call.result(code);
}

int gbxCheckPseudoSkipLR(int count, GbxFile* file, const char*, int) {
    GbxCall call("gbxCheckPseudoSkipLR");
    // A record head (type byte and 32-bit count) and count four-byte values.
    lrxPseudoSkip64(file, static_cast<int64_t>(count) * 4 + 5);
    return call.result(0);
}

int gbxCheckAlloc(void** pointer, std::size_t size, const char* module, int line) {
    GbxCall call("gbxCheckAlloc %zu", size);
    if (pointer == nullptr) {
        const int code = report(nullptr, nullptr, F_ERR_DATA, module, line);
        call.exit("%p [%d]", static_cast<void*>(nullptr), code);
        return code;
    }
    // One byte at least, so that a request for nothing still yields a pointer to free.
    *pointer = std::calloc(size > 0 ? size : 1, 1);
    const int code = *pointer != nullptr ? 0 : report(nullptr, nullptr, F_ERR_MEMORY, module, line);
    call.exit("%p [%d]", *pointer, code);
    return code;
}

int gbxValueTypeSize(int type) {
    switch (type) {
        case LRX_FLOAT:
            return 4;
        case LRX_DOUBLE:
            return 8;
        case LRX_BYTE:
            return 1;
        case LRX_INT4:
            return 4;
        case LRX_UINT4:
            return 4;
        default:
            return 0;
    }
}

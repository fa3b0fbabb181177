// Logical blocks of a data file: built, written, read, queried, skipped and taken apart. Calls
// the logical-block layer, the record stream's block operations, the handle checks, the
// dispatcher and the call trace.
#include "src/gbx/common/gbxblock.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/lrx/lrxblock.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"
#include "src/os/osmemory.h"

GbxBlockBuilder::~GbxBlockBuilder() {
    FFreeLogicalBlock(chain_);
}

GbxBlockBuilder& GbxBlockBuilder::add(int type, int count, const void* values) {
    if (error_ != 0) return *this;
    if (chain_ == nullptr) {
        chain_ = FCreateLogicalBlock(type, count, values);
        if (chain_ == nullptr) error_ = F_ERR_DATA;
    } else {
        error_ = FAppendToLogicalBlock(type, count, values, chain_);
    }
    return *this;
}

GbxBlockBuilder& GbxBlockBuilder::borrow(int type, int count, const void* values) {
    if (error_ != 0) return *this;
    if (chain_ != nullptr) return add(type, count, values);
    chain_ = FCreateLogicalBlockBorrowing(type, count, values);
    if (chain_ == nullptr) error_ = F_ERR_DATA;
    return *this;
}

GbxBlockBuilder& GbxBlockBuilder::text(const char* text) {
    const char* value = text != nullptr ? text : "";
    const std::size_t length = std::strlen(value);
    if (length >= INT32_MAX) {
        error_ = error_ != 0 ? error_ : F_ERR_DATA;
        return *this;
    }
    return add(LRX_BYTE, static_cast<int>(length + 1), value);
}

int GbxBlockBuilder::write(uint16_t id, GbxFile* file, const char* module, int line) {
    if (error_ == 0) error_ = gbxCheckWriteLB(id, chain_, file, module, line);
    FFreeLogicalBlock(chain_);
    chain_ = nullptr;
    return error_;
}

int GbxBlockBuilder::rewrite(uint16_t id, GbxFile* file, int64_t position, const char* module, int line) {
    lrxSeek64(file, position, 0);
    return write(id, file, module, line);
}

GbxBlockRecords::~GbxBlockRecords() {
    FFreeLogicalBlock(chain_);
}

LrxLrec* GbxBlockRecords::take(int type, int count, const char* module, int line) {
    const int code = gbxCheckTypeSize(next_, type, count, module, line);
    if (code != 0) {
        error_ = code;
        return nullptr;
    }
    LrxLrec* record = next_;
    next_ = next_->next;
    return record;
}

bool GbxBlockRecords::copy(int type, int count, void* out, const char* module, int line) {
    if (count < 1) return false;
    const LrxLrec* record = take(type, count, module, line);
    if (record == nullptr) return false;
    std::memcpy(out, record->data, static_cast<std::size_t>(lrxRecordSize(type, record->count)));
    return true;
}

char* GbxBlockRecords::takeText(const char* module, int line) {
    LrxLrec* record = take(LRX_BYTE, 0, module, line);
    if (record == nullptr) return nullptr;
    auto* bytes = static_cast<char*>(record->data);
    if (bytes[record->count - 1] == '\0') return static_cast<char*>(lrxLrecTakeData(record));
    // A foreign file's text without its zero: copy it and terminate the copy.
    auto* text = static_cast<char*>(lrx::os::allocate(static_cast<std::size_t>(record->count) + 1));
    if (text == nullptr) {
        error_ = F_ERR_MEMORY;
        return nullptr;
    }
    std::memcpy(text, bytes, static_cast<std::size_t>(record->count));
    text[record->count] = '\0';
    return text;
}

int gbxCheckTypeSize(LrxLrec* record, int type, int count, const char* module, int line) {
    GbxCall call("gbxCheckTypeSize");
    int code = 0;
    if (record == nullptr)
        code = gbxCheckReport(nullptr, nullptr, F_ERR_READ, module, line);
    else if (record->type != type)
        code = gbxCheckReport(nullptr, nullptr, F_ERR_TYPE, module, line);
    else if (count != 0 && record->count != count)
        code = gbxCheckReport(nullptr, nullptr, F_ERR_SIZE, module, line);
    return call.result(code);
}

int gbxCheckReadTypeSize(GbxFile* file, int type, int count, LrxLrec** block, const char* module, int line) {
    GbxCall call("gbxCheckReadTypeSize");
    if (block != nullptr) *block = nullptr;
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    LrxLrec* chain = FReadLogicalBlock(file);
    // A block that could not be read whole for want of memory is no damaged file: the read
    // gives 2000, which FReadLogicalBlock has already reported.
    code = lrxPeekError(file) == F_ERR_MEMORY ? F_ERR_MEMORY : gbxCheckTypeSize(chain, type, count, module, line);
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
        if (code != 0) code = gbxCheckReport(nullptr, file, code, module, line);
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
    // The code stays recorded on the file for the caller to take.
    return call.result(gbxCheckReport(nullptr, file, lrxPeekError(file), module, line));
}

LrxLrec* gbxReadBlock(GbxFile* file, int* error) {
    LrxLrec* chain = FReadLogicalBlock(file);
    *error = lrxPeekError(file);
    return chain;
}

int gbxWriteEmptyBlock(uint16_t id, GbxFile* file, const char* module, int line) {
    return GbxBlockBuilder().write(id, file, module, line);
}

int gbxWriteValueBlock(uint16_t id, int type, const void* value, GbxFile* file, const char* module, int line) {
    GbxBlockBuilder block;
    block.add(type, 1, value);
    return block.write(id, file, module, line);
}

int gbxWriteTextBlock(uint16_t id, const char* text, GbxFile* file, const char* module, int line) {
    GbxBlockBuilder block;
    block.text(text);
    return block.write(id, file, module, line);
}

int gbxReadValueBlock(GbxFile* file, int type, void* value, const char* module, int line) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(file, type, 1, &first, module, line);
    GbxBlockRecords records(first);
    return code != 0 ? code : (records.copy(type, 1, value, module, line) ? 0 : records.error());
}

int gbxReadTextBlock(GbxFile* file, char** slot, const char* module, int line) {
    LrxLrec* first = nullptr;
    const int code = gbxCheckReadTypeSize(file, LRX_BYTE, 0, &first, module, line);
    GbxBlockRecords records(first);
    if (code != 0) return code;
    char* text = records.takeText(module, line);
    if (text == nullptr) return records.error();
    std::free(*slot);
    *slot = text;
    return 0;
}

int gbxWriteBorrowedBlock(uint16_t id, int type, int count, const void* values, GbxFile* file, const char* module,
                          int line) {
    LrxLrec record{type, count, 0, const_cast<void*>(values), nullptr};
    return gbxCheckWriteLB(id, &record, file, module, line);
}

int gbxRewriteBlock(uint16_t id, LrxLrec* chain, GbxFile* file, int64_t position, const char* module, int line) {
    lrxSeek64(file, position, 0);
    return gbxCheckWriteLB(id, chain, file, module, line);
}

GbxChainOwner::~GbxChainOwner() {
    lrxLrecChainFree(&chain);
}

int gbxReadBlockOf(GbxFile* file, uint16_t id, LrxLrec** chain) {
    // Look before reading: an element that is no such block stays where it is.
    int32_t found = 0;
    const int type = lrxQuery(file, &found);
    int code = lrxPeekError(file);
    if (code == 0 && (type != LRX_BLOCK || found != id)) code = F_ERR_DATA;
    if (code == 0) {
        int records = 0;
        lrxBlockRead(file, &records, chain);
        code = lrxPeekError(file);
    }
    return code;
}

int gbxQueryElement(GbxFile* file, int32_t* id) {
    return lrxQuery(file, id);
}

void gbxSkipElement(GbxFile* file, int type) {
    if (type == LRX_BLOCK)
        lrxBlockSkip(file);
    else
        lrxSkip(file);
}

void gbxCopyFixedText(const LrxLrec* record, char* out, int size) {
    std::memset(out, 0, static_cast<std::size_t>(size));
    const int count = record->count < size ? record->count : size;
    std::memcpy(out, record->data, static_cast<std::size_t>(count));
    out[size - 1] = '\0';
}

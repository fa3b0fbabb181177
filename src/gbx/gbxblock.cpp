// Logical blocks of a data file built and taken apart through the logical-block layer and
// the checked record operations.
#include "src/gbx/gbxblock.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"

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
    auto* text = static_cast<char*>(std::malloc(static_cast<std::size_t>(record->count) + 1));
    if (text == nullptr) {
        error_ = F_ERR_MEMORY;
        return nullptr;
    }
    std::memcpy(text, bytes, static_cast<std::size_t>(record->count));
    text[record->count] = '\0';
    return text;
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

int gbxRewriteBlock(uint16_t id, LrxLrec* chain, GbxFile* file, int64_t position, const char* module, int line) {
    lrxSeek64(file, position, 0);
    return gbxCheckWriteLB(id, chain, file, module, line);
}

void gbxCopyFixedText(const LrxLrec* record, char* out, int size) {
    std::memset(out, 0, static_cast<std::size_t>(size));
    const int count = record->count < size ? record->count : size;
    std::memcpy(out, record->data, static_cast<std::size_t>(count));
    out[size - 1] = '\0';
}

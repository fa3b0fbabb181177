// The one entrance of the data-file layer to logical blocks: building a block, writing it under
// its tag, reading, querying and skipping blocks, rewriting one in place, and taking a read
// block apart record by record with checks of each record's simple type and count. The
// logical-block layer (fileio) beneath it traces and reports each call; the checked calls here
// report their failures with the caller's module and line.
#pragma once

#include <cstdint>

#include "lrx/gbx.h"
#include "src/gbx/common/fileio.h"

// A block under construction. Records are copied as they are added; the first failure is kept
// and every later call does nothing.
class GbxBlockBuilder {
public:
    GbxBlockBuilder() = default;
    ~GbxBlockBuilder();
    GbxBlockBuilder(const GbxBlockBuilder&) = delete;
    GbxBlockBuilder& operator=(const GbxBlockBuilder&) = delete;

    GbxBlockBuilder& add(int type, int count, const void* values);
    // The first record of the block, borrowing values instead of copying them (a large array
    // that lives until the block is written).
    GbxBlockBuilder& borrow(int type, int count, const void* values);
    // A byte record of the text and its terminating zero (an empty text for null).
    GbxBlockBuilder& text(const char* text);
    // Writes the block under id (records added so far) and frees the chain. Returns the
    // first error of building or writing.
    int write(uint16_t id, GbxFile* file, const char* module, int line);
    // The same over the block that begins at position: a stored block rebuilt with its size.
    int rewrite(uint16_t id, GbxFile* file, int64_t position, const char* module, int line);

private:
    LrxLrec* chain_ = nullptr;
    int error_ = 0;
};

// The records of a block read from a file, taken in order with checks on each.
class GbxBlockRecords {
public:
    explicit GbxBlockRecords(LrxLrec* chain) : chain_(chain), next_(chain) {}
    ~GbxBlockRecords();
    GbxBlockRecords(const GbxBlockRecords&) = delete;
    GbxBlockRecords& operator=(const GbxBlockRecords&) = delete;

    // The next record when it is of type and (unless count is 0) of count values; otherwise
    // null with the check's code (2001 missing, 2009 type, 2013 count) reported and kept.
    LrxLrec* take(int type, int count, const char* module, int line);
    // Copies the next record's count values (count >= 1) into out after the checks of take().
    bool copy(int type, int count, void* out, const char* module, int line);
    // Takes over the next byte record as a zero-terminated text (the zero is added when the
    // file's record lacks it). Null with the code kept on failure.
    char* takeText(const char* module, int line);
    int error() const { return error_; }
    LrxLrec* chain() const { return chain_; }

private:
    LrxLrec* chain_;
    LrxLrec* next_;
    int error_ = 0;
};

// ---- The checked block calls ---------------------------------------------------------------

// The first record of a block: present (2001), of the simple type (2009) and, when count is
// not 0, of that many values (2013).
int gbxCheckTypeSize(LrxLrec* record, int type, int count, const char* module, int line);
// Reads the next logical block into *block (null on failure) and checks its first record.
int gbxCheckReadTypeSize(GbxFile* file, int type, int count, LrxLrec** block, const char* module, int line);
int gbxCheckWriteLB(uint16_t id, LrxLrec* records, GbxFile* file, const char* module, int line);
int gbxCheckReadLB(uint16_t* id, LrxLrec** records, GbxFile* file, const char* module, int line);

// Reads the next block of the file; *error receives the file's code (reported by the read).
LrxLrec* gbxReadBlock(GbxFile* file, int* error);

// Blocks of one shape, written and read whole. The writes return the first error of building or
// writing; the reads check the block's first record (2001 missing, 2009 type, 2013 count).
int gbxWriteEmptyBlock(uint16_t id, GbxFile* file, const char* module, int line);
int gbxWriteValueBlock(uint16_t id, int type, const void* value, GbxFile* file, const char* module, int line);
int gbxWriteTextBlock(uint16_t id, const char* text, GbxFile* file, const char* module, int line);
// The next block, of one value of type, copied into *value.
int gbxReadValueBlock(GbxFile* file, int type, void* value, const char* module, int line);
// The next block, of one text, which replaces (and frees) the text in *slot.
int gbxReadTextBlock(GbxFile* file, char** slot, const char* module, int line);

// A block of one record that borrows the caller's values: nothing is copied or allocated.
int gbxWriteBorrowedBlock(uint16_t id, int type, int count, const void* values, GbxFile* file, const char* module,
                          int line);

// Writes chain under id over the block that begins at position (a block read back, changed in
// place and keeping its size).
int gbxRewriteBlock(uint16_t id, LrxLrec* chain, GbxFile* file, int64_t position, const char* module, int line);

// ---- Blocks met on the way, without trace or report ---------------------------------------

// A chain freed when its owner goes, without a trace line.
struct GbxChainOwner {
    LrxLrec* chain = nullptr;
    GbxChainOwner() = default;
    ~GbxChainOwner();
    GbxChainOwner(const GbxChainOwner&) = delete;
    GbxChainOwner& operator=(const GbxChainOwner&) = delete;
};

// Reads the next block into *chain when it is a block of id: 0, 2010 when the next element is
// anything else (it stays unread, and the file records nothing), or the file's recorded code.
int gbxReadBlockOf(GbxFile* file, uint16_t id, LrxLrec** chain);
// The simple type of the next element (LRX_BLOCK with its tag in *id, a record's type, or
// LRX_UNKNOWN at the end of the file or on an error); the file stays where it is.
int gbxQueryElement(GbxFile* file, int32_t* id);
// Steps over the next element, whose simple type gbxQueryElement gave: a whole block, or one
// record or terminator.
void gbxSkipElement(GbxFile* file, int type);

// Copies a fixed-size text record (a date or time) into out, always terminated.
void gbxCopyFixedText(const LrxLrec* record, char* out, int size);

// Building, writing and taking apart the logical blocks of a data file: a chain of records
// made through the logical-block layer, written under a tag through the checked write, and the
// records of a read block checked one by one for their simple type and count.
#pragma once

#include <cstdint>

#include "src/gbx/fileio.h"
#include "src/gbx/gbxcheck.h"

// A block under construction. Records are copied as they are added; the first failure is kept
// and every later call does nothing.
class GbxBlockBuilder {
public:
    GbxBlockBuilder() = default;
    ~GbxBlockBuilder();
    GbxBlockBuilder(const GbxBlockBuilder&) = delete;
    GbxBlockBuilder& operator=(const GbxBlockBuilder&) = delete;

    GbxBlockBuilder& add(int type, int count, const void* values);
    // A byte record of the text and its terminating zero (an empty text for null).
    GbxBlockBuilder& text(const char* text);
    // Writes the block under id (records added so far) and frees the chain. Returns the
    // first error of building or writing.
    int write(uint16_t id, GbxFile* file, const char* module, int line);

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

// Writes chain under id over the block that begins at position (a block read back, changed in
// place and keeping its size).
int gbxRewriteBlock(uint16_t id, LrxLrec* chain, GbxFile* file, int64_t position, const char* module, int line);

// Copies a fixed-size text record (a date or time) into out, always terminated.
void gbxCopyFixedText(const LrxLrec* record, char* out, int size);

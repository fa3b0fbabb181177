// One element of a record file at a time, looked at without being consumed: a record, a block
// head, a terminator, the end of the file, or damage with its code and what is wrong.
// `lrx blocks` lists the elements; `lrx check` walks them against the layout of a data file.
#pragma once

#include <cstdint>
#include <string>

#include "lrx/lrx.h"

namespace lrxtool {

enum class ElementKind { Record, BlockHead, Terminator, EndOfFile, Damaged };

struct Element {
    int64_t offset = 0;
    ElementKind kind = ElementKind::Damaged;
    int type = 0;
    int32_t countOrId = 0;  // a record's count or a block head's identifier
    int code = 0;           // for a damaged element: the code that describes the damage
    std::string problem;    // for a damaged element: what is wrong
};

// Looks at the element at the current position. A record is sound when its type is a record
// type, it holds at least one value and the file still holds all of its bytes.
Element peekElement(LrxFile* file);

// The element made damaged with a code and a description.
Element damaged(Element element, int code, std::string problem);

// "3 values", "1 value".
std::string plural(int64_t n, const char* word);

// "float record of 3 values".
std::string recordText(int type, int64_t count);

struct BlockExtent {
    int records = 0;
    bool terminated = false;
};

// Counts the records between the block head at headOffset (the current position) and its
// terminator, then returns to the head. Damage met on the way ends the count.
BlockExtent measureBlock(LrxFile* file, int64_t headOffset);

}  // namespace lrxtool

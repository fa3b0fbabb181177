// One cross-section in memory: the public record with its defaults, the owned texts, the
// three point sets with their arrays, and the consistency rule that decides `valid`.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lrx/csn.h"

struct CsnXsecTable;

struct CsnSection {
    CsnXsecRecord record;  // every handle given out is a pointer to this record
    int64_t filePosition;  // offset of the section's second block in its file; 0 when made in memory
    int32_t valid;         // 1 = usable
    bool damaged;          // a point block of the wrong structure was given to it
    CsnXsecTable* owner;   // the table that holds it, or null for a section of the caller's
    std::size_t tableIndex;  // its place in owner
};

enum class CsnPointSet { Raw, Selected, Processed };

// The arrays of one point set in file order: the double arrays first, then the 16-bit ones.
struct CsnSetView {
    int32_t* count;
    double** doubles[6];
    int doubleCount;
    uint16_t** shorts[2];
    int shortCount;
};

CsnSetView csnSetView(CsnXsecRecord& record, CsnPointSet set);

// A section with the default codes and values, no texts and no points; null without memory.
CsnSection* csnSectionNew();
// Frees the section with its texts and every array it holds.
void csnSectionDestroy(CsnSection* section);

// A zero-terminated copy of `length` bytes (malloc); null without memory.
char* csnCopyText(const char* bytes, std::size_t length);

bool csnSetIsConsistent(CsnXsecRecord& record, CsnPointSet set);
// Texts present and all three sets consistent: the record can be written as it is.
bool csnRecordIsConsistent(CsnXsecRecord& record);
// Frees the set's arrays and sets its count to 0.
void csnSetFree(CsnXsecRecord& record, CsnPointSet set);
// Gives the empty set `count` zero-filled entries per array. False without memory (the set
// stays empty).
bool csnSetAllocate(CsnXsecRecord& record, CsnPointSet set, int32_t count);
// valid = not damaged, texts present and every set consistent.
void csnSectionRefreshValid(CsnSection* section);

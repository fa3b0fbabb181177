// A table of cross-sections loaded from one file: the sections in table order, held by index
// so that every probe is one step, and the open file they came from.
#pragma once

#include <cstddef>
#include <vector>

#include "src/lrx/lrxfile.h"
#include "src/xsec/csnsection.h"

struct CsnXsecTable {
    std::vector<CsnSection*> sections;
    LrxFile* file = nullptr;
};

// Puts the sections into table order; sections with equal keys keep the order in which they
// were added. Marks each with its table and place.
void csnTableSort(CsnXsecTable* table);
// Index of the first section that does not sort before the key (the size when none).
std::size_t csnTableLowerBound(const CsnXsecTable* table, const char* keyText1, double position,
                               const char* keyText2);
// Destroys the sections, closes the file and frees the table.
void csnTableDestroy(CsnXsecTable* table);

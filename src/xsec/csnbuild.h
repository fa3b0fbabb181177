// Making sections from the blocks of a cross-section file: a section from its 257 and 258
// blocks as the file's creating version reads them, and a point set from a 259, 260 or 261
// block. Also the process-wide record of the version of the file loaded last.
#pragma once

#include <cstdint>

#include "src/lrx/lrxblock.h"
#include "src/xsec/csnsection.h"

enum class CsnBuild { Ok, Damaged, NoMemory };

// Makes *section from a 257 chain (null when the file had none) and a 258 chain. Damaged
// when the chains do not have the records of a section; *section is then null.
CsnBuild csnSectionFromBlocks(const LrxLrec* texts, const LrxLrec* codes, int32_t version, CsnSection** section);

// Gives the data of a point block's chain to the section's set, replacing what the set held.
// A chain of the wrong structure leaves the set empty and the section invalid (still Ok);
// NoMemory when zero arrays could not be allocated.
CsnBuild csnSectionTakePoints(CsnSection* section, CsnPointSet set, LrxLrec* chain);

// The creating application version of the file that was loaded last; 100 before any load.
int32_t csnFormatVersion();
void csnSetFormatVersion(int32_t version);

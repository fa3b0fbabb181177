// Handle validation of the gbx calls. Every check reports a failure once through the
// dispatcher, with the caller's module and line, and returns its code (0 when it passes).
#pragma once

#include "src/gbx/common/gbxmodel.h"

int gbxCheckHeader(GbxHeader* header, const char* module, int line);
int gbxCheckCustomBlock(GbxCustomBlock* block, const char* module, int line);
int gbxCheckFile(GbxFile* file, const char* module, int line);
int gbxCheckVector(GbxVector* vector, const char* module, int line);
int gbxCheckItem(GbxItem* item, const char* module, int line);
int gbxCheckHeaderItemNo(GbxHeader* header, int itemNo, const char* module, int line);
int gbxCheckHeaderFile(GbxHeader* header, GbxFile* file, const char* module, int line);
int gbxCheckVectorFile(GbxVector* vector, GbxFile* file, const char* module, int line);

// Reports code through the dispatcher with the header and file, from module (this module's
// name when null) and line; returns code. The checked block, record and allocation calls
// report through it too.
int gbxCheckReport(GbxHeader* header, GbxFile* file, int code, const char* module, int line);

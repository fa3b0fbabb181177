// Handle validation of the gbx calls. Every check reports a failure once through the
// dispatcher, with the caller's module and line, and returns its code (0 when it passes).
#pragma once

#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"

// Reports code through the dispatcher with the header and file, from module (this module's
// name when null) and line; returns code. The checked block, record and allocation calls
// report through it too.
int gbxCheckReport(GbxHeader* header, GbxFile* file, int code, const char* module, int line);

// The common shape of the null-handle checks: 1000 with three null handles. Every time-step
// call makes several of them, so they are inline.
inline int gbxCheckPresent(const char* name, const void* handle, const char* module, int line) {
    GbxCall call(name);
    const int code = handle != nullptr ? 0 : gbxCheckReport(nullptr, nullptr, F_ERR_USAGE, module, line);
    return call.result(code);
}

inline int gbxCheckHeader(GbxHeader* header, const char* module, int line) {
    return gbxCheckPresent("gbxCheckHeader", header, module, line);
}
inline int gbxCheckCustomBlock(GbxCustomBlock* block, const char* module, int line) {
    return gbxCheckPresent("gbxCheckCustomBlock", block, module, line);
}
inline int gbxCheckFile(GbxFile* file, const char* module, int line) {
    return gbxCheckPresent("gbxCheckFile", file, module, line);
}
inline int gbxCheckVector(GbxVector* vector, const char* module, int line) {
    return gbxCheckPresent("gbxCheckVector", vector, module, line);
}
inline int gbxCheckItem(GbxItem* item, const char* module, int line) {
    return gbxCheckPresent("gbxCheckItem", item, module, line);
}

inline int gbxCheckHeaderFile(GbxHeader* header, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckHeaderFile");
    int code = gbxCheckHeader(header, module, line);
    if (code == 0) code = gbxCheckFile(file, module, line);
    return call.result(code);
}

int gbxCheckHeaderItemNo(GbxHeader* header, int itemNo, const char* module, int line);
int gbxCheckVectorFile(GbxVector* vector, GbxFile* file, const char* module, int line);

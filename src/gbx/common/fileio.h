// The logical-block layer of the data-file API: opening data-kind record files and
// querying, reading, skipping, building and freeing logical blocks, each call reporting
// its errors through the data-file dispatcher and tracing itself under DebugFileIO.
#pragma once

#include <atomic>

#include "src/trace/tracestate.h"

#include "src/lrx/lrxblock.h"

LrxFile* FOpenFileRead(const char* name, int* error);
LrxFile* FOpenFileCreate(const char* name);
LrxFile* FOpenFileEdit(const char* name, int* error);
int FCloseFile(LrxFile** file);
int FQueryLogicalBlock(LrxFile* file);
LrxLrec* FReadLogicalBlock(LrxFile* file);
int FSkipLogicalBlock(LrxFile* file);
LrxLrec* FCreateLogicalBlock(int type, int count, const void* data);
// As FCreateLogicalBlock, but the record borrows data instead of copying it: data must outlive
// the chain, which is freed without freeing data.
LrxLrec* FCreateLogicalBlockBorrowing(int type, int count, const void* data);
int FAppendToLogicalBlock(int type, int count, const void* data, LrxLrec* chain);
int FFreeLogicalBlock(LrxLrec* chain);

// The switch set by DebugFileIO, from any thread; read inline by every logical-block call.
inline std::atomic<int> fileioTraceSwitch{0};

inline bool fileioTraceOn() {
    return fileioTraceSwitch.load(std::memory_order_relaxed) != 0 && !lrx::trace::isSilent();
}

// The logical-block layer of the data-file API: opens data-kind record files and queries,
// reads, skips, builds and frees logical blocks. Calls the record stream's file and block
// operations, the data-file error dispatcher and the call trace (under DebugFileIO).
#include "src/gbx/common/fileio.h"

#include <atomic>

#include "lrx/trace.h"
#include "src/gbx/common/gbxerror.h"
#include "src/gbx/common/gbxformat.h"
#include "src/lrx/lrxfile.h"
#include "src/trace/tracestate.h"

namespace {

constexpr const char* kModule = "fileio";
constexpr const char* kAppString = "FOpenFileCreate";


int report(GbxFile* file, int code, int line) {
    return gbxReportError(nullptr, file, nullptr, code, kModule, line);
}

// The open calls share their ending: report a failure, mark a new handle as freshly opened.
LrxFile* finishOpen(LrxFile* file, int code, int line) {
    if (code != F_NO_ERROR) {
        report(nullptr, code, line);
        return nullptr;
    }
    file->positionState = GBX_IN_HEADER;
    return file;
}

// The open calls share their frame: the trace lines (entry and exit under one switch reading),
// a null name refused as 2003, the report of a failure, and the new handle's position state.
template <typename Open>
LrxFile* openTraced(const char* entryFormat, const char* name, int* error, Open open) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter(entryFormat, name != nullptr ? name : "");
    LrxFile* file = nullptr;
    const int code = name != nullptr ? open(name, &file) : static_cast<int>(F_ERR_OPEN);
    file = finishOpen(file, code, __LINE__);
    if (error != nullptr) *error = code;
    if (traced) DebugExit("%p [%d]", static_cast<void*>(file), code);
    return file;
}

const char* nameOf(LrxFile* const* file) {
    if (file == nullptr || *file == nullptr || (*file)->fileName == nullptr) return "";
    return (*file)->fileName;
}

}  // namespace


extern "C" void LRX_CALL DebugFileIO(int on) {
    fileioTraceSwitch.store(on != 0 ? 1 : 0);
}

// Each call decides once whether it traces, so that its entry and exit lines are written
// under the same switch and the trace's name stack stays balanced.

LrxFile* FOpenFileRead(const char* name, int* error) {
    return openTraced("FOpenFileRead <%s>", name, error, [](const char* path, LrxFile** file) {
        int32_t kindTag = 0;
        return lrxFileOpenRead(path, file, gbxKindCallback, &kindTag);
    });
}

LrxFile* FOpenFileCreate(const char* name) {
    return openTraced("FOpenFileCreate <%s>", name, nullptr, [](const char* path, LrxFile** file) {
        return lrxFileOpenCreate(path, kAppString, file, gbxKindCallback);
    });
}

LrxFile* FOpenFileEdit(const char* name, int* error) {
    return openTraced("FOpenFileEdit <%s>", name, error, [](const char* path, LrxFile** file) {
        int32_t kindTag = 0;
        return lrxFileOpenEdit(path, file, gbxKindCallback, &kindTag);
    });
}

int FCloseFile(LrxFile** file) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FCloseFile Fp->filname=<%s>", nameOf(file));
    int code = F_NO_ERROR;
    if (file != nullptr) {
        code = lrxFileClose(file);
        // The handle is freed by now: a handler gets no file rather than a dangling one.
        if (code != F_NO_ERROR) report(nullptr, code, __LINE__);
    }
    if (traced) DebugExit("%p [%d]", static_cast<void*>(file != nullptr ? *file : nullptr), code);
    return code;
}

int FQueryLogicalBlock(LrxFile* file) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FQueryLogicalBlock");
    int32_t countOrId = 0;
    const int type = file != nullptr ? lrxQuery(file, &countOrId) : LRX_UNKNOWN;
    const int id = type == LRX_BLOCK ? countOrId : 0;
    // The element type never reaches the line: "&d" is written as it stands.
    if (traced) DebugExit("%d &d", id);
    return id;
}

LrxLrec* FReadLogicalBlock(LrxFile* file) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FReadLogicalBlock");
    LrxLrec* chain = nullptr;
    int code = F_ERR_USAGE;
    if (file != nullptr) {
        int records = 0;
        lrxBlockRead(file, &records, &chain);
        // The code stays recorded on the file for the caller to take.
        code = lrxPeekError(file);
    }
    if (code != F_NO_ERROR) report(file, code, __LINE__);
    if (traced) DebugExit("[%d] %p", code, static_cast<void*>(chain));
    return chain;
}

int FSkipLogicalBlock(LrxFile* file) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FSkipLogicalBlock");
    int code = F_ERR_USAGE;
    if (file != nullptr) {
        lrxBlockSkip(file);
        code = lrxPeekError(file);
    }
    if (code != F_NO_ERROR) report(file, code, __LINE__);
    if (traced) DebugExit("[%d]", code);
    return code;
}

namespace {

LrxLrec* createLogicalBlock(int type, int count, const void* data, int copy) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FCreateLogicalBlock %d %d", type, count);
    LrxLrec* node = lrxLrecCreate(type, count, data, copy, nullptr);
    if (node == nullptr) report(nullptr, F_ERR_DATA, __LINE__);
    if (traced) DebugExit("%p", static_cast<void*>(node));
    return node;
}

}  // namespace

LrxLrec* FCreateLogicalBlock(int type, int count, const void* data) {
    return createLogicalBlock(type, count, data, 1);
}

LrxLrec* FCreateLogicalBlockBorrowing(int type, int count, const void* data) {
    return createLogicalBlock(type, count, data, 0);
}

int FAppendToLogicalBlock(int type, int count, const void* data, LrxLrec* chain) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FAppendToLogicalBlock %d %d", type, count);
    LrxLrec* node = nullptr;
    int code = F_NO_ERROR;
    if (chain == nullptr) {
        // A node made without a chain would belong to nobody: its values would be lost and
        // its memory leaked while the call reported success.
        code = report(nullptr, F_ERR_USAGE, __LINE__);
    } else {
        node = lrxLrecCreate(type, count, data, 1, chain);
        if (node == nullptr) code = report(nullptr, F_ERR_DATA, __LINE__);
    }
    if (traced) DebugExit("[%d] %p", code, static_cast<void*>(node));
    return code;
}

int FFreeLogicalBlock(LrxLrec* chain) {
    const bool traced = fileioTraceOn();
    if (traced) DebugEnter("FFreeLogicalBlock");
    // Frees through a copy: the caller's variable keeps its (now dangling) value.
    LrxLrec* doomed = chain;
    lrxLrecChainFree(&doomed);
    if (traced) DebugExit("[%d]", 0);
    return 0;
}

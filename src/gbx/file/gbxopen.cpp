// The lifecycle of a data file: opening for reading, editing or appending, creating, flushing
// and closing, and the native family's part of them. Calls the path tests of the os layer, the
// shell services, the family dispatch, the logical-block layer, the header serialiser, the
// encoding-key module and the block search.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "lrx/shell.h"
#include "src/gbx/common/fileio.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/file/gbxposition.h"
#include "src/gbx/header/gbxheader.h"
#include "src/gbx/statics/gbxencodekeys.h"
#include "src/lrx/lrxfile.h"
#include "src/os/osfile.h"

namespace {

constexpr const char* kModule = "gbxopen";

// The path buffer of an opening: the platform's path limit, terminator included. A longer
// path cannot be opened.
constexpr std::size_t kPathBuffer = 260;

const char* textOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

bool isNamedPath(const char* path) {
    return path != nullptr && *path != '\0';
}

// A path that gbxFileRead can try: named, short enough for its buffer, existing, no folder.
bool isReadablePath(const char* path) {
    return isNamedPath(path) && std::strlen(path) < kPathBuffer && lrx::os::pathExists(path) &&
           !lrx::os::isDirectory(path);
}

// Hands an opened header and file to the caller's out arguments that are not null. What the
// caller has no place for is released, so that it cannot be lost with its memory and
// descriptor.
void handOver(GbxHeader* header, GbxFile* file, GbxHeader** headerOut, GbxFile** fileOut) {
    if (headerOut != nullptr) {
        *headerOut = header;
    } else if (header != nullptr) {
        gbxHeaderDestroy(&header);
    }
    if (fileOut != nullptr) {
        *fileOut = file;
    } else if (file != nullptr) {
        FCloseFile(&file);
    }
}

// Reads the header of a file just opened (none when the open failed).
GbxHeader* readHeader(GbxFile* file, int* code) {
    return file != nullptr ? gbxReadHeader(file, code) : nullptr;
}

// Ends an opening after the header read: a file without a header is closed, and a compressed
// file's encoding keys are loaded into its header.
void finishOpening(GbxHeader* header, GbxFile** file) {
    if (header == nullptr) {
        if (*file != nullptr) FCloseFile(file);
    } else if (header->compressed != 0) {
        gbxLoadEncodeKeys(header, *file);
    }
}

// A header alone is no readable file: its reader stops only at a section marker. A file made
// by gbxFileCreate that still holds nothing behind its header gets the empty static section at
// flush and close; every other file keeps exactly the bytes its writer gave it.
int closeHeaderOnlyFile(GbxFile* file) {
    if (file->createdNew == 0 || file->positionState >= GBX_IN_STATICS) return 0;
    GbxBlockBuilder marker;
    const int code = marker.write(GBX_TAG_STATICS, file, kModule, __LINE__);
    if (code == 0) file->positionState = GBX_IN_STATICS;
    return code;
}

// The header written back in place, behind the marker of a header-only file.
int updateFile(GbxHeader* header, GbxFile* file, int force) {
    const int code = closeHeaderOnlyFile(file);
    return code != 0 ? code : gbxUpdateHeader(header, force, file);
}

// The number of time steps that the header's time axis holds; -1 without a time axis.
int storedTimeSteps(const GbxHeader* header) {
    const int type = header->timeAxisType;
    return type >= F_TM_EQ_AXIS && type <= F_CAL_NEQ_AXIS ? header->timeAxis.noOfTimeSteps : -1;
}

// Moves a file opened for appending to its end. Appending adds time steps only: the file stands
// in its dynamic section from now on, and a file whose dynamic section has not begun gets its
// marker with the first time step appended. False when the seek to the end fails.
bool moveToEnd(GbxFile* file) {
    gbxFindBlock(file, GBX_TAG_TIME_STEPS);
    file->dynamicSectionDue = file->positionState < GBX_IN_TIME_STEPS ? 1 : 0;
    file->positionState = GBX_IN_TIME_STEPS;
    // An absolute seek also ends the end-of-file state that the search may have met.
    lrxSeek64(file, 0, 2);
    return lrxPeekError(file) == 0;
}

// A file is flushed and closed by the family of its handle, or by that of its header when no
// handle is given. A header read from a legacy pair may serve a native file too; that file is
// then closed as a native one.
const GbxFamily& familyOfHandles(const GbxHeader* header, const GbxFile* file) {
    return file != nullptr ? gbxFamilyOfFile(file) : gbxFamilyOfHeader(header);
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxFileRead(const char* path, GbxHeader** header, GbxFile** file) {
    GbxCall call("gbxFileRead <%s>", textOrEmpty(path));
    // A path that cannot name a readable file ends the call without report and exit line.
    if (!isReadablePath(path)) return F_ERR_OPEN;
    char buffer[kPathBuffer];
    std::memcpy(buffer, path, std::strlen(path) + 1);
    if (QvShortCut_IsShortcut(buffer) != 0 && QvShortCut_ResolveShortcut(path, buffer) != 0) return F_ERR_OPEN;
    return call.result(gbxFamilyOfPath(buffer).open(buffer, header, file));
}

LRX_EXPORT int LRX_CALL gbxFileEdit(const char* path, GbxHeader** header, GbxFile** file) {
    GbxCall call("gbxFileEdit <%s>", textOrEmpty(path));
    int code = 0;
    GbxFile* opened = FOpenFileEdit(path, &code);
    GbxHeader* read = readHeader(opened, &code);
    finishOpening(read, &opened);
    handOver(read, opened, header, file);
    return call.result(code);
}

LRX_EXPORT int LRX_CALL gbxFileAppend(const char* path, GbxHeader** header, GbxFile** file) {
    GbxCall call("gbxFileAppend <%s>", textOrEmpty(path));
    int code = 0;
    GbxFile* opened = FOpenFileEdit(path, &code);
    if (opened == nullptr) {
        call.exit("F_ERR_OPEN");
        return code;
    }
    // The keys are read before the move to the end: the static section lies behind the header,
    // and appended time steps of a compressed file are stored at the keys' length.
    GbxHeader* read = readHeader(opened, &code);
    finishOpening(read, &opened);
    if (read == nullptr) {
        call.exit("Error %d", code);
        return code;
    }
    if (!moveToEnd(opened)) {
        call.exit("F_ERR_SEEK");
        GBX_REPORT(read, opened, nullptr, F_ERR_SEEK);
        gbxHeaderDestroy(&read);
        FCloseFile(&opened);
        return F_ERR_SEEK;
    }
    const int steps = storedTimeSteps(read);
    if (steps >= 0) read->currentTimeStep = steps;
    handOver(read, opened, header, file);
    call.exit("F_NO_ERROR = OK");
    return F_NO_ERROR;
}

LRX_EXPORT int LRX_CALL gbxFileCreate(const char* path, GbxHeader* header, GbxFile** file) {
    GbxCall call("gbxFileCreate <%s>", textOrEmpty(path));
    // No usable path ends the call without report and exit line; *file stays untouched.
    if (!isNamedPath(path) || lrx::os::isDirectory(path)) return F_ERR_WRITE;
    if (const int code = gbxCheckHeader(header, kModule, __LINE__)) {
        handOver(nullptr, nullptr, nullptr, file);
        return call.result(code);
    }
    return call.result(gbxFamilyOfPath(path).create(path, header, file));
}

LRX_EXPORT int LRX_CALL gbxFileFlush(GbxHeader* header, GbxFile* file) {
    GbxCall call("gbxFileFlush");
    return call.result(familyOfHandles(header, file).flush(header, file));
}

LRX_EXPORT int LRX_CALL gbxFileClose(GbxHeader* header, GbxFile** file) {
    GbxCall call("gbxFileClose");
    return call.result(familyOfHandles(header, file != nullptr ? *file : nullptr).close(header, file));
}

}  // extern "C"

// ---- The native family ----------------------------------------------------------------------

int gbxNativeOpen(const char* path, GbxHeader** header, GbxFile** file) {
    int code = 0;
    GbxFile* opened = FOpenFileRead(path, &code);
    GbxHeader* read = readHeader(opened, &code);
    // The handler hears that the file could not be opened; the caller gets the read's code.
    if (opened != nullptr && code != 0) GBX_REPORT(read, opened, nullptr, F_ERR_OPEN);
    finishOpening(read, &opened);
    handOver(read, opened, header, file);
    return code;
}

int gbxNativeCreate(const char* path, GbxHeader* header, GbxFile** file) {
    int code = 0;
    GbxFile* created = FOpenFileCreate(path);
    if (created == nullptr) code = GBX_REPORT(header, nullptr, nullptr, F_ERR_OPEN);
    if (created != nullptr) {
        created->createdNew = 1;
        code = gbxWriteHeader(header, created);
        // The keys follow the header whatever its write gave; their writes report their own
        // errors and leave the result alone.
        if (header->compressed != 0) gbxWriteEncodeKeys(header, created);
    }
    handOver(nullptr, created, nullptr, file);
    return code;
}

int gbxNativeFlush(GbxHeader* header, GbxFile* file) {
    if (const int code = gbxCheckHeaderFile(header, file, kModule, __LINE__)) return code;
    const int code = updateFile(header, file, 0);
    QvProject_AddFile(file->fileName);
    return code;
}

int gbxNativeClose(GbxHeader* header, GbxFile** file) {
    GbxFile* handle = file != nullptr ? *file : nullptr;
    if (const int code = gbxCheckHeaderFile(header, handle, kModule, __LINE__)) return code;
    // A file opened for reading is closed without writing anything back.
    if (handle->readOnly == 0) {
        const int code = updateFile(header, handle, 1);
        QvProject_AddFile(handle->fileName);
        // The file stays open, so that the caller may try again.
        if (code != 0) return code;
    }
    return FCloseFile(file);
}

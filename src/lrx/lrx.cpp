// The record-file handle: creating a file with its fixed header, opening one of either byte
// order, opening for update, closing, and the accessors of the header's dates, versions and
// offsets. Transfers are in lrxtransfer.cpp; descriptors are reached only through the os layer.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "src/lrx/lrxfile.h"
#include "src/os/osfile.h"
#include "src/os/osmemory.h"

namespace {

constexpr char kMagic[4] = {'O', 'L', 'B', '_'};
constexpr char kHeaderText[] = " FENN Alto - this file contains binary data, do not edit";
constexpr unsigned char kTextEnd = 0x1A;
constexpr int32_t kAnonymousKindTag = 0x03030303;
// Longest full path that a handle records; a longer one keeps the name as given.
constexpr std::size_t kPathLimit = PATH_MAX;

enum class ByteOrder { Host, Swapped, Unknown };

ByteOrder byteOrderOf(const unsigned char first[4]) {
    if (std::memcmp(first, kMagic, 4) == 0) return ByteOrder::Host;
    const unsigned char reversed[4] = {first[3], first[2], first[1], first[0]};
    if (std::memcmp(reversed, kMagic, 4) == 0) return ByteOrder::Swapped;
    return ByteOrder::Unknown;
}

char* copyText(const std::string& text) {
    char* copy = static_cast<char*>(lrx::os::allocate(text.size() + 1));
    if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// The handle's record of its path: the full path when it can be formed, else the name as given.
char* recordedPath(const char* name) {
    try {
        std::string full = lrx::os::fullPath(name, kPathLimit);
        return copyText(full.empty() ? std::string(name) : full);
    } catch (...) {
        return nullptr;
    }
}

LrxFile* newHandle(int descriptor, int32_t swapBytes) {
    auto* file = new (std::nothrow) LrxFile{};
    if (file == nullptr) return nullptr;
    file->handleTag = LRX_HANDLE_TAG;
    file->descriptor = descriptor;
    file->commitClock = lrx::os::clockMillis();
    file->swapBytes = swapBytes;
    return file;
}

void freeHandle(LrxFile* file) {
    lrxBufferRelease(file);
    std::free(file->fileName);
    std::free(file->createdDateText);
    std::free(file->createdTimeText);
    std::free(file->editedDateText);
    std::free(file->editedTimeText);
    delete file;
}

void writeDateTime(LrxFile* file, const LrxDateTime& when) {
    const int16_t fields[6] = {when.year, when.month, when.day, when.hour, when.minute, when.second};
    lrxWrite(file, fields, 2, 6);
}

void readDateTime(LrxFile* file, LrxDateTime* when) {
    int16_t fields[6] = {};
    if (lrxRead(file, fields, 2, 6) == 0) return;
    *when = LrxDateTime{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

void writeTextHeader(LrxFile* file, int32_t tag, const char* appString) {
    lrxWrite(file, kMagic, 1, 4);
    lrxWrite(file, &tag, 4, 1);
    lrxWrite(file, kHeaderText, 1, static_cast<int>(sizeof kHeaderText - 1));
    if (appString != nullptr && *appString != '\0') {
        lrxWrite(file, "  ", 1, 2);
        lrxWrite(file, appString, 1, static_cast<int>(std::strlen(appString)));
    }
    lrxWrite(file, &kTextEnd, 1, 1);
}

void writeBinaryHeader(LrxFile* file) {
    const int32_t reserved[2] = {0, 0};
    writeDateTime(file, file->created);
    lrxWrite(file, &file->versionCreate, 4, 1);
    lrxWrite(file, &file->versionCreateApp, 4, 1);
    writeDateTime(file, file->edited);
    lrxWrite(file, &file->versionEdit, 4, 1);
    lrxWrite(file, &file->versionEditApp, 4, 1);
    lrxWrite(file, reserved, 4, 2);
}

// Steps over the header text up to and including its terminator 0x1A, reading in chunks so
// that a foreign file without terminator costs one pass, not one call per byte.
void skipHeaderText(LrxFile* file) {
    unsigned char chunk[4096];
    for (;;) {
        const int64_t start = lrxBufferTell(file);
        const int64_t got = lrxBufferRead(file, chunk, sizeof chunk);
        file->lastDirection = 1;
        if (file->errorCode != 0) return;
        if (start < 0 || got < 0) {
            file->errorCode = LRX_RAISE(F_ERR_READ);
            return;
        }
        if (got == 0) {
            file->errorCode = LRX_END_OF_FILE;
            return;
        }
        const void* end = std::memchr(chunk, kTextEnd, static_cast<size_t>(got));
        if (end != nullptr) {
            lrxSeek64(file, start + (static_cast<const unsigned char*>(end) - chunk) + 1, 0);
            return;
        }
    }
}

// The descriptor's offset, kept as lrxBase or appBase. An offset that cannot be told is a
// failed seek: a handle must never hold an offset it would later seek to in error.
int64_t tellOffset(LrxFile* file) {
    const int64_t at = lrxBufferTell(file);
    if (at < 0 && file->errorCode == 0) file->errorCode = LRX_RAISE(F_ERR_SEEK);
    return at;
}

void readBinaryHeader(LrxFile* file) {
    int32_t reserved[2];
    readDateTime(file, &file->created);
    lrxRead(file, &file->versionCreate, 4, 1);
    lrxRead(file, &file->versionCreateApp, 4, 1);
    readDateTime(file, &file->edited);
    lrxRead(file, &file->versionEdit, 4, 1);
    lrxRead(file, &file->versionEditApp, 4, 1);
    lrxRead(file, reserved, 4, 2);
}

// Checks the stored kind tag against the callback's; the callback may accept any tag.
void checkKind(LrxFile* file, LrxKindCallback kind, int32_t* kindTag) {
    lrxRead(file, kindTag, 4, 1);
    if (file->errorCode != 0 || kind == nullptr) return;
    int32_t version = 0;
    if (*kindTag == kind(&version)) return;
    version = 0;
    if (kind(&version) != LRX_ACCEPT_ANY_KIND) file->errorCode = F_ERR_VERSION;
}

// Ends a failed open or create: the handle and its descriptor are released.
int abandon(LrxFile* file, LrxFile** out) {
    const int code = file->errorCode;
    LrxFile* doomed = file;
    lrxFileClose(&doomed);
    *out = nullptr;
    return code;
}

// Room for the text of any 16-bit field values, which a damaged header may hold.
constexpr std::size_t kDateTextRoom = 32;

void formatDate(char* text, const LrxDateTime& when) {
    std::snprintf(text, kDateTextRoom, "%.4d-%.2d-%.2d", when.year, when.month, when.day);
}

void formatTime(char* text, const LrxDateTime& when) {
    std::snprintf(text, kDateTextRoom, "%.2d:%.2d:%.2d", when.hour, when.minute, when.second);
}

// Makes a date or time text on first request and keeps it in the handle until close.
const char* cachedText(char** slot, const LrxDateTime& when, void (*format)(char*, const LrxDateTime&)) {
    if (*slot == nullptr) {
        char text[kDateTextRoom];
        format(text, when);
        *slot = copyText(text);
        if (*slot == nullptr) return "";
    }
    return *slot;
}

}  // namespace

int lrxFileOpenCreate(const char* name, const char* appString, LrxFile** file, LrxKindCallback kind) {
    if (file == nullptr) return LRX_RAISE(F_ERR_USAGE);
    *file = nullptr;
    const int descriptor = lrx::os::openFile(name, lrx::os::OpenMode::CreateTruncate);
    if (descriptor < 0) return LRX_RAISE(F_ERR_OPEN);
    LrxFile* created = newHandle(descriptor, 0);
    if (created == nullptr) {
        lrx::os::closeFile(descriptor);
        return LRX_RAISE(F_ERR_MEMORY);
    }
    int32_t appVersion = 0;
    const int32_t tag = kind != nullptr ? kind(&appVersion) : kAnonymousKindTag;
    created->created = lrx::os::localNow();
    created->edited = created->created;
    created->fileName = recordedPath(name);
    created->versionCreate = created->versionEdit = LRX_VERSION;
    created->versionCreateApp = created->versionEditApp = appVersion;
    if (created->fileName == nullptr) created->errorCode = LRX_RAISE(F_ERR_MEMORY);
    writeTextHeader(created, tag, appString);
    created->lrxBase = tellOffset(created);
    writeBinaryHeader(created);
    created->appBase = tellOffset(created);
    if (created->errorCode != 0) return abandon(created, file);
    *file = created;
    return 0;
}

int lrxFileOpen(const char* name, int openFlags, LrxFile** file, LrxKindCallback kind, int32_t* kindTag) {
    if (file == nullptr) return LRX_RAISE(F_ERR_USAGE);
    *file = nullptr;
    int32_t ignoredTag = 0;
    if (kindTag == nullptr) kindTag = &ignoredTag;
    *kindTag = 0;
    const auto mode = openFlags == LRX_OPEN_READWRITE ? lrx::os::OpenMode::ReadWrite : lrx::os::OpenMode::Read;
    const int descriptor = lrx::os::openFile(name, mode);
    if (descriptor < 0) return LRX_RAISE(F_ERR_OPEN);
    unsigned char first[4];
    if (lrx::os::readBytes(descriptor, first, 4) != 4) {
        lrx::os::closeFile(descriptor);
        return LRX_RAISE(F_ERR_READ);
    }
    const ByteOrder order = byteOrderOf(first);
    if (order == ByteOrder::Unknown) {
        lrx::os::closeFile(descriptor);
        return LRX_RAISE(F_ERR_MAGIC);
    }
    LrxFile* opened = newHandle(descriptor, order == ByteOrder::Swapped ? 1 : 0);
    if (opened == nullptr) {
        lrx::os::closeFile(descriptor);
        return LRX_RAISE(F_ERR_MEMORY);
    }
    opened->fileName = recordedPath(name);
    if (opened->fileName == nullptr) opened->errorCode = LRX_RAISE(F_ERR_MEMORY);
    opened->lastDirection = 1;
    checkKind(opened, kind, kindTag);
    if (opened->errorCode == 0) skipHeaderText(opened);
    if (opened->errorCode == 0) {
        opened->lrxBase = tellOffset(opened);
        readBinaryHeader(opened);
        opened->appBase = tellOffset(opened);
    }
    if (opened->errorCode != 0) return abandon(opened, file);
    *file = opened;
    return 0;
}

int lrxFileOpenEdit(const char* name, LrxFile** file, LrxKindCallback kind, int32_t* kindTag) {
    const int opened = lrxFileOpen(name, LRX_OPEN_READWRITE, file, kind, kindTag);
    if (opened != 0) return opened;
    LrxFile* edited = *file;
    int32_t appVersion = 0;
    if (kind != nullptr) kind(&appVersion);
    const int32_t version = LRX_VERSION;
    edited->edited = lrx::os::localNow();
    lrxSeek64(edited, edited->lrxBase + 20, 0);
    writeDateTime(edited, edited->edited);
    lrxWrite(edited, &version, 4, 1);
    lrxWrite(edited, &appVersion, 4, 1);
    lrxSeekAppBase(edited);
    if (edited->errorCode != 0) return abandon(edited, file);
    return 0;
}

extern "C" {

LRX_EXPORT int LRX_CALL lrxFileOpenRead(const char* name, LrxFile** file, LrxKindCallback kind, int32_t* kindTag) {
    const int result = lrxFileOpen(name, LRX_OPEN_READ, file, kind, kindTag);
    if (result == 0) (*file)->readOnly = 1;
    return result;
}

LRX_EXPORT int LRX_CALL lrxFileClose(LrxFile** file) {
    if (file == nullptr || *file == nullptr) return 0;
    // Bytes the handle still holds are written first; when they cannot be, the close says so
    // with the code their write would have had, and the handle is released all the same.
    const int flushed = lrxBufferWriteOut(*file);
    const int closed = lrx::os::closeFile((*file)->descriptor) == 0 ? 0 : F_ERR_CLOSE;
    freeHandle(*file);
    *file = nullptr;
    return flushed != 0 ? flushed : closed;
}

LRX_EXPORT const char* LRX_CALL lrxGetFilename(LrxFile* file) {
    return file != nullptr && file->fileName != nullptr ? file->fileName : "";
}

LRX_EXPORT const char* LRX_CALL lrxGetFileCreationDate(LrxFile* file) {
    return file == nullptr ? "" : cachedText(&file->createdDateText, file->created, formatDate);
}

LRX_EXPORT const char* LRX_CALL lrxGetFileCreationTime(LrxFile* file) {
    return file == nullptr ? "" : cachedText(&file->createdTimeText, file->created, formatTime);
}

LRX_EXPORT const char* LRX_CALL lrxGetFileEditDate(LrxFile* file) {
    return file == nullptr ? "" : cachedText(&file->editedDateText, file->edited, formatDate);
}

LRX_EXPORT const char* LRX_CALL lrxGetFileEditTime(LrxFile* file) {
    return file == nullptr ? "" : cachedText(&file->editedTimeText, file->edited, formatTime);
}

LRX_EXPORT int32_t LRX_CALL lrxGetLRXbase(LrxFile* file) {
    return file == nullptr || file->lrxBase > INT32_MAX ? 0 : static_cast<int32_t>(file->lrxBase);
}

LRX_EXPORT int32_t LRX_CALL lrxGetAppBase(LrxFile* file) {
    return file == nullptr || file->appBase > INT32_MAX ? 0 : static_cast<int32_t>(file->appBase);
}

LRX_EXPORT int32_t LRX_CALL lrxGetVersionCurrent(void) {
    return LRX_VERSION;
}

LRX_EXPORT int32_t LRX_CALL lrxGetVersionCreate(LrxFile* file) {
    return file == nullptr ? 0 : file->versionCreate;
}

LRX_EXPORT int32_t LRX_CALL lrxGetVersionEdit(LrxFile* file) {
    return file == nullptr ? 0 : file->versionEdit;
}

LRX_EXPORT int32_t LRX_CALL lrxGetVersionCreateApp(LrxFile* file) {
    return file == nullptr ? 0 : file->versionCreateApp;
}

LRX_EXPORT int32_t LRX_CALL lrxGetVersionEditApp(LrxFile* file) {
    return file == nullptr ? 0 : file->versionEditApp;
}

}  // extern "C"

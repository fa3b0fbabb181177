/*
 * lrx: the record stream beneath every native file of the library.
 *
 * A record file is a fixed file header followed by typed records (runs of values of one
 * simple type) and logical blocks (tagged groups of records). This header declares the
 * exported record-stream calls, the calling-convention and export macros, and the error
 * codes that every layer of the library returns.
 */
#ifndef LRX_LRX_H
#define LRX_LRX_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define LRX_CALL __stdcall
#else
#define LRX_CALL
#endif

#if defined(_WIN32)
#if defined(LRX_BUILDING)
#define LRX_EXPORT __declspec(dllexport)
#else
#define LRX_EXPORT __declspec(dllimport)
#endif
#else
#define LRX_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An open record file. Opaque; created by the open calls, freed by lrxFileClose. */
typedef struct LrxFile LrxFile;

/*
 * Tells the record stream the 32-bit kind tag of an application's kind of file and stores
 * the application version through appVersion. When an opened file's tag differs from the
 * expected one, it is called again with *appVersion 0: returning LRX_ACCEPT_ANY_KIND then
 * accepts the file whatever its tag.
 */
typedef int32_t (*LrxKindCallback)(int32_t* appVersion);

/* Returned by a kind callback to accept a file of any kind tag. */
#define LRX_ACCEPT_ANY_KIND ((int32_t)0x5D21E6B4)

/* The error codes of the library. 0 is success; 1 is the record stream's end-of-file state. */
typedef enum LrxErrorCode {
    F_NO_ERROR = 0,
    F_ERR_USAGE = 1000,
    F_ERR_STEP_RANGE = 1001,
    F_ERR_ITEM_RANGE = 1002,
    F_ERR_MEMORY = 2000,
    F_ERR_READ = 2001,
    F_ERR_WRITE = 2002,
    F_ERR_OPEN = 2003,
    F_ERR_CLOSE = 2004,
    F_ERR_COMMIT = 2005,
    F_ERR_SEEK = 2006,
    F_ERR_ITEM_NO = 2007,
    F_ERR_ELEMENT_NO = 2008,
    F_ERR_TYPE = 2009,
    F_ERR_DATA = 2010,
    F_ERR_DATE_FORMAT = 2011,
    F_ERR_TIME_FORMAT = 2012,
    F_ERR_SIZE = 2013,
    F_ERR_MAGIC = 2014,
    F_ERR_READONLY = 2015,
    F_ERR_BLOCK = 2016,
    F_ERR_VERSION = 2017,
    F_ERR_FILE_TYPE = 2018,
    F_ERR_SKIP = 2019,
    F_ERR_UNIT = 2020
} LrxErrorCode;

/* The record stream's end-of-file state: soft, never reported, cleared by a seek. */
#define LRX_END_OF_FILE 1

/* Simple types of records and element heads. */
typedef enum LrxSimpleType {
    LRX_BLOCK = -2,
    LRX_TERMINATOR = -1,
    LRX_UNKNOWN = 0,
    LRX_FLOAT = 1,
    LRX_DOUBLE = 2,
    LRX_BYTE = 3,
    LRX_INT4 = 4,
    LRX_UINT4 = 5,
    LRX_INT2 = 6,
    LRX_UINT2 = 7
} LrxSimpleType;

/*
 * Opens an existing record file for reading only.
 *
 * name     path of the file
 * file     receives the new handle, or null on failure
 * kind     kind callback of the expected file kind; must not be null
 * kindTag  receives the kind tag stored in the file (0 when it could not be read)
 *
 * Returns 0, or 1 when the file ends inside its header, 2001 (magic unreadable),
 * 2003 (cannot open), 2014 (no magic), 2017 (other kind tag), 2000 (no memory).
 * On success the file is positioned at the first byte after its header.
 */
LRX_EXPORT int LRX_CALL lrxFileOpenRead(const char* name, LrxFile** file, LrxKindCallback kind, int32_t* kindTag);

/*
 * Closes a record file and frees its handle and the texts it handed out; sets *file to null.
 * A null *file does nothing. Returns 0, or 2004 when the descriptor could not be closed
 * (the handle is freed either way).
 */
LRX_EXPORT int LRX_CALL lrxFileClose(LrxFile** file);

/* Returns the file's recorded error (0 none, 1 end of file, else a code) and clears it. */
LRX_EXPORT int LRX_CALL lrxGetError(LrxFile* file);

/* Returns the file's recorded error and leaves it recorded. */
LRX_EXPORT int LRX_CALL lrxPeekError(LrxFile* file);

/* Full path of the file; owned by the handle. */
LRX_EXPORT const char* LRX_CALL lrxGetFilename(LrxFile* file);

/*
 * Creation and last-edit date ("yyyy-mm-dd") and time ("hh:mm:ss") of the file, as its
 * header records them. The texts are owned by the handle and live until it is closed; a
 * constant empty text is returned when one cannot be allocated.
 */
LRX_EXPORT const char* LRX_CALL lrxGetFileCreationDate(LrxFile* file);
LRX_EXPORT const char* LRX_CALL lrxGetFileCreationTime(LrxFile* file);
LRX_EXPORT const char* LRX_CALL lrxGetFileEditDate(LrxFile* file);
LRX_EXPORT const char* LRX_CALL lrxGetFileEditTime(LrxFile* file);

/* Offset of the binary part of the file header (the byte after its text terminator). */
LRX_EXPORT int32_t LRX_CALL lrxGetLRXbase(LrxFile* file);
/* Offset of the first byte after the file header, where the application's data begins. */
LRX_EXPORT int32_t LRX_CALL lrxGetAppBase(LrxFile* file);

/* Record-stream version of this library: 104. */
LRX_EXPORT int32_t LRX_CALL lrxGetVersionCurrent(void);
/* Versions recorded in the file header: record stream and application, at creation and
 * at the previous edit. */
LRX_EXPORT int32_t LRX_CALL lrxGetVersionCreate(LrxFile* file);
LRX_EXPORT int32_t LRX_CALL lrxGetVersionEdit(LrxFile* file);
LRX_EXPORT int32_t LRX_CALL lrxGetVersionCreateApp(LrxFile* file);
LRX_EXPORT int32_t LRX_CALL lrxGetVersionEditApp(LrxFile* file);

/*
 * Current offset of the descriptor as a 32-bit value; a pending skip is not applied.
 * Returns -1 on failure or when the offset does not fit 32 bits (use lrxTell64).
 */
LRX_EXPORT int32_t LRX_CALL lrxTell(LrxFile* file);
/* Applies a pending skip, then returns the 64-bit offset of the file (-1 on failure). */
LRX_EXPORT int64_t LRX_CALL lrxTell64(LrxFile* file);

/* Name of a simple type ("float", "block", ...); "unknown" for every other code. */
LRX_EXPORT const char* LRX_CALL lrxSimpName(int type);
/* Size in bytes of one value of a record type 1 to 7; 0 for every other code. */
LRX_EXPORT uint16_t LRX_CALL lrxSimpSize(int type);
/* 1 when -2 <= type <= 7, else 0. */
LRX_EXPORT int LRX_CALL lrxSimpValid(int type);

/*
 * Type of the next element, without consuming it: 1 to 7 for a record (its count in
 * *countOrId), -2 for a block head (its identifier in *countOrId), -1 for a terminator,
 * 0 at the end of the file (error state 1), on an error, or for a zero type byte (consumed).
 * countOrId may be null.
 */
LRX_EXPORT int LRX_CALL lrxQuery(LrxFile* file, int32_t* countOrId);

/* Steps over the next element (only the head of a block) and returns its type; 0 as lrxQuery. */
LRX_EXPORT int LRX_CALL lrxSkip(LrxFile* file);

/*
 * Reads the next record into a new buffer.
 *
 * type   receives the element's type (1 to 7 for a record)
 * count  receives the record's value count
 *
 * Returns the values in host byte order, or null when the next element is no record, the
 * file ended (error state 1; also when the record claims more bytes than the file holds)
 * or memory ran out (2000 recorded). A non-null buffer may be only partly filled when a
 * read failed: check lrxPeekError. The caller frees it with lrxLrecFree.
 */
LRX_EXPORT void* LRX_CALL lrxLrecReadAlloc(LrxFile* file, int32_t* type, int32_t* count);

/* Frees a buffer of lrxLrecReadAlloc (null allowed) and sets *buffer to null. */
LRX_EXPORT void LRX_CALL lrxLrecFree(void** buffer);

/* Switches the trace of the logical-block calls on (non-zero) or off. */
LRX_EXPORT void LRX_CALL DebugFileIO(int on);

#ifdef __cplusplus
}
#endif

#endif

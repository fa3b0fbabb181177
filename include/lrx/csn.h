/*
 * csn: cross-section files.
 *
 * A cross-section file is a record file of the kind "CSN_" that holds a sequence of
 * cross-sections. An application builds sections in memory, sizes their point arrays, fills
 * them through the public record and writes the sections one after the other into a new
 * file; or it loads a whole file into a table sorted by key and looks sections up by key or
 * walks the table in order. Files of this kind end in ".csn".
 *
 * Every call checks its section and table handles against the library's list of live ones:
 * a null, freed or foreign handle gets the call's failure value and is never touched. A
 * section whose sets are inconsistent (see CsnXsecRecord) is invalid: the lookup calls
 * return null for it and the sizing calls refuse it. The csn calls neither trace nor report
 * through the data-file error handlers.
 */
#ifndef LRX_CSN_H
#define LRX_CSN_H

#include "lrx/lrx.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Number of codes and values of every section. */
#define CSN_CODE_COUNT 24
#define CSN_VALUE_COUNT 15

/* Flag of csnXsecTableLoad: load texts, codes and values only, no point sets. */
#define CSN_LOAD_NO_POINTS 1

/*
 * The public record of one cross-section. Every section handle is a pointer to its record;
 * applications read the fields and fill the point arrays directly. The texts and arrays
 * belong to the section and are freed with it: change their contents, never the pointers,
 * and change the counts only through the sizing calls.
 *
 * A point set is consistent when its count is 0 and none of its arrays exists, or its count
 * is positive and all of them exist: raw (noRaw; raw1 to raw6), selected (noSel; sel) and
 * processed (noPrc; prc1 to prc6).
 */
typedef struct CsnXsecRecord {
    double position;   /* third sort key */
    char* keyText1;    /* first sort key */
    char* keyText2;    /* second sort key */
    char* extraText;   /* free text; " " when none was given */
    uint16_t codes[CSN_CODE_COUNT];   /* default all 0 but the last, which is 2 */
    double values[CSN_VALUE_COUNT];   /* default 0.0 for the first 10, 1.0 for the last 5 */
    int32_t noRaw;     /* raw points */
    double* raw1;
    double* raw2;
    double* raw3;
    int32_t noSel;     /* selected values */
    double* sel;
    int32_t noPrc;     /* processed rows */
    double* prc1;
    double* prc2;
    double* prc3;
    double* prc4;
    double* prc5;
    double* prc6;
    double* raw4;
    uint16_t* raw5;
    uint16_t* raw6;
    void* self;        /* the section object that holds this record; do not change */
} CsnXsecRecord;

/* A table of sections loaded from a file, sorted by key. Opaque. */
typedef struct CsnXsecTable CsnXsecTable;

/* A place in a table, handed out by csnXsecFind and moved by csnXsecFindNext; null is past
 * the end. Opaque. */
typedef struct CsnXsecIteratorPlace* CsnXsecIterator;

/*
 * Creates a new cross-section file, kind "CSN_", application version 104, truncating an
 * existing file of that name.
 *
 * name  path of the file
 * file  receives the open file, or null on failure; close it with csnFileClose
 *
 * Returns 0, 1000 (null file or name), 2003 (cannot create), 2002 (the header could not be
 * written; the partly written file stays) or 2000.
 */
LRX_EXPORT int LRX_CALL csnFileOpenCreate(const char* name, LrxFile** file);

/* Closes a cross-section file as lrxFileClose does and sets *file to null. Returns 0 or 2004. */
LRX_EXPORT int LRX_CALL csnFileClose(LrxFile** file);

/* Returns the file's recorded error and clears it, as lrxGetError. */
LRX_EXPORT int LRX_CALL csnGetError(LrxFile* file);

/* Returns the file's recorded error and leaves it, as lrxPeekError. */
LRX_EXPORT int LRX_CALL csnPeekError(LrxFile* file);

/*
 * Creates a section with the default codes and values, no points and the extra text " ".
 *
 * keyText1, keyText2  first and second sort keys, copied; not null (empty is allowed)
 * position            third sort key
 *
 * Returns the new section, which the caller frees with csnXsecFree, or null when a key text
 * is null or memory runs out.
 */
LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecCreate(const char* keyText1, double position, const char* keyText2);

/* As csnXsecCreate, with the extra text copied; a null or empty extraText gives " ". */
LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecCreateEx(const char* keyText1, double position, const char* keyText2,
                                                   const char* extraText);

/*
 * Frees a section made by csnXsecCreate or csnXsecCreateEx with its texts and arrays and
 * sets *section to null. A section that belongs to a table, or any handle that is not a
 * live section, is left alone (the handle is still set to null).
 */
LRX_EXPORT void LRX_CALL csnXsecFree(CsnXsecRecord** section);

/*
 * Sizes a point set of a section: frees its arrays (the old contents are not kept) and, for
 * a count above 0, allocates them zero-filled with count entries; the record's count field
 * is set to count. csnXsecSetNoRaw sizes raw1 to raw6, csnXsecSetNoSel sel and
 * csnXsecSetNoPrc prc1 to prc6.
 *
 * Returns 1 when the section is valid afterwards; 0 for an invalid handle or section, or
 * when memory ran out (the section is then invalid, its set empty).
 */
LRX_EXPORT int LRX_CALL csnXsecSetNoRaw(CsnXsecRecord* section, uint16_t count);
LRX_EXPORT int LRX_CALL csnXsecSetNoSel(CsnXsecRecord* section, uint16_t count);
LRX_EXPORT int LRX_CALL csnXsecSetNoPrc(CsnXsecRecord* section, uint16_t count);

/*
 * Appends a section to a file made by csnFileOpenCreate: its texts, position, codes and
 * values, then each point set that is not empty. The data is written from the section's
 * own arrays.
 *
 * Returns 0; 1000 for an invalid section handle, a null file or a section whose sets are
 * inconsistent (nothing written); the error already recorded on the file (nothing written);
 * 2000 (nothing written) or the write error that the file recorded.
 */
LRX_EXPORT int LRX_CALL csnXsecWrite(CsnXsecRecord* section, LrxFile* file);

/*
 * Loads a whole cross-section file into a new table sorted by keyText1 and keyText2 (both
 * without regard to case) and then position; sections with equal keys keep the order of the
 * file. Files of older versions are read with the defaults for what they do not hold.
 *
 * name   path of the file
 * table  receives the new table, or null on failure; free it with csnXsecTableFree
 * flags  CSN_LOAD_NO_POINTS to leave every point set empty
 *
 * Returns 0; 1000 (null table); 2000 (no memory); the record stream's open code for a file
 * that is missing or not a cross-section file (2003, 2001, 2014, 2017, or 1 when it ends
 * inside its header); the record stream's code when reading failed (2001, 2006); or 2010
 * when a 258 block makes no section (no 257 block before it, or records of the wrong
 * number or type). A point block of the wrong structure makes its section invalid and the
 * load still succeeds. A file that ends early, inside a block or with bytes that are no
 * block, yields the sections before the break. The table keeps the file open until it is
 * freed.
 */
LRX_EXPORT int LRX_CALL csnXsecTableLoad(const char* name, CsnXsecTable** table, int flags);

/*
 * Frees a table, its sections and its file, and sets *table to null. A handle that is not a
 * live table is left alone (the handle is still set to null).
 */
LRX_EXPORT void LRX_CALL csnXsecTableFree(CsnXsecTable** table);

/*
 * Looks up the first section of the table with the given keys (texts compared without
 * regard to case, position exactly). When both texts are empty and position is 0.0, the
 * first section of the table is returned instead, so that csnXsecFindNext walks the table.
 *
 * iterator  receives the place after the section found, or null; may be null
 *
 * Returns the section (owned by the table), or null when there is none, it is invalid, a
 * text is null or the table handle is not live.
 */
LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecFind(CsnXsecTable* table, const char* keyText1, double position,
                                               const char* keyText2, CsnXsecIterator* iterator);

/*
 * Returns the section at *iterator and moves *iterator to the next one. Returns null at the
 * end (null iterator) and for an invalid section, whose place is stepped over all the same.
 */
LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecFindNext(CsnXsecTable* table, CsnXsecIterator* iterator);

/*
 * The section after (csnXsecNext) or before (csnXsecPrev) the given one in the table; null
 * at either end, when that section or the given one is invalid, or when the given section
 * does not belong to the table.
 */
LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecNext(CsnXsecTable* table, CsnXsecRecord* section);
LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecPrev(CsnXsecTable* table, CsnXsecRecord* section);

#ifdef __cplusplus
}
#endif

#endif

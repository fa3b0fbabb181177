/*
 * gbx: the data-file API.
 *
 * A data file is a record file of the kind "GBX_" that holds a header (titles, items,
 * time axis, attributes), static items and dynamic time steps. Every gbx call validates
 * its handles, reports each error once through the handler table below and returns the
 * code; getters return a neutral value on an invalid handle.
 */
#ifndef LRX_GBX_H
#define LRX_GBX_H

#include "lrx/lrx.h"

#ifdef __cplusplus
extern "C" {
#endif

/* An open data file: the record file itself. */
typedef LrxFile GbxFile;
/* The in-memory header of one data file. */
typedef struct GbxHeader GbxHeader;
/* One item definition; a static item (vector) is a free-standing item holding its values. */
typedef struct GbxItem GbxItem;
typedef GbxItem GbxVector;
/* A custom block of the header. */
typedef struct GbxCustomBlock GbxCustomBlock;

/*
 * An error handler: called with the header, file and item or static vector concerned (each
 * may be null), the error code, the name of the module that raised it and a line number.
 */
typedef void(LRX_CALL* GbxErrorHandler)(GbxHeader* header, GbxFile* file, void* object,
                                        int32_t code, const char* module, int32_t line);

/* File types: bit flags, so that a set of file types is a mask. */
typedef enum GbxFileType {
    F_UNDEFINED_FILE_TYPE = 0,
    F_EQTIME_FIXEDSPACE_ALLITEMS = 1,
    F_EQTIME_TVARSPACE_ALLITEMS = 2,
    F_NEQTIME_FIXEDSPACE_ALLITEMS = 4,
    F_NEQTIME_FIXEDSPACE_VARITEMS = 8,
    F_NEQTIME_TVARSPACE_VARITEMS = 16
} GbxFileType;

/* Time-axis types. */
typedef enum GbxTimeAxisType {
    F_UNDEFINED_TAXIS = 0,
    F_TM_EQ_AXIS = 1,
    F_TM_NEQ_AXIS = 2,
    F_CAL_EQ_AXIS = 3,
    F_CAL_NEQ_AXIS = 4
} GbxTimeAxisType;

/* Empties every slot of the error-handler table. */
LRX_EXPORT void LRX_CALL gbxInitSystem(void);

/*
 * Installs handler for one error code (1000 or 2000 to 2020); any other code is ignored.
 * A null handler empties the slot.
 */
LRX_EXPORT void LRX_CALL gbxAddErrorHandler(int code, GbxErrorHandler handler);

/* Empties every slot of the error-handler table; the argument is not stored. */
LRX_EXPORT void LRX_CALL gbxAddCommonErrorHandler(GbxErrorHandler handler);

/* Switches the trace of the gbx calls on (non-zero) or off. */
LRX_EXPORT void LRX_CALL gbxDebugOn(int on);

#ifdef __cplusplus
}
#endif

#endif

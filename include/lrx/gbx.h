/*
 * gbx: the data-file API.
 *
 * A data file is a record file of the kind "GBX_" that holds a header (titles, attributes,
 * time axis, items with their spatial axes), static items written once, and dynamic time
 * steps that hold one array of values per item. The same calls also serve files of the older
 * legacy family (header and data file pairs .ct0 to .ct4 and .dt0 to .dt4).
 *
 * The life of a file, written:
 *   gbxHeaderCreate                     a header with its items
 *   gbxSetItemInfo, gbxSetItemAxis...   each item's definition and spatial axis
 *   gbxSetEqTimeAxis (or another)       the time axis; attribute setters as needed
 *   gbxFileCreate                       the file, with the header written into it
 *   gbxStaticCreate, gbxSetItemInfo, gbxStaticWrite, gbxStaticDestroy   each static item
 *   gbxWriteItemTimeStep                once per item, items 1 to n, for every time step
 *   gbxFileClose                        the header written back with its counts, the file closed
 *   gbxHeaderDestroy                    the header freed
 *
 * The life of a file, read:
 *   gbxFileRead                         the file opened, its header read and handed out
 *   gbxGetNoOfItems, gbxItemD, gbxGetItemInfo, the axis and time-axis getters   what it holds
 *   gbxStaticRead, gbxStaticGetData, gbxStaticDestroy   each static item, until null comes back
 *   gbxReadItemTimeStep                 once per item and time step (gbxFindTimeStep and
 *                                       gbxFindItemDynamic move; gbxSkipItem passes over)
 *   gbxFileClose                        the file closed; the header stays the caller's
 *   gbxHeaderDestroy                    the header freed
 *
 * Errors: every call checks its handles first. An operation or setter returns 0 (F_NO_ERROR)
 * or an error code of LrxErrorCode (lrx.h), which it has reported once through the
 * error-handler table below before returning; a getter returns its value, and a neutral value
 * (0, "", -1 as each call says) for an invalid handle. Outputs that a call says may be null
 * are then skipped. Texts and arrays given to setters are copied; texts and arrays handed out
 * stay owned by the library and live as long as the header, item or file they belong to.
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
typedef void(LRX_CALL* GbxErrorHandler)(GbxHeader* header, GbxFile* file, void* object, int32_t code,
                                        const char* module, int32_t line);

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

/* ---- Errors and trace -------------------------------------------------------------------- */

/*
 * Empties every slot of the error-handler table: from now on no error reaches a handler.
 */
LRX_EXPORT void LRX_CALL gbxInitSystem(void);

/*
 * Installs the handler that hears of one error code.
 *
 * code     F_ERR_USAGE, or F_ERR_MEMORY to F_ERR_UNIT; any other code is ignored
 * handler  called with every report of that code; null empties the slot
 *
 * The handler replaces the one the slot held.
 */
LRX_EXPORT void LRX_CALL gbxAddErrorHandler(int code, GbxErrorHandler handler);

/*
 * Empties every slot of the error-handler table, as gbxInitSystem does; the handler is not
 * stored. Kept for callers that install a common handler before their own ones.
 */
LRX_EXPORT void LRX_CALL gbxAddCommonErrorHandler(GbxErrorHandler handler);

/*
 * Switches the trace of the gbx calls on standard output on (on not 0) or off.
 */
LRX_EXPORT void LRX_CALL gbxDebugOn(int on);

/* ---- Headers ----------------------------------------------------------------------------- */

/*
 * Creates the header of a new data file with noOfItems fresh items (numbered from 1).
 *
 * fileType       one of the GbxFileType flags
 * fileTitle      file title (copied); null stores the empty text
 * appTitle       application title (copied); null stores the empty text
 * appVersionNo   application version number
 * noOfItems      number of dynamic items, at least 1
 * itemStatsType  1 global statistics only, 2 or 3 statistics per element as well
 * header         receives the new header, or null on failure; must not be null
 *
 * Returns 0, F_ERR_USAGE (header null), F_ERR_DATA (statistics type or item count out of
 * range) or F_ERR_MEMORY. The caller owns the header and frees it with gbxHeaderDestroy.
 */
LRX_EXPORT int LRX_CALL gbxHeaderCreate(int fileType, const char* fileTitle, const char* appTitle, int appVersionNo,
                                        int noOfItems, int itemStatsType, GbxHeader** header);

/*
 * Frees a header with everything it owns (items, texts, custom blocks, keys), unloads its
 * plug-in and closes its legacy file, if any, and sets *header to null.
 *
 * header  the header to free; *header may be null (reported as F_ERR_USAGE)
 *
 * Returns 0 or F_ERR_USAGE. Every item, text and array the header handed out dies with it.
 */
LRX_EXPORT int LRX_CALL gbxHeaderDestroy(GbxHeader** header);

/*
 * Installs copies of the three encoding keys of a compressed file and marks the file
 * compressed. The key entries name the cells of a grid that a compressed file stores.
 *
 * keyX, keyY, keyZ  size entries each (copied); a null key stays empty
 * size              entries of each key, 0 or more
 *
 * Returns 0, F_ERR_USAGE (null header), F_ERR_DATA (size below 0) or F_ERR_MEMORY (the header
 * then keeps no keys at all).
 */
LRX_EXPORT int LRX_CALL gbxSetEncodeKey(GbxHeader* header, const int32_t* keyX, const int32_t* keyY,
                                        const int32_t* keyZ, int size);

/*
 * Copies the stored encoding keys into the outputs that are not null, gbxGetEncodeKeySize
 * entries into each; copies nothing when the header holds no keys.
 *
 * Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxGetEncodeKey(GbxHeader* header, int32_t* keyX, int32_t* keyY, int32_t* keyZ);

/*
 * Returns the number of entries of each encoding key: 0 without keys, and 0 for a null header
 * (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetEncodeKeySize(GbxHeader* header);

/*
 * Returns 1 when the file's grids are stored by encoding keys, else 0 (also for a null header,
 * reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxIsFileCompressed(GbxHeader* header);

/* ---- Type names -------------------------------------------------------------------------- */

/*
 * Returns the constant name of a record simple type ("float", "double", "byte", "integer*4",
 * "unsigned*4", "integer*2", "unsigned*2", "block", "terminator"), or "unknown". The text lives as
 * long as the library.
 */
LRX_EXPORT const char* LRX_CALL gbxSimpleTypeStr(int type);

/*
 * Returns the constant name of a file type ("F_EQTIME_FIXEDSPACE_ALLITEMS", ...), or
 * "*** FileType error ***" for a value that is no single file type.
 */
LRX_EXPORT const char* LRX_CALL gbxFileTypeStr(int fileType);

/*
 * Returns the constant name of a time-axis type ("F_UNDEFINED_TAXIS", "F_TM_EQ_AXIS", ...), or
 * "*** TimeAxis error ***".
 */
LRX_EXPORT const char* LRX_CALL gbxTimeAxisTypeStr(int timeAxisType);

/* ---- Header attributes ------------------------------------------------------------------- */

/*
 * Returns the header's file type (a GbxFileType flag); 0 for a null header (reported as
 * F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetFileType(GbxHeader* header);

/*
 * Returns the header's item statistics type (1, 2 or 3); 0 for a null header (reported as
 * F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetItemStatsType(GbxHeader* header);

/*
 * Returns the file title, owned by the header and valid until it is set again or the header is
 * destroyed; "" when there is none or the header is null (reported as F_ERR_USAGE).
 */
LRX_EXPORT const char* LRX_CALL gbxGetFileTitle(GbxHeader* header);

/*
 * Replaces the file title by a copy of title (not null).
 *
 * Returns 0, F_ERR_USAGE (null header), F_ERR_DATA (null title: nothing changes) or
 * F_ERR_MEMORY (the header then has no title).
 */
LRX_EXPORT int LRX_CALL gbxSetFileTitle(GbxHeader* header, const char* title);

/*
 * Returns the application title, owned by the header and valid until it is set again or the
 * header is destroyed; "" when there is none or the header is null (reported as F_ERR_USAGE).
 */
LRX_EXPORT const char* LRX_CALL gbxGetAppTitle(GbxHeader* header);

/*
 * Replaces the application title by a copy of title (not null).
 *
 * Returns 0, F_ERR_USAGE (null header), F_ERR_DATA (null title: nothing changes) or
 * F_ERR_MEMORY (the header then has no title).
 */
LRX_EXPORT int LRX_CALL gbxSetAppTitle(GbxHeader* header, const char* title);

/*
 * Returns the application version number; -1 for a null header (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetAppVersionNo(GbxHeader* header);

/*
 * Sets the application version number. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetAppVersionNo(GbxHeader* header, int version);

/*
 * Returns the application's data type number; 0 for a null header (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetDataType(GbxHeader* header);

/*
 * Sets the application's data type number. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetDataType(GbxHeader* header, int dataType);

/*
 * Returns the value that marks a missing float value (-1e-35 in a new header); 0.0 for a null
 * header (reported as F_ERR_USAGE).
 */
LRX_EXPORT float LRX_CALL gbxGetDeleteValFloat(GbxHeader* header);

/*
 * Sets the value that marks a missing float value. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetDeleteValFloat(GbxHeader* header, float value);

/*
 * Returns the value that marks a missing double value (-1e-255 in a new header); 0.0 for a null
 * header (reported as F_ERR_USAGE).
 */
LRX_EXPORT double LRX_CALL gbxGetDeleteValDouble(GbxHeader* header);

/*
 * Sets the value that marks a missing double value. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetDeleteValDouble(GbxHeader* header, double value);

/*
 * Returns the value that marks a missing byte value (0 in a new header); 0 for a null header
 * (reported as F_ERR_USAGE).
 */
LRX_EXPORT char LRX_CALL gbxGetDeleteValByte(GbxHeader* header);

/*
 * Sets the value that marks a missing byte value. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetDeleteValByte(GbxHeader* header, char value);

/*
 * Returns the value that marks a missing 32-bit integer (2147483647 in a new header); 0 for a
 * null header (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetDeleteValInt(GbxHeader* header);

/*
 * Sets the value that marks a missing 32-bit integer. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetDeleteValInt(GbxHeader* header, int value);

/*
 * Returns the value that marks a missing unsigned 32-bit integer (2147483647 in a new header);
 * 0 for a null header (reported as F_ERR_USAGE).
 */
LRX_EXPORT unsigned int LRX_CALL gbxGetDeleteValUnsignedInt(GbxHeader* header);

/*
 * Sets the value that marks a missing unsigned 32-bit integer. Returns 0 or F_ERR_USAGE (null
 * header).
 */
LRX_EXPORT int LRX_CALL gbxSetDeleteValUnsignedInt(GbxHeader* header, unsigned int value);

/*
 * Returns the type of the header's geographic information: 0 none, 1 a UTM projection with
 * origin and orientation; 0 for a null header (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetGeoInfoType(GbxHeader* header);

/*
 * Gives the header's UTM projection through the outputs that are not null.
 *
 * projection   receives the projection text, owned by the header and valid until the
 *              projection is set again or the header is destroyed
 * longitude, latitude, orientation  receive the origin and orientation, as they were set
 *
 * Returns 0, F_ERR_USAGE (null header, or no geographic information) or F_ERR_DATA (a
 * geographic information type this library does not know).
 */
LRX_EXPORT int LRX_CALL gbxGetGeoInfoUTMProj(GbxHeader* header, char** projection, double* longitude, double* latitude,
                                             double* orientation);

/*
 * Gives the header a UTM projection: a copy of the projection text (not null) and the origin
 * and orientation, stored as they are.
 *
 * Returns 0, F_ERR_USAGE (null header), F_ERR_DATA (null text: nothing changes) or
 * F_ERR_MEMORY (the projection text is then missing; the values are stored).
 */
LRX_EXPORT int LRX_CALL gbxSetGeoInfoUTMProj(GbxHeader* header, const char* projection, double longitude,
                                             double latitude, double orientation);

/*
 * Removes the header's geographic information and frees its projection text. Returns 0 or
 * F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxSetGeoInfoUndefined(GbxHeader* header);

/*
 * Returns the data-file format version of this library: 206.
 */
LRX_EXPORT int LRX_CALL gbxGetVersionCurrent(void);

/*
 * Appends a custom block to the header: a named array of values stored with the file.
 *
 * type   simple type of the values, LRX_FLOAT to LRX_UINT2; a block of another type keeps no
 *        values (and is not written to a file)
 * name   the block's name (copied); not null
 * count  number of values, 0 or more
 * data   count values (copied); null gives zeros
 *
 * Returns 0, F_ERR_USAGE (null header), F_ERR_DATA (null name, negative count) or F_ERR_MEMORY
 * (the block then stays in the list without its name or values).
 */
LRX_EXPORT int LRX_CALL gbxAddCustomBlock(GbxHeader* header, int type, const char* name, int count, const void* data);

/*
 * Stores the header's first custom block in *first (null when there is none); first may be
 * null. Walk the list with gbxGetCustomBlock. Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxGetCustomBlockRef(GbxHeader* header, GbxCustomBlock** first);

/*
 * Gives a custom block through the outputs that are not null: its simple type, name, number of
 * values, values (only for types LRX_FLOAT to LRX_UINT2; otherwise *data is left as it was) and
 * the next block (null after the last). Name and values belong to the header and live as long as
 * it does.
 *
 * Returns 0 or F_ERR_USAGE (null block).
 */
LRX_EXPORT int LRX_CALL gbxGetCustomBlock(GbxCustomBlock* block, int* type, char** name, int* count, void** data,
                                          GbxCustomBlock** next);

/* ---- Items ------------------------------------------------------------------------------- */

/*
 * Returns the number of dynamic items of the header; 0 for a null header (reported as
 * F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetNoOfItems(GbxHeader* header);

/*
 * Returns dynamic item itemNo (1 to gbxGetNoOfItems) of the header, owned by the header; null
 * for a null header (F_ERR_USAGE) or a number out of range (F_ERR_ITEM_NO, reported with the
 * header).
 */
LRX_EXPORT GbxItem* LRX_CALL gbxItemD(GbxHeader* header, int itemNo);

/*
 * Returns the item of a static item: the vector itself, for the item calls. Null for a null
 * vector (reported as F_ERR_USAGE).
 */
LRX_EXPORT GbxItem* LRX_CALL gbxItemS(GbxVector* vector);

/*
 * Defines an item afresh; the item is reset and gets an EqD0 axis with axis unit 0.
 *
 * header    the header the item belongs to (a static item uses the header of its file)
 * item      a dynamic item (gbxItemD) or static item (gbxItemS)
 * itemType  item type key of the unit library
 * name      item name (copied); not null
 * unit      unit key of the unit library; must be a unit of the item type
 * dataType  simple type of the values: LRX_FLOAT, LRX_DOUBLE, LRX_BYTE, LRX_INT4 or LRX_UINT4
 *
 * Returns 0, F_ERR_USAGE (null item, header or name), F_ERR_UNIT (unit not of the item type:
 * the item keeps its previous definition), F_ERR_MEMORY or F_ERR_DATA (statistics storage of a
 * dynamic item that the header's statistics type cannot hold).
 */
LRX_EXPORT int LRX_CALL gbxSetItemInfo(GbxHeader* header, GbxItem* item, int itemType, const char* name, int unit,
                                       int dataType);

/*
 * Defines an item as gbxSetItemInfo does, with the unit given as text (copied; not null) and
 * not checked against the item type.
 *
 * Returns 0, F_ERR_USAGE (null item, header, name or unit text), F_ERR_MEMORY or F_ERR_DATA.
 */
LRX_EXPORT int LRX_CALL gbxSetItemInfo_(GbxHeader* header, GbxItem* item, int itemType, const char* name,
                                        const char* unitText, int dataType);

/*
 * Gives an item's definition through the outputs that are not null.
 *
 * itemType, itemTypeName  the item type key and its name in the unit library ("" unknown)
 * name                    the item name
 * unit, unitName          the unit key and its name; for a key the unit library does not know,
 *                         the unit text the item holds, and *unit the key made from that text
 * dataType                the simple type of the values
 *
 * Texts belong to the item or to the unit library and live until the item is redefined or
 * destroyed. Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemInfo(GbxItem* item, int* itemType, const char** itemTypeName, const char** name,
                                       int* unit, const char** unitName, int* dataType);

/*
 * Gives item type, name, unit text (null when the item has a unit key and no text) and data
 * type as stored, without looking anything up; outputs may be null. Texts belong to the item.
 * Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemInfo_(GbxItem* item, int* itemType, const char** name, const char** unitText,
                                        int* dataType);

/*
 * Returns the number of values of one time step that a caller exchanges with the item: the
 * encoding-key size while compression is enabled (gbxItemEnableCompression), else the full
 * grid. 0 for a null item (F_ERR_USAGE) and for an item without axis or with more values than
 * 32 bits count (F_ERR_DATA).
 */
LRX_EXPORT int LRX_CALL gbxGetItemElements(GbxItem* item);

/*
 * Returns the number of values of one time step that the item actually holds: the
 * encoding-key size whenever the header holds keys, else the full grid. 0 for a null item
 * (F_ERR_USAGE) or an unknown or too large count (F_ERR_DATA).
 */
LRX_EXPORT int LRX_CALL gbxGetUsedItemElements(GbxItem* item);

/*
 * Returns the number of values of one time step before compression: nx*ny*nz (*nt) of the
 * axis, 1 for EqD0. 0 for a null item (F_ERR_USAGE) or an unknown or too large count
 * (F_ERR_DATA).
 */
LRX_EXPORT int LRX_CALL gbxGetItemXYZSize(GbxItem* item);

/*
 * Returns the values of one horizontal layer: nx*ny from two dimensions on, 1 for EqD0 and
 * EqD1. 0 for a null item (F_ERR_USAGE), and for the NeqD1 and TvarD1 axes, which have no
 * layer, or a too large count (F_ERR_DATA).
 */
LRX_EXPORT int LRX_CALL gbxGetItemXYSize(GbxItem* item);

/*
 * Returns nx of the item's axis, 1 for EqD0. 0 for a null item (F_ERR_USAGE) or an item without
 * axis (F_ERR_DATA).
 */
LRX_EXPORT int LRX_CALL gbxGetItemXSize(GbxItem* item);

/*
 * Returns gbxGetItemElements times the byte size of the item's data type: the size of the
 * caller's buffer for one time step. 0 on error, as gbxGetItemElements.
 */
LRX_EXPORT int LRX_CALL gbxGetItemBytes(GbxItem* item);

/*
 * Returns gbxGetUsedItemElements times the byte size of the item's data type (2 for the 16-bit
 * types): the size of a buffer for the values the item holds (gbxStaticGetData). 0 on error, as
 * gbxGetUsedItemElements.
 */
LRX_EXPORT int LRX_CALL gbxGetUsedItemBytes(GbxItem* item);

/*
 * Returns the item's axis type code, 0 to 13 (EqD0 1 ... CurveLinearD3 13; 0 no axis); 0 for a
 * null item (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisType(GbxItem* item);

/*
 * Returns the spatial dimension of the item's axis, 0 to 4; -1 for an item without axis, for
 * the curvilinear axes and for a null item (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetItemDim(GbxItem* item);

/*
 * Returns the item type key of the axis geometry in the unit library: 100185 (0-D) to 100188
 * (3-D and 4-D); 999 for curvilinear axes, an item without axis or a null item (reported as
 * F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetItemGeometryType(GbxItem* item);

/*
 * Returns the unit key of the axis coordinates; 0 for an item without axis or a null item
 * (reported as F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetItemGeometryUnit(GbxItem* item);

/*
 * Sets how the item's values are converted between the item's unit and the caller's: mode 1
 * to and from the item type's user unit, mode 2 to and from unit, any other mode not at all.
 * Float and double values are converted as they are written and read. Returns 0 or
 * F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxSetItemUnitConversion(GbxItem* item, int mode, int unit);

/*
 * Gives the item's value conversion mode and unit through the outputs that are not null.
 * Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemUnitConversion(GbxItem* item, int* mode, int* unit);

/*
 * Sets how the item's axis coordinates (origins, spacings, coordinate arrays, reference
 * coordinates) are converted between the axis unit and the caller's: mode 1 to and from the
 * geometry's user unit, mode 2 to and from unit, any other mode not at all. Returns 0 or
 * F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisUnitConversion(GbxItem* item, int mode, int unit);

/*
 * Gives the item's axis conversion mode and unit through the outputs that are not null.
 * Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisUnitConversion(GbxItem* item, int* mode, int* unit);

/*
 * Sets a value-type code that the library stores with the item and hands back unchanged.
 * Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxSetItemValueType(GbxItem* item, int valueType);

/*
 * Stores the item's value-type code in *valueType (not null). Returns 0 or F_ERR_USAGE (null
 * item or output).
 */
LRX_EXPORT int LRX_CALL gbxGetItemValueType(GbxItem* item, int* valueType);

/*
 * Appends the number of a static item (1 or more) to the list of static items associated with
 * dynamic item itemNo; the list keeps insertion order and is stored with the file.
 *
 * Returns 0, F_ERR_USAGE (null header), F_ERR_ITEM_NO (itemNo out of range, or staticNo below
 * 1) or F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetAssocStatic(GbxHeader* header, int itemNo, int staticNo);

/*
 * Returns the number of static items associated with dynamic item itemNo; 0 for a null header
 * (F_ERR_USAGE) or itemNo out of range (F_ERR_ITEM_NO).
 */
LRX_EXPORT int LRX_CALL gbxGetNoAssocStatic(GbxHeader* header, int itemNo);

/*
 * Gives the index-th (from 1) static item associated with dynamic item itemNo.
 *
 * staticNo  receives the number, or 0 past the end of the list; may be null
 *
 * Returns 0 (also past the end), F_ERR_USAGE (null header) or F_ERR_ITEM_NO (itemNo out of
 * range, or index below 1).
 */
LRX_EXPORT int LRX_CALL gbxGetAssocStatic(GbxHeader* header, int itemNo, int index, int* staticNo);

/* ---- Item axes --------------------------------------------------------------------------- */

/*
 * Gives the item a 0-D axis (one value per time step) with axis unit key unit.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD0(GbxItem* item, int unit);

/*
 * Gives the axis unit key and its name (owned by the unit library; "" unknown) of an EqD0 item
 * through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD0(GbxItem* item, int* unit, const char** unitName);

/*
 * Gives the item an equidistant 1-D axis of nx cells starting at x0 with spacing dx (in the
 * caller's axis unit, see gbxSetItemAxisUnitConversion).
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD1(GbxItem* item, int unit, int nx, float x0, float dx);

/*
 * Gives the unit key and name, nx, x0 and dx (in the caller's axis unit) of an EqD1 item
 * through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD1(GbxItem* item, int* unit, const char** unitName, int* nx, float* x0,
                                           float* dx);

/*
 * Gives the item a non-equidistant 1-D axis of n points, given as n x, y, z float triples
 * (copied and converted from the caller's axis unit). flag is accepted and not used.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisNeqD1(GbxItem* item, int unit, int n, const float* points, int flag);

/*
 * Gives the unit key and name, n and the item's own point array (n x, y, z triples, converted
 * in place to the caller's axis unit at the first getter call; owned by the item and valid
 * while its axis lasts) of a NeqD1 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisNeqD1(GbxItem* item, int* unit, const char** unitName, int* n, float** points);

/*
 * Gives the item a time-varying 1-D axis of nx cells (file types 2 and 16).
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisTvarD1(GbxItem* item, int unit, int nx);

/*
 * Gives the unit key and name and nx of a TvarD1 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisTvarD1(GbxItem* item, int* unit, const char** unitName, int* nx);

/*
 * Gives the item an equidistant 2-D grid of nx by ny cells starting at x0, y0 with spacings
 * dx, dy (in the caller's axis unit).
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD2(GbxItem* item, int unit, int nx, int ny, float x0, float y0, float dx,
                                           float dy);

/*
 * Gives the unit key and name, sizes, origin and spacings (in the caller's axis unit) of an
 * EqD2 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, float* x0,
                                           float* y0, float* dx, float* dy);

/*
 * Gives the item a non-equidistant 2-D grid of nx by ny cells with the cell edges x (nx + 1
 * values) and y (ny + 1 values), copied and converted from the caller's axis unit. flag is
 * accepted and not used.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisNeqD2(GbxItem* item, int unit, int nx, int ny, const double* x, const double* y,
                                            int flag);

/*
 * Gives the unit key and name, sizes and the item's own edge arrays (converted in place to the
 * caller's axis unit at the first getter call; owned by the item and valid while its axis
 * lasts) of a NeqD2 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisNeqD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                            double** x, double** y);

/*
 * Gives the item a time-varying 2-D axis of nx by ny cells (file types 2 and 16).
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisTvarD2(GbxItem* item, int unit, int nx, int ny);

/*
 * Gives the unit key and name and sizes of a TvarD2 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisTvarD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny);

/*
 * Gives the item an equidistant 3-D grid of nx by ny by nz cells starting at x0, y0, z0 with
 * spacings dx, dy, dz (in the caller's axis unit).
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD3(GbxItem* item, int unit, int nx, int ny, int nz, float x0, float y0,
                                           float z0, float dx, float dy, float dz);

/*
 * Gives the unit key and name, sizes, origin and spacings (in the caller's axis unit) of an
 * EqD3 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                           float* x0, float* y0, float* z0, float* dx, float* dy, float* dz);

/*
 * Gives the item a non-equidistant 3-D grid of nx by ny by nz cells with the cell edges x, y, z
 * (n + 1 values each), copied and converted from the caller's axis unit. flag is accepted and
 * not used.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisNeqD3(GbxItem* item, int unit, int nx, int ny, int nz, const double* x,
                                            const double* y, const double* z, int flag);

/*
 * Gives the unit key and name, sizes and the item's own edge arrays (converted in place to the
 * caller's axis unit at the first getter call; owned by the item and valid while its axis
 * lasts) of a NeqD3 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisNeqD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                            double** x, double** y, double** z);

/*
 * Gives the item a time-varying 3-D axis of nx by ny by nz cells (file types 2 and 16).
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisTvarD3(GbxItem* item, int unit, int nx, int ny, int nz);

/*
 * Gives the unit key and name and sizes of a TvarD3 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisTvarD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                             int* nz);

/*
 * Gives the item an equidistant 4-D grid (three space directions and one of time) with its
 * sizes, origin and spacings in the caller's axis unit. Such an axis has no block in a file:
 * an item of it can be defined but not written.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD4(GbxItem* item, int unit, int nx, int ny, int nz, int nt, float x0, float y0,
                                           float z0, float t0, float dx, float dy, float dz, float dt);

/*
 * Gives the unit key and name, sizes, origin and spacings (in the caller's axis unit) of an
 * EqD4 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD4(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                           int* nt, float* x0, float* y0, float* z0, float* t0, float* dx, float* dy,
                                           float* dz, float* dt);

/*
 * Gives the item a curvilinear 2-D grid of nx by ny cells whose (nx + 1)(ny + 1) nodes lie at X
 * and Y, copied and converted from the caller's axis unit. flag is accepted and not used.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisCurveLinearD2(GbxItem* item, int unit, int nx, int ny, const double* X,
                                                    const double* Y, int flag);

/*
 * Gives the unit key and name, sizes and the item's own node arrays (converted in place to the
 * caller's axis unit at the first getter call; owned by the item and valid while its axis
 * lasts) of a CurveLinearD2 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisCurveLinearD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                                    double** X, double** Y);

/*
 * Gives the item a curvilinear 3-D grid of nx by ny by nz cells whose (nx + 1)(ny + 1)(nz + 1)
 * nodes lie at X, Y and Z, copied and converted from the caller's axis unit. flag is accepted
 * and not used.
 *
 * Returns 0, F_ERR_USAGE (null item or item without header; for a dynamic item a size below 1,
 * a spacing that is not above 0 or a null coordinate array; for any item counts beyond 32
 * bits), F_ERR_DATA (an axis that the header's file type does not allow for a dynamic item) or
 * F_ERR_MEMORY.
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisCurveLinearD3(GbxItem* item, int unit, int nx, int ny, int nz, const double* X,
                                                    const double* Y, const double* Z, int flag);

/*
 * Gives the unit key and name, sizes and the item's own node arrays (converted in place to the
 * caller's axis unit at the first getter call; owned by the item and valid while its axis
 * lasts) of a CurveLinearD3 item through the outputs that are not null.
 *
 * Returns 0, or F_ERR_USAGE (null item, or an item of another axis type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisCurveLinearD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                                    int* nz, double** X, double** Y, double** Z);

/*
 * Sets the reference coordinates of the item's axis (converted from the caller's axis unit, as
 * origins are). Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxSetItemRefCoords(GbxItem* item, float x, float y, float z);

/*
 * Gives the reference coordinates of the item's axis in the caller's axis unit through the
 * outputs that are not null; for a null item each receives -1e-35. Returns 0 or F_ERR_USAGE
 * (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemRefCoords(GbxItem* item, float* x, float* y, float* z);

/*
 * Sets the three orientation values of the item's axis, stored unconverted. Returns 0 or
 * F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisOrientation(GbxItem* item, float a, float b, float c);

/*
 * Gives the three orientation values of the item's axis through the outputs that are not
 * null; for a null item each receives -1e-35. Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemAxisOrientation(GbxItem* item, float* a, float* b, float* c);

/* ---- Time axis --------------------------------------------------------------------------- */

/*
 * Returns the header's time-axis type (a GbxTimeAxisType); 0 for a null header (reported as
 * F_ERR_USAGE).
 */
LRX_EXPORT int LRX_CALL gbxGetTimeAxisType(GbxHeader* header);

/*
 * Gives the header an equidistant time axis: unit key unit, start time, constant step and index.
 * A step that is not above 0 is refused with F_ERR_USAGE.
 * The number of time steps already counted stays; it grows as time steps are written.
 *
 * Returns 0, F_ERR_USAGE (null header, or a file type of the other spacing: equidistant axes
 * belong to file types 1 and 2, non-equidistant ones to 4, 8 and 16) or F_ERR_DATA (a file type
 * that is no single GbxFileType flag).
 */
LRX_EXPORT int LRX_CALL gbxSetEqTimeAxis(GbxHeader* header, int unit, double start, double step, int index);

/*
 * Gives the header a non-equidistant time axis: unit key unit, start time and index; each time
 * step then carries its own time.
 * The number of time steps already counted stays; it grows as time steps are written.
 *
 * Returns 0, F_ERR_USAGE (null header, or a file type of the other spacing: equidistant axes
 * belong to file types 1 and 2, non-equidistant ones to 4, 8 and 16) or F_ERR_DATA (a file type
 * that is no single GbxFileType flag).
 */
LRX_EXPORT int LRX_CALL gbxSetNeqTimeAxis(GbxHeader* header, int unit, double start, int index);

/*
 * Gives the header an equidistant calendar axis starting at date ("yyyy-mm-dd") and time of
 * day ("hh:mm:ss") plus startOffset in the axis unit, with the step taken as given.
 * The number of time steps already counted stays; it grows as time steps are written.
 *
 * Returns 0, F_ERR_USAGE (null header, or a file type of the other spacing: equidistant axes
 * belong to file types 1 and 2, non-equidistant ones to 4, 8 and 16), F_ERR_DATA (a file type
 * that is no single GbxFileType flag), F_ERR_DATE_FORMAT or F_ERR_TIME_FORMAT (a text of another
 * form: the axis type is then set, and a date already checked is kept).
 */
LRX_EXPORT int LRX_CALL gbxSetEqCalendarAxis(GbxHeader* header, const char* date, const char* time, int unit,
                                             double startOffset, double step, int index);

/*
 * Gives the header a non-equidistant calendar axis starting at date ("yyyy-mm-dd") and time of
 * day ("hh:mm:ss") plus startOffset in the axis unit.
 * The number of time steps already counted stays; it grows as time steps are written.
 *
 * Returns 0, F_ERR_USAGE (null header, or a file type of the other spacing: equidistant axes
 * belong to file types 1 and 2, non-equidistant ones to 4, 8 and 16), F_ERR_DATA (a file type
 * that is no single GbxFileType flag), F_ERR_DATE_FORMAT or F_ERR_TIME_FORMAT (a text of another
 * form: the axis type is then set, and a date already checked is kept).
 */
LRX_EXPORT int LRX_CALL gbxSetNeqCalendarAxis(GbxHeader* header, const char* date, const char* time, int unit,
                                              double startOffset, int index);

/*
 * Gives an equidistant time axis through the outputs that are not null: unit key and name,
 * start, step, number of time steps and index.
 *
 * unitText is the unit library's name of the unit key, else the unit text the file gave (*unit
 * then receives the key made from it), else ""; it is owned by the unit library or the header.
 *
 * Returns 0 or F_ERR_USAGE (null header, or an axis of another type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetEqTimeAxis(GbxHeader* header, int* unit, const char** unitText, double* start,
                                         double* step, int* numberOfSteps, int* index);

/*
 * Gives a non-equidistant time axis through the outputs that are not null: unit key and name,
 * start, span (the last time minus the start, as the header holds it: read from the file and
 * brought up to date when the header is written back), number of time steps and index.
 *
 * unitText is the unit library's name of the unit key, else the unit text the file gave (*unit
 * then receives the key made from it), else ""; it is owned by the unit library or the header.
 *
 * Returns 0 or F_ERR_USAGE (null header, or an axis of another type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetNeqTimeAxis(GbxHeader* header, int* unit, const char** unitText, double* start,
                                          double* span, int* numberOfSteps, int* index);

/*
 * Gives an equidistant calendar axis through the outputs that are not null: unit key and name,
 * start date and time of day with the start offset folded in (texts owned by the header, valid
 * until the next calendar getter call), the offset left over (0.0, or the stored offset when it
 * cannot be folded), step, number of time steps and index.
 *
 * unitText is the unit library's name of the unit key, else the unit text the file gave (*unit
 * then receives the key made from it), else ""; it is owned by the unit library or the header.
 *
 * Returns 0 or F_ERR_USAGE (null header, or an axis of another type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetEqCalendarAxis(GbxHeader* header, int* unit, const char** unitText, const char** date,
                                             const char** time, double* startOffset, double* step, int* numberOfSteps,
                                             int* index);

/*
 * Gives a non-equidistant calendar axis through the outputs that are not null: unit key and
 * name, start date and time of day with the start offset folded in (texts owned by the header,
 * valid until the next calendar getter call), the offset left over, span, number of time steps
 * and index.
 *
 * unitText is the unit library's name of the unit key, else the unit text the file gave (*unit
 * then receives the key made from it), else ""; it is owned by the unit library or the header.
 *
 * Returns 0 or F_ERR_USAGE (null header, or an axis of another type: nothing is written).
 */
LRX_EXPORT int LRX_CALL gbxGetNeqCalendarAxis(GbxHeader* header, int* unit, const char** unitText, const char** date,
                                              const char** time, double* startOffset, double* span, int* numberOfSteps,
                                              int* index);

/*
 * Gives the span of the whole time axis of an open file.
 *
 * span  receives the number of time steps times the step for equidistant axes, and the time of
 *       the last time step (read from the file) for non-equidistant ones; -1e-255 when there
 *       is no time axis or on error; may be null
 *
 * The file and the header's time-step position are left as they were. Returns 0, F_ERR_USAGE
 * (null header or file) or the code of the read of the last time step.
 */
LRX_EXPORT int LRX_CALL _gbxGetTimeAxisSpan(GbxHeader* header, GbxFile* file, double* span);

/* ---- Compression and statistics ---------------------------------------------------------- */

/*
 * Tells whether the item's header holds X and Y encoding keys.
 *
 * keySize  receives the key size when it does, else 0; may be null
 *
 * Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxIsItemCompressed(GbxItem* item, int* keySize);

/*
 * From now on the callers of this header's time-step calls exchange compressed arrays of
 * key-size values instead of full grids. A null header is ignored.
 */
LRX_EXPORT void LRX_CALL gbxItemEnableCompression(GbxHeader* header);

/*
 * Gives the smallest and largest valid value written to the item (in the caller's unit, see
 * gbxSetItemUnitConversion; the double delete value while none has been written) and the
 * number of delete values written, through the outputs that are not null.
 *
 * Returns 0 or F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxGetItemStatsGlobal(GbxItem* item, double* min, double* max, int* deleteCount);

/*
 * Gives the statistics of one element (0-based, below gbxGetUsedItemElements) of dynamic item
 * itemNo of a header with per-element statistics, through the outputs that are not null:
 * extremes, mean and standard deviation (in the caller's unit), lag-one autocorrelation, and
 * the counts of valid values, delete values and consecutive valid pairs. A figure that cannot be
 * formed is the header's double delete value.
 *
 * Returns 0, F_ERR_USAGE (null header, statistics type 1, or a header of the legacy family,
 * which keeps no statistics), F_ERR_ITEM_NO (itemNo out of range), F_ERR_ELEMENT_NO (element out
 * of range) or F_ERR_DATA (an unknown statistics type).
 */
LRX_EXPORT int LRX_CALL gbxGetItemStats(GbxHeader* header, int itemNo, int element, double* min, double* max,
                                        double* mean, double* stdDev, double* autoCorr, int* validCount,
                                        int* deleteCount, int* pairCount);

/* ---- Static items ------------------------------------------------------------------------ */

/*
 * Creates an empty static item, to be defined with gbxSetItemInfo (through gbxItemS) and an
 * axis setter.
 *
 * vector  receives the new static item, or null on failure; must not be null
 *
 * Returns 0, F_ERR_USAGE (vector null) or F_ERR_MEMORY. The caller frees the item with
 * gbxStaticDestroy.
 */
LRX_EXPORT int LRX_CALL gbxStaticCreate(GbxVector** vector);

/*
 * Frees a static item with its definition and values and sets *vector to null. Returns 0 or
 * F_ERR_USAGE (null item).
 */
LRX_EXPORT int LRX_CALL gbxStaticDestroy(GbxVector** vector);

/*
 * Writes a static item with its values behind the header of a file whose time steps have not
 * begun (the static section is opened by the first one).
 *
 * data  gbxGetItemXYZSize values of the item's data type, in the caller's unit; never changed
 *
 * Returns 0, F_ERR_USAGE (null item or file, or time steps already written), F_ERR_DATA (null
 * data, an item without axis or with a time-varying axis or an unknown data type) or the code
 * of the write.
 */
LRX_EXPORT int LRX_CALL gbxStaticWrite(GbxVector* vector, GbxFile* file, const void* data);

/*
 * Reads the next static item of an open data file.
 *
 * file  open data file, positioned in or before its static section
 * code  receives 0, or the error code; may be null
 *
 * Returns a new static item that the caller frees with gbxStaticDestroy, or null when there is
 * no further static item (code 0) or on error (code set: F_ERR_USAGE for a null file or one
 * whose time steps have been reached, F_ERR_SKIP for an item cut off by the end of the file, or
 * the read's code). The item's texts and values belong to it and live until it is destroyed.
 */
LRX_EXPORT GbxVector* LRX_CALL gbxStaticRead(GbxFile* file, int* code);

/*
 * Passes over the next static item. Returns 0, also past the last one, or the code
 * gbxStaticRead would give.
 */
LRX_EXPORT int LRX_CALL gbxStaticSkip(GbxFile* file);

/*
 * Copies the values of a static item read from a file, converted to the caller's unit, into
 * buffer (gbxGetUsedItemBytes bytes).
 *
 * Returns 0, F_ERR_USAGE (null item), F_ERR_DATA (null buffer, or an item that holds no values),
 * F_ERR_TYPE (an unknown data type) or F_ERR_SIZE (a definition changed since the read that
 * needs more values than the item holds).
 */
LRX_EXPORT int LRX_CALL gbxStaticGetData(GbxVector* vector, void* buffer);

/* ---- Time steps -------------------------------------------------------------------------- */

/*
 * Writes the next item of the current time step (item 1 to n of each time step in turn) and
 * adds its values to the item's statistics.
 *
 * time  the time of the time step, used by the non-equidistant file types when the step's
 *       first item is written
 * data  the item's values (gbxGetItemBytes bytes) in its data type and the caller's unit;
 *       never changed
 *
 * Returns 0, F_ERR_USAGE (null header or file), F_ERR_FILE_TYPE (a file type other than 1 or
 * 4), F_ERR_ITEM_NO, F_ERR_DATA (null data, an item without values of a known size or with a
 * time-varying axis, a grid that does not hold every key position) or the write's code.
 */
LRX_EXPORT int LRX_CALL gbxWriteItemTimeStep(GbxHeader* header, GbxFile* file, double time, const void* data);

/*
 * Reads the next item of the current time step.
 *
 * time  receives the time of the time step: relative to the axis start for the non-equidistant
 *       axes, the time-step index for the equidistant ones; may be null
 * data  receives the item's values (gbxGetItemBytes bytes) in its data type and the caller's
 *       unit; null passes over the item
 *
 * Returns 0, F_ERR_USAGE (null header or file), F_ERR_FILE_TYPE, F_ERR_ITEM_NO, F_ERR_DATA (a
 * damaged time step or an item that cannot be read), F_ERR_SIZE (a record with fewer values
 * than the item: the missing ones are delete values), 1 at the end of the file (not reported)
 * or the read's code.
 */
LRX_EXPORT int LRX_CALL gbxReadItemTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data);

/*
 * Passes over the next item without reading it. Returns 0, F_ERR_USAGE (null header or file),
 * F_ERR_FILE_TYPE, F_ERR_ITEM_NO, F_ERR_DATA or the code of the file.
 */
LRX_EXPORT int LRX_CALL gbxSkipItem(GbxHeader* header, GbxFile* file);

/*
 * Passes over the rest of the current time step (file types 1, 2 and 4). Returns 0,
 * F_ERR_USAGE, F_ERR_FILE_TYPE or the code of gbxSkipItem.
 */
LRX_EXPORT int LRX_CALL gbxSkipTimeStep(GbxHeader* header, GbxFile* file);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxQueryFreeItemTimeStep(GbxHeader* header, GbxFile* file, int* itemNo);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxReadFreeItemTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxWriteFreeItemTimeStep(GbxHeader* header, GbxFile* file, int itemNo, double time,
                                                 const void* data);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxReadItemTvarTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxWriteItemTvarTimeStep(GbxHeader* header, GbxFile* file, const void* coordinates,
                                                 const void* data);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxQueryFreeItemTvarTimeStep(GbxHeader* header, GbxFile* file, int* itemNo);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxReadFreeItemTvarTimeStep(GbxHeader* header, GbxFile* file, double* time, void* coordinates,
                                                    void* data);

/*
 * Kept for callers of free item order and time-varying geometry: does nothing and returns 1.
 */
LRX_EXPORT int LRX_CALL gbxWriteFreeItemTvarTimeStep(GbxHeader* header, GbxFile* file, int itemNo, double time,
                                                     const void* coordinates, const void* data);

/*
 * Gives the position of the next time-step call through the outputs that are not null: the
 * 0-based time step into timeStep and the 1-based number of the item it touches into itemNo.
 * Inside a plug-in's gbxExtReadItemTimeStep it names the plug-in item being read.
 *
 * Returns 0 or F_ERR_USAGE (null header).
 */
LRX_EXPORT int LRX_CALL gbxGetItemPosition(GbxHeader* header, int* timeStep, int* itemNo);

/* ---- Positioning ------------------------------------------------------------------------- */

/*
 * Positions the file just after the marker of its dynamic section; the time-step position
 * becomes time step 0, item 0. Returns 0 (also when the file has no dynamic section: it then
 * stands at its end), F_ERR_USAGE (null header or file) or the file's code.
 */
LRX_EXPORT int LRX_CALL gbxFindBlockDynamic(GbxHeader* header, GbxFile* file);

/*
 * Positions the file just after the marker of its static section (a file that has not passed it
 * stays where it is); the time-step position becomes time step 0, item 0. Returns 0,
 * F_ERR_USAGE (null header or file) or the file's code.
 */
LRX_EXPORT int LRX_CALL gbxFindBlockStatic(GbxHeader* header, GbxFile* file);

/*
 * Positions the file on the start of time step timeStep (0-based). Returns 0, F_ERR_USAGE (null
 * header or file), F_ERR_STEP_RANGE (timeStep outside the axis's time steps; not reported),
 * F_ERR_SEEK or the code of the skips.
 */
LRX_EXPORT int LRX_CALL gbxFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep);

/*
 * Positions the file on item itemNo (1-based) of time step timeStep (0-based). Returns 0,
 * F_ERR_USAGE (null header or file), F_ERR_STEP_RANGE or F_ERR_ITEM_RANGE (out of range; not
 * reported), or the code of the moves.
 */
LRX_EXPORT int LRX_CALL gbxFindItemDynamic(GbxHeader* header, GbxFile* file, int timeStep, int itemNo);

/*
 * Positions the file so that the next gbxStaticRead gives static item itemNo (1-based).
 * Returns 0, F_ERR_USAGE (null header or file), F_ERR_ITEM_RANGE (itemNo below 1, or a static
 * item before it missing; not reported) or the code of the reads.
 */
LRX_EXPORT int LRX_CALL gbxFindItemStatic(GbxHeader* header, GbxFile* file, int itemNo);

/* ---- Opening, creating and closing ------------------------------------------------------- */

/*
 * Opens a data file (or a file of the legacy family) for reading and reads its header.
 *
 * path    path of the file, or of a shell shortcut to it
 * header  receives the header, which the caller frees with gbxHeaderDestroy (also after
 *         gbxFileClose); may be null, the header is then freed at once
 * file    receives the open file, which the caller closes with gbxFileClose; may be null, the
 *         file is then closed at once
 *
 * Returns 0, F_ERR_OPEN (no such file, a folder, a path of 260 bytes or more, or a shortcut
 * that cannot be resolved; nothing is reported or handed out), or the code of the open or of
 * the header read (the handles that exist are then handed out all the same).
 */
LRX_EXPORT int LRX_CALL gbxFileRead(const char* path, GbxHeader** header, GbxFile** file);

/*
 * Creates a data file from a header that stays the caller's, writes the header and, for a
 * compressed header, its encoding keys as the first static items.
 *
 * file  receives the open file, which the caller closes with gbxFileClose; null on failure
 *
 * Returns 0, F_ERR_WRITE (no path, or a folder: nothing is reported or handed out),
 * F_ERR_USAGE (null header), F_ERR_OPEN (the file cannot be created) or the code of the
 * header's write.
 */
LRX_EXPORT int LRX_CALL gbxFileCreate(const char* path, GbxHeader* header, GbxFile** file);

/*
 * Opens a data file to add time steps at its end: the header is read (and handed out as by
 * gbxFileRead) and the time-step position set behind the last time step.
 *
 * Returns 0, the code of the open or of the header read, or F_ERR_SEEK (the end cannot be
 * reached); on failure the outputs keep what they held.
 */
LRX_EXPORT int LRX_CALL gbxFileAppend(const char* path, GbxHeader** header, GbxFile** file);

/*
 * Opens a data file for reading and for rewriting its header in place at gbxFileFlush and
 * gbxFileClose; the header and file are handed out as by gbxFileRead.
 *
 * Returns 0, or the code of the open or of the header read.
 */
LRX_EXPORT int LRX_CALL gbxFileEdit(const char* path, GbxHeader** header, GbxFile** file);

/*
 * Writes the header back in place without closing the file, after committing the written data
 * to disk when the last commit is more than a second old, and registers the file with the
 * project window.
 *
 * Returns 0, F_ERR_USAGE (null header or file), F_ERR_READONLY (a file opened for reading),
 * F_ERR_COMMIT, or the code of the first failure of the write-back: a non-zero result means the
 * file on disk may not hold the current header.
 */
LRX_EXPORT int LRX_CALL gbxFileFlush(GbxHeader* header, GbxFile* file);

/*
 * Writes the header back (unless the file was opened for reading), closes the file and sets
 * *file to null. The header stays the caller's.
 *
 * Returns 0, F_ERR_USAGE (null header or file), or the code of the failure. When the write-back
 * fails the file stays open and *file keeps the handle, so that the caller may try again
 * (after freeing disk space, say). To give up instead, close the handle with
 * lrxFileClose(file): it releases the descriptor and all memory of the handle; the file keeps
 * whatever reached it, which may not be a readable data file.
 */
LRX_EXPORT int LRX_CALL gbxFileClose(GbxHeader* header, GbxFile** file);

/* ---- Plug-ins ---------------------------------------------------------------------------- */

/*
 * Hands a file opened for reading to the derived-item plug-in of its data type (the library
 * "gbxExt_N" with the platform's suffix, N the absolute value of the data type; see
 * lrx/gbxext.h). The folders of the environment variable LRX_PLUGIN_PATH (separated by ':',
 * ';' on Windows) are searched first, then the platform's library search, which includes the
 * folder of the shared library lrx itself. On success the header shows the plug-in's items
 * and reads and skips of time steps are served by the plug-in until it is unloaded; the
 * items stay the plug-in's after that. A plug-in that the header already had is unloaded
 * once the new one is found. Neither traces nor reports through the error handlers.
 *
 * header  header of the open file
 * file    the file, opened by gbxFileRead (null allowed for a file of the legacy family)
 *
 * Returns 0; -1 when the file is not open for reading only, the header is busy in one of its
 * plug-in's calls, or the plug-in is refused (a required entry missing, its initialisation
 * failing, an item count, axis type or axis size out of range); -2 for data type 0; -3 when
 * no plug-in library could be loaded; F_ERR_MEMORY when memory runs out. In these cases the
 * header is left as it was (except that a plug-in it had is gone once a new one was loaded).
 * Otherwise the last non-zero result of a per-item entry: the plug-in is enabled, and the
 * items whose entries failed keep the values they were copied with.
 */
LRX_EXPORT int LRX_CALL gbxEnablePlugin(GbxHeader* header, GbxFile* file);

/*
 * Unloads the header's plug-in, calling its gbxExtTerminate first. The header keeps the
 * plug-in's items. gbxHeaderDestroy unloads a plug-in itself; gbxFileClose does not.
 *
 * Returns the result of gbxExtTerminate, 0 when there is none or no plug-in is loaded, and -1
 * (nothing done) for a null header or one busy in a call of its plug-in.
 */
LRX_EXPORT int LRX_CALL gbxUnloadPlugin(GbxHeader* header);

#ifdef __cplusplus
}
#endif

#endif

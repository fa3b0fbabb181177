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

/* ---- Headers ------------------------------------------------------------------------ */

/*
 * Creates the header of a new data file with noOfItems fresh items.
 *
 * fileType       one of the GbxFileType flags
 * fileTitle      file title (copied; null stores the empty text)
 * appTitle       application title (copied; null stores the empty text)
 * appVersionNo   application version number
 * noOfItems      number of dynamic items, at least 1
 * itemStatsType  1 global statistics only, 2 or 3 statistics per element
 * header         receives the new header, or null on failure; not null
 *
 * Returns 0, 2010 (bad statistics type or item count) or 2000. The caller destroys the
 * header with gbxHeaderDestroy.
 */
LRX_EXPORT int LRX_CALL gbxHeaderCreate(int fileType, const char* fileTitle, const char* appTitle, int appVersionNo,
                                        int noOfItems, int itemStatsType, GbxHeader** header);

/* Frees a header with everything it owns and sets *header to null. Returns 0 or 1000. */
LRX_EXPORT int LRX_CALL gbxHeaderDestroy(GbxHeader** header);

/*
 * Installs copies of the three encoding keys of a compressed file (size entries each; a null
 * key stays empty) and marks the file compressed. Returns 0, 1000 or 2000 (the header then
 * keeps no keys).
 */
LRX_EXPORT int LRX_CALL gbxSetEncodeKey(GbxHeader* header, const int32_t* keyX, const int32_t* keyY,
                                        const int32_t* keyZ, int size);
/* Copies the stored keys into the non-null outputs (gbxGetEncodeKeySize entries each). */
LRX_EXPORT int LRX_CALL gbxGetEncodeKey(GbxHeader* header, int32_t* keyX, int32_t* keyY, int32_t* keyZ);
/* Number of entries of each encoding key; 0 without keys or header. */
LRX_EXPORT int LRX_CALL gbxGetEncodeKeySize(GbxHeader* header);
/* 1 when the file's grids are compressed with encoding keys. */
LRX_EXPORT int LRX_CALL gbxIsFileCompressed(GbxHeader* header);

/* ---- Type names --------------------------------------------------------------------- */

/* Constant name of a record simple type ("float", "double", ..., "unknown"). */
LRX_EXPORT const char* LRX_CALL gbxSimpleTypeStr(int type);
/* Constant name of a file type ("F_EQTIME_FIXEDSPACE_ALLITEMS", ...), or
 * "*** FileType error ***". */
LRX_EXPORT const char* LRX_CALL gbxFileTypeStr(int fileType);
/* Constant name of a time-axis type ("F_TM_EQ_AXIS", ...), or "*** TimeAxis error ***". */
LRX_EXPORT const char* LRX_CALL gbxTimeAxisTypeStr(int timeAxisType);

/* ---- Header attributes -------------------------------------------------------------- */
/*
 * Setters copy what they are given and return 0, 1000 (null header), 2010 (null text: nothing
 * changes) or 2000. Getters return the value, or 0, "" or -1 (gbxGetAppVersionNo) for a null
 * header. Texts handed out belong to the header and live until it changes them or is destroyed.
 */
LRX_EXPORT int LRX_CALL gbxGetFileType(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxGetItemStatsType(GbxHeader* header);
LRX_EXPORT const char* LRX_CALL gbxGetFileTitle(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetFileTitle(GbxHeader* header, const char* title);
LRX_EXPORT const char* LRX_CALL gbxGetAppTitle(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetAppTitle(GbxHeader* header, const char* title);
LRX_EXPORT int LRX_CALL gbxGetAppVersionNo(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetAppVersionNo(GbxHeader* header, int version);
LRX_EXPORT int LRX_CALL gbxGetDataType(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetDataType(GbxHeader* header, int dataType);

/* Delete values: the values that mark a missing value, one per value type. */
LRX_EXPORT float LRX_CALL gbxGetDeleteValFloat(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetDeleteValFloat(GbxHeader* header, float value);
LRX_EXPORT double LRX_CALL gbxGetDeleteValDouble(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetDeleteValDouble(GbxHeader* header, double value);
LRX_EXPORT char LRX_CALL gbxGetDeleteValByte(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetDeleteValByte(GbxHeader* header, char value);
LRX_EXPORT int LRX_CALL gbxGetDeleteValInt(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetDeleteValInt(GbxHeader* header, int value);
LRX_EXPORT unsigned int LRX_CALL gbxGetDeleteValUnsignedInt(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetDeleteValUnsignedInt(GbxHeader* header, unsigned int value);

/* Geographic information: 0 undefined, 1 a UTM projection with origin and orientation. */
LRX_EXPORT int LRX_CALL gbxGetGeoInfoType(GbxHeader* header);
/*
 * Hands out the projection text (owned by the header) and the longitude, latitude and
 * orientation through the non-null outputs. Returns 0, 1000 (no geographic information or
 * null header) or 2010 (unknown type).
 */
LRX_EXPORT int LRX_CALL gbxGetGeoInfoUTMProj(GbxHeader* header, char** projection, double* longitude, double* latitude,
                                             double* orientation);
LRX_EXPORT int LRX_CALL gbxSetGeoInfoUTMProj(GbxHeader* header, const char* projection, double longitude,
                                             double latitude, double orientation);
LRX_EXPORT int LRX_CALL gbxSetGeoInfoUndefined(GbxHeader* header);

/* Data-file format version of this library: 206. */
LRX_EXPORT int LRX_CALL gbxGetVersionCurrent(void);

/*
 * Appends a custom block: a named array of count values of a simple type 1 to 7 (copied);
 * a block of another type keeps no values. Returns 0, 1000, 2010 (null name) or 2000.
 */
LRX_EXPORT int LRX_CALL gbxAddCustomBlock(GbxHeader* header, int type, const char* name, int count, const void* data);
/* Stores the header's first custom block (null when none) in *first. */
LRX_EXPORT int LRX_CALL gbxGetCustomBlockRef(GbxHeader* header, GbxCustomBlock** first);
/*
 * Hands out a custom block's type, name, count, values (only for types 1 to 7; otherwise the
 * output is left untouched) and the next block (null at the end) through the non-null
 * outputs. Name and values belong to the header. Returns 0 or 1000 (null block).
 */
LRX_EXPORT int LRX_CALL gbxGetCustomBlock(GbxCustomBlock* block, int* type, char** name, int* count, void** data,
                                          GbxCustomBlock** next);

/* ---- Items -------------------------------------------------------------------------- */
/*
 * Items are numbered from 1 to gbxGetNoOfItems. Calls taking an item return 1000 for a null
 * item (value queries give 0, gbxGetItemDim -1, gbxGetItemGeometryType 999). Texts handed out
 * belong to the item (or to the unit library) and live until the item is redefined or
 * destroyed; the caller never frees them.
 */
LRX_EXPORT int LRX_CALL gbxGetNoOfItems(GbxHeader* header);
/* The dynamic item of that number, or null (1000 null header, 2007 number out of range). */
LRX_EXPORT GbxItem* LRX_CALL gbxItemD(GbxHeader* header, int itemNo);
/* The static item itself, or null when it is null. */
LRX_EXPORT GbxItem* LRX_CALL gbxItemS(GbxVector* vector);

/*
 * Defines an item: item type and unit keys of the unit library, name (copied, not null) and
 * the simple type of its values (1 float, 2 double, 3 byte, 4 int32, 5 uint32). The item gets
 * an EqD0 axis with axis unit 0. Returns 0, 1000, 2020 (unit not of the item type: the item
 * keeps its previous definition) or 2000.
 */
LRX_EXPORT int LRX_CALL gbxSetItemInfo(GbxHeader* header, GbxItem* item, int itemType, const char* name, int unit,
                                       int dataType);
/* As gbxSetItemInfo with the unit given as text (copied, not null); no unit check. */
LRX_EXPORT int LRX_CALL gbxSetItemInfo_(GbxHeader* header, GbxItem* item, int itemType, const char* name,
                                        const char* unitText, int dataType);
/*
 * Gives the item's definition through the non-null outputs: item type and its name, item
 * name, unit and its name (the item's unit text when the unit library does not know the key;
 * the unit output then receives the key parsed from that text), data type.
 */
LRX_EXPORT int LRX_CALL gbxGetItemInfo(GbxItem* item, int* itemType, const char** itemTypeName, const char** name,
                                       int* unit, const char** unitName, int* dataType);
/* Gives item type, name, unit text and data type as stored, without lookups. */
LRX_EXPORT int LRX_CALL gbxGetItemInfo_(GbxItem* item, int* itemType, const char** name, const char** unitText,
                                        int* dataType);

/* Values of one time step as stored (the encoding-key size when compression is on); 0 on error. */
LRX_EXPORT int LRX_CALL gbxGetItemElements(GbxItem* item);
/* Values actually held per time step (the encoding-key size in a compressed file); 0 on error. */
LRX_EXPORT int LRX_CALL gbxGetUsedItemElements(GbxItem* item);
/* Values of one time step before compression; 0 (2010) for an item without axis. */
LRX_EXPORT int LRX_CALL gbxGetItemXYZSize(GbxItem* item);
LRX_EXPORT int LRX_CALL gbxGetItemXYSize(GbxItem* item);
LRX_EXPORT int LRX_CALL gbxGetItemXSize(GbxItem* item);
/* gbxGetItemElements (gbxGetUsedItemElements) times the byte size of the data type. */
LRX_EXPORT int LRX_CALL gbxGetItemBytes(GbxItem* item);
LRX_EXPORT int LRX_CALL gbxGetUsedItemBytes(GbxItem* item);
/* Axis type code 0 to 13; 0 for a null item. */
LRX_EXPORT int LRX_CALL gbxGetItemAxisType(GbxItem* item);
/* Spatial dimension 0 to 4, or -1 (no axis, curvilinear axes, null item). */
LRX_EXPORT int LRX_CALL gbxGetItemDim(GbxItem* item);
/* Item type key of the axis geometry (100185 to 100188), or 999. */
LRX_EXPORT int LRX_CALL gbxGetItemGeometryType(GbxItem* item);
/* Unit key of the axis coordinates. */
LRX_EXPORT int LRX_CALL gbxGetItemGeometryUnit(GbxItem* item);

/*
 * Unit conversion of item values (and, with the Axis forms, of axis coordinates): mode 1 to
 * and from the item type's user unit, mode 2 to and from `unit`, any other mode none.
 */
LRX_EXPORT int LRX_CALL gbxSetItemUnitConversion(GbxItem* item, int mode, int unit);
LRX_EXPORT int LRX_CALL gbxGetItemUnitConversion(GbxItem* item, int* mode, int* unit);
LRX_EXPORT int LRX_CALL gbxSetItemAxisUnitConversion(GbxItem* item, int mode, int unit);
LRX_EXPORT int LRX_CALL gbxGetItemAxisUnitConversion(GbxItem* item, int* mode, int* unit);
/* A value-type code stored and returned unchanged; valueType must not be null. */
LRX_EXPORT int LRX_CALL gbxSetItemValueType(GbxItem* item, int valueType);
LRX_EXPORT int LRX_CALL gbxGetItemValueType(GbxItem* item, int* valueType);

/* Static items associated with a dynamic item: numbers >= 1 kept in insertion order. */
LRX_EXPORT int LRX_CALL gbxSetAssocStatic(GbxHeader* header, int itemNo, int staticNo);
LRX_EXPORT int LRX_CALL gbxGetNoAssocStatic(GbxHeader* header, int itemNo);
/* The index-th (from 1) associated static; 0 with code 0 past the end, 2007 for index < 1. */
LRX_EXPORT int LRX_CALL gbxGetAssocStatic(GbxHeader* header, int itemNo, int index, int* staticNo);

/* ---- Item axes ---------------------------------------------------------------------- */
/*
 * Setters take the axis unit key, sizes (>= 1), origins and spacings (> 0) in the caller's
 * unit (see gbxSetItemAxisUnitConversion) and coordinate arrays, which are copied (the flag is
 * accepted and not used). Dynamic items accept equidistant, non-equidistant and curvilinear
 * axes in file types 1, 4 and 8 and time-varying axes in file types 2 and 16 (else 2010).
 * Returns 0, 1000 (null item or header, bad parameter: item unchanged), 2010 or 2000.
 *
 * Getters give the axis unit and its name, sizes, origins and spacings in the caller's unit,
 * and the item's own coordinate arrays (converted in place once, valid while the axis lasts).
 * A getter of another axis type than the item's returns 1000 and writes nothing.
 * NeqD1 points are n triples x, y, z; Neq arrays hold n+1 values per direction; CurveLinear
 * arrays one value per grid node, (nx+1)(ny+1)[(nz+1)].
 */
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD0(GbxItem* item, int unit);
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD0(GbxItem* item, int* unit, const char** unitName);
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD1(GbxItem* item, int unit, int nx, float x0, float dx);
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD1(GbxItem* item, int* unit, const char** unitName, int* nx, float* x0,
                                           float* dx);
LRX_EXPORT int LRX_CALL gbxSetItemAxisNeqD1(GbxItem* item, int unit, int n, const float* points, int flag);
LRX_EXPORT int LRX_CALL gbxGetItemAxisNeqD1(GbxItem* item, int* unit, const char** unitName, int* n, float** points);
LRX_EXPORT int LRX_CALL gbxSetItemAxisTvarD1(GbxItem* item, int unit, int nx);
LRX_EXPORT int LRX_CALL gbxGetItemAxisTvarD1(GbxItem* item, int* unit, const char** unitName, int* nx);
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD2(GbxItem* item, int unit, int nx, int ny, float x0, float y0, float dx,
                                           float dy);
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, float* x0,
                                           float* y0, float* dx, float* dy);
LRX_EXPORT int LRX_CALL gbxSetItemAxisNeqD2(GbxItem* item, int unit, int nx, int ny, const double* x, const double* y,
                                            int flag);
LRX_EXPORT int LRX_CALL gbxGetItemAxisNeqD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                            double** x, double** y);
LRX_EXPORT int LRX_CALL gbxSetItemAxisTvarD2(GbxItem* item, int unit, int nx, int ny);
LRX_EXPORT int LRX_CALL gbxGetItemAxisTvarD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny);
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD3(GbxItem* item, int unit, int nx, int ny, int nz, float x0, float y0,
                                           float z0, float dx, float dy, float dz);
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                           float* x0, float* y0, float* z0, float* dx, float* dy, float* dz);
LRX_EXPORT int LRX_CALL gbxSetItemAxisNeqD3(GbxItem* item, int unit, int nx, int ny, int nz, const double* x,
                                            const double* y, const double* z, int flag);
LRX_EXPORT int LRX_CALL gbxGetItemAxisNeqD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                            double** x, double** y, double** z);
LRX_EXPORT int LRX_CALL gbxSetItemAxisTvarD3(GbxItem* item, int unit, int nx, int ny, int nz);
LRX_EXPORT int LRX_CALL gbxGetItemAxisTvarD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                             int* nz);
LRX_EXPORT int LRX_CALL gbxSetItemAxisEqD4(GbxItem* item, int unit, int nx, int ny, int nz, int nt, float x0, float y0,
                                           float z0, float t0, float dx, float dy, float dz, float dt);
LRX_EXPORT int LRX_CALL gbxGetItemAxisEqD4(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny, int* nz,
                                           int* nt, float* x0, float* y0, float* z0, float* t0, float* dx, float* dy,
                                           float* dz, float* dt);
LRX_EXPORT int LRX_CALL gbxSetItemAxisCurveLinearD2(GbxItem* item, int unit, int nx, int ny, const double* X,
                                                    const double* Y, int flag);
LRX_EXPORT int LRX_CALL gbxGetItemAxisCurveLinearD2(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                                    double** X, double** Y);
LRX_EXPORT int LRX_CALL gbxSetItemAxisCurveLinearD3(GbxItem* item, int unit, int nx, int ny, int nz, const double* X,
                                                    const double* Y, const double* Z, int flag);
LRX_EXPORT int LRX_CALL gbxGetItemAxisCurveLinearD3(GbxItem* item, int* unit, const char** unitName, int* nx, int* ny,
                                                    int* nz, double** X, double** Y, double** Z);

/* Reference coordinates of the axis (converted like origins); -1e-35 each for a null item. */
LRX_EXPORT int LRX_CALL gbxSetItemRefCoords(GbxItem* item, float x, float y, float z);
LRX_EXPORT int LRX_CALL gbxGetItemRefCoords(GbxItem* item, float* x, float* y, float* z);
/* Orientation of the axis, three values stored unconverted; -1e-35 each for a null item. */
LRX_EXPORT int LRX_CALL gbxSetItemAxisOrientation(GbxItem* item, float a, float b, float c);
LRX_EXPORT int LRX_CALL gbxGetItemAxisOrientation(GbxItem* item, float* a, float* b, float* c);

/* ---- Time axis ---------------------------------------------------------------------- */
/*
 * Setters replace the header's time axis. Equidistant axes (step > 0) belong to file types 1
 * and 2, non-equidistant ones to 4, 8 and 16: another of these file types gives 1000, an
 * unknown file type 2010. Calendar axes start at a date "yyyy-mm-dd" and a time of day
 * "hh:mm:ss" (2011 and 2012 for texts of another form), plus an offset in the axis unit.
 * The number of time steps is kept and grows as steps are written.
 */
LRX_EXPORT int LRX_CALL gbxGetTimeAxisType(GbxHeader* header);
LRX_EXPORT int LRX_CALL gbxSetEqTimeAxis(GbxHeader* header, int unit, double start, double step, int index);
LRX_EXPORT int LRX_CALL gbxSetNeqTimeAxis(GbxHeader* header, int unit, double start, int index);
LRX_EXPORT int LRX_CALL gbxSetEqCalendarAxis(GbxHeader* header, const char* date, const char* time, int unit,
                                             double startOffset, double step, int index);
LRX_EXPORT int LRX_CALL gbxSetNeqCalendarAxis(GbxHeader* header, const char* date, const char* time, int unit,
                                              double startOffset, int index);
/*
 * Getters give the axis through the non-null outputs and return 0, or 1000 when the header's
 * axis is of another type. The unit text is the unit library's name of the key, else the text
 * the file gave, else "". Calendar getters give the start with the offset folded in (date and
 * time texts owned by the header, valid until the next getter call) and 0.0 as offset.
 */
LRX_EXPORT int LRX_CALL gbxGetEqTimeAxis(GbxHeader* header, int* unit, const char** unitText, double* start,
                                         double* step, int* numberOfSteps, int* index);
LRX_EXPORT int LRX_CALL gbxGetNeqTimeAxis(GbxHeader* header, int* unit, const char** unitText, double* start,
                                          double* span, int* numberOfSteps, int* index);
LRX_EXPORT int LRX_CALL gbxGetEqCalendarAxis(GbxHeader* header, int* unit, const char** unitText, const char** date,
                                             const char** time, double* startOffset, double* step, int* numberOfSteps,
                                             int* index);
LRX_EXPORT int LRX_CALL gbxGetNeqCalendarAxis(GbxHeader* header, int* unit, const char** unitText, const char** date,
                                              const char** time, double* startOffset, double* span, int* numberOfSteps,
                                              int* index);
/*
 * Span of the whole axis into *span (-1e-255 first, and left so for a header without axis):
 * steps x step for equidistant axes, last time minus start for non-equidistant ones.
 */
LRX_EXPORT int LRX_CALL _gbxGetTimeAxisSpan(GbxHeader* header, GbxFile* file, double* span);

/* ---- Compression and statistics ----------------------------------------------------- */

/* *keySize receives the encoding-key size when the item's header holds X and Y keys, else 0
 * (keySize must not be null). Returns 0 or 1000. */
LRX_EXPORT int LRX_CALL gbxIsItemCompressed(GbxItem* item, int* keySize);
/* From now on callers exchange compressed arrays of key-size values with this header's items. */
LRX_EXPORT void LRX_CALL gbxItemEnableCompression(GbxHeader* header);
/* Smallest and largest valid value and number of delete values written to the item, in the
 * caller's unit (gbxSetItemUnitConversion). Returns 0 or 1000. */
LRX_EXPORT int LRX_CALL gbxGetItemStatsGlobal(GbxItem* item, double* min, double* max, int* deleteCount);
/*
 * Statistics of one element (0-based) of an item of a header with per-element statistics:
 * extremes, mean and standard deviation (in the caller's unit), lag-one autocorrelation and
 * counts of valid values, delete values and consecutive valid pairs. Values that cannot be
 * formed are the double delete value. Returns 0, 1000 (statistics type 1, legacy header),
 * 2007, 2008 (element out of range) or 2010.
 */
LRX_EXPORT int LRX_CALL gbxGetItemStats(GbxHeader* header, int itemNo, int element, double* min, double* max,
                                        double* mean, double* stdDev, double* autoCorr, int* validCount,
                                        int* deleteCount, int* pairCount);

/* ---- Static items ------------------------------------------------------------------- */

/* Creates an empty static item (free it with gbxStaticDestroy). Returns 0 or 2000. */
LRX_EXPORT int LRX_CALL gbxStaticCreate(GbxVector** vector);
/* Frees a static item with its values and sets *vector to null. Returns 0 or 1000. */
LRX_EXPORT int LRX_CALL gbxStaticDestroy(GbxVector** vector);
/*
 * Writes a static item with gbxGetItemXYZSize values from data (in the caller's unit; never
 * changed) after the header of a file whose time steps have not begun. Returns 0, 1000,
 * 2010 (null data, no or time-varying axis) or the write's code.
 */
LRX_EXPORT int LRX_CALL gbxStaticWrite(GbxVector* vector, GbxFile* file, const void* data);
/*
 * Reads the next static item of the file into a new static item that the caller frees with
 * gbxStaticDestroy; null when there is none (code 0) or on error. code may be null.
 */
LRX_EXPORT GbxVector* LRX_CALL gbxStaticRead(GbxFile* file, int* code);
/* Passes over the next static item; 0 also past the last one. */
LRX_EXPORT int LRX_CALL gbxStaticSkip(GbxFile* file);
/* Copies a static item's values, converted to the caller's unit, into buffer
 * (gbxGetUsedItemBytes bytes). Returns 0, 1000 or 2010 (null buffer, item holds no values). */
LRX_EXPORT int LRX_CALL gbxStaticGetData(GbxVector* vector, void* buffer);

/* ---- Time steps --------------------------------------------------------------------- */
/*
 * Item values are exchanged one item at a time, item 1 to n of each time step in turn, in the
 * item's data type and the caller's unit; the caller's buffer holds the item's full element
 * count, or the key size while compression is enabled (gbxItemEnableCompression).
 */
/* Writes the next item of the current time step; time is the step's time (used by
 * non-equidistant files). Returns 0, 1000, 2007, 2010, 2018 or the write's code. */
LRX_EXPORT int LRX_CALL gbxWriteItemTimeStep(GbxHeader* header, GbxFile* file, double time, const void* data);
/* Reads the next item into data (null: passes over it) and its time step's time, relative to
 * the axis start, into time (may be null). */
LRX_EXPORT int LRX_CALL gbxReadItemTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data);
/* Passes over the next item without reading it. */
LRX_EXPORT int LRX_CALL gbxSkipItem(GbxHeader* header, GbxFile* file);
/* Passes over the rest of the current time step. */
LRX_EXPORT int LRX_CALL gbxSkipTimeStep(GbxHeader* header, GbxFile* file);
/* Entry points kept for callers of free item order and time-varying geometry; they do
 * nothing and return 1. */
LRX_EXPORT int LRX_CALL gbxQueryFreeItemTimeStep(GbxHeader* header, GbxFile* file, int* itemNo);
LRX_EXPORT int LRX_CALL gbxReadFreeItemTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data);
LRX_EXPORT int LRX_CALL gbxWriteFreeItemTimeStep(GbxHeader* header, GbxFile* file, int itemNo, double time,
                                                 const void* data);
LRX_EXPORT int LRX_CALL gbxReadItemTvarTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data);
LRX_EXPORT int LRX_CALL gbxWriteItemTvarTimeStep(GbxHeader* header, GbxFile* file, const void* coordinates,
                                                 const void* data);
LRX_EXPORT int LRX_CALL gbxQueryFreeItemTvarTimeStep(GbxHeader* header, GbxFile* file, int* itemNo);
LRX_EXPORT int LRX_CALL gbxReadFreeItemTvarTimeStep(GbxHeader* header, GbxFile* file, double* time, void* coordinates,
                                                    void* data);
LRX_EXPORT int LRX_CALL gbxWriteFreeItemTvarTimeStep(GbxHeader* header, GbxFile* file, int itemNo, double time,
                                                     const void* coordinates, const void* data);

/*
 * Gives the position of the next time-step call: the 0-based time step into timeStep and the
 * 1-based number of the item it touches into itemNo (either may be null). Inside a plug-in's
 * gbxExtReadItemTimeStep it names the plug-in item being read. Returns 0 or 1000.
 */
LRX_EXPORT int LRX_CALL gbxGetItemPosition(GbxHeader* header, int* timeStep, int* itemNo);

/* ---- Positioning -------------------------------------------------------------------- */
/* Positions the file after the start marker of its dynamic (static) section; the time-step
 * position becomes 0/0. */
LRX_EXPORT int LRX_CALL gbxFindBlockDynamic(GbxHeader* header, GbxFile* file);
LRX_EXPORT int LRX_CALL gbxFindBlockStatic(GbxHeader* header, GbxFile* file);
/* Positions on the start of time step timeStep (0-based); 1001 when out of range (not reported). */
LRX_EXPORT int LRX_CALL gbxFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep);
/* Positions on item itemNo (1-based) of time step timeStep; 1001 or 1002 out of range. */
LRX_EXPORT int LRX_CALL gbxFindItemDynamic(GbxHeader* header, GbxFile* file, int timeStep, int itemNo);
/* Positions so that the next gbxStaticRead gives static item itemNo (1-based); 1002 when a
 * static item before it is missing. */
LRX_EXPORT int LRX_CALL gbxFindItemStatic(GbxHeader* header, GbxFile* file, int itemNo);

/* ---- Opening, creating and closing -------------------------------------------------- */
/*
 * Opens a data file for reading: the header (destroyed by the caller with gbxHeaderDestroy,
 * also after gbxFileClose) and the file (closed with gbxFileClose). Either output may be null.
 * Returns 0, 2003 (no such file, a directory, a path of 260 bytes or more) or the header
 * read's code (the handles are then still handed out when they exist).
 */
LRX_EXPORT int LRX_CALL gbxFileRead(const char* path, GbxHeader** header, GbxFile** file);
/* Creates a data file from a header that stays the caller's; writes the header and, for a
 * compressed header, its encoding keys. Returns 0, 1000, 2002 (no usable path), 2003. */
LRX_EXPORT int LRX_CALL gbxFileCreate(const char* path, GbxHeader* header, GbxFile** file);
/* Opens a data file to add time steps at its end. */
LRX_EXPORT int LRX_CALL gbxFileAppend(const char* path, GbxHeader** header, GbxFile** file);
/* Opens a data file for reading and rewriting its header. */
LRX_EXPORT int LRX_CALL gbxFileEdit(const char* path, GbxHeader** header, GbxFile** file);
/* Writes the header back (to disk at most once a second) without closing. Returns 0, or the
 * code of the first failure of the write-back: a non-zero result means the file on disk may
 * not hold the current header. */
LRX_EXPORT int LRX_CALL gbxFileFlush(GbxHeader* header, GbxFile* file);
/*
 * Writes the header back (unless the file was opened for reading), closes the file and sets
 * *file to null. The header stays the caller's.
 *
 * Returns 0, 1000 (null header or file), or the code of the failure. When the write-back fails
 * the file stays open and *file keeps the handle, so that the caller may try again (after
 * freeing disk space, say). To give up instead, close the handle with lrxFileClose(file):
 * it releases the descriptor and all memory of the handle; the file keeps whatever reached
 * it, which may not be a readable data file.
 */
LRX_EXPORT int LRX_CALL gbxFileClose(GbxHeader* header, GbxFile** file);

/* ---- Plug-ins ------------------------------------------------------------------------ */
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
 * no plug-in library could be loaded; 2000 when memory runs out. In these cases the header
 * is left as it was (except that a plug-in it had is gone once a new one was loaded).
 * Otherwise the last non-zero result of a per-item entry: the plug-in is enabled, and the
 * items whose entries failed keep the values they were copied with.
 */
LRX_EXPORT int LRX_CALL gbxEnablePlugin(GbxHeader* header, GbxFile* file);
/*
 * Unloads the header's plug-in, calling its gbxExtTerminate first. The header keeps the
 * plug-in's items. gbxHeaderDestroy unloads a plug-in itself; gbxFileClose does not.
 * Returns the result of gbxExtTerminate, 0 when there is none or no plug-in is loaded, and -1
 * (nothing done) for a null header or one busy in a call of its plug-in.
 */
LRX_EXPORT int LRX_CALL gbxUnloadPlugin(GbxHeader* header);

#ifdef __cplusplus
}
#endif

#endif

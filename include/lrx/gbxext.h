/*
 * gbxext: the entries of a derived-item plug-in, for plug-in authors.
 *
 * A plug-in is a shared library named "gbxExt_N" with the platform's suffix (gbxExt_7.so),
 * N being the absolute value of a data file's data type. After an application calls
 * gbxEnablePlugin, the header shows the plug-in's items and gbxReadItemTimeStep, gbxSkipItem
 * and gbxSkipTimeStep are served by the plug-in. The plug-in exports plain C functions with
 * the names and signatures below (the function-pointer types name their signatures); it
 * reads the underlying file by calling the library's own gbx functions with the header and
 * file handles it is given.
 *
 * Item numbers are 1-based. Every entry returns 0 on success; what a non-zero result does is
 * said per entry. The outputs of the description entries hold the item's values as copied
 * when the entry is called, so an entry that returns 0 without writing an output keeps it. gbxExtGetNoOfItems, gbxExtGetItemInfo, gbxExtIsItemDerived,
 * gbxExtNewTimeStep and gbxExtReadItemTimeStep are required; gbxExtGetItemAxisEq is required
 * when gbxExtGetItemAxisType is exported; the others may be left out.
 *
 * Order of the calls for one header: gbxExtInitialize once; gbxExtGetNoOfItems once; for each
 * item in order gbxExtIsItemDerived, gbxExtGetItemInfo, gbxExtGetItemValueType,
 * gbxExtGetItemStatsGlobal, gbxExtGetItemAxisType, gbxExtGetItemAxisEq; then for every time
 * step gbxExtNewTimeStep at its first read or skip and gbxExtReadItemTimeStep for each item
 * read; finally gbxExtTerminate once (gbxUnloadPlugin, gbxHeaderDestroy, a later enabling of
 * the same header, or enabling refusing the plug-in after gbxExtInitialize succeeded). Several headers may use one plug-in at once, each on its own thread:
 * a plug-in keeps its state per header.
 *
 * While gbxExtInitialize, gbxExtNewTimeStep and gbxExtReadItemTimeStep run, the header is
 * marked busy: gbxReadItemTimeStep and gbxSkipItem called from them with the header and
 * file read the underlying file in the ordinary way (values in the items' own units) and
 * move the header's position. The position is put back to the start of the time step after
 * gbxExtNewTimeStep, so a plug-in reads the file's items of a time step there and serves
 * its own items from them in gbxExtReadItemTimeStep. gbxGetItemPosition tells which item
 * is being read.
 */
#ifndef LRX_GBXEXT_H
#define LRX_GBXEXT_H

#include "lrx/gbx.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The calling convention of the entries: the caller removes the arguments. */
#if defined(_WIN32) && !defined(_WIN64)
#define GBX_EXT_CALL __cdecl
#else
#define GBX_EXT_CALL
#endif

/* Marks a plug-in's entry for export from its shared library. */
#if defined(_WIN32)
#define GBX_EXT_EXPORT __declspec(dllexport)
#else
#define GBX_EXT_EXPORT __attribute__((visibility("default")))
#endif

/*
 * gbxExtInitialize: prepares the plug-in for a header of an open file (file is null for a
 * file of the legacy family). Called with the header marked busy, while the header still
 * shows the file's own items. A non-zero result refuses the plug-in: it is unloaded without
 * a call of gbxExtTerminate, so it frees whatever it took before returning.
 */
typedef int(GBX_EXT_CALL* GbxExtInitializeFn)(GbxHeader* header, GbxFile* file);

/*
 * gbxExtTerminate: releases what the plug-in keeps for the header. Its result is what
 * gbxUnloadPlugin returns.
 */
typedef int(GBX_EXT_CALL* GbxExtTerminateFn)(GbxHeader* header);

/*
 * gbxExtGetNoOfItems: the number of items the header shows from now on (0 or more; a negative
 * number refuses the plug-in). Items up to the file's item count start as copies of the
 * file's items; the others start as copies of the file's item 1 without element statistics
 * and associated statics.
 */
typedef int(GBX_EXT_CALL* GbxExtGetNoOfItemsFn)(GbxHeader* header);

/*
 * gbxExtGetItemInfo: the item's description. On 0 the library takes itemType, unit, dataType
 * (a simple type, LRX_FLOAT or LRX_DOUBLE for values that are converted between units) and
 * copies of the texts unitText and name, which stay the plug-in's; a text left null keeps the
 * item's. reserved is written by some plug-ins and never read. A non-zero result leaves the
 * item as copied and becomes the result of gbxEnablePlugin unless a later entry fails too.
 */
typedef int(GBX_EXT_CALL* GbxExtGetItemInfoFn)(GbxHeader* header, int itemNo, int* itemType, const char** unitText,
                                               const char** name, int* unit, int* reserved, int* dataType);

/*
 * gbxExtGetItemAxisType: the item's axis: 0, 1, 2 or 3 for an equidistant axis of that many
 * dimensions. Any other result refuses the plug-in and leaves the header as it was.
 */
typedef int(GBX_EXT_CALL* GbxExtGetItemAxisTypeFn)(GbxHeader* header, int itemNo);

/*
 * gbxExtGetItemAxisEq: the parameters of the equidistant axis that gbxExtGetItemAxisType gave:
 * the axis unit key, and for d dimensions the first d sizes (at least 1 each, with at most
 * 2^31 - 1 elements in all), origins and spacings. On 0 they are taken; sizes that cannot be
 * taken refuse the plug-in. reserved is never read. A non-zero result leaves the axis
 * parameters as copied and becomes the result of gbxEnablePlugin as for gbxExtGetItemInfo.
 */
typedef int(GBX_EXT_CALL* GbxExtGetItemAxisEqFn)(GbxHeader* header, int itemNo, int* axisUnit, int* reserved,
                                                 int sizes[3], float origins[3], float spacings[3]);

/*
 * gbxExtIsItemDerived: non-zero when the plug-in computes the item. A derived item loses the
 * element statistics and the associated statics it was copied with.
 */
typedef int(GBX_EXT_CALL* GbxExtIsItemDerivedFn)(GbxHeader* header, int itemNo);

/*
 * gbxExtGetItemStatsGlobal: the item's global statistics, in the order gbxGetItemStatsGlobal
 * gives them. On 0 they are taken; a non-zero result keeps the copied ones and becomes the
 * result of gbxEnablePlugin as for gbxExtGetItemInfo.
 */
typedef int(GBX_EXT_CALL* GbxExtGetItemStatsGlobalFn)(GbxHeader* header, int itemNo, double* min, double* max,
                                                      int* deleteCount);

/*
 * gbxExtGetItemValueType: the result itself is the item's value type, taken when it is 0 to 3
 * and gbxExtGetItemInfo returned 0 for the item. reserved is never read.
 */
typedef int(GBX_EXT_CALL* GbxExtGetItemValueTypeFn)(GbxHeader* header, int itemNo, int* reserved);

/*
 * gbxExtNewTimeStep: a time step begins (its first item is read or skipped). The plug-in
 * reads what it needs of the underlying time step here. A non-zero result is returned by the
 * read or skip that caused the call (gbxExtReadItemTimeStep is then not called); the position
 * still moves on.
 */
typedef int(GBX_EXT_CALL* GbxExtNewTimeStepFn)(GbxHeader* header, GbxFile* file);

/*
 * gbxExtReadItemTimeStep: fills data with the values of the item being read, in the item's
 * data type and unit, as many as gbxGetItemElements gives for it; data is the caller's
 * buffer and may be null (the caller passes over the item). The result is what
 * gbxReadItemTimeStep returns; the library then converts the values to the caller's unit.
 */
typedef int(GBX_EXT_CALL* GbxExtReadItemTimeStepFn)(GbxHeader* header, GbxFile* file, void* data);

#ifdef __cplusplus
}
#endif

#endif

// The in-memory model of a data file: the header with its time axis, custom blocks and plug-in
// slot, and the item record with its spatial axis. Plain data; what creates, fills, writes and
// frees these records lives in the modules that include this header.
#pragma once

#include <cstdint>

#include "lrx/gbx.h"
#include "lrx/gbxext.h"
#include "src/gbx/common/gbxformat.h"

// ---- Items --------------------------------------------------------------------------------
//
// One variable of a data file: a dynamic item in the header's item array, or a free-standing
// static item holding its values, with its spatial axis in typed storage.

// Spatial axis codes.
enum GbxAxisCode : int32_t {
    GBX_AXIS_NONE = 0,
    GBX_EQD0 = 1,
    GBX_EQD1 = 2,
    GBX_NEQD1 = 3,
    GBX_TVARD1 = 4,
    GBX_EQD2 = 5,
    GBX_NEQD2 = 6,
    GBX_TVARD2 = 7,
    GBX_EQD3 = 8,
    GBX_NEQD3 = 9,
    GBX_TVARD3 = 10,
    GBX_EQD4 = 11,
    GBX_CURVELINEARD2 = 12,
    GBX_CURVELINEARD3 = 13
};

// The parameters of an item's spatial axis. Which members are used depends on the axis code:
// sizes count cells (nx, ny, nz, nt), origins and spacings are in the axis unit, and the
// coordinate arrays (NeqD1 points as x, y, z triples; Neq and CurveLinear grids as doubles)
// belong to the item when `owner` is set. `converted` records that the arrays were already
// converted in place to the caller's unit.
struct GbxAxis {
    int32_t sizes[4];
    float origins[4];
    float spacings[4];
    int32_t owner;
    int32_t converted;
    float* points;
    double* coords[3];
};

// One node of an item's list of associated static item numbers.
struct GbxAssocStatic {
    int32_t number;
    GbxAssocStatic* next;
};

struct GbxItem {
    char* name;        // owned
    int32_t itemType;  // item type key of the unit library
    char* unitText;    // owned; set when a definition gave its unit as text
    int32_t unit;      // unit key; -1 when read in the unit-text form
    int32_t dataType;  // simple type of the stored values, 1 to 5
    double maxValue;   // statistics over all values written (see gbxitemstats)
    double minValue;
    double deleteCount;
    int32_t axisType;  // GbxAxisCode
    int32_t axisUnit;  // unit key of the axis coordinates
    GbxAxis axis;
    int32_t axisConvMode;  // GbxConversionMode
    int32_t axisConvUnit;
    int32_t valueType;  // stored and returned unchanged
    GbxHeader* header;  // the header that owns the definition; not owned
    int32_t isStatic;
    int32_t isDerived;
    int32_t convMode;  // GbxConversionMode
    int32_t convUnit;
    float refCoords[3];
    float orientation[3];
    double* elementStats;  // dynamic item: 9 doubles per element; static item: its values
    // Elements whose 9 statistics elementStats holds (dynamic items). The storage is sized when
    // the item is defined or read, and encoding keys installed later change the number of
    // elements in use: every reader of elementStats stays below this count.
    int32_t statsElements;
    // Static item read from a file: the bytes of its values block in elementStats, kept as the
    // file gave them whatever the item's definition says afterwards.
    int64_t valueBytes;
    GbxAssocStatic* assocStatics;
};

// ---- Headers ------------------------------------------------------------------------------

// The header's time axis. Time axes (types 1 and 2) use start; calendar axes (types 3 and 4)
// use the start date and time of day, with start holding the start offset. step is the
// constant step of an equidistant axis and the span of a non-equidistant one.
struct GbxTimeAxisRecord {
    char startDate[11];
    char startTime[9];
    char* unitText;  // owned; set when a file gave the unit as text
    int32_t unitKey;
    double start;
    double step;
    int32_t noOfTimeSteps;
    int32_t index;
};

// A named typed array kept in the header and stored in the file as a custom block.
struct GbxCustomBlock {
    int32_t type;  // simple type
    char* name;    // owned
    int32_t count;
    void* data;  // owned; null for types outside 1 to 7
    GbxCustomBlock* next;
};

// The entry points of a derived-item library; null where the library has none.
struct GbxPluginEntries {
    GbxExtInitializeFn initialize;
    GbxExtTerminateFn terminate;
    GbxExtGetNoOfItemsFn getNoOfItems;
    GbxExtGetItemInfoFn getItemInfo;
    GbxExtGetItemAxisTypeFn getItemAxisType;
    GbxExtGetItemAxisEqFn getItemAxisEq;
    GbxExtIsItemDerivedFn isItemDerived;
    GbxExtGetItemStatsGlobalFn getItemStatsGlobal;
    GbxExtGetItemValueTypeFn getItemValueType;
    GbxExtNewTimeStepFn newTimeStep;
    GbxExtReadItemTimeStepFn readItemTimeStep;
};

// A loaded derived-item library and its entry points (all null when none is loaded). busy is
// 1 while the library runs one of its calls for the header, so that the header's time-step
// calls made from there take the ordinary path.
struct GbxPluginSlot {
    void* library;
    GbxPluginEntries entries;
    int32_t busy;
};

struct GbxHeader {
    int32_t fileType;
    char* fileTitle;  // owned
    char* appTitle;   // owned
    int32_t appVersionNo;
    int32_t dataType;
    int32_t compressed;
    int32_t itemStatsType;
    float deleteValueFloat;
    double deleteValueDouble;
    int8_t deleteValueByte;
    int32_t deleteValueInt;
    uint32_t deleteValueUnsigned;
    int32_t geoInfoType;
    char* projection;  // owned
    double longitude;
    double latitude;
    double orientation;
    int32_t timeAxisType;
    GbxTimeAxisRecord timeAxis;
    char foldedDate[11];      // the calendar getters' start date and time with the offset folded
    char foldedTime[9];       // in; the stored texts and offset stay as set
    int32_t currentTimeStep;  // time-step position of the reader or writer
    int32_t currentItem;
    double currentTime;
    double lastTime;
    int32_t noOfItems;
    int32_t fileItemCount;  // items of the file itself, set when a plug-in replaces the items
    GbxItem* items;         // owned array of noOfItems items
    GbxCustomBlock* customBlocks;
    GbxCustomBlock* lastCustomBlock;  // the list's tail, so that adding a block takes constant time
    int32_t itemCompression;
    int32_t** encodeKeyRef;  // the key triple used by compression: the header's own slots
    void* legacyFile;        // non-null for a file of the legacy family
    int32_t* encodeKeyX;     // owned
    int32_t* encodeKeyY;
    int32_t* encodeKeyZ;
    int32_t encodeKeySize;
    GbxPluginSlot plugin;
};

// The item record: one variable of a data file (dynamic item in the header's item array, or a
// free-standing static item holding its values), with its spatial axis in typed storage.
#pragma once

#include <cstdint>

#include "lrx/gbx.h"

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
    char* name;               // owned
    int32_t itemType;         // item type key of the unit library
    char* unitText;           // owned; set when a definition gave its unit as text
    int32_t unit;             // unit key; -1 when read in the unit-text form
    int32_t dataType;         // simple type of the stored values, 1 to 5
    double maxValue;          // statistics over all values written (see gbxitemstats)
    double minValue;
    double deleteCount;
    int32_t axisType;         // GbxAxisCode
    int32_t axisUnit;         // unit key of the axis coordinates
    GbxAxis axis;
    int32_t axisConvMode;     // 1 user unit, 2 axisConvUnit, else none
    int32_t axisConvUnit;
    int32_t valueType;        // stored and returned unchanged
    GbxHeader* header;        // the header that owns the definition; not owned
    int32_t isStatic;
    int32_t isDerived;
    int32_t convMode;         // 1 user unit, 2 convUnit, else none
    int32_t convUnit;
    float refCoords[3];
    float orientation[3];
    double* elementStats;     // dynamic item: 9 doubles per element; static item: its values
    GbxAssocStatic* assocStatics;
};

// The float whose bit pattern is 0x8554AD2E: the default float delete value, also used for
// unset reference coordinates and orientations.
float gbxDefaultDeleteFloat();

// Makes a fresh record: clears every field but elementStats and assocStatics, gives the item
// empty name and unit texts, and sets reference coordinates and orientation to deleteValue.
int gbxItemInit(GbxItem* item, float deleteValue);
// Frees the item's texts and owned coordinate arrays and clears every field but isStatic,
// elementStats and assocStatics. A null item is ignored.
void gbxItemReset(GbxItem* item);
// Frees the coordinate arrays the item owns and clears its owner and converted flags.
void gbxItemFreeAxisArrays(GbxItem* item);
// Frees the list of associated static item numbers and empties it.
void gbxItemFreeAssoc(GbxItem* item);
// Everything an item owns: reset, statistics or values, associated statics.
void gbxItemDestroyContents(GbxItem* item);

// 1 when 0 <= code <= 11 (the axis codes an item definition may start from), else 0.
int gbxIsValidAxisType(int code);
int gbxItemIsStatic(GbxItem* item);
// Elements of one time step before compression, computed in 64 bits; -1 for an item without a
// known axis (nothing reported).
int64_t gbxItemXYZSize64(const GbxItem* item);
// (Re)makes the item's statistics storage for its current element count (see gbxitemstats).
int InitStats(GbxItem* item, const char* module, int line);
// An item definition as blocks: definition (30005 or 30002), value type (30006), axis.
int gbxWriteItem(GbxItem* item, GbxFile* file);
int gbxReadItem(GbxItem* item, GbxFile* file);

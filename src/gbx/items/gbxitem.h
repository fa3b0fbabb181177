// The life of an item record (see gbxmodel.h): its initialisation, reset and release, its
// element counts, its definition, its statistics storage and associated statics, and its
// definition blocks in a file.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

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
// known axis (nothing reported). A product beyond 64 bits gives INT64_MAX.
int64_t gbxItemXYZSize64(const GbxItem* item);
// Elements of one time step in 64 bits, as the item's header stores them (used = false: the
// encoding-key size while the header's compression switch is on) or holds them (used = true:
// the key size whenever keys are installed); header may be null. -1 without a known axis.
int64_t gbxItemElements64(const GbxItem* item, const GbxHeader* header, bool used);

// The definition steps of gbxSetItemInfo (unit key) and gbxSetItemInfo_ (unit text): check
// the axis code (2018) and, for a unit key, the unit against the item type (2020, item
// unchanged); reset the item and store the definition with the given axis code. Errors are
// reported with the caller's module and line.
int gbxItemTypesNameUnit_(GbxItem* item, int itemType, const char* name, int unit, int dataType, int axisType,
                          const char* module, int line);
int gbxItemTypesNameUnit(GbxItem* item, int itemType, const char* name, const char* unitText, int dataType,
                         int axisType, const char* module, int line);

// (Re)makes the item's statistics storage for its current element count under its header's
// statistics type: 9 doubles per element for types 2 and 3, none for type 1 (2010 otherwise,
// 2000 when the storage cannot be allocated; the item then keeps none).
int InitStats(GbxItem* item, const char* module, int line);
// Sets the 9 statistics of count elements to their start: maximum, minimum and previous value
// deleteValue, sums and counts 0.
void gbxResetElementStats(double* stats, int64_t count, double deleteValue);

// Appends count numbers to the item's list of associated statics, in order, until one is
// below 1 (2007, reported with the header; the numbers before it stay added) or memory runs
// out (2000). Takes time linear in count, whatever the list held before.
int gbxAddAssocStatics(GbxHeader* header, GbxItem* item, const uint32_t* numbers, int32_t count);

// An item definition as blocks: definition (unit key or unit text form), value type, axis.
int gbxWriteItem(GbxItem* item, GbxFile* file);
int gbxReadItem(GbxItem* item, GbxFile* file);
// The fewest bytes an item definition that gbxReadItem accepts takes in a file: an empty
// definition block (the reader leaves missing records at their reset values) and an empty
// axis block of the older EqD0 form; each empty block is a block head (type byte and
// 16-bit id) and a terminator byte. The header reader bounds the item count of a file by it.
constexpr int64_t GBX_MIN_ITEM_DEFINITION_BYTES = 2 * (1 + 2 + 1);

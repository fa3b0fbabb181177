// The pieces shared by the time-step calls (write, read, skip): the checks of the file type
// and of the item the next call touches, the read position and the time-step head.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxmodel.h"

// The file types that reading and writing accept (1 and 4), that skipping an item accepts
// (all five) and that skipping a time step accepts (1, 2 and 4).
constexpr int GBX_MASK_READ_WRITE = F_EQTIME_FIXEDSPACE_ALLITEMS | F_NEQTIME_FIXEDSPACE_ALLITEMS;
constexpr int GBX_MASK_ALL_FILE_TYPES = 31;
constexpr int GBX_MASK_SKIP_TIME_STEP =
    F_EQTIME_FIXEDSPACE_ALLITEMS | F_EQTIME_TVARSPACE_ALLITEMS | F_NEQTIME_FIXEDSPACE_ALLITEMS;

// The item a time-step call touches and its value counts.
struct GbxStepItem {
    int32_t index;  // 0-based
    GbxItem* item;
    int32_t dataType;
    int32_t valueSize;    // bytes of one value of dataType
    int32_t storedCount;  // values of one record in the file (the key size whenever keys exist)
    int32_t callerCount;  // values of the caller's buffer (the key size while compression is on)
};

// 0 when the header's file type is non-zero and shares a bit with mask; otherwise 2018,
// reported with null handles.
int gbxCheckFileTypeMask(GbxHeader* header, int mask, const char* module, int line);

// The checks of a time-step read or write: header and file (1000), the file-type mask (2018),
// the item index (the current one for -1) within the header's items (2007, reported with
// header and file), an item with values of a known size and no time-varying axis (2010). On
// success *out describes the item.
int gbxCheckItemTypeCount(GbxHeader* header, GbxFile* file, int mask, int itemIndex, GbxStepItem* out,
                          const char* module, int line);

// Describes item itemIndex (0-based) without checking its axis: 2007 (reported with header
// and file) for an index outside the items, 2010 (reported) for an item without values of a
// known size.
int gbxDescribeStepItem(GbxHeader* header, GbxFile* file, int itemIndex, GbxStepItem* out, const char* module,
                        int line);

// Moves the read or write position on by one item; after the last item of a time step the
// item index returns to 0 and the time-step index grows by one.
inline void gbxAdvanceItem(GbxHeader* header) {
    // ">=" rather than "==": a header without items must not count items for ever.
    if (++header->currentItem >= header->noOfItems) {
        header->currentItem = 0;
        ++header->currentTimeStep;
    }
}

// Writes the head of the time step that begins now (the time-step head block; with the time for
// the non-equidistant file types, whose last time it updates). 2018 (not reported) for a file
// type that has no head.
int gbxWriteTimeStepHead(GbxHeader* header, GbxFile* file, double time);

// Reads the head of the next time step and stores its time, relative to the axis start or
// calendar start offset, as the header's current time. 2010 for a block that is no head or
// holds the wrong records, 2018 for a file type without heads (both reported with header and
// file), 1 at the end of the file (not reported), or the record layer's code.
int gbxReadTimeStepHead(GbxHeader* header, GbxFile* file);

// The last time of a non-equidistant file takes a time written: the larger of the two, or the
// time itself while none was written (the double delete value).
void gbxUpdateLastTime(GbxHeader* header, double time);
// Times are handed out relative to the start of a non-equidistant axis (its start, or the
// calendar start offset); the time of an equidistant file is the time-step index.
double gbxRelativeTime(const GbxHeader* header, double time);

// The common case of the time-step calls, taken without the general path's layers (see
// gbxtimestepquick.cpp). True when the call is done and succeeded; false when it must take the
// general path, before anything was changed.
bool gbxWriteItemQuickly(GbxHeader* header, GbxFile* file, double time, const void* data);
bool gbxReadItemQuickly(GbxHeader* header, GbxFile* file, double* time, void* data);

// The values of one item as they go to the file: the caller's, or a converted copy of them,
// packed when the file stores fewer values than the caller gives.
struct GbxOutgoingValues {
    GbxBuffer converted;
    GbxBuffer packed;
    const void* values = nullptr;
};
// Prepares the caller's values of the item for the file: 0, 2000, or 2010 (reported with
// header, file and item) when the caller's grid does not hold every key position.
int gbxPrepareOutgoingValues(GbxHeader* header, GbxFile* file, const GbxStepItem& step, const void* data,
                             GbxOutgoingValues& out);
// Scratch memory for the item's values as the file stores them: 0 or 2000 (reported).
int gbxAllocateStepValues(GbxBuffer& buffer, const GbxStepItem& step);
// Spreads the values stored at the keys' length over the caller's full grid: 0, or 2010
// (reported with header, file and item) when a key position lies outside the grid.
int gbxExpandStepValues(GbxHeader* header, GbxFile* file, const GbxStepItem& step, const void* packed, void* data);

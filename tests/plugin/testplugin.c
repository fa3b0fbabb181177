/*
 * A derived-item plug-in for the plug-in tests, built once per behaviour with these macros:
 *   PLUGIN_ITEMS   the items it reports (default 3: the test file's two and their sum)
 *   NO_LIFECYCLE   without gbxExtInitialize and gbxExtTerminate
 *   NO_OPTIONAL    without value-type, statistics and axis entries
 *   NO_READ_ENTRY  without gbxExtReadItemTimeStep, a required entry
 *   AXIS_TYPE      what gbxExtGetItemAxisType returns (default 2, the file's grid)
 *   NO_AXIS_EQ     without gbxExtGetItemAxisEq
 *   INIT_RESULT    what gbxExtInitialize returns (default 0)
 *   ITEM_ERRORS    item 1's statistics entry fails with 77 and item 2's info entry with 55
 * Every entry call is recorded through pluginTestRecord, which the test program exports. The
 * test file holds two float items on a 4 x 3 grid; item 3 is their cell-wise sum. Used by one
 * header at a time, so its values live in static storage.
 */
#include <lrx/gbxext.h>
#include <stddef.h>

#ifndef PLUGIN_ITEMS
#define PLUGIN_ITEMS 3
#endif
#ifndef AXIS_TYPE
#define AXIS_TYPE 2
#endif
#ifndef INIT_RESULT
#define INIT_RESULT 0
#endif

enum { CELLS = 12 };

void pluginTestRecord(const char* entry, int itemNo);

static float gValues[2][CELLS];

#ifndef NO_LIFECYCLE
GBX_EXT_EXPORT int gbxExtInitialize(GbxHeader* header, GbxFile* file) {
    pluginTestRecord("initialize", 0);
    return INIT_RESULT;
}

GBX_EXT_EXPORT int gbxExtTerminate(GbxHeader* header) {
    pluginTestRecord("terminate", 0);
    return 0;
}
#endif

GBX_EXT_EXPORT int gbxExtGetNoOfItems(GbxHeader* header) {
    pluginTestRecord("items", 0);
    return PLUGIN_ITEMS;
}

GBX_EXT_EXPORT int gbxExtIsItemDerived(GbxHeader* header, int itemNo) {
    pluginTestRecord("derived", itemNo);
    return itemNo == 3;
}

GBX_EXT_EXPORT int gbxExtGetItemInfo(GbxHeader* header, int itemNo, int* itemType, const char** unitText,
                                     const char** name, int* unit, int* reserved, int* dataType) {
    pluginTestRecord("info", itemNo);
#ifdef ITEM_ERRORS
    if (itemNo == 2) return 55;
#endif
    if (itemNo == 3) *name = "sum";
    return 0;
}

#ifndef NO_OPTIONAL
/* Items 1 and 2 take value type 2; 4 is out of range and leaves item 3's as copied. */
GBX_EXT_EXPORT int gbxExtGetItemValueType(GbxHeader* header, int itemNo, int* reserved) {
    pluginTestRecord("valuetype", itemNo);
    return itemNo == 3 ? 4 : 2;
}

GBX_EXT_EXPORT int gbxExtGetItemStatsGlobal(GbxHeader* header, int itemNo, double* min, double* max,
                                            int* deleteCount) {
    pluginTestRecord("stats", itemNo);
#ifdef ITEM_ERRORS
    if (itemNo == 1) return 77;
#endif
    if (itemNo == 3) *min = -1.0, *max = 5.0, *deleteCount = 3;
    return 0;
}

GBX_EXT_EXPORT int gbxExtGetItemAxisType(GbxHeader* header, int itemNo) {
    pluginTestRecord("axistype", itemNo);
    return AXIS_TYPE;
}

#ifndef NO_AXIS_EQ
/* The file's grid with the item number as origin. */
GBX_EXT_EXPORT int gbxExtGetItemAxisEq(GbxHeader* header, int itemNo, int* axisUnit, int* reserved, int sizes[3],
                                       float origins[3], float spacings[3]) {
    pluginTestRecord("axiseq", itemNo);
    sizes[0] = 4, sizes[1] = 3;
    origins[0] = origins[1] = (float)itemNo;
    spacings[0] = spacings[1] = 2.0f;
    return 0;
}
#endif
#endif

GBX_EXT_EXPORT int gbxExtNewTimeStep(GbxHeader* header, GbxFile* file) {
    pluginTestRecord("newtimestep", 0);
    int code = gbxReadItemTimeStep(header, file, NULL, gValues[0]);
    return code != 0 ? code : gbxReadItemTimeStep(header, file, NULL, gValues[1]);
}

#ifndef NO_READ_ENTRY
GBX_EXT_EXPORT int gbxExtReadItemTimeStep(GbxHeader* header, GbxFile* file, void* data) {
    int itemNo = 0;
    gbxGetItemPosition(header, NULL, &itemNo);
    pluginTestRecord("read", itemNo);
    float* out = data;
    for (int cell = 0; cell < CELLS && out != NULL; ++cell)
        out[cell] = itemNo <= 2 ? gValues[itemNo - 1][cell] : gValues[0][cell] + gValues[1][cell];
    return 0;
}
#endif

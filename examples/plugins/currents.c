/*
 * Example plug-in gbxExt_7: current speed and direction for data files of data type 7.
 *
 * A file of data type 7 holds, among its items, the two horizontal components of a current
 * (item types "U Velocity" 100021 and "V Velocity" 100022) as floats on one grid. With this
 * plug-in enabled (gbxEnablePlugin) the header shows the file's items unchanged and two more
 * after them: "Current speed" (item type 100020, the components' unit) and "Current
 * direction" (item type 100030, degrees clockwise from north, the way the current flows),
 * computed per cell. A cell where either component holds the delete value holds the delete
 * value. The new items take over the components' axis, and their global statistics are
 * bounds formed from the components' statistics.
 *
 * Every item of the file must have an equidistant axis of 0 to 3 dimensions; gbxExtInitialize
 * refuses other files. The file's values of a time step are read in gbxExtNewTimeStep through
 * the library's own gbxReadItemTimeStep and kept per header, so headers on different threads
 * may use the plug-in at once.
 */
#include <lrx/gbxext.h>
#include <math.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>

enum {
    ITEM_U_VELOCITY = 100021,
    ITEM_V_VELOCITY = 100022,
    ITEM_CURRENT_SPEED = 100020,
    ITEM_CURRENT_DIRECTION = 100030,
    UNIT_DEGREE = 2201,
    DERIVED_ITEMS = 2
};

static const double kDegreesPerRadian = 57.295779513082320876798;

/* What the plug-in keeps for one header. */
typedef struct State {
    GbxHeader* header;
    int fileItems;
    int u, v;              /* item numbers of the components */
    size_t* offsets;       /* fileItems + 1 byte offsets of the file's items in values */
    unsigned char* values; /* the file's items of the current time step */
    int ready;             /* values holds the whole time step */
    struct State* next;
} State;

static pthread_mutex_t gStatesLock = PTHREAD_MUTEX_INITIALIZER;
static State* gStates;

/* The state of a header; only the header's own thread uses it once found. */
static State* stateOf(const GbxHeader* header) {
    pthread_mutex_lock(&gStatesLock);
    State* state = gStates;
    while (state != NULL && state->header != header)
        state = state->next;
    pthread_mutex_unlock(&gStatesLock);
    return state;
}

static void freeState(State* state) {
    free(state->offsets);
    free(state->values);
    free(state);
}

/* The number of dimensions of an equidistant axis of 0 to 3 dimensions, else -1. */
static int eqDimensions(GbxItem* item) {
    switch (gbxGetItemAxisType(item)) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 5:
            return 2;
        case 8:
            return 3;
        default:
            return -1;
    }
}

static int findComponents(GbxHeader* header, State* state) {
    for (int n = 1; n <= state->fileItems; ++n) {
        GbxItem* item = gbxItemD(header, n);
        int itemType = 0;
        gbxGetItemInfo_(item, &itemType, NULL, NULL, NULL);
        if (eqDimensions(item) < 0) return 0;
        if (itemType == ITEM_U_VELOCITY && state->u == 0) state->u = n;
        if (itemType == ITEM_V_VELOCITY && state->v == 0) state->v = n;
    }
    if (state->u == 0 || state->v == 0) return 0;
    GbxItem* u = gbxItemD(header, state->u);
    GbxItem* v = gbxItemD(header, state->v);
    int uType = 0, vType = 0;
    gbxGetItemInfo_(u, NULL, NULL, NULL, &uType);
    gbxGetItemInfo_(v, NULL, NULL, NULL, &vType);
    return uType == LRX_FLOAT && vType == LRX_FLOAT && gbxGetItemElements(u) > 0 &&
           gbxGetItemElements(u) == gbxGetItemElements(v);
}

GBX_EXT_EXPORT int gbxExtInitialize(GbxHeader* header, GbxFile* file) {
    (void)file;
    State* state = calloc(1, sizeof *state);
    if (state == NULL) return F_ERR_MEMORY;
    state->header = header;
    state->fileItems = gbxGetNoOfItems(header);
    state->offsets = calloc((size_t)state->fileItems + 1, sizeof *state->offsets);
    if (state->offsets == NULL || !findComponents(header, state)) {
        freeState(state);
        return F_ERR_DATA;
    }
    pthread_mutex_lock(&gStatesLock);
    state->next = gStates;
    gStates = state;
    pthread_mutex_unlock(&gStatesLock);
    return 0;
}

GBX_EXT_EXPORT int gbxExtTerminate(GbxHeader* header) {
    pthread_mutex_lock(&gStatesLock);
    State** link = &gStates;
    while (*link != NULL && (*link)->header != header)
        link = &(*link)->next;
    State* state = *link;
    if (state != NULL) *link = state->next;
    pthread_mutex_unlock(&gStatesLock);
    if (state != NULL) freeState(state);
    return 0;
}

GBX_EXT_EXPORT int gbxExtGetNoOfItems(GbxHeader* header) {
    const State* state = stateOf(header);
    return state != NULL ? state->fileItems + DERIVED_ITEMS : 0;
}

GBX_EXT_EXPORT int gbxExtIsItemDerived(GbxHeader* header, int itemNo) {
    const State* state = stateOf(header);
    return state != NULL && itemNo > state->fileItems;
}

/* The file's items keep their description; the derived ones get theirs. */
GBX_EXT_EXPORT int gbxExtGetItemInfo(GbxHeader* header, int itemNo, int* itemType, const char** unitText,
                                     const char** name, int* unit, int* reserved, int* dataType) {
    (void)reserved;
    const State* state = stateOf(header);
    if (state == NULL) return F_ERR_USAGE;
    if (itemNo <= state->fileItems) return 0;
    GbxItem* u = gbxItemD(header, state->u);
    *dataType = LRX_FLOAT;
    if (itemNo == state->fileItems + 1) {
        *itemType = ITEM_CURRENT_SPEED;
        *name = "Current speed";
        gbxGetItemInfo(u, NULL, NULL, NULL, unit, NULL, NULL);
        gbxGetItemInfo_(u, NULL, NULL, unitText, NULL);
    } else {
        *itemType = ITEM_CURRENT_DIRECTION;
        *name = "Current direction";
        *unit = UNIT_DEGREE;
        *unitText = "";
    }
    return 0;
}

static double largestMagnitude(double min, double max) {
    return fabs(min) > fabs(max) ? fabs(min) : fabs(max);
}

static double smallestMagnitude(double min, double max) {
    if (min <= 0.0 && max >= 0.0) return 0.0;
    return fabs(min) < fabs(max) ? fabs(min) : fabs(max);
}

/* Speed lies between the magnitudes formed from the components' smallest and largest
 * magnitudes; a direction anywhere from 0 to 360 degrees. A component without values (its
 * extremes are the delete value) leaves the derived extremes unknown too. */
GBX_EXT_EXPORT int gbxExtGetItemStatsGlobal(GbxHeader* header, int itemNo, double* min, double* max,
                                            int* deleteCount) {
    const State* state = stateOf(header);
    if (state == NULL) return F_ERR_USAGE;
    if (itemNo <= state->fileItems) return 0;
    double uMin, uMax, vMin, vMax;
    int uDeletes, vDeletes;
    gbxGetItemStatsGlobal(gbxItemD(header, state->u), &uMin, &uMax, &uDeletes);
    gbxGetItemStatsGlobal(gbxItemD(header, state->v), &vMin, &vMax, &vDeletes);
    *deleteCount = uDeletes > vDeletes ? uDeletes : vDeletes;
    const double deleteValue = gbxGetDeleteValDouble(header);
    if (uMin == deleteValue || uMax == deleteValue || vMin == deleteValue || vMax == deleteValue) {
        *min = *max = deleteValue;
    } else if (itemNo == state->fileItems + 1) {
        *min = hypot(smallestMagnitude(uMin, uMax), smallestMagnitude(vMin, vMax));
        *max = hypot(largestMagnitude(uMin, uMax), largestMagnitude(vMin, vMax));
    } else {
        *min = 0.0;
        *max = 360.0;
    }
    return 0;
}

/* The item whose axis an item has: its own, or the U component's for the derived items. */
static GbxItem* axisItem(GbxHeader* header, const State* state, int itemNo) {
    return gbxItemD(header, itemNo <= state->fileItems ? itemNo : state->u);
}

GBX_EXT_EXPORT int gbxExtGetItemAxisType(GbxHeader* header, int itemNo) {
    const State* state = stateOf(header);
    return state != NULL ? eqDimensions(axisItem(header, state, itemNo)) : -1;
}

GBX_EXT_EXPORT int gbxExtGetItemAxisEq(GbxHeader* header, int itemNo, int* axisUnit, int* reserved, int sizes[3],
                                       float origins[3], float spacings[3]) {
    (void)reserved;
    const State* state = stateOf(header);
    if (state == NULL) return F_ERR_USAGE;
    GbxItem* item = axisItem(header, state, itemNo);
    switch (eqDimensions(item)) {
        case 0:
            return gbxGetItemAxisEqD0(item, axisUnit, NULL);
        case 1:
            return gbxGetItemAxisEqD1(item, axisUnit, NULL, &sizes[0], &origins[0], &spacings[0]);
        case 2:
            return gbxGetItemAxisEqD2(item, axisUnit, NULL, &sizes[0], &sizes[1], &origins[0], &origins[1],
                                      &spacings[0], &spacings[1]);
        case 3:
            return gbxGetItemAxisEqD3(item, axisUnit, NULL, &sizes[0], &sizes[1], &sizes[2], &origins[0],
                                      &origins[1], &origins[2], &spacings[0], &spacings[1], &spacings[2]);
        default:
            return F_ERR_DATA;
    }
}

/* Reads the file's items of the time step that begins, in their own units. The header's items
 * 1 to fileItems are the file's, so their sizes are those of the stored values (they change
 * when the caller switches compression on). */
GBX_EXT_EXPORT int gbxExtNewTimeStep(GbxHeader* header, GbxFile* file) {
    State* state = stateOf(header);
    if (state == NULL) return F_ERR_USAGE;
    state->ready = 0;
    for (int n = 1; n <= state->fileItems; ++n)
        state->offsets[n] = state->offsets[n - 1] + (size_t)gbxGetItemBytes(gbxItemD(header, n));
    unsigned char* values = realloc(state->values, state->offsets[state->fileItems] + 1);
    if (values == NULL) return F_ERR_MEMORY;
    state->values = values;
    for (int n = 1; n <= state->fileItems; ++n) {
        const int code = gbxReadItemTimeStep(header, file, NULL, values + state->offsets[n - 1]);
        if (code != 0) return code;
    }
    state->ready = 1;
    return 0;
}

static void computeDerived(const State* state, int speed, float deleteValue, float* out, int cells) {
    const float* u = (const float*)(state->values + state->offsets[state->u - 1]);
    const float* v = (const float*)(state->values + state->offsets[state->v - 1]);
    for (int i = 0; i < cells; ++i) {
        if (u[i] == deleteValue || v[i] == deleteValue) {
            out[i] = deleteValue;
        } else if (speed) {
            out[i] = (float)hypot(u[i], v[i]);
        } else {
            const double direction = atan2(u[i], v[i]) * kDegreesPerRadian;
            out[i] = (float)(direction < 0.0 ? direction + 360.0 : direction);
        }
    }
}

GBX_EXT_EXPORT int gbxExtReadItemTimeStep(GbxHeader* header, GbxFile* file, void* data) {
    (void)file;
    const State* state = stateOf(header);
    int itemNo = 0;
    if (state == NULL || gbxGetItemPosition(header, NULL, &itemNo) != 0) return F_ERR_USAGE;
    /* A time step whose reading failed has nothing to serve. */
    if (!state->ready) return F_ERR_READ;
    if (data == NULL) return 0;
    if (itemNo <= state->fileItems) {
        memcpy(data, state->values + state->offsets[itemNo - 1], state->offsets[itemNo] - state->offsets[itemNo - 1]);
        return 0;
    }
    const int cells = gbxGetItemElements(gbxItemD(header, state->u));
    computeDerived(state, itemNo == state->fileItems + 1, gbxGetDeleteValFloat(header), data, cells);
    return 0;
}

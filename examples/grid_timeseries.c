/*
 * Writes a gridded time series with the data-file API and reads it back: a harbour model's
 * water level and current components on a 20 x 10 grid for 100 hourly time steps, with land
 * cells marked by the delete value, a bathymetry static item, a custom block and the grid's
 * geographic origin. Then reads everything back and checks every value.
 *
 * Uses the public C headers only:  grid_timeseries FILE
 */
#include <lrx/gbx.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <vnk/vnk.h>

enum { NX = 20, NY = 10, CELLS = NX * NY, STEPS = 100, ITEMS = 3 };

static const int kItemTypes[ITEMS] = {VNK_ITEM_LEVEL, 100021, 100022};
static const int kUnits[ITEMS] = {VNK_UNIT_METRE, 2000, 2000};
static const char* const kNames[ITEMS] = {"Water level", "U velocity", "V velocity"};

/* The south-west corner of the grid is land. */
static int isLand(int i, int j) {
    return i < 4 && j < 3;
}

/* The value of item (0-based) in cell (i, j) at time step t: a tide wave crossing the harbour. */
static float value(int item, int i, int j, int t, float deleteValue) {
    if (isLand(i, j)) return deleteValue;
    const double phase = 2.0 * 3.14159265358979 * (t / 12.42 - i / 40.0);
    switch (item) {
        case 0:
            return (float)(1.2 * sin(phase) + 0.01 * j);
        case 1:
            return (float)(0.8 * cos(phase));
        default:
            return (float)(0.1 * sin(phase + j / 10.0));
    }
}

static void fillStep(float* grid, int item, int t, float deleteValue) {
    for (int j = 0; j < NY; ++j) {
        for (int i = 0; i < NX; ++i)
            grid[j * NX + i] = value(item, i, j, t, deleteValue);
    }
}

static void fillBathymetry(float* grid, float deleteValue) {
    for (int j = 0; j < NY; ++j) {
        for (int i = 0; i < NX; ++i)
            grid[j * NX + i] = isLand(i, j) ? deleteValue : 2.0f + 0.5f * (float)i;
    }
}

static int fail(const char* what, int code) {
    fprintf(stderr, "grid_timeseries: %s failed (error %d)\n", what, code);
    return 1;
}

static int defineHeader(GbxHeader** out) {
    GbxHeader* header = NULL;
    int code =
        gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Harbour model results", "lrx example", 1, ITEMS, 2, &header);
    if (code != 0) return code;
    *out = header;
    code = gbxSetEqCalendarAxis(header, "2026-01-01", "00:00:00", VNK_UNIT_SECOND, 0.0, 3600.0, 0);
    if (code == 0) code = gbxSetGeoInfoUTMProj(header, "UTM-32", 9.55, 55.70, 0.0);
    const float display[3] = {-2.0f, 2.0f, 0.25f};
    if (code == 0) code = gbxAddCustomBlock(header, LRX_FLOAT, "Display range", 3, display);
    for (int n = 0; n < ITEMS && code == 0; ++n) {
        GbxItem* item = gbxItemD(header, n + 1);
        code = gbxSetItemInfo(header, item, kItemTypes[n], kNames[n], kUnits[n], LRX_FLOAT);
        if (code == 0) code = gbxSetItemAxisEqD2(item, VNK_UNIT_METRE, NX, NY, 0.0f, 0.0f, 100.0f, 100.0f);
    }
    return code;
}

static int writeBathymetry(GbxHeader* header, GbxFile* file) {
    GbxVector* bathymetry = NULL;
    int code = gbxStaticCreate(&bathymetry);
    float grid[CELLS];
    fillBathymetry(grid, gbxGetDeleteValFloat(header));
    if (code == 0) code = gbxSetItemInfo(header, gbxItemS(bathymetry), 100001, "Bathymetry", VNK_UNIT_METRE, LRX_FLOAT);
    if (code == 0) code = gbxSetItemAxisEqD2(gbxItemS(bathymetry), VNK_UNIT_METRE, NX, NY, 0, 0, 100, 100);
    if (code == 0) code = gbxStaticWrite(bathymetry, file, grid);
    gbxStaticDestroy(&bathymetry);
    return code;
}

static int writeFile(const char* path) {
    GbxHeader* header = NULL;
    GbxFile* file = NULL;
    int code = defineHeader(&header);
    if (code == 0) code = gbxFileCreate(path, header, &file);
    if (code == 0) code = writeBathymetry(header, file);
    float grid[CELLS];
    for (int t = 0; t < STEPS && code == 0; ++t) {
        for (int n = 0; n < ITEMS && code == 0; ++n) {
            fillStep(grid, n, t, gbxGetDeleteValFloat(header));
            code = gbxWriteItemTimeStep(header, file, t * 3600.0, grid);
        }
    }
    const int closed = file != NULL ? gbxFileClose(header, &file) : 0;
    gbxHeaderDestroy(&header);
    return code != 0 ? code : closed;
}

static int checkStatic(GbxHeader* header, GbxFile* file) {
    int code = 0;
    GbxVector* bathymetry = gbxStaticRead(file, &code);
    if (bathymetry == NULL) return code != 0 ? code : F_ERR_READ;
    float expected[CELLS], read[CELLS];
    fillBathymetry(expected, gbxGetDeleteValFloat(header));
    code = gbxStaticGetData(bathymetry, read);
    if (code == 0 && memcmp(expected, read, sizeof read) != 0) code = F_ERR_DATA;
    gbxStaticDestroy(&bathymetry);
    return code;
}

static int checkSteps(GbxHeader* header, GbxFile* file) {
    float expected[CELLS], read[CELLS];
    int code = 0;
    for (int t = 0; t < STEPS && code == 0; ++t) {
        for (int n = 0; n < ITEMS && code == 0; ++n) {
            double time = -1.0;
            code = gbxReadItemTimeStep(header, file, &time, read);
            fillStep(expected, n, t, gbxGetDeleteValFloat(header));
            if (code == 0 && (memcmp(expected, read, sizeof read) != 0 || time != (double)t)) code = F_ERR_DATA;
        }
    }
    return code;
}

static int readAndCheck(const char* path) {
    GbxHeader* header = NULL;
    GbxFile* file = NULL;
    int code = gbxFileRead(path, &header, &file);
    if (code == 0 && gbxGetNoOfItems(header) != ITEMS) code = F_ERR_DATA;
    if (code == 0) code = checkStatic(header, file);
    if (code == 0) code = checkSteps(header, file);
    double min = 0.0, max = 0.0;
    int deletes = 0;
    if (code == 0) code = gbxGetItemStatsGlobal(gbxItemD(header, 1), &min, &max, &deletes);
    if (code == 0) {
        printf("read back %d time steps of %d items: every value as written\n", STEPS, ITEMS);
        printf("water level from %.3f to %.3f m, %d land values\n", min, max, deletes);
    }
    if (file != NULL) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return code;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: grid_timeseries FILE\n");
        return 2;
    }
    int code = writeFile(argv[1]);
    if (code != 0) return fail("writing", code);
    printf("wrote %s\n", argv[1]);
    code = readAndCheck(argv[1]);
    if (code != 0) return fail("reading back", code);
    return 0;
}

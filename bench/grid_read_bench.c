/*
 * The benchmark grid: 1000 time steps of two float items on a 200 x 200 grid. Writes the file
 * when it does not exist yet, then reads item 1 of every step into one array and prints the
 * best time of five runs in seconds, for three kinds of array: one allocated anew for each
 * read as numpy allocates (large blocks advised to use huge pages), one allocated anew with
 * plain malloc, and one reused from run to run (its pages already mapped). bench/python_read_bench.py compares
 * the Python binding with it.
 *
 *     grid_read_bench FILE
 */
#include <lrx/gbx.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <vnk/vnk.h>

enum { NX = 200, NY = 200, CELLS = NX * NY, STEPS = 1000, ITEMS = 2, RUNS = 5 };

static int writeGrid(const char* path) {
    GbxHeader* header = NULL;
    GbxFile* file = NULL;
    int code = gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "benchmark grid", "grid_read_bench", 1, ITEMS, 1, &header);
    if (code == 0) code = gbxSetEqCalendarAxis(header, "2026-01-01", "00:00:00", VNK_UNIT_SECOND, 0.0, 600.0, 0);
    for (int n = 1; n <= ITEMS && code == 0; ++n) {
        GbxItem* item = gbxItemD(header, n);
        code = gbxSetItemInfo(header, item, VNK_ITEM_LEVEL, n == 1 ? "level" : "depth", VNK_UNIT_METRE, LRX_FLOAT);
        if (code == 0) code = gbxSetItemAxisEqD2(item, VNK_UNIT_METRE, NX, NY, 0.0f, 0.0f, 50.0f, 50.0f);
    }
    if (code == 0) code = gbxFileCreate(path, header, &file);
    float* grid = malloc(sizeof(float) * CELLS);
    for (int t = 0; t < STEPS && code == 0 && grid != NULL; ++t) {
        for (int c = 0; c < CELLS; ++c)
            grid[c] = (float)(t % 97) * 0.01f + (float)c * 1e-6f;
        for (int n = 1; n <= ITEMS && code == 0; ++n)
            code = gbxWriteItemTimeStep(header, file, t * 600.0, grid);
    }
    free(grid);
    if (file != NULL) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return code;
}

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

/* Reads item 1 of every step into values, each step reached by positioning. */
static int readItem(const char* path, float* values) {
    GbxHeader* header = NULL;
    GbxFile* file = NULL;
    int code = gbxFileRead(path, &header, &file);
    for (int t = 0; t < STEPS && code == 0; ++t) {
        code = gbxFindItemDynamic(header, file, t, 1);
        if (code == 0) code = gbxReadItemTimeStep(header, file, NULL, values + (size_t)t * CELLS);
    }
    if (file != NULL) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return code;
}

enum Buffer { LIKE_NUMPY, MALLOC, REUSED };

static float* newBuffer(enum Buffer kind) {
    const size_t bytes = sizeof(float) * (size_t)CELLS * STEPS;
    float* values = malloc(bytes);
    if (values != NULL && kind == LIKE_NUMPY) madvise((void*)((uintptr_t)values & ~(uintptr_t)4095), bytes, MADV_HUGEPAGE);
    return values;
}

static double bestRead(const char* path, enum Buffer kind) {
    double best = 1e30;
    float* reused = kind == REUSED ? newBuffer(MALLOC) : NULL;
    if (reused != NULL) memset(reused, 0, sizeof(float) * (size_t)CELLS * STEPS);
    for (int run = 0; run < RUNS; ++run) {
        const double start = now();
        float* values = kind == REUSED ? reused : newBuffer(kind);
        if (values == NULL || readItem(path, values) != 0) return -1.0;
        const double took = now() - start;
        if (kind != REUSED) free(values);
        if (took < best) best = took;
    }
    free(reused);
    return best;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: grid_read_bench FILE\n");
        return 2;
    }
    if (access(argv[1], R_OK) != 0 && writeGrid(argv[1]) != 0) {
        fprintf(stderr, "grid_read_bench: cannot write %s\n", argv[1]);
        return 1;
    }
    const double likeNumpy = bestRead(argv[1], LIKE_NUMPY);
    const double plain = bestRead(argv[1], MALLOC);
    const double reused = bestRead(argv[1], REUSED);
    if (likeNumpy < 0 || plain < 0 || reused < 0) {
        fprintf(stderr, "grid_read_bench: cannot read %s\n", argv[1]);
        return 1;
    }
    printf("%.4f %.4f %.4f\n", likeNumpy, plain, reused);
    return 0;
}

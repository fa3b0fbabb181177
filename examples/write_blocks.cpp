// Example: writes a data-file-kind record file holding a few logical blocks of several simple
// types, an empty block and two bare records, through the logical-block layer. `make demo`
// runs it and lists the result with `lrx blocks`.
#include <cstdint>
#include <cstdio>

#include "src/gbx/common/fileio.h"
#include "src/lrx/lrxrecord.h"

namespace {

// Block identifiers of this example; a data file gives its own tags a meaning, these have none.
constexpr uint16_t kMeasurementBlock = 1;
constexpr uint16_t kCountersBlock = 2;
constexpr uint16_t kEmptyBlock = 3;

// Writes the chain under id and frees it; returns the file's error code.
int writeAndFree(LrxFile* file, uint16_t id, LrxLrec* chain) {
    const int code = lrxBlockWrite(id, file, chain);
    FFreeLogicalBlock(chain);
    return code;
}

// A block of a float and a double record.
int writeMeasurements(LrxFile* file) {
    const float levels[] = {1.5f, 2.25f, -0.125f};
    const double times[] = {3600.0, 7200.5};
    LrxLrec* chain = FCreateLogicalBlock(LRX_FLOAT, 3, levels);
    if (chain == nullptr) return F_ERR_DATA;
    const int code = FAppendToLogicalBlock(LRX_DOUBLE, 2, times, chain);
    if (code != 0) {
        FFreeLogicalBlock(chain);
        return code;
    }
    return writeAndFree(file, kMeasurementBlock, chain);
}

// A block of bytes and of 16- and 32-bit integers, signed and unsigned.
int writeCounters(LrxFile* file) {
    const char label[] = {'d', 'e', 'm', 'o', '!'};
    const int16_t offsets[] = {-2, -1, 1, 2};
    const uint16_t flags[] = {0x8000, 0x0001};
    const int32_t steps[] = {-100000, 0, 100000};
    const uint32_t total[] = {4000000000u};
    LrxLrec* chain = FCreateLogicalBlock(LRX_BYTE, 5, label);
    if (chain == nullptr) return F_ERR_DATA;
    int code = FAppendToLogicalBlock(LRX_INT2, 4, offsets, chain);
    if (code == 0) code = FAppendToLogicalBlock(LRX_UINT2, 2, flags, chain);
    if (code == 0) code = FAppendToLogicalBlock(LRX_INT4, 3, steps, chain);
    if (code == 0) code = FAppendToLogicalBlock(LRX_UINT4, 1, total, chain);
    if (code != 0) {
        FFreeLogicalBlock(chain);
        return code;
    }
    return writeAndFree(file, kCountersBlock, chain);
}

int writeContent(LrxFile* file) {
    const int32_t date[] = {2007, 3};
    const double scale[] = {0.001};
    int code = writeMeasurements(file);
    if (code == 0) code = writeCounters(file);
    // A record outside any block, an empty block (head and terminator only), another record.
    if (code == 0) code = lrxRecordWrite(file, LRX_INT4, 2, date);
    if (code == 0) code = lrxBlockWrite(kEmptyBlock, file, nullptr);
    if (code == 0) code = lrxRecordWrite(file, LRX_DOUBLE, 1, scale);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_blocks OUTPUT\n");
        return 2;
    }
    LrxFile* file = FOpenFileCreate(argv[1]);
    if (file == nullptr) {
        std::fprintf(stderr, "write_blocks: %s: cannot create the file\n", argv[1]);
        return 1;
    }
    const int code = writeContent(file);
    const int closeCode = FCloseFile(&file);
    if (code != 0 || closeCode != 0) {
        std::fprintf(stderr, "write_blocks: %s: writing failed (error %d)\n", argv[1], code != 0 ? code : closeCode);
        return 1;
    }
    std::printf("wrote %s\n", argv[1]);
    return 0;
}

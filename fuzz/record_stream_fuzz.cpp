// Fuzz target of the record stream: any bytes, opened as a record file that accepts every kind
// tag, are walked element by element (queries, skips, records read into new buffers, blocks read
// whole), walked again block by block through the data-file layer's logical-block calls, and
// finally read as a data file the way a plain reader does. Every path must end in an error code
// or the end-of-file state without crash, leak, hang or unbounded allocation.
#include <cstdint>
#include <string>

#include "fuzz/datafiledriver.h"
#include "fuzz/filehandles.h"
#include "fuzz/scratch.h"
#include "src/gbx/common/fileio.h"
#include "support/elementwalk.h"

namespace {

constexpr int kMostElements = 100000;

int32_t anyKind(int32_t*) {
    return LRX_ACCEPT_ANY_KIND;
}

// Blocks with an odd identifier are skipped, the others read and freed; records between blocks
// are read into new buffers and elements of other kinds stepped over.
void walkBlocks(LrxFile* file) {
    lrxGetError(file);
    lrxSeekAppBase(file);
    for (int elements = 0; elements < kMostElements && lrxPeekError(file) == 0; ++elements) {
        const int id = FQueryLogicalBlock(file);
        if (id != 0 && id % 2 != 0) {
            FSkipLogicalBlock(file);
        } else if (id != 0) {
            FFreeLogicalBlock(FReadLogicalBlock(file));
        } else if (lrxQuery(file, nullptr) > 0) {
            void* values = lrxLrecReadAlloc(file, nullptr, nullptr);
            lrxLrecFree(&values);
        } else {
            lrxSkip(file);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = lrxfuzz::scratchPath("records.gbx");
    if (!lrxfuzz::writeScratch(path, data, size)) return 0;
    LrxFile* file = nullptr;
    int32_t tag = 0;
    if (lrxFileOpenRead(path.c_str(), &file, anyKind, &tag) == 0) {
        lrxtest::walkAllElements(file, kMostElements);
        walkBlocks(file);
        lrxFileClose(&file);
    }
    GbxHeader* header = nullptr;
    GbxFile* opened = nullptr;
    lrxfuzz::FuzzInput noChoices(nullptr, 0);
    if (gbxFileRead(path.c_str(), &header, &opened) == 0) lrxfuzz::driveReading(header, opened, noChoices);
    lrxfuzz::release(header, opened);
    return 0;
}

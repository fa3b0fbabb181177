// Fuzz target of everything that reads native files: any bytes written as a file are opened,
// walked element by element as a record file, then read as a data file (header, static items
// and time steps). Every path must end in an error code or the end-of-file state without
// crash, leak, hang or unbounded allocation.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "support/elementwalk.h"

namespace {

int32_t anyKind(int32_t*) {
    return LRX_ACCEPT_ANY_KIND;
}

std::string scratchFile(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/lrx-fuzz-" + std::to_string(::getpid());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return {};
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    return path;
}

// Reads the static items, then the time steps item by item into a buffer of the item's size,
// stopping at the first error; bounded so that a damaged count cannot make it run long.
void readDataSections(GbxHeader* header, GbxFile* file) {
    int code = 0;
    for (int statics = 0; statics < 1000 && code == 0; ++statics) {
        GbxVector* vector = gbxStaticRead(file, &code);
        if (vector == nullptr) break;
        std::vector<unsigned char> values(static_cast<size_t>(std::max(gbxGetUsedItemBytes(gbxItemS(vector)), 0)) + 8);
        gbxStaticGetData(vector, values.data());
        gbxStaticDestroy(&vector);
    }
    const int items = gbxGetNoOfItems(header);
    for (int reads = 0; reads < 10000 && items > 0; ++reads) {
        GbxItem* item = gbxItemD(header, header->currentItem + 1);
        const int bytes = gbxGetItemBytes(item);
        if (bytes <= 0 || bytes > (1 << 24)) break;
        std::vector<unsigned char> values(static_cast<size_t>(bytes));
        double time = 0;
        if (gbxReadItemTimeStep(header, file, &time, values.data()) != 0) break;
    }
}

void readAsDataFile(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) == 0) readDataSections(header, file);
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = scratchFile(data, size);
    if (path.empty()) return 0;
    LrxFile* file = nullptr;
    int32_t tag = 0;
    if (lrxFileOpenRead(path.c_str(), &file, anyKind, &tag) == 0) {
        lrxtest::walkAllElements(file, 100000);
        lrxFileClose(&file);
    }
    readAsDataFile(path);
    return 0;
}

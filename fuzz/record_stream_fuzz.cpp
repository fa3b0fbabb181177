// Fuzz target of the record stream and the data-file header reader: any bytes written as a
// file are opened, walked element by element and read as a data-file header. Every path must
// end in an error code or the end-of-file state without crash, leak, hang or unbounded
// allocation.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "gbx/fileio.h"
#include "gbx/gbxheader.h"
#include "lrx/lrxblock.h"
#include "lrx/lrxrecord.h"

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

void walkElements(LrxFile* file) {
    for (int elements = 0; elements < 100000 && lrxPeekError(file) == 0; ++elements) {
        int32_t count = 0;
        const int type = lrxQuery(file, &count);
        if (type == LRX_BLOCK) {
            LrxLrec* chain = nullptr;
            int records = 0;
            lrxBlockRead(file, &records, &chain);
            lrxLrecChainFree(&chain);
        } else if (type > 0) {
            int32_t found = 0;
            void* values = lrxLrecReadAlloc(file, &found, &count);
            lrxLrecFree(&values);
        } else if (type < 0) {
            lrxSkip(file);
        }
    }
}

void readAsDataFile(const std::string& path) {
    int error = 0;
    LrxFile* file = FOpenFileRead(path.c_str(), &error);
    if (file == nullptr) return;
    GbxHeader* header = gbxReadHeader(file, &error);
    gbxHeaderDestroy(&header);
    FCloseFile(&file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = scratchFile(data, size);
    if (path.empty()) return 0;
    LrxFile* file = nullptr;
    int32_t tag = 0;
    if (lrxFileOpenRead(path.c_str(), &file, anyKind, &tag) == 0) {
        walkElements(file);
        lrxFileClose(&file);
    }
    readAsDataFile(path);
    return 0;
}

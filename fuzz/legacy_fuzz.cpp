// Fuzz target of legacy pairs: the input's files are a header file (a part with a 2-byte length)
// and a data file (the rest), written as a pair of a digit the input chooses; the pair is opened
// by the path of either file and driven as a data file is (see datafiledriver.h).
#include <unistd.h>

#include <cstdint>
#include <string>

#include "fuzz/datafiledriver.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/scratch.h"

namespace {

// The data file is written once as pair.dt0; pair.dt1 to pair.dt4 lead to it, since the header
// file names the digit of the data file it goes with.
std::string dataFile() {
    static const std::string path = [] {
        const std::string first = lrxfuzz::scratchPath("pair.dt0");
        for (char digit = '1'; digit <= '4'; ++digit)
            ::symlink("pair.dt0", lrxfuzz::scratchPath(std::string("pair.dt") + digit).c_str());
        return first;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lrxfuzz::FuzzInput input(data, size);
    const uint8_t* headerBytes = nullptr;
    size_t headerSize = 0;
    const int digit = input.pick(0, 4);
    const bool byHeaderFile = input.pick(0, 1) == 1;
    input.takePart(&headerBytes, &headerSize);
    const std::string headerFile = lrxfuzz::scratchPath("pair.ct" + std::to_string(digit));
    if (!lrxfuzz::writeScratch(headerFile, headerBytes, headerSize)) return 0;
    if (!lrxfuzz::writeScratch(dataFile(), input.rest(), input.restSize())) return 0;
    const std::string path = byHeaderFile ? headerFile : lrxfuzz::scratchPath("pair.dt" + std::to_string(digit));
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) == 0) lrxfuzz::driveReading(header, file, input);
    // The close of a pair frees its handle whatever it gives.
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    ::unlink(headerFile.c_str());
    return 0;
}

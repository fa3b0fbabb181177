// Fuzz target of plug-in mode: the input's file is read with gbxFileRead, given the data type of
// the example plug-in (7), handed to that plug-in with gbxEnablePlugin and driven as a data file
// is (see datafiledriver.h), so that the library's reads run under the plug-in's calls. The
// target links the shared library, which the plug-in itself calls.
#include <dlfcn.h>
#include <stdlib.h>

#include <cstdint>
#include <string>

#include "fuzz/datafiledriver.h"
#include "fuzz/filehandles.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/scratch.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("LRX_PLUGIN_PATH", LRX_EXAMPLE_PLUGIN_DIR, 1);
    // Held for the whole run: a plug-in that were loaded and unloaded by every execution would
    // take its coverage counters with it.
    dlopen(LRX_EXAMPLE_PLUGIN_DIR "/gbxExt_7.so", RTLD_NOW);
    return 0;
}

namespace {

// The example plug-in keeps a whole time step of the file's items in memory: a file whose items
// claim more than the driver's buffers would only make the execution slow.
bool itemsFitBuffers(GbxHeader* header) {
    for (int n = 1; n <= gbxGetNoOfItems(header); ++n) {
        if (gbxGetItemBytes(gbxItemD(header, n)) > lrxfuzz::kLargestBuffer) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = lrxfuzz::scratchPath("plugin.gbx");
    lrxfuzz::FuzzInput input(data, size);
    if (!lrxfuzz::writeScratch(path, input.rest(), input.restSize())) return 0;
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) == 0 && itemsFitBuffers(header) && gbxSetDataType(header, 7) == 0 &&
        gbxEnablePlugin(header, file) == 0) {
        lrxfuzz::driveReading(header, file, input);
    }
    lrxfuzz::release(header, file);
    return 0;
}

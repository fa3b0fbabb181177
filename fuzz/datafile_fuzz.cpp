// Fuzz target of native data files through the exported calls: the input's file is read with
// gbxFileRead and driven by the input's choices (see datafiledriver.h), then closed; the same
// bytes are opened again with gbxFileEdit, positioned on a time step and given one step, and
// with gbxFileAppend and given one step, and closed each time.
#include <cstdint>
#include <string>

#include "fuzz/datafiledriver.h"
#include "fuzz/filehandles.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = lrxfuzz::scratchPath("data.gbx");
    lrxfuzz::FuzzInput input(data, size);
    const int editedStep = input.pick(0, 3);
    if (!lrxfuzz::writeScratch(path, input.rest(), input.restSize())) return 0;
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) == 0) lrxfuzz::driveReading(header, file, input);
    lrxfuzz::release(header, file);

    for (const bool editing : {true, false}) {
        if (!lrxfuzz::writeScratch(path, input.rest(), input.restSize())) return 0;
        header = nullptr;
        file = nullptr;
        const int opened = editing ? gbxFileEdit(path.c_str(), &header, &file)
                                   : gbxFileAppend(path.c_str(), &header, &file);
        if (opened == 0) {
            if (editing) gbxFindTimeStep(header, file, editedStep);
            lrxfuzz::writeOneStep(header, file);
        }
        lrxfuzz::release(header, file);
    }
    return 0;
}

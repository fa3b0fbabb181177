// The write run of the fault sweeps over data files and legacy pairs: create the file, write a
// static item, write the time steps with a flush after the second, close. Each sweep gives its
// own header, static item, time step and close; the run makes no allocation of its own.
#pragma once

#include <string>

#include "lrx/gbx.h"

namespace lrxtest {

struct WriteRun {
    int (*header)(GbxHeader** header);
    int (*writeStatic)(GbxHeader* header, GbxFile* file);
    int (*writeStep)(GbxHeader* header, GbxFile* file, int step);
    // Closes the file (when there is one) and destroys the header; code, or the close's code.
    int (*finish)(GbxHeader* header, GbxFile* file, int code);
    int steps;
};

// The first code other than 0 of the run's calls.
inline int createWriteFlushClose(const std::string& path, const WriteRun& run) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = run.header(&header);
    if (code == 0) code = gbxFileCreate(path.c_str(), header, &file);
    if (code == 0) code = run.writeStatic(header, file);
    for (int step = 0; step < run.steps && code == 0; ++step) {
        code = run.writeStep(header, file, step);
        if (code == 0 && step == 1) code = gbxFileFlush(header, file);
    }
    return run.finish(header, file, code);
}

}  // namespace lrxtest

// A log of what the data-file dispatcher hands to an error handler, for tests that check
// which codes are reported and with which handles.
#pragma once

#include <string>
#include <vector>

#include "lrx/gbx.h"

namespace lrxtest {

struct Report {
    GbxHeader* header;
    GbxFile* file;
    void* object;
    int code;
    std::string module;
    int line;
};

// The shared log that recordReport appends to; tests clear it themselves.
std::vector<Report>& reportLog();

// An error handler that appends every call to reportLog().
void LRX_CALL recordReport(GbxHeader* header, GbxFile* file, void* object, int32_t code, const char* module,
                           int32_t line);

}  // namespace lrxtest

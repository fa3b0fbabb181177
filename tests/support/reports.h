// A log of what the data-file dispatcher hands to an error handler, for tests that check
// which codes are reported and with which handles.
#pragma once

#include <initializer_list>
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

// Records the reports of the given codes (without codes: of every code a handler can hear)
// from its construction on, in a fresh reportLog(); empties the handler table when it goes.
class ReportedCodes {
public:
    ReportedCodes();
    explicit ReportedCodes(std::initializer_list<int> codes);
    ~ReportedCodes();
    ReportedCodes(const ReportedCodes&) = delete;
    ReportedCodes& operator=(const ReportedCodes&) = delete;

    // The codes recorded so far, in the order they were reported.
    std::vector<int> codes() const;
    const std::vector<Report>& all() const { return reportLog(); }
    void clear() { reportLog().clear(); }
};

}  // namespace lrxtest

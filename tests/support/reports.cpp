// The shared log of dispatched error reports and the recorder that fills it.
#include "support/reports.h"

namespace lrxtest {

std::vector<Report>& reportLog() {
    static std::vector<Report> log;
    return log;
}

void LRX_CALL recordReport(GbxHeader* header, GbxFile* file, void* object, int32_t code, const char* module,
                           int32_t line) {
    reportLog().push_back({header, file, object, code, module != nullptr ? module : "", line});
}

ReportedCodes::ReportedCodes() {
    gbxInitSystem();
    reportLog().clear();
    gbxAddErrorHandler(F_ERR_USAGE, recordReport);
    for (int code = F_ERR_MEMORY; code <= F_ERR_UNIT; ++code)
        gbxAddErrorHandler(code, recordReport);
}

ReportedCodes::ReportedCodes(std::initializer_list<int> codes) {
    gbxInitSystem();
    reportLog().clear();
    for (int code : codes)
        gbxAddErrorHandler(code, recordReport);
}

ReportedCodes::~ReportedCodes() {
    gbxInitSystem();
}

std::vector<int> ReportedCodes::codes() const {
    std::vector<int> codes;
    for (const Report& report : reportLog())
        codes.push_back(report.code);
    return codes;
}

}  // namespace lrxtest

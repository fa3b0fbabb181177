// The shared log of dispatched error reports.
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

}  // namespace lrxtest

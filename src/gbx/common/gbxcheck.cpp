// Handle validation of the gbx calls: each check reports a missing handle (or an item number
// out of range) once through the dispatcher. Calls the dispatcher and the call trace.
#include "src/gbx/common/gbxcheck.h"

#include "src/gbx/common/gbxtrace.h"

namespace {

// Reported as the module when a caller passes none.
constexpr const char* kModule = "gbxcheck";

}  // namespace

int gbxCheckReport(GbxHeader* header, GbxFile* file, int code, const char* module, int line) {
    return gbxReportError(header, file, nullptr, code, module != nullptr ? module : kModule, line);
}

int gbxCheckHeaderItemNo(GbxHeader* header, int itemNo, const char* module, int line) {
    GbxCall call("gbxCheckHeaderItemNo");
    int code = gbxCheckHeader(header, module, line);
    if (code == 0 && (itemNo < 1 || itemNo > header->noOfItems))
        code = gbxCheckReport(header, nullptr, F_ERR_ITEM_NO, module, line);
    return call.result(code);
}

int gbxCheckVectorFile(GbxVector* vector, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckVectorFile");
    int code = gbxCheckVector(vector, module, line);
    if (code == 0) code = gbxCheckFile(file, module, line);
    return call.result(code);
}

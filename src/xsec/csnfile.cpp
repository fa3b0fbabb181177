// Cross-section files on the record stream: their kind callback, and creating, closing and
// asking the error state of such a file, which are the record stream's own operations.
#include "src/xsec/csnfile.h"

#include "lrx/csn.h"
#include "src/lrx/lrxfile.h"

int32_t csnKindCallback(int32_t* appVersion) {
    if (appVersion != nullptr) *appVersion = CSN_FORMAT_VERSION;
    return CSN_KIND_TAG;
}

extern "C" {

LRX_EXPORT int LRX_CALL csnFileOpenCreate(const char* name, LrxFile** file) {
    if (file == nullptr) return F_ERR_USAGE;
    if (name == nullptr) {
        *file = nullptr;
        return F_ERR_USAGE;
    }
    // Cross-section files carry no application string in their text header.
    return lrxFileOpenCreate(name, nullptr, file, csnKindCallback);
}

LRX_EXPORT int LRX_CALL csnFileClose(LrxFile** file) {
    return lrxFileClose(file);
}

LRX_EXPORT int LRX_CALL csnGetError(LrxFile* file) {
    return lrxGetError(file);
}

LRX_EXPORT int LRX_CALL csnPeekError(LrxFile* file) {
    return lrxPeekError(file);
}

}  // extern "C"

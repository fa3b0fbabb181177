// The native family's table of operations and the choice of a family for a path, a file, a
// header, or a header and its file. Calls the hand-off predicates of the plug-in layer.
#include "src/gbx/file/gbxfamily.h"

#include "src/gbx/file/gbxhandoffs.h"

namespace {

// Every family but the native one, in the order in which they are asked.
const GbxFamily* const kOtherFamilies[] = {&gbxLegacyFamily};

}  // namespace

const GbxFamily gbxNativeFamily = {
    .name = "native",
    .claimsPath = gbxClaimsNoPath,
    .claimsFile = gbxClaimsNoFile,
    .claimsHeader = gbxClaimsNoHeader,
    .open = gbxNativeOpen,
    .create = gbxNativeCreate,
    .flush = gbxNativeFlush,
    .close = gbxNativeClose,
    .staticWrite = gbxNativeStaticWrite,
    .staticRead = gbxNativeStaticRead,
    .writeItem = gbxNativeWriteItem,
    .readItem = gbxNativeReadItem,
    .skipItem = gbxNativeSkipItem,
    .findSection = gbxNativeFindSection,
    .findTimeStep = gbxNativeFindTimeStep,
    .findItem = gbxNativeFindItem,
    .savePosition = gbxNativeSavePosition,
    .restorePosition = gbxNativeRestorePosition,
    .keepsStatistics = true,
};

bool gbxClaimsNoPath(const char*) {
    return false;
}

bool gbxClaimsNoFile(const GbxFile*) {
    return false;
}

bool gbxClaimsNoHeader(const GbxHeader*) {
    return false;
}

const GbxFamily& gbxFamilyOfPath(const char* path) {
    for (const GbxFamily* family : kOtherFamilies) {
        if (family->claimsPath(path)) return *family;
    }
    return gbxNativeFamily;
}

const GbxFamily& gbxFamilyOfFile(const GbxFile* file) {
    for (const GbxFamily* family : kOtherFamilies) {
        if (family->claimsFile(file)) return *family;
    }
    return gbxNativeFamily;
}

const GbxFamily& gbxFamilyOfHeader(const GbxHeader* header) {
    for (const GbxFamily* family : kOtherFamilies) {
        if (family->claimsHeader(header)) return *family;
    }
    return gbxNativeFamily;
}

const GbxFamily& gbxFamilyOf(const GbxHeader* header, const GbxFile* file) {
    return gbxPluginActive(header) ? gbxPluginFamily : gbxFamilyOfFile(file);
}

// Hand-offs to the legacy-file layer. It cannot attach to a header or hand out a file yet, so
// the predicates are false and the operations refuse; the layer replaces these bodies when it
// arrives. The plug-in hand-offs are in plugin/pluginhandoffs.cpp.
#include "gbx/gbxhandoffs.h"

#include <cstring>

#include "gbx/gbxheaderparts.h"

bool gbxIsLegacyFile(const GbxFile* file) {
    uint32_t tag = 0;
    if (file != nullptr) std::memcpy(&tag, file, sizeof tag);
    return tag == GBX_LEGACY_TAG;
}

bool gbxIsLegacyHeader(const GbxHeader* header) {
    return header != nullptr && header->legacyFile != nullptr;
}

bool gbxIsLegacyPath(const char*) {
    return false;
}

int gbxLegacyOpen(const char*, GbxHeader**, GbxFile**) {
    return F_ERR_OPEN;
}

int gbxLegacyCreate(const char*, GbxHeader*, GbxFile**) {
    return F_ERR_OPEN;
}

int gbxLegacyFlush(GbxHeader*) {
    return F_ERR_COMMIT;
}

int gbxLegacyClose(GbxHeader*, GbxFile**) {
    return F_ERR_CLOSE;
}

int gbxLegacyStaticWrite(GbxVector*, GbxFile*, const void*) {
    return F_ERR_WRITE;
}

GbxVector* gbxLegacyStaticRead(GbxFile*, int* code) {
    if (code != nullptr) *code = F_ERR_READ;
    return nullptr;
}

int gbxLegacyFindBlock(GbxHeader*, GbxFile*, int) {
    return F_ERR_READ;
}

int gbxLegacyFindTimeStep(GbxHeader*, GbxFile*, int) {
    return F_ERR_READ;
}

int gbxLegacyReadItem(GbxHeader*, GbxFile*, void*, int) {
    return F_ERR_READ;
}

int gbxLegacyWriteItem(GbxHeader*, GbxFile*, const void*, int) {
    return F_ERR_WRITE;
}

bool gbxLegacyIsReadOnly(const GbxHeader*) {
    return false;
}

void gbxReleaseLegacyFile(GbxHeader* header) {
    header->legacyFile = nullptr;
}

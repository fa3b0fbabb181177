// The section calls of the csn API: creating a section in memory, freeing it, and sizing its
// three point sets. Handles are checked against the registry of live sections first.
#include <cstring>

#include "src/xsec/csnregistry.h"
#include "src/xsec/csnsection.h"

namespace {

constexpr char kNoExtraText[] = " ";

CsnXsecRecord* createSection(const char* keyText1, double position, const char* keyText2, const char* extraText) {
    if (keyText1 == nullptr || keyText2 == nullptr) return nullptr;
    CsnSection* section = csnSectionNew();
    if (section == nullptr) return nullptr;
    CsnXsecRecord& record = section->record;
    if (extraText == nullptr || *extraText == '\0') extraText = kNoExtraText;
    record.position = position;
    record.keyText1 = csnCopyText(keyText1, std::strlen(keyText1));
    record.keyText2 = csnCopyText(keyText2, std::strlen(keyText2));
    record.extraText = csnCopyText(extraText, std::strlen(extraText));
    csnSectionRefreshValid(section);
    if (section->valid == 0 || !csnRegisterSection(section)) {
        csnSectionDestroy(section);
        return nullptr;
    }
    return &record;
}

int sizeSet(CsnXsecRecord* handle, CsnPointSet set, uint16_t count) {
    CsnSection* section = csnLiveSection(handle);
    if (section == nullptr || section->valid == 0) return 0;
    csnSetFree(section->record, set);
    if (count != 0 && !csnSetAllocate(section->record, set, count)) {
        section->valid = 0;
        return 0;
    }
    csnSectionRefreshValid(section);
    return section->valid;
}

}  // namespace

extern "C" {

LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecCreate(const char* keyText1, double position, const char* keyText2) {
    return createSection(keyText1, position, keyText2, nullptr);
}

LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecCreateEx(const char* keyText1, double position, const char* keyText2,
                                                   const char* extraText) {
    return createSection(keyText1, position, keyText2, extraText);
}

LRX_EXPORT void LRX_CALL csnXsecFree(CsnXsecRecord** section) {
    if (section == nullptr) return;
    // A section of a table is freed only with its table.
    csnSectionDestroy(csnTakeFreeSection(*section));
    *section = nullptr;
}

LRX_EXPORT int LRX_CALL csnXsecSetNoRaw(CsnXsecRecord* section, uint16_t count) {
    return sizeSet(section, CsnPointSet::Raw, count);
}

LRX_EXPORT int LRX_CALL csnXsecSetNoSel(CsnXsecRecord* section, uint16_t count) {
    return sizeSet(section, CsnPointSet::Selected, count);
}

LRX_EXPORT int LRX_CALL csnXsecSetNoPrc(CsnXsecRecord* section, uint16_t count) {
    return sizeSet(section, CsnPointSet::Processed, count);
}

}  // extern "C"

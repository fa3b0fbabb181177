// A cross-section in memory: defaults, texts, the arrays of the three point sets and the
// consistency rule. Everything a section owns is allocated with malloc, so that arrays taken
// over from records read from a file are freed the same way.
#include "src/xsec/csnsection.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>

#include "src/os/osmemory.h"

namespace {

constexpr uint16_t kLastCodeDefault = 2;
constexpr int kZeroValues = 10;  // the values after these default to 1.0

template <typename T>
bool presenceIs(T** const* slots, int n, bool present) {
    for (int i = 0; i < n; ++i) {
        if ((*slots[i] != nullptr) != present) return false;
    }
    return true;
}

}  // namespace

CsnSetView csnSetView(CsnXsecRecord& r, CsnPointSet set) {
    switch (set) {
        case CsnPointSet::Raw:
            return {&r.noRaw, {&r.raw1, &r.raw2, &r.raw3, &r.raw4}, 4, {&r.raw5, &r.raw6}, 2};
        case CsnPointSet::Selected:
            return {&r.noSel, {&r.sel}, 1, {}, 0};
        case CsnPointSet::Processed:
            break;
    }
    return {&r.noPrc, {&r.prc1, &r.prc2, &r.prc3, &r.prc4, &r.prc5, &r.prc6}, 6, {}, 0};
}

CsnSection* csnSectionNew() {
    auto* section = new (std::nothrow) CsnSection{};
    if (section == nullptr) return nullptr;
    CsnXsecRecord& record = section->record;
    record.codes[CSN_CODE_COUNT - 1] = kLastCodeDefault;
    for (int i = kZeroValues; i < CSN_VALUE_COUNT; ++i)
        record.values[i] = 1.0;
    record.self = section;
    return section;
}

void csnSectionDestroy(CsnSection* section) {
    if (section == nullptr) return;
    CsnXsecRecord& record = section->record;
    std::free(record.keyText1);
    std::free(record.keyText2);
    std::free(record.extraText);
    for (CsnPointSet set : {CsnPointSet::Raw, CsnPointSet::Selected, CsnPointSet::Processed})
        csnSetFree(record, set);
    delete section;
}

char* csnCopyText(const char* bytes, std::size_t length) {
    char* text = static_cast<char*>(lrx::os::allocate(length + 1));
    if (text == nullptr) return nullptr;
    if (length > 0) std::memcpy(text, bytes, length);
    text[length] = '\0';
    return text;
}

bool csnSetIsConsistent(CsnXsecRecord& record, CsnPointSet set) {
    const CsnSetView view = csnSetView(record, set);
    if (*view.count < 0) return false;
    const bool present = *view.count > 0;
    return presenceIs(view.doubles, view.doubleCount, present) && presenceIs(view.shorts, view.shortCount, present);
}

bool csnRecordIsConsistent(CsnXsecRecord& record) {
    return record.keyText1 != nullptr && record.keyText2 != nullptr && record.extraText != nullptr &&
           csnSetIsConsistent(record, CsnPointSet::Raw) && csnSetIsConsistent(record, CsnPointSet::Selected) &&
           csnSetIsConsistent(record, CsnPointSet::Processed);
}

void csnSetFree(CsnXsecRecord& record, CsnPointSet set) {
    const CsnSetView view = csnSetView(record, set);
    for (int i = 0; i < view.doubleCount; ++i) {
        std::free(*view.doubles[i]);
        *view.doubles[i] = nullptr;
    }
    for (int i = 0; i < view.shortCount; ++i) {
        std::free(*view.shorts[i]);
        *view.shorts[i] = nullptr;
    }
    *view.count = 0;
}

bool csnSetAllocate(CsnXsecRecord& record, CsnPointSet set, int32_t count) {
    const CsnSetView view = csnSetView(record, set);
    const auto n = static_cast<std::size_t>(count);
    bool complete = true;
    for (int i = 0; i < view.doubleCount; ++i) {
        *view.doubles[i] = static_cast<double*>(lrx::os::allocateZeroed(n, sizeof(double)));
        complete = complete && *view.doubles[i] != nullptr;
    }
    for (int i = 0; i < view.shortCount; ++i) {
        *view.shorts[i] = static_cast<uint16_t*>(lrx::os::allocateZeroed(n, sizeof(uint16_t)));
        complete = complete && *view.shorts[i] != nullptr;
    }
    if (!complete) {
        csnSetFree(record, set);
        return false;
    }
    *view.count = count;
    return true;
}

void csnSectionRefreshValid(CsnSection* section) {
    section->valid = !section->damaged && csnRecordIsConsistent(section->record) ? 1 : 0;
}

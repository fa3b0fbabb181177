// Looking sections up in a loaded table: by key, the walk from a found place, and the
// neighbours of a section. An iterator is a place in the table (its index plus one), so an
// iterator that the caller hands back is checked against the table's size before use.
#include <cstdint>

#include "src/xsec/csnorder.h"
#include "src/xsec/csnregistry.h"

namespace {

CsnXsecIterator placeAt(const CsnXsecTable* table, std::size_t index) {
    if (index >= table->sections.size()) return nullptr;
    return reinterpret_cast<CsnXsecIterator>(static_cast<std::uintptr_t>(index) + 1);
}

void setIterator(CsnXsecIterator* iterator, CsnXsecIterator place) {
    if (iterator != nullptr) *iterator = place;
}

// The record of the section at index, or null past the end or for an invalid section.
CsnXsecRecord* usableAt(const CsnXsecTable* table, std::size_t index) {
    if (index >= table->sections.size()) return nullptr;
    CsnSection* section = table->sections[index];
    return section->valid != 0 ? &section->record : nullptr;
}

CsnXsecRecord* findKey(CsnXsecTable* table, const char* keyText1, double position, const char* keyText2,
                       CsnXsecIterator* iterator) {
    // Two empty texts and position 0 ask for the first section, to start a walk.
    if (*keyText1 == '\0' && *keyText2 == '\0' && position == 0.0) {
        setIterator(iterator, placeAt(table, 1));
        return usableAt(table, 0);
    }
    const std::size_t index = csnTableLowerBound(table, keyText1, position, keyText2);
    if (index == table->sections.size() ||
        csnCompareToKey(table->sections[index]->record, keyText1, position, keyText2) != 0) {
        return nullptr;
    }
    setIterator(iterator, placeAt(table, index + 1));
    return usableAt(table, index);
}

// The section `offset` places from the given one, when it belongs to the table.
CsnXsecRecord* neighbour(CsnXsecTable* table, CsnXsecRecord* record, std::ptrdiff_t offset) {
    if (!csnIsLiveTable(table)) return nullptr;
    const CsnSection* section = csnLiveSection(record);
    if (section == nullptr || section->owner != table || section->valid == 0) return nullptr;
    if (offset < 0 && section->tableIndex == 0) return nullptr;
    return usableAt(table, section->tableIndex + offset);
}

}  // namespace

extern "C" {

LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecFind(CsnXsecTable* table, const char* keyText1, double position,
                                               const char* keyText2, CsnXsecIterator* iterator) {
    setIterator(iterator, nullptr);
    if (!csnIsLiveTable(table) || keyText1 == nullptr || keyText2 == nullptr) return nullptr;
    return findKey(table, keyText1, position, keyText2, iterator);
}

LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecFindNext(CsnXsecTable* table, CsnXsecIterator* iterator) {
    if (iterator == nullptr || *iterator == nullptr || !csnIsLiveTable(table)) return nullptr;
    const auto place = reinterpret_cast<std::uintptr_t>(*iterator);
    if (place > table->sections.size()) {
        *iterator = nullptr;
        return nullptr;
    }
    const std::size_t index = place - 1;
    *iterator = placeAt(table, index + 1);
    return usableAt(table, index);
}

LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecNext(CsnXsecTable* table, CsnXsecRecord* section) {
    return neighbour(table, section, 1);
}

LRX_EXPORT CsnXsecRecord* LRX_CALL csnXsecPrev(CsnXsecTable* table, CsnXsecRecord* section) {
    return neighbour(table, section, -1);
}

}  // extern "C"

// The cross-section table: ordering its sections, searching it by key, and freeing it.
// Sorting once after loading gives exactly the order that a stable insertion of each section
// before the first one sorting after it would give, in n log n steps.
#include "src/xsec/csntable.h"

#include <algorithm>

#include "src/xsec/csnorder.h"
#include "src/xsec/csnregistry.h"

namespace {

bool sortsBefore(const CsnSection* a, const CsnSection* b) {
    const CsnXsecRecord& key = b->record;
    return csnCompareToKey(a->record, key.keyText1, key.position, key.keyText2) < 0;
}

}  // namespace

void csnTableSort(CsnXsecTable* table) {
    std::stable_sort(table->sections.begin(), table->sections.end(), sortsBefore);
    for (std::size_t i = 0; i < table->sections.size(); ++i) {
        table->sections[i]->owner = table;
        table->sections[i]->tableIndex = i;
    }
}

std::size_t csnTableLowerBound(const CsnXsecTable* table, const char* keyText1, double position,
                               const char* keyText2) {
    const auto first = std::partition_point(
        table->sections.begin(), table->sections.end(),
        [&](const CsnSection* s) { return csnCompareToKey(s->record, keyText1, position, keyText2) < 0; });
    return static_cast<std::size_t>(first - table->sections.begin());
}

void csnTableDestroy(CsnXsecTable* table) {
    if (table == nullptr) return;
    for (CsnSection* section : table->sections)
        csnSectionDestroy(section);
    lrxFileClose(&table->file);
    delete table;
}

extern "C" {

LRX_EXPORT void LRX_CALL csnXsecTableFree(CsnXsecTable** table) {
    if (table == nullptr) return;
    if (csnForgetTable(*table)) csnTableDestroy(*table);
    *table = nullptr;
}

}  // extern "C"

// The registry of live sections and tables: two hash sets of addresses under one mutex.
// An address is only compared, never followed, until the registry has vouched for it.
#include "src/xsec/csnregistry.h"

#include <mutex>
#include <new>
#include <unordered_map>
#include <unordered_set>

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<const CsnXsecRecord*, CsnSection*> sections;
    std::unordered_set<const CsnXsecTable*> tables;
};

// Never destroyed, so that calls made while the process ends still find it.
Registry& registry() {
    static Registry* const instance = new Registry;
    return *instance;
}

}  // namespace

bool csnRegisterSection(CsnSection* section) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    try {
        r.sections.emplace(&section->record, section);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

CsnSection* csnLiveSection(const CsnXsecRecord* record) {
    if (record == nullptr) return nullptr;
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto found = r.sections.find(record);
    return found == r.sections.end() ? nullptr : found->second;
}

CsnSection* csnTakeFreeSection(const CsnXsecRecord* record) {
    if (record == nullptr) return nullptr;
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto found = r.sections.find(record);
    if (found == r.sections.end() || found->second->owner != nullptr) return nullptr;
    CsnSection* section = found->second;
    r.sections.erase(found);
    return section;
}

bool csnRegisterTable(CsnXsecTable* table) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    try {
        r.sections.reserve(r.sections.size() + table->sections.size());
        r.tables.insert(table);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // The room was reserved above, so these insertions do not allocate buckets; their nodes
    // still may, and a failure rolls the whole table back.
    std::size_t added = 0;
    try {
        for (CsnSection* section : table->sections) {
            r.sections.emplace(&section->record, section);
            ++added;
        }
    } catch (const std::bad_alloc&) {
        for (std::size_t i = 0; i < added; ++i)
            r.sections.erase(&table->sections[i]->record);
        r.tables.erase(table);
        return false;
    }
    return true;
}

bool csnIsLiveTable(const CsnXsecTable* table) {
    if (table == nullptr) return false;
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.tables.count(table) != 0;
}

bool csnForgetTable(const CsnXsecTable* table) {
    if (table == nullptr) return false;
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.tables.erase(table) == 0) return false;
    for (const CsnSection* section : table->sections)
        r.sections.erase(&section->record);
    return true;
}

// Finds the derived-item library of a data type in the folders of LRX_PLUGIN_PATH or by the
// platform's library search, loads it and looks up its eleven entries. Calls the dynamic
// loader and the environment module; keeps no state of its own, so that headers on different
// threads may load plug-ins at once.
#include "src/plugin/pluginlibrary.h"

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "src/os/dynamiclibrary.h"
#include "src/shell/environment.h"

namespace {

constexpr const char* kSearchPathVariable = "LRX_PLUGIN_PATH";

// In 64 bits: the absolute value of the smallest 32-bit data type does not fit 32 bits.
// (snprintf rather than std::to_string, whose digit table the shared library would export.)
std::string libraryFileName(int32_t dataType) {
    char name[40];
    std::snprintf(name, sizeof name, "gbxExt_%lld%s", static_cast<long long>(std::llabs(dataType)),
                  lrx::os::sharedLibrarySuffix());
    return name;
}

void* loadFromFolders(const std::string& folders, const std::string& fileName) {
    const char separator = lrx::os::searchPathSeparator();
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(separator, start);
        if (end == std::string::npos) end = folders.size();
        if (end > start) {
            std::string path = folders.substr(start, end - start);
            if (path.back() != '/') path += '/';
            if (void* library = lrx::os::loadLibrary((path + fileName).c_str())) return library;
        }
        start = end + 1;
    }
    return nullptr;
}

void* findLibrary(int32_t dataType) {
    const std::string fileName = libraryFileName(dataType);
    if (const auto folders = lrx::shell::environmentValue(kSearchPathVariable)) {
        if (void* library = loadFromFolders(*folders, fileName)) return library;
    }
    return lrx::os::loadLibrary(fileName.c_str());
}

template <typename Entry>
void lookUp(void* library, const char* name, Entry& entry) {
    entry = std::bit_cast<Entry>(lrx::os::librarySymbol(library, name));
}

GbxPluginEntries lookUpEntries(void* library) {
    GbxPluginEntries entries{};
    lookUp(library, "gbxExtInitialize", entries.initialize);
    lookUp(library, "gbxExtTerminate", entries.terminate);
    lookUp(library, "gbxExtGetNoOfItems", entries.getNoOfItems);
    lookUp(library, "gbxExtGetItemInfo", entries.getItemInfo);
    lookUp(library, "gbxExtGetItemAxisType", entries.getItemAxisType);
    lookUp(library, "gbxExtGetItemAxisEq", entries.getItemAxisEq);
    lookUp(library, "gbxExtIsItemDerived", entries.isItemDerived);
    lookUp(library, "gbxExtGetItemStatsGlobal", entries.getItemStatsGlobal);
    lookUp(library, "gbxExtGetItemValueType", entries.getItemValueType);
    lookUp(library, "gbxExtNewTimeStep", entries.newTimeStep);
    lookUp(library, "gbxExtReadItemTimeStep", entries.readItemTimeStep);
    return entries;
}

// An axis type without the axis parameters to go with it cannot describe an axis, so such a
// plug-in is refused like one that lacks a required entry.
bool hasRequiredEntries(const GbxPluginEntries& entries) {
    const bool axisComplete = entries.getItemAxisType == nullptr || entries.getItemAxisEq != nullptr;
    return entries.getNoOfItems != nullptr && entries.getItemInfo != nullptr && entries.isItemDerived != nullptr &&
           entries.newTimeStep != nullptr && entries.readItemTimeStep != nullptr && axisComplete;
}

}  // namespace

int gbxPluginLoad(int32_t dataType, GbxPluginSlot* slot) {
    void* library = nullptr;
    try {
        library = findLibrary(dataType);
    } catch (const std::bad_alloc&) {
        return F_ERR_MEMORY;
    }
    if (library == nullptr) return GBX_PLUGIN_NOT_LOADED;
    const GbxPluginEntries entries = lookUpEntries(library);
    if (!hasRequiredEntries(entries)) {
        lrx::os::unloadLibrary(library);
        return GBX_PLUGIN_REFUSED;
    }
    *slot = GbxPluginSlot{library, entries, 0};
    return 0;
}

void gbxPluginRelease(GbxPluginSlot* slot) {
    lrx::os::unloadLibrary(slot->library);
    *slot = GbxPluginSlot{};
}

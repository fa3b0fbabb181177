// Enabling and unloading the derived-item plug-in of a header: the checks of the file, the
// library of the data type, the initialise entry and the plug-in's item list in place of the
// header's. Calls the library loader, the item list builder, the legacy hand-off and the
// header's item helpers. Neither exported call traces or reports: both return their codes.
#include "src/plugin/plugin.h"

#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/lrx/lrxfile.h"
#include "src/plugin/pluginitems.h"
#include "src/plugin/pluginlibrary.h"

namespace {

bool openForReading(const GbxHeader* header, const GbxFile* file) {
    if (gbxIsLegacyHeader(header)) return gbxLegacyIsReadOnly(header);
    return file != nullptr && !gbxIsLegacyFile(file) && file->readOnly != 0;
}

int initialise(GbxHeader* header, GbxFile* file) {
    if (header->plugin.entries.initialize == nullptr) return 0;
    header->plugin.busy = 1;
    const int code = header->plugin.entries.initialize(header, file);
    header->plugin.busy = 0;
    return code;
}

// Enabling once the new library is in the header's slot: its initialisation, then its item
// list in place of the header's. On failure the slot
// is empty again and the header's items and file item count are as they were; a plug-in that
// was initialised is terminated first, so that it frees what it took for the header.
int install(GbxHeader* header, GbxFile* file) {
    const int32_t fileItemCount = header->fileItemCount;
    header->fileItemCount = header->noOfItems;
    if (initialise(header, file) != 0) {
        gbxPluginRelease(&header->plugin);
        header->fileItemCount = fileItemCount;
        return GBX_PLUGIN_REFUSED;
    }
    GbxItem* items = nullptr;
    int32_t count = 0;
    int entryError = 0;
    if (const int code = gbxPluginDescribeItems(header, &items, &count, &entryError)) {
        gbxPluginUnload(header);
        header->fileItemCount = fileItemCount;
        return code;
    }
    header->fileItemCount = header->noOfItems;
    gbxFreeItems(header);
    header->items = items;
    header->noOfItems = count;
    return entryError;
}

}  // namespace

int gbxPluginUnload(GbxHeader* header) {
    const int code =
        header->plugin.entries.terminate != nullptr ? header->plugin.entries.terminate(header) : 0;
    gbxPluginRelease(&header->plugin);
    return code;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxEnablePlugin(GbxHeader* header, GbxFile* file) {
    // A header busy in a plug-in call is running that plug-in's code: it cannot be replaced.
    if (header == nullptr || header->plugin.busy != 0) return GBX_PLUGIN_REFUSED;
    if (!openForReading(header, file)) return GBX_PLUGIN_REFUSED;
    if (header->dataType == 0) return GBX_PLUGIN_NO_NUMBER;
    GbxPluginSlot loaded{};
    if (const int code = gbxPluginLoad(header->dataType, &loaded)) return code;
    // One plug-in per header: a former one is terminated and released before the new one
    // starts, also when it is the same library.
    if (header->plugin.library != nullptr) gbxPluginUnload(header);
    header->plugin = loaded;
    return install(header, file);
}

LRX_EXPORT int LRX_CALL gbxUnloadPlugin(GbxHeader* header) {
    if (header == nullptr || header->plugin.busy != 0) return GBX_PLUGIN_REFUSED;
    return gbxPluginUnload(header);
}

}  // extern "C"

// The plug-in hand-offs of the data-file calls: whether a header's time-step calls go to its
// plug-in, the calls of its time-step entries, and the unloading when the header is destroyed.
// Calls the header's plug-in entries and the unloading only.
#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/plugin/plugin.h"

bool gbxPluginActive(const GbxHeader* header) {
    return header != nullptr && header->plugin.library != nullptr && header->plugin.busy == 0;
}

int gbxPluginNewTimeStep(GbxHeader* header, GbxFile* file) {
    return header->plugin.entries.newTimeStep(header, file);
}

int gbxPluginReadItem(GbxHeader* header, GbxFile* file, void* data) {
    return header->plugin.entries.readItemTimeStep(header, file, data);
}

void gbxReleasePlugin(GbxHeader* header) {
    if (header->plugin.library != nullptr) gbxPluginUnload(header);
}

// Hand-offs from the header to the subsystems that attach to it: derived-item libraries and
// files of the legacy family. Neither can be attached to a header yet, so there is nothing to
// release; the subsystems that attach them release them here.
#include "gbx/gbxheaderparts.h"

void gbxReleasePlugin(GbxHeader* header) {
    header->plugin = GbxPluginSlot{};
}

void gbxReleaseLegacyFile(GbxHeader* header) {
    header->legacyFile = nullptr;
}

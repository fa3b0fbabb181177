// The hand-offs from the data-file calls to the layers that serve some headers and files in
// their own way: files of the legacy family (recognised by the tag 7531 in the first 32-bit
// word of their handle, by the legacy file their header holds, or by the extension of their
// path) and derived items of a plug-in. The legacy and plug-in entries of the family table
// (gbxlegacyfamily.cpp, gbxpluginfamily.cpp) call exactly these functions. The legacy
// hand-offs in gbxhandoffs.cpp call the legacy layer's interface; the plug-in hand-offs are in
// src/plugin/pluginhandoffs.cpp.
#pragma once

#include <cstdint>
#include <cstring>

#include "lrx/gbx.h"
#include "src/gbx/common/gbxmodel.h"

// The first 32-bit word of every legacy-file handle.
constexpr uint32_t GBX_LEGACY_TAG = 7531;

inline bool gbxIsLegacyFile(const GbxFile* file) {
    uint32_t tag = 0;
    if (file != nullptr) std::memcpy(&tag, file, sizeof tag);
    return tag == GBX_LEGACY_TAG;
}
inline bool gbxIsLegacyHeader(const GbxHeader* header) {
    return header != nullptr && header->legacyFile != nullptr;
}
bool gbxIsLegacyPath(const char* path);

int gbxLegacyOpen(const char* path, GbxHeader** header, GbxFile** file);
int gbxLegacyCreate(const char* path, GbxHeader* header, GbxFile** file);
int gbxLegacyFlush(GbxHeader* header);
int gbxLegacyClose(GbxHeader* header, GbxFile** file);
int gbxLegacyStaticWrite(GbxVector* vector, GbxFile* file, const void* data);
GbxVector* gbxLegacyStaticRead(GbxFile* file, int* code);
int gbxLegacyFindBlock(GbxHeader* header, GbxFile* file, int id);
// Positions the legacy file on time step t: 0, or 2001 when it cannot.
int gbxLegacyFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep);
// The current item of the current time step, count values (data may be null to pass over).
int gbxLegacyReadItem(GbxHeader* header, GbxFile* file, void* data, int count);
int gbxLegacyWriteItem(GbxHeader* header, GbxFile* file, const void* data, int count);
// True when the legacy file of the header was opened for reading only (a plug-in may serve it).
bool gbxLegacyIsReadOnly(const GbxHeader* header);

// Closes the legacy-family file the header belongs to, if any.
void gbxReleaseLegacyFile(GbxHeader* header);

// True while the header has a derived-item library loaded that is not already running.
bool gbxPluginActive(const GbxHeader* header);
// The library's gbxExtNewTimeStep and gbxExtReadItemTimeStep; the caller marks the header busy.
int gbxPluginNewTimeStep(GbxHeader* header, GbxFile* file);
int gbxPluginReadItem(GbxHeader* header, GbxFile* file, void* data);
// Unloads a derived-item library attached to the header, if any.
void gbxReleasePlugin(GbxHeader* header);

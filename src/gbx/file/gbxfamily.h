// The dispatch of the data-file calls to the family of files that serves them. Each family
// (native data files first, the legacy family second) is one table of operations; the calls
// choose a family once and call through its table instead of branching on the kind of file.
//
// Where the choice is kept: a file opened or created stays with the family of its path, and
// both its handles show it. A legacy file handle carries 7531 in its first 32-bit word, so
// that the calls given only a file (static items) find its family; a legacy header holds its
// legacy file (GbxHeader::legacyFile), so that the calls given only a header (flush, close,
// statistics) find it. While a header has a derived-item plug-in active, the plug-in family
// serves its calls and hands what it does not serve to the file's family.
//
// Every operation is called with handles that the exported call has checked, except where the
// table says otherwise; its result is the exported call's.
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/file/gbxposition.h"

// What a time-step read leaves for the exported call to finish: the code, and, once the
// position is to move on, the item read and the number of values in the caller's buffer (which
// are then converted to the caller's unit).
struct GbxReadOutcome {
    int code = 0;
    bool advance = false;
    const GbxItem* item = nullptr;
    int32_t count = 0;
};

struct GbxFamily {
    const char* name;
    // True for a path (to be opened or created), a file handle or a header of this family. The
    // native family is the one that serves what no other family claims.
    bool (*claimsPath)(const char* path);
    bool (*claimsFile)(const GbxFile* file);
    bool (*claimsHeader)(const GbxHeader* header);

    // Opens a file for reading and reads its header (gbxFileRead, after the path checks).
    int (*open)(const char* path, GbxHeader** header, GbxFile** file);
    // Creates a file from the header (gbxFileCreate, after the header check).
    int (*create)(const char* path, GbxHeader* header, GbxFile** file);
    // Writes the header back without closing, and closes. Handles not yet checked.
    int (*flush)(GbxHeader* header, GbxFile* file);
    int (*close)(GbxHeader* header, GbxFile** file);

    // Static items. Handles not yet checked.
    int (*staticWrite)(GbxVector* vector, GbxFile* file, const void* data);
    GbxVector* (*staticRead)(GbxFile* file, int* code);

    // The next item of the current time step, written, read (data null: passed over) or skipped.
    int (*writeItem)(GbxHeader* header, GbxFile* file, double time, const void* data);
    GbxReadOutcome (*readItem)(GbxHeader* header, GbxFile* file, void* data, double* time);
    int (*skipItem)(GbxHeader* header, GbxFile* file);

    // Positioning: just past a section marker (GBX_TAG_STATICS or GBX_TAG_TIME_STEPS), on a
    // time step (in range), on an item of a time step (both in range); and the file's part of
    // a saved position (the header's part is saved by the caller).
    int (*findSection)(GbxHeader* header, GbxFile* file, int tag);
    int (*findTimeStep)(GbxHeader* header, GbxFile* file, int timeStep);
    int (*findItem)(GbxHeader* header, GbxFile* file, int timeStep, int itemNo);
    int (*savePosition)(GbxHeader* header, GbxFile* file, GbxSavedPosition* saved);
    int (*restorePosition)(GbxHeader* header, GbxFile* file, const GbxSavedPosition& saved);

    // Whether the family keeps item statistics per element (gbxGetItemStats).
    bool keepsStatistics;
};

extern const GbxFamily gbxNativeFamily;
extern const GbxFamily gbxLegacyFamily;
extern const GbxFamily gbxPluginFamily;

// The predicates of a family that is never chosen by its path, file or header.
bool gbxClaimsNoPath(const char* path);
bool gbxClaimsNoFile(const GbxFile* file);
bool gbxClaimsNoHeader(const GbxHeader* header);

// The family of a path to be opened or created.
const GbxFamily& gbxFamilyOfPath(const char* path);
// The family of a file handle (null: native).
const GbxFamily& gbxFamilyOfFile(const GbxFile* file);
// The family of the file a header was opened or created with (null or a new header: native).
const GbxFamily& gbxFamilyOfHeader(const GbxHeader* header);
// The family that serves a call on a header and its file: the plug-in family while the header
// has a plug-in active, else the family of the file.
const GbxFamily& gbxFamilyOf(const GbxHeader* header, const GbxFile* file);

// ---- The native family's operations, each in the module of its call ----------------------

int gbxNativeOpen(const char* path, GbxHeader** header, GbxFile** file);
int gbxNativeCreate(const char* path, GbxHeader* header, GbxFile** file);
int gbxNativeFlush(GbxHeader* header, GbxFile* file);
int gbxNativeClose(GbxHeader* header, GbxFile** file);
int gbxNativeStaticWrite(GbxVector* vector, GbxFile* file, const void* data);
GbxVector* gbxNativeStaticRead(GbxFile* file, int* code);
int gbxNativeWriteItem(GbxHeader* header, GbxFile* file, double time, const void* data);
GbxReadOutcome gbxNativeReadItem(GbxHeader* header, GbxFile* file, void* data, double* time);
int gbxNativeSkipItem(GbxHeader* header, GbxFile* file);
int gbxNativeFindSection(GbxHeader* header, GbxFile* file, int tag);
int gbxNativeFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep);
int gbxNativeFindItem(GbxHeader* header, GbxFile* file, int timeStep, int itemNo);
int gbxNativeSavePosition(GbxHeader* header, GbxFile* file, GbxSavedPosition* saved);
int gbxNativeRestorePosition(GbxHeader* header, GbxFile* file, const GbxSavedPosition& saved);

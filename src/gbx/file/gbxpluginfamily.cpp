// The plug-in family's table of operations: while a header has a derived-item library active,
// the library serves the reads and skips of its items, and every other call goes to the family
// of the file underneath. The busy flag sends the library's own calls of the data-file API
// down that family too. Calls the plug-in hand-offs and the item counts.
#include <cstdint>

#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/time/gbxtimestep.h"

namespace {

// Tells the library of a time step that begins; its own calls may move the header's position,
// which is put back.
int announceTimeStep(GbxHeader* header, GbxFile* file) {
    if (header->currentItem != 0) return 0;
    const int32_t timeStep = header->currentTimeStep;
    const int code = gbxPluginNewTimeStep(header, file);
    header->currentItem = 0;
    header->currentTimeStep = timeStep;
    return code;
}

// The time is what the library's own calls left in the header.
GbxReadOutcome readItem(GbxHeader* header, GbxFile* file, void* data, double* time) {
    GbxReadOutcome outcome;
    const int index = header->currentItem;
    header->plugin.busy = 1;
    outcome.code = announceTimeStep(header, file);
    if (outcome.code == 0) outcome.code = gbxPluginReadItem(header, file, data);
    *time = header->currentTime;
    header->plugin.busy = 0;
    outcome.advance = true;
    // The caller's buffer holds the current item's values: converting the count of another item
    // (item 1) would run past it when the items differ in size.
    if (index >= 0 && index < header->noOfItems && header->items != nullptr) {
        const GbxItem* item = &header->items[index];
        const int64_t count = gbxItemElements64(item, header, false);
        if (count > 0 && count <= INT32_MAX) {
            outcome.item = item;
            outcome.count = static_cast<int32_t>(count);
        }
    }
    return outcome;
}

// The library is told of each new time step; the underlying file is not touched here.
int skipItem(GbxHeader* header, GbxFile* file) {
    header->plugin.busy = 1;
    const int code = announceTimeStep(header, file);
    gbxAdvanceItem(header);
    header->plugin.busy = 0;
    return code;
}

// ---- What the family underneath serves ------------------------------------------------------

const GbxFamily& below(const GbxFile* file) {
    return gbxFamilyOfFile(file);
}

int openByPath(const char* path, GbxHeader** header, GbxFile** file) {
    return gbxFamilyOfPath(path).open(path, header, file);
}

int createByPath(const char* path, GbxHeader* header, GbxFile** file) {
    return gbxFamilyOfPath(path).create(path, header, file);
}

int flush(GbxHeader* header, GbxFile* file) {
    return gbxFamilyOfHeader(header).flush(header, file);
}

int closeBelow(GbxHeader* header, GbxFile** file) {
    return gbxFamilyOfHeader(header).close(header, file);
}

int staticWrite(GbxVector* vector, GbxFile* file, const void* data) {
    return below(file).staticWrite(vector, file, data);
}

GbxVector* staticRead(GbxFile* file, int* code) {
    return below(file).staticRead(file, code);
}

int writeItem(GbxHeader* header, GbxFile* file, double time, const void* data) {
    return below(file).writeItem(header, file, time, data);
}

int findSection(GbxHeader* header, GbxFile* file, int tag) {
    return below(file).findSection(header, file, tag);
}

int findTimeStep(GbxHeader* header, GbxFile* file, int timeStep) {
    return below(file).findTimeStep(header, file, timeStep);
}

int findItem(GbxHeader* header, GbxFile* file, int timeStep, int itemNo) {
    return below(file).findItem(header, file, timeStep, itemNo);
}

int savePosition(GbxHeader* header, GbxFile* file, GbxSavedPosition* saved) {
    return below(file).savePosition(header, file, saved);
}

int restorePosition(GbxHeader* header, GbxFile* file, const GbxSavedPosition& saved) {
    return below(file).restorePosition(header, file, saved);
}

}  // namespace

const GbxFamily gbxPluginFamily = {
    .name = "plug-in",
    .claimsPath = gbxClaimsNoPath,
    .claimsFile = gbxClaimsNoFile,
    .claimsHeader = gbxClaimsNoHeader,
    .open = openByPath,
    .create = createByPath,
    .flush = flush,
    .close = closeBelow,
    .staticWrite = staticWrite,
    .staticRead = staticRead,
    .writeItem = writeItem,
    .readItem = readItem,
    .skipItem = skipItem,
    .findSection = findSection,
    .findTimeStep = findTimeStep,
    .findItem = findItem,
    .savePosition = savePosition,
    .restorePosition = restorePosition,
    .keepsStatistics = true,
};

// Positioning in a data file: the search for the static and dynamic section markers, and the
// moves to a time step, to an item of a time step and to a static item. A native file moves by
// skipping over short distances and by measuring one time step and seeking over the rest for
// long ones. Calls the block entrance's element query and skip, the record stream's seek and
// tell, the time-step skips, the static-item reader, the family dispatch, the handle checks
// and the call trace.
#include "src/gbx/file/gbxposition.h"

#include <cstdint>

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxposition";

// From this many time steps on, a forward move measures one time step and seeks over the rest.
constexpr int kJumpThreshold = 5;

int checkHandles(GbxHeader* header, GbxFile* file) {
    int code = gbxCheckHeader(header, kModule, __LINE__);
    if (code == 0) code = gbxCheckFile(file, kModule, __LINE__);
    return code;
}

void resetPosition(GbxHeader* header) {
    header->currentItem = 0;
    header->currentTimeStep = 0;
}

// The number of time steps that a position may name; none without a time axis.
int32_t timeStepCount(const GbxHeader* header) {
    switch (header->timeAxisType) {
        case F_TM_EQ_AXIS:
        case F_TM_NEQ_AXIS:
        case F_CAL_EQ_AXIS:
        case F_CAL_NEQ_AXIS:
            return header->timeAxis.noOfTimeSteps;
        default:
            return 0;
    }
}

bool timeStepInRange(const GbxHeader* header, int timeStep) {
    return timeStep >= 0 && timeStep < timeStepCount(header);
}

int skipTimeSteps(GbxHeader* header, GbxFile* file, int64_t count) {
    int code = 0;
    for (int64_t i = 0; i < count && code == 0; ++i)
        code = gbxSkipTimeStep(header, file);
    return code;
}

int skipItems(GbxHeader* header, GbxFile* file, int64_t count) {
    int code = 0;
    for (int64_t i = 0; i < count && code == 0; ++i)
        code = gbxSkipItem(header, file);
    return code;
}

// Every time step of the file types that can be read takes the same bytes: one time step is
// measured by skipping it, and the rest is crossed with one relative seek.
int jumpForward(GbxHeader* header, GbxFile* file, int timeStep) {
    if (header->currentItem > 0) {
        if (const int code = gbxSkipTimeStep(header, file)) return code;
    }
    const int64_t before = lrxTell64(file);
    const int code = gbxSkipTimeStep(header, file);
    const int64_t after = lrxTell64(file);
    // A failed measurement gives no size to seek by: the file stays after the measured step.
    if (code != 0) return code;
    if (before < 0 || after < before) return GBX_REPORT(header, file, nullptr, F_ERR_SEEK);
    const int64_t remaining = static_cast<int64_t>(timeStep) - header->currentTimeStep;
    int64_t distance = 0;
    if (__builtin_mul_overflow(remaining, after - before, &distance))
        return GBX_REPORT(header, file, nullptr, F_ERR_SEEK);
    lrxSeek64(file, distance, 1);
    header->currentTimeStep = timeStep;
    header->currentItem = 0;
    return 0;
}

// From the current time step (possibly within it) to the start of a later time step.
int goForward(GbxHeader* header, GbxFile* file, int timeStep) {
    const int64_t distance = static_cast<int64_t>(timeStep) - header->currentTimeStep;
    if (distance < kJumpThreshold) return skipTimeSteps(header, file, distance);
    return jumpForward(header, file, timeStep);
}

// The exported section searches: the family moves the file, the position starts afresh.
int findSection(const char* name, GbxHeader* header, GbxFile* file, int tag) {
    GbxCall call(name);
    int code = checkHandles(header, file);
    if (code == 0) code = gbxFamilyOf(header, file).findSection(header, file, tag);
    if (code == 0) resetPosition(header);
    return call.result(code);
}

// The time step from the start of the dynamic section.
int findFromStart(GbxHeader* header, GbxFile* file, int timeStep) {
    if (const int code = gbxFindBlockDynamic(header, file)) return code;
    return goForward(header, file, timeStep);
}

}  // namespace

int gbxNativeFindItem(GbxHeader* header, GbxFile* file, int timeStep, int itemNo) {
    const int wantedItem = itemNo - 1;
    if (file->positionState == GBX_IN_TIME_STEPS) {
        if (header->currentTimeStep == timeStep && header->currentItem <= wantedItem)
            return skipItems(header, file, wantedItem - header->currentItem);
        if (header->currentTimeStep < timeStep) {
            if (const int code = goForward(header, file, timeStep)) return code;
            return skipItems(header, file, wantedItem);
        }
    }
    if (const int code = findFromStart(header, file, timeStep)) return code;
    return skipItems(header, file, wantedItem);
}

int gbxNativeFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep) {
    if (file->positionState == GBX_IN_TIME_STEPS) {
        if (header->currentTimeStep == timeStep && header->currentItem == 0) return 0;
        if (header->currentTimeStep < timeStep) return goForward(header, file, timeStep);
    }
    return findFromStart(header, file, timeStep);
}

int gbxNativeFindSection(GbxHeader*, GbxFile* file, int tag) {
    // Before the static section the file stands where it begins: nothing to search.
    if (tag == GBX_TAG_STATICS && file->positionState < GBX_IN_STATICS) return 0;
    return gbxFindBlock(file, tag);
}

int gbxSavePosition(GbxHeader* header, GbxFile* file, GbxSavedPosition* saved) {
    *saved = {0, 0, 0, 0, header->currentTimeStep, header->currentItem, header->currentTime};
    return gbxFamilyOfFile(file).savePosition(header, file, saved);
}

int gbxRestorePosition(GbxHeader* header, GbxFile* file, const GbxSavedPosition& saved) {
    header->currentTimeStep = saved.timeStep;
    header->currentItem = saved.item;
    header->currentTime = saved.time;
    return gbxFamilyOfFile(file).restorePosition(header, file, saved);
}

int gbxNativeSavePosition(GbxHeader* header, GbxFile* file, GbxSavedPosition* saved) {
    saved->errorCode = file->errorCode;
    saved->positionState = file->positionState;
    saved->dynamicSectionDue = file->dynamicSectionDue;
    saved->offset = lrxTell64(file);
    if (saved->offset < 0) return GBX_REPORT(header, file, nullptr, F_ERR_SEEK);
    return 0;
}

int gbxNativeRestorePosition(GbxHeader* header, GbxFile* file, const GbxSavedPosition& saved) {
    file->errorCode = 0;
    lrxSeek64(file, saved.offset, 0);
    if (lrxPeekError(file) != 0) return GBX_REPORT(header, file, nullptr, F_ERR_SEEK);
    file->errorCode = saved.errorCode;
    file->positionState = saved.positionState;
    file->dynamicSectionDue = saved.dynamicSectionDue;
    return 0;
}

int gbxFindBlock(GbxFile* file, int id) {
    if (const int code = gbxCheckFile(file, kModule, __LINE__)) return code;
    // Records passed over without reading are walked by the search instead.
    file->pendingSkip = 0;
    const bool behind = (id == GBX_TAG_STATICS && file->positionState >= GBX_IN_STATICS) ||
                        (id == GBX_TAG_TIME_STEPS && file->positionState == GBX_IN_TIME_STEPS);
    if (behind) {
        lrxSeekAppBase(file);
        file->positionState = GBX_IN_HEADER;
    }
    for (;;) {
        if (file->errorCode != 0) return file->errorCode;
        int32_t countOrId = 0;
        const int type = gbxQueryElement(file, &countOrId);
        // The end of the file (recorded in the file as 1) ends the search without a result.
        if (type == LRX_UNKNOWN) return 0;
        if (type == LRX_BLOCK && countOrId == GBX_TAG_STATICS) file->positionState = GBX_IN_STATICS;
        if (type == LRX_BLOCK && countOrId == GBX_TAG_TIME_STEPS) file->positionState = GBX_IN_TIME_STEPS;
        gbxSkipElement(file, type);
        if (type == LRX_BLOCK && countOrId == id) return file->errorCode;
    }
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxFindBlockDynamic(GbxHeader* header, GbxFile* file) {
    return findSection("gbxFindBlockDynamic", header, file, GBX_TAG_TIME_STEPS);
}

LRX_EXPORT int LRX_CALL gbxFindBlockStatic(GbxHeader* header, GbxFile* file) {
    return findSection("gbxFindBlockStatic", header, file, GBX_TAG_STATICS);
}

LRX_EXPORT int LRX_CALL gbxFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep) {
    GbxCall call("gbxFindTimeStep %d", timeStep);
    if (const int code = checkHandles(header, file)) return call.result(code);
    if (!timeStepInRange(header, timeStep)) return call.result(F_ERR_STEP_RANGE);
    return call.result(gbxFamilyOf(header, file).findTimeStep(header, file, timeStep));
}

LRX_EXPORT int LRX_CALL gbxFindItemDynamic(GbxHeader* header, GbxFile* file, int timeStep, int itemNo) {
    GbxCall call("gbxFindItemDynamic %d %d", timeStep, itemNo);
    if (const int code = checkHandles(header, file)) return call.result(code);
    if (!timeStepInRange(header, timeStep)) return call.result(F_ERR_STEP_RANGE);
    if (itemNo < 1 || itemNo > header->noOfItems) return call.result(F_ERR_ITEM_RANGE);
    return call.result(gbxFamilyOf(header, file).findItem(header, file, timeStep, itemNo));
}

LRX_EXPORT int LRX_CALL gbxFindItemStatic(GbxHeader* header, GbxFile* file, int itemNo) {
    GbxCall call("gbxFindItemStatic %d", itemNo);
    if (const int code = checkHandles(header, file)) return call.result(code);
    if (itemNo < 1) return call.result(F_ERR_ITEM_RANGE);
    if (const int code = gbxFindBlockStatic(header, file)) return call.result(code);
    for (int i = 1; i < itemNo; ++i) {
        int code = 0;
        GbxVector* vector = gbxStaticRead(file, &code);
        if (vector == nullptr) return call.result(code != 0 ? code : F_ERR_ITEM_RANGE);
        gbxStaticDestroy(&vector);
    }
    return call.result(0);
}

}  // extern "C"

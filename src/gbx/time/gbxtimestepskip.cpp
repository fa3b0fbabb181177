// Passing over dynamic data without reading it: one item (its record's size is known from the
// item's definition, so the record is skipped without reading its head) or the rest of a time
// step, and the native family's part of it. Calls the time-step checks and head, the
// positioning search, the checked record pass-over, the family dispatch, the dispatcher and
// the call trace.
#include <cstdint>

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxrecordio.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/time/gbxtimestep.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxtimestep";

// Element coordinates of time-varying geometry: an x, y, z float triple per element.
constexpr int kCoordinateBytes = 3 * 4;

bool isKnownFileType(int fileType) {
    switch (fileType) {
        case F_EQTIME_FIXEDSPACE_ALLITEMS:
        case F_EQTIME_TVARSPACE_ALLITEMS:
        case F_NEQTIME_FIXEDSPACE_ALLITEMS:
        case F_NEQTIME_FIXEDSPACE_VARITEMS:
        case F_NEQTIME_TVARSPACE_VARITEMS:
            return true;
        default:
            return false;
    }
}

bool hasTimeVaryingGeometry(int fileType) {
    return fileType == F_EQTIME_TVARSPACE_ALLITEMS || fileType == F_NEQTIME_TVARSPACE_VARITEMS;
}

// The item order of file types 8 and 16 is free: their position does not follow the items.
bool positionFollowsItems(int fileType) {
    return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_EQTIME_TVARSPACE_ALLITEMS ||
           fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS;
}

// Adds the item's records to the file's pending skip, each with its real size: the values'
// own size (8 bytes for doubles), not 4 bytes a value.
int passOverRecords(GbxHeader* header, GbxFile* file, const GbxStepItem& step) {
    if (hasTimeVaryingGeometry(header->fileType)) gbxPassOverRecord(file, step.storedCount, kCoordinateBytes);
    return gbxPassOverRecord(file, step.storedCount, step.valueSize);
}

}  // namespace

int gbxNativeSkipItem(GbxHeader* header, GbxFile* file) {
    GbxStepItem step{};
    int code = gbxCheckFileTypeMask(header, GBX_MASK_ALL_FILE_TYPES, kModule, __LINE__);
    if (code == 0) code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__);
    // A combination of file-type flags has no layout to pass over: refused before the file moves.
    if (code == 0 && !isKnownFileType(header->fileType)) code = GBX_REPORT(header, file, nullptr, F_ERR_DATA);
    if (code != 0) return code;
    if (file->positionState < GBX_IN_TIME_STEPS) {
        // Finding the dynamic section starts the position afresh at time step 0, item 0.
        if ((code = gbxFindBlockDynamic(header, file)) != 0) return code;
        if (header->currentItem != step.index &&
            (code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__)) != 0)
            return code;
    }
    if (header->currentItem == 0) code = gbxReadTimeStepHead(header, file);
    if (code == 0) code = passOverRecords(header, file, step);
    if (positionFollowsItems(header->fileType)) gbxAdvanceItem(header);
    return code;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxSkipItem(GbxHeader* header, GbxFile* file) {
    GbxCall call("gbxSkipItem");
    int code = gbxCheckHeaderFile(header, file, kModule, __LINE__);
    if (code != 0) return call.result(code);
    return call.result(gbxFamilyOf(header, file).skipItem(header, file));
}

LRX_EXPORT int LRX_CALL gbxSkipTimeStep(GbxHeader* header, GbxFile* file) {
    GbxCall call("gbxSkipTimestep");
    int code = gbxCheckHeaderFile(header, file, kModule, __LINE__);
    if (code == 0) code = gbxCheckFileTypeMask(header, GBX_MASK_SKIP_TIME_STEP, kModule, __LINE__);
    if (code != 0) return call.result(code);
    do {
        code = gbxSkipItem(header, file);
    } while (code == 0 && header->currentItem != 0);
    return call.result(code);
}

}  // extern "C"

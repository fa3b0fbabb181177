// Writing and reading the dynamic data of a data file one item at a time, and the native
// family's part of it: the dynamic-section marker, the time-step heads, unit conversion on a
// copy (write) or in place (read), packing and expanding compressed grids, and the statistics
// update after each write. Calls the time-step checks and head, the grid compression, the
// statistics, the positioning search, the checked record operations, the family dispatch, the
// dispatcher and the call trace.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxrecordio.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/common/gbxvalueunits.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/items/gbxcompressgrid.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/items/gbxitemstats.h"
#include "src/gbx/time/gbxtimestep.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxtimestep";

bool isSixteenBit(int dataType) {
    return dataType == LRX_INT2 || dataType == LRX_UINT2;
}

// Items of a file with encoding keys are stored at the keys' length. 16-bit integers have no
// delete value for the cells that no key names, so such items cannot be stored that way.
int refuseCompressedSixteenBit(GbxHeader* header, GbxFile* file, const GbxStepItem& step) {
    const bool keyed = header->encodeKeyRef != nullptr && header->encodeKeySize >= 1;
    if (isSixteenBit(step.dataType) && keyed) return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    return 0;
}

// ---- Writing -------------------------------------------------------------------------------

// The first time of a non-equidistant axis is its start (or calendar start offset).
void storeAxisStart(GbxHeader* header, double time) {
    if (header->timeAxisType == F_TM_NEQ_AXIS || header->timeAxisType == F_CAL_NEQ_AXIS) header->timeAxis.start = time;
}

// The dynamic-section marker before the first item, the head of a time step before its first
// item, then the item's record and the statistics over the values as stored.
int writeRecords(GbxHeader* header, GbxFile* file, double time, const GbxStepItem& step, const void* values) {
    int code = 0;
    if (file->positionState < GBX_IN_TIME_STEPS || file->dynamicSectionDue != 0) {
        if ((code = gbxCheckWriteLB(GBX_TAG_TIME_STEPS, nullptr, file, kModule, __LINE__)) != 0) return code;
        file->positionState = GBX_IN_TIME_STEPS;
        file->dynamicSectionDue = 0;
    }
    if (header->currentItem == 0) {
        if (header->currentTimeStep == 0) storeAxisStart(header, time);
        if ((code = gbxWriteTimeStepHead(header, file, time)) != 0) return code;
    }
    code = gbxCheckWriteLR(step.dataType, step.storedCount, values, file, kModule, __LINE__);
    if (code != 0) return code;
    return gbxCalcStatistics(header, step.index + 1, values);
}

// ---- Reading -------------------------------------------------------------------------------

// Reads the item's record into values. A record that holds fewer values than the item is
// damaged: the values it leaves out get the delete value, never what the buffer held, and the
// read gives 2013.
int readRecord(GbxHeader* header, GbxFile* file, const GbxStepItem& step, void* values) {
    int32_t read = 0;
    const int code = gbxCheckReadLR(step.dataType, step.storedCount, values, file, kModule, __LINE__, &read);
    if (code != 0 || read >= step.storedCount) return code;
    auto* missing = static_cast<unsigned char*>(values) + static_cast<std::size_t>(read) * step.valueSize;
    gbxFillDeleteValues(header, step.dataType, missing, step.storedCount - read);
    return GBX_REPORT(header, file, step.item, F_ERR_SIZE);
}

// Reads the stored values into a scratch array and expands them into the caller's full grid.
int readCompressed(GbxHeader* header, GbxFile* file, const GbxStepItem& step, void* data) {
    GbxBuffer packed;
    int code = gbxAllocateStepValues(packed, step);
    if (code != 0) return code;
    code = readRecord(header, file, step, packed.get());
    if (code != 0 && code != F_ERR_SIZE) return code;
    const int expanded = gbxExpandStepValues(header, file, step, packed.get(), data);
    return code != 0 ? code : expanded;
}

// The head at the start of a time step, then the item's record: read whole, read and expanded,
// or passed over when there is no buffer.
int readRecords(GbxHeader* header, GbxFile* file, const GbxStepItem& step, void* data, double* time) {
    if (header->currentItem == 0) {
        if (const int code = gbxReadTimeStepHead(header, file)) return code;
    }
    *time = header->currentTime;
    if (data == nullptr) return gbxCheckSkipLR(file, kModule, __LINE__);
    if (step.storedCount == step.callerCount) return readRecord(header, file, step, data);
    return readCompressed(header, file, step, data);
}

}  // namespace

// A refused item leaves the position where it was; once writing has begun the position moves
// on, also when the write failed.
int gbxNativeWriteItem(GbxHeader* header, GbxFile* file, double time, const void* data) {
    GbxStepItem step{};
    int code = gbxCheckItemTypeCount(header, file, GBX_MASK_READ_WRITE, -1, &step, kModule, __LINE__);
    if (code != 0) return code;
    if (data == nullptr) return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    if ((code = refuseCompressedSixteenBit(header, file, step)) != 0) return code;
    GbxOutgoingValues out;
    if ((code = gbxPrepareOutgoingValues(header, file, step, data, out)) != 0) return code;
    code = writeRecords(header, file, time, step, out.values);
    gbxAdvanceItem(header);
    return code;
}

GbxReadOutcome gbxNativeReadItem(GbxHeader* header, GbxFile* file, void* data, double* time) {
    GbxReadOutcome outcome;
    GbxStepItem step{};
    outcome.code = gbxCheckItemTypeCount(header, file, GBX_MASK_READ_WRITE, -1, &step, kModule, __LINE__);
    if (outcome.code == 0) outcome.code = refuseCompressedSixteenBit(header, file, step);
    if (outcome.code != 0) return outcome;
    if (file->positionState < GBX_IN_TIME_STEPS) {
        // Finding the dynamic section starts the position afresh at time step 0, item 0. The
        // caller sized its buffer for the item it asked for: a read never hands it another.
        if ((outcome.code = gbxFindBlockDynamic(header, file)) != 0) return outcome;
        if (header->currentItem != step.index) {
            outcome.code = GBX_REPORT(header, file, step.item, F_ERR_DATA);
            return outcome;
        }
    }
    outcome.code = readRecords(header, file, step, data, time);
    outcome.advance = true;
    outcome.item = step.item;
    outcome.count = step.callerCount;
    return outcome;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxWriteItemTimeStep(GbxHeader* header, GbxFile* file, double time, const void* data) {
    if (gbxWriteItemQuickly(header, file, time, data)) return 0;
    GbxCall call("gbxWriteItemTimeStep %lf", time);
    int code = gbxCheckHeaderFile(header, file, kModule, __LINE__);
    if (code == 0) code = gbxFamilyOf(header, file).writeItem(header, file, time, data);
    return call.result(code);
}

LRX_EXPORT int LRX_CALL gbxReadItemTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data) {
    if (gbxReadItemQuickly(header, file, time, data)) return 0;
    GbxCall call("gbxReadItemTimeStep");
    if (const int code = gbxCheckHeaderFile(header, file, kModule, __LINE__)) return call.result(code);
    double stepTime = header->deleteValueDouble;
    const GbxReadOutcome outcome = gbxFamilyOf(header, file).readItem(header, file, data, &stepTime);
    if (outcome.advance) {
        // A plug-in's own reads hand it values in the item's unit.
        const bool convert =
            outcome.code == 0 && data != nullptr && outcome.item != nullptr && header->plugin.busy == 0;
        if (convert)
            gbxConvertValues(outcome.item, data, outcome.count, gbxDeleteValuesOf(header), GbxValueDirection::ToCaller);
        gbxAdvanceItem(header);
    }
    if (time != nullptr) *time = stepTime;
    return call.result(outcome.code);
}

}  // extern "C"

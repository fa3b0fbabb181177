// Writing and reading the dynamic data of a data file one item at a time: the dynamic-section
// marker, the time-step heads, unit conversion on a copy (write) or in place (read), packing
// and expanding compressed grids, the statistics update after each write, and the detours of
// legacy files and derived-item plug-ins. Calls the time-step checks and head, the grid
// compression, the statistics, the positioning search, the checked record operations, the
// legacy and plug-in hand-offs, the dispatcher and the call trace.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "src/gbx/gbxalloc.h"
#include "src/gbx/gbxblock.h"
#include "src/gbx/gbxcheck.h"
#include "src/gbx/gbxcompressgrid.h"
#include "src/gbx/gbxhandoffs.h"
#include "src/gbx/gbxitem.h"
#include "src/gbx/gbxitemstats.h"
#include "src/gbx/gbxrecordio.h"
#include "src/gbx/gbxtimestep.h"
#include "src/gbx/gbxtrace.h"
#include "src/gbx/gbxvalueunits.h"
#include "src/lrx/lrxfile.h"

namespace {

constexpr const char* kModule = "gbxtimestep";

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};
using Buffer = std::unique_ptr<void, FreeDeleter>;

GbxDeleteValues deleteValuesOf(const GbxHeader* header) {
    return {header->deleteValueFloat, header->deleteValueDouble};
}

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

int allocate(Buffer& buffer, int32_t count, int valueSize) {
    void* memory = nullptr;
    const int code = gbxCheckAlloc(&memory, static_cast<std::size_t>(count) * static_cast<std::size_t>(valueSize),
                                   kModule, __LINE__);
    buffer.reset(memory);
    return code;
}

// ---- Writing -------------------------------------------------------------------------------

// The values of one item as they go to the file: the caller's, or a converted copy of them,
// packed when the file stores fewer values than the caller gives.
struct OutgoingValues {
    Buffer converted;
    Buffer packed;
    const void* values = nullptr;
};

int prepareValues(GbxHeader* header, GbxFile* file, const GbxStepItem& step, const void* data, OutgoingValues& out) {
    int code = 0;
    out.converted.reset(
        gbxCopyFromCallerUnit(step.item, data, step.callerCount, deleteValuesOf(header), &code, kModule, __LINE__));
    if (code != 0) return code;
    out.values = out.converted != nullptr ? out.converted.get() : data;
    if (step.storedCount == step.callerCount) return 0;
    if ((code = allocate(out.packed, step.storedCount, step.valueSize)) != 0) return code;
    // Packing reads the caller's grid at every key position: a grid that does not hold them all
    // is refused before anything is written.
    if (gbxPackGrid(header, step.item, step.dataType, out.values, out.packed.get()) != 0)
        return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    out.values = out.packed.get();
    return 0;
}

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

// A refused item leaves the position where it was; once writing has begun the position moves
// on, also when the write failed.
int writeNative(GbxHeader* header, GbxFile* file, double time, const void* data) {
    GbxStepItem step{};
    int code = gbxCheckItemTypeCount(header, file, GBX_MASK_READ_WRITE, -1, &step, kModule, __LINE__);
    if (code != 0) return code;
    if (data == nullptr) return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    if ((code = refuseCompressedSixteenBit(header, file, step)) != 0) return code;
    OutgoingValues out;
    if ((code = prepareValues(header, file, step, data, out)) != 0) return code;
    code = writeRecords(header, file, time, step, out.values);
    gbxAdvanceItem(header);
    return code;
}

// The legacy layer keeps its own record position; the header's position still moves, so that
// each item is converted and counted by its own definition.
int writeLegacy(GbxHeader* header, GbxFile* file, const void* data) {
    GbxStepItem step{};
    int code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__);
    if (code != 0) return code;
    if (data == nullptr) return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    OutgoingValues out;
    if ((code = prepareValues(header, file, step, data, out)) != 0) return code;
    code = gbxLegacyWriteItem(header, file, out.values, step.storedCount) == 0 ? 0 : F_ERR_WRITE;
    gbxAdvanceItem(header);
    return code;
}

// ---- Reading -------------------------------------------------------------------------------

// What a read leaves for the common end: the code, and, once the position is to move on, the
// item read and the count of values in the caller's buffer.
struct ReadOutcome {
    int code = 0;
    bool advance = false;
    const GbxItem* item = nullptr;
    int32_t count = 0;
};

// The plug-in serves the item; the busy flag sends its own calls of the library down the
// ordinary path. The time is what those calls left in the header.
ReadOutcome readPlugin(GbxHeader* header, GbxFile* file, void* data, double* time) {
    ReadOutcome outcome;
    const int index = header->currentItem;
    header->plugin.busy = 1;
    if (header->currentItem == 0) {
        const int32_t timeStep = header->currentTimeStep;
        outcome.code = gbxPluginNewTimeStep(header, file);
        header->currentItem = 0;
        header->currentTimeStep = timeStep;
    }
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

// Spreads the stored values over the caller's full grid.
int expandInto(GbxHeader* header, GbxFile* file, const GbxStepItem& step, const void* packed, void* data) {
    if (gbxExpandGrid(header, step.item, step.dataType, packed, data) != 0)
        return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    return 0;
}

ReadOutcome readLegacy(GbxHeader* header, GbxFile* file, void* data, double* time) {
    ReadOutcome outcome;
    GbxStepItem step{};
    if ((outcome.code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__)) != 0) return outcome;
    if (data != nullptr && step.storedCount != step.callerCount) {
        Buffer packed;
        if ((outcome.code = allocate(packed, step.storedCount, step.valueSize)) != 0) return outcome;
        outcome.code = gbxLegacyReadItem(header, file, packed.get(), step.storedCount);
        if (outcome.code == 0) outcome.code = expandInto(header, file, step, packed.get(), data);
    } else {
        outcome.code = gbxLegacyReadItem(header, file, data, step.storedCount);
    }
    header->currentTime = header->currentTimeStep;
    *time = header->currentTime;
    outcome.advance = true;
    outcome.item = step.item;
    outcome.count = step.callerCount;
    return outcome;
}

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
    Buffer packed;
    int code = allocate(packed, step.storedCount, step.valueSize);
    if (code != 0) return code;
    code = readRecord(header, file, step, packed.get());
    if (code != 0 && code != F_ERR_SIZE) return code;
    const int expanded = expandInto(header, file, step, packed.get(), data);
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

ReadOutcome readNative(GbxHeader* header, GbxFile* file, void* data, double* time) {
    ReadOutcome outcome;
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

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL gbxWriteItemTimeStep(GbxHeader* header, GbxFile* file, double time, const void* data) {
    GbxCall call("gbxWriteItemTimeStep %lf", time);
    int code = gbxCheckHeaderFile(header, file, kModule, __LINE__);
    if (code == 0)
        code = gbxIsLegacyFile(file) ? writeLegacy(header, file, data) : writeNative(header, file, time, data);
    return call.result(code);
}

LRX_EXPORT int LRX_CALL gbxReadItemTimeStep(GbxHeader* header, GbxFile* file, double* time, void* data) {
    GbxCall call("gbxReadItemTimeStep");
    if (const int code = gbxCheckHeaderFile(header, file, kModule, __LINE__)) return call.result(code);
    double stepTime = header->deleteValueDouble;
    ReadOutcome outcome;
    if (gbxPluginActive(header))
        outcome = readPlugin(header, file, data, &stepTime);
    else if (gbxIsLegacyFile(file))
        outcome = readLegacy(header, file, data, &stepTime);
    else
        outcome = readNative(header, file, data, &stepTime);
    if (outcome.advance) {
        // A plug-in's own reads hand it values in the item's unit.
        const bool convert =
            outcome.code == 0 && data != nullptr && outcome.item != nullptr && header->plugin.busy == 0;
        if (convert)
            gbxConvertValues(outcome.item, data, outcome.count, deleteValuesOf(header), GbxValueDirection::ToCaller);
        gbxAdvanceItem(header);
    }
    if (time != nullptr) *time = stepTime;
    return call.result(outcome.code);
}

}  // extern "C"

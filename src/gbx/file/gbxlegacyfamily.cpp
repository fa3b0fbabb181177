// The legacy family's table of operations: how the data-file calls hand a file of the older
// fixed-layout family to the legacy layer. Everything the legacy layer does happens behind the
// hand-off functions of gbxhandoffs.h; what stays here keeps the header's time-step position,
// converts and packs item values and expands them again, exactly as for a native file. Calls
// the hand-offs, the time-step pieces and the item skip.
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxfamily.h"
#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/time/gbxtimestep.h"

namespace {

// The time-step calls report from their own module, whichever family serves them.
constexpr const char* kModule = "gbxtimestep";

int flush(GbxHeader* header, GbxFile*) {
    return gbxLegacyFlush(header);
}

// The legacy layer keeps its own record position; the header's position still moves, so that
// each item is converted and counted by its own definition.
int writeItem(GbxHeader* header, GbxFile* file, double, const void* data) {
    GbxStepItem step{};
    int code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__);
    if (code != 0) return code;
    if (data == nullptr) return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    GbxOutgoingValues out;
    if ((code = gbxPrepareOutgoingValues(header, file, step, data, out)) != 0) return code;
    code = gbxLegacyWriteItem(header, file, out.values, step.storedCount) == 0 ? 0 : F_ERR_WRITE;
    gbxAdvanceItem(header);
    return code;
}

// The time of a legacy time step is its index.
GbxReadOutcome readItem(GbxHeader* header, GbxFile* file, void* data, double* time) {
    GbxReadOutcome outcome;
    GbxStepItem step{};
    if ((outcome.code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__)) != 0) return outcome;
    if (data != nullptr && step.storedCount != step.callerCount) {
        GbxBuffer packed;
        if ((outcome.code = gbxAllocateStepValues(packed, step)) != 0) return outcome;
        outcome.code = gbxLegacyReadItem(header, file, packed.get(), step.storedCount);
        if (outcome.code == 0) outcome.code = gbxExpandStepValues(header, file, step, packed.get(), data);
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

int skipItem(GbxHeader* header, GbxFile* file) {
    GbxStepItem step{};
    int code = gbxDescribeStepItem(header, file, -1, &step, kModule, __LINE__);
    if (code != 0) return code;
    code = gbxLegacyReadItem(header, file, nullptr, step.storedCount);
    header->currentTime = header->currentTimeStep;
    gbxAdvanceItem(header);
    return code;
}

int findSection(GbxHeader* header, GbxFile* file, int tag) {
    return gbxLegacyFindBlock(header, file, tag);
}

// A legacy handle has no record file to measure or seek: its layer positions it.
int findTimeStep(GbxHeader* header, GbxFile* file, int timeStep) {
    if (gbxLegacyFindTimeStep(header, file, timeStep) != 0) return F_ERR_READ;
    header->currentTimeStep = timeStep;
    header->currentItem = 0;
    return 0;
}

int findItem(GbxHeader* header, GbxFile* file, int timeStep, int itemNo) {
    if (const int code = findTimeStep(header, file, timeStep)) return code;
    int code = 0;
    for (int i = 1; i < itemNo && code == 0; ++i)
        code = gbxSkipItem(header, file);
    return code;
}

// A legacy handle keeps its position in its own layer.
int savePosition(GbxHeader*, GbxFile*, GbxSavedPosition*) {
    return 0;
}

int restorePosition(GbxHeader*, GbxFile*, const GbxSavedPosition&) {
    return 0;
}

}  // namespace

const GbxFamily gbxLegacyFamily = {
    .name = "legacy",
    .claimsPath = gbxIsLegacyPath,
    .claimsFile = gbxIsLegacyFile,
    .claimsHeader = gbxIsLegacyHeader,
    .open = gbxLegacyOpen,
    .create = gbxLegacyCreate,
    .flush = flush,
    .close = gbxLegacyClose,
    .staticWrite = gbxLegacyStaticWrite,
    .staticRead = gbxLegacyStaticRead,
    .writeItem = writeItem,
    .readItem = readItem,
    .skipItem = skipItem,
    .findSection = findSection,
    .findTimeStep = findTimeStep,
    .findItem = findItem,
    .savePosition = savePosition,
    .restorePosition = restorePosition,
    .keepsStatistics = false,
};

// The head of a time step in the dynamic section: a block of its own, empty for the equidistant
// file types and holding the step's time for the others; the last time written; the time read
// back relative to the axis start. Calls the block entrance, the dispatcher and the call trace.
#include <cstdint>
#include <cstring>

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/time/gbxtimestep.h"

namespace {

constexpr const char* kModule = "gbxtimestep";

enum class HeadKind { Empty, Time, None };

HeadKind headKind(int fileType) {
    switch (fileType) {
        case F_EQTIME_FIXEDSPACE_ALLITEMS:
        case F_EQTIME_TVARSPACE_ALLITEMS:
            return HeadKind::Empty;
        case F_NEQTIME_FIXEDSPACE_ALLITEMS:
        case F_NEQTIME_FIXEDSPACE_VARITEMS:
        case F_NEQTIME_TVARSPACE_VARITEMS:
            return HeadKind::Time;
        default:
            return HeadKind::None;
    }
}

// The time a head holds for the header's file type, or 2010 (wrong contents) or 2018.
int headTime(const GbxHeader* header, const LrxLrec* records, double* time) {
    switch (headKind(header->fileType)) {
        case HeadKind::Empty:
            if (records != nullptr) return F_ERR_DATA;
            *time = header->currentTimeStep;
            return 0;
        case HeadKind::Time:
            if (records == nullptr || records->next != nullptr || records->type != LRX_DOUBLE || records->count != 1)
                return F_ERR_DATA;
            std::memcpy(time, records->data, sizeof *time);
            return 0;
        default:
            return F_ERR_FILE_TYPE;
    }
}

}  // namespace

// The default double delete value (-1e-255) in lastTime means that no time has been written
// yet; otherwise the last time is the largest time written, also when an edit rewrites an
// earlier time step.
void gbxUpdateLastTime(GbxHeader* header, double time) {
    if (header->lastTime == gbxDefaultDeleteDouble() || time > header->lastTime) header->lastTime = time;
}

double gbxRelativeTime(const GbxHeader* header, double time) {
    if (header->timeAxisType == F_TM_NEQ_AXIS || header->timeAxisType == F_CAL_NEQ_AXIS)
        return time - header->timeAxis.start;
    return time;
}

int gbxWriteTimeStepHead(GbxHeader* header, GbxFile* file, double time) {
    switch (headKind(header->fileType)) {
        case HeadKind::Empty:
            return gbxCheckWriteLB(GBX_TAG_TIME_STEP_HEAD, nullptr, file, kModule, __LINE__);
        case HeadKind::Time: {
            gbxUpdateLastTime(header, time);
            return gbxWriteBorrowedBlock(GBX_TAG_TIME_STEP_HEAD, LRX_DOUBLE, 1, &time, file, kModule, __LINE__);
        }
        default:
            return F_ERR_FILE_TYPE;
    }
}

int gbxReadTimeStepHead(GbxHeader* header, GbxFile* file) {
    GbxCall call("gbxReadTimeStepHead");
    // An element that is no head stays where it is, and the file does not take up an error of
    // its own for it.
    GbxChainOwner block;
    int code = gbxReadBlockOf(file, GBX_TAG_TIME_STEP_HEAD, &block.chain);
    double time = 0;
    if (code == 0) code = headTime(header, block.chain, &time);
    if (code == 0)
        header->currentTime = gbxRelativeTime(header, time);
    else
        code = GBX_REPORT(header, file, nullptr, code);  // the end of the file (1) is not reported
    return call.result(code);
}

// The values of one item on their way between the caller and a file: converted from the
// caller's unit and packed at the encoding keys for writing, expanded to the full grid after
// reading. Calls the value unit conversion, the grid compression, the checked allocation and
// the dispatcher.
#include <cstddef>

#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/common/gbxvalueunits.h"
#include "src/gbx/items/gbxcompressgrid.h"
#include "src/gbx/time/gbxtimestep.h"

namespace {

constexpr const char* kModule = "gbxtimestep";

}  // namespace

int gbxAllocateStepValues(GbxBuffer& buffer, const GbxStepItem& step) {
    void* memory = nullptr;
    const int code =
        gbxCheckAlloc(&memory, static_cast<std::size_t>(step.storedCount) * static_cast<std::size_t>(step.valueSize),
                      kModule, __LINE__);
    buffer.reset(memory);
    return code;
}

int gbxPrepareOutgoingValues(GbxHeader* header, GbxFile* file, const GbxStepItem& step, const void* data,
                             GbxOutgoingValues& out) {
    int code = 0;
    out.converted.reset(
        gbxCopyFromCallerUnit(step.item, data, step.callerCount, gbxDeleteValuesOf(header), &code, kModule, __LINE__));
    if (code != 0) return code;
    out.values = out.converted != nullptr ? out.converted.get() : data;
    if (step.storedCount == step.callerCount) return 0;
    if ((code = gbxAllocateStepValues(out.packed, step)) != 0) return code;
    // Packing reads the caller's grid at every key position: a grid that does not hold them all
    // is refused before anything is written.
    if (gbxPackGrid(header, step.item, step.dataType, out.values, out.packed.get()) != 0)
        return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    out.values = out.packed.get();
    return 0;
}

int gbxExpandStepValues(GbxHeader* header, GbxFile* file, const GbxStepItem& step, const void* packed, void* data) {
    if (gbxExpandGrid(header, step.item, step.dataType, packed, data) != 0)
        return GBX_REPORT(header, file, step.item, F_ERR_DATA);
    return 0;
}

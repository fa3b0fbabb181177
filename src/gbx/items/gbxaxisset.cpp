// Setting an item's spatial axis: the checks of the setters, the stored sizes, origins and
// spacings, and the item's own copies of coordinate arrays (Reassign). Calls the check
// functions, the dispatcher, the statistics initialisation and the axis unit conversion.
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/items/gbxaxisaccess.h"
#include "src/gbx/items/gbxaxisconvert.h"
#include "src/gbx/items/gbxaxisshape.h"
#include "src/gbx/items/gbxitem.h"

namespace {

constexpr const char* kModule = "gbxitem";

bool fileTypeAllows(const GbxAxisShape& shape, int fileType) {
    // File types are single flags; a value holding several of them is none of the allowed ones.
    const bool singleFlag = fileType > 0 && (fileType & (fileType - 1)) == 0;
    return singleFlag && (shape.fileTypes & fileType) != 0;
}

bool parametersValid(const GbxAxisShape& shape, const GbxAxisInput& input) {
    if (!gbxAxisSizesPositive(shape, input.sizes)) return false;
    if (shape.family == GbxAxisFamily::Eq) {
        for (int i = 0; i < shape.dims; ++i) {
            if (!(input.spacings[i] > 0.0f)) return false;
        }
    }
    for (int i = 0; i < gbxAxisArrayCount(shape); ++i) {
        if (input.arrays[i] == nullptr) return false;
    }
    return true;
}

// The checks of a setter: item and header (1000); for a dynamic item the file type (2010)
// before the parameters (1000). Counts that do not fit 32 bits are refused for every item,
// since every later count and record would wrap.
int checkSetter(GbxItem* item, const GbxAxisShape& shape, const GbxAxisInput& input) {
    int code = gbxCheckItem(item, kModule, __LINE__);
    if (code == 0) code = gbxCheckHeader(item->header, kModule, __LINE__);
    if (code != 0) return code;
    GbxHeader* header = item->header;
    if (!item->isStatic) {
        if (!fileTypeAllows(shape, header->fileType)) return GBX_REPORT(header, nullptr, nullptr, F_ERR_DATA);
        if (!parametersValid(shape, input)) return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    }
    if (!gbxAxisCountsFit(shape, input.sizes)) return GBX_REPORT(header, nullptr, nullptr, F_ERR_USAGE);
    return 0;
}

// Starts the new axis from a clear record: the arrays of the axis before (of whatever type)
// are released and its owner and converted flags cleared, so that neither arrays of other
// lengths nor a stale flag survive into the new axis.
void startAxis(GbxItem* item, const GbxAxisShape& shape, int unit, const GbxAxisInput& input) {
    gbxItemFreeAxisArrays(item);
    item->axis = GbxAxis{};
    item->axisType = shape.code;
    item->axisUnit = unit;
    for (int i = 0; i < shape.dims; ++i)
        item->axis.sizes[i] = input.sizes[i];
}

void storeOriginsAndSpacings(GbxItem* item, const GbxAxisShape& shape, const GbxAxisInput& input) {
    for (int i = 0; i < shape.dims; ++i) {
        item->axis.origins[i] = gbxAxisConvertValue(item, input.origins[i], GbxAxisDirection::FromCaller);
        item->axis.spacings[i] = gbxAxisConvertValue(item, input.spacings[i], GbxAxisDirection::FromCaller);
    }
}

void convertArrayFromCaller(GbxItem* item, const GbxAxisShape& shape, int index) {
    void* values = gbxAxisArray(item->axis, shape, index);
    const int64_t length = gbxAxisArrayLength(shape, item->axis.sizes, index);
    if (shape.family == GbxAxisFamily::Points)
        gbxAxisConvertFloats(item, static_cast<float*>(values), length, GbxAxisDirection::FromCaller);
    else
        gbxAxisConvertDoubles(item, static_cast<double*>(values), length, GbxAxisDirection::FromCaller);
}

// Copies the caller's arrays into the item and converts the copies into the axis unit. The
// copies are in the axis unit, so they are not yet converted for the caller.
int copyArrays(GbxItem* item, const GbxAxisShape& shape, const GbxAxisInput& input) {
    int code = 0;
    for (int i = 0; i < gbxAxisArrayCount(shape); ++i) {
        void* slot = gbxAxisArray(item->axis, shape, i);
        const int copied = Reassign(gbxAxisArrayLength(shape, item->axis.sizes, i), gbxAxisArrayElementSize(shape),
                                    input.arrays[i], &item->axis.owner, 1, kModule, __LINE__, &slot);
        gbxAxisSetArray(item->axis, shape, i, slot);
        if (copied != 0) code = copied;
        convertArrayFromCaller(item, shape, i);
    }
    item->axis.converted = 0;
    return code;
}

}  // namespace

int gbxSetItemAxis(GbxItem* item, int code, int unit, const GbxAxisInput& input) {
    const GbxAxisShape* shape = gbxAxisShapeOf(code);
    if (shape == nullptr) return GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_DATA);
    const int checked = checkSetter(item, *shape, input);
    if (checked != 0) return checked;

    startAxis(item, *shape, unit, input);
    if (shape->family == GbxAxisFamily::Eq) storeOriginsAndSpacings(item, *shape, input);
    if (item->isStatic) return 0;  // static items keep no statistics and no coordinate arrays
    if (code == GBX_EQD0) return 0;
    const int stats = InitStats(item, kModule, __LINE__);
    if (stats != 0 || gbxAxisArrayCount(*shape) == 0) return stats;
    return copyArrays(item, *shape, input);
}

int Reassign(int64_t count, std::size_t elementSize, const void* source, int32_t* ownerFlag, int copy,
             const char* module, int line, void** destination) {
    GbxCall call("Reassign %d %d", static_cast<int>(count), static_cast<int>(elementSize));
    if (*ownerFlag) {
        std::free(*destination);
        *destination = nullptr;
    }
    *ownerFlag = copy;
    if (!copy) {
        *destination = const_cast<void*>(source);
        return call.result(0);
    }
    *destination = nullptr;
    uint64_t bytes = 0;
    if (count < 1 || source == nullptr ||
        __builtin_mul_overflow(static_cast<uint64_t>(count), static_cast<uint64_t>(elementSize), &bytes))
        return call.result(0);
    const int code = gbxCheckAlloc(destination, static_cast<std::size_t>(bytes), module, line);
    if (code == 0) std::memcpy(*destination, source, static_cast<std::size_t>(bytes));
    return call.result(code);
}

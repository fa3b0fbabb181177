// Giving an item's spatial axis to a caller: unit and its name, sizes, origins and spacings
// converted as copies, and the item's own coordinate arrays converted in place once. Calls
// the check functions, the dispatcher, the unit library's names and the axis conversion.
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxaxisaccess.h"
#include "src/gbx/items/gbxaxisconvert.h"
#include "src/gbx/items/gbxaxisshape.h"
#include "vnk/vnk.h"

namespace {

constexpr const char* kModule = "gbxitem";

const char* unitNameOf(int unit) {
    const char* name = nullptr;
    if (vnkGetUnitKey(unit, &name) == 0 || name == nullptr) return "";
    return name;
}

template <typename T>
void give(T* out, T value) {
    if (out != nullptr) *out = value;
}

void giveOriginsAndSpacings(GbxItem* item, const GbxAxisShape& shape, const GbxAxisOutput& output) {
    for (int i = 0; i < shape.dims; ++i) {
        give(output.origins[i], gbxAxisConvertValue(item, item->axis.origins[i], GbxAxisDirection::ToCaller));
        give(output.spacings[i], gbxAxisConvertValue(item, item->axis.spacings[i], GbxAxisDirection::ToCaller));
    }
}

// The arrays are converted in place at the first call that asks for a conversion; the
// converted flag keeps later calls from converting them again.
void convertArraysOnce(GbxItem* item, const GbxAxisShape& shape) {
    if (item->axis.converted || !gbxAxisConverts(item)) return;
    for (int i = 0; i < gbxAxisArrayCount(shape); ++i) {
        void* values = gbxAxisArray(item->axis, shape, i);
        const int64_t length = gbxAxisArrayLength(shape, item->axis.sizes, i);
        if (shape.family == GbxAxisFamily::Points)
            gbxAxisConvertFloats(item, static_cast<float*>(values), length, GbxAxisDirection::ToCaller);
        else
            gbxAxisConvertDoubles(item, static_cast<double*>(values), length, GbxAxisDirection::ToCaller);
    }
    item->axis.converted = 1;
}

void giveArrays(GbxItem* item, const GbxAxisShape& shape, const GbxAxisOutput& output) {
    convertArraysOnce(item, shape);
    if (shape.family == GbxAxisFamily::Points) {
        give(output.points, item->axis.points);
        return;
    }
    for (int i = 0; i < shape.dims; ++i)
        give(output.coords[i], item->axis.coords[i]);
}

}  // namespace

int gbxGetItemAxis(GbxItem* item, int code, const GbxAxisOutput& output) {
    const int checked = gbxCheckItem(item, kModule, __LINE__);
    if (checked != 0) return checked;
    const GbxAxisShape* shape = gbxAxisShapeOf(code);
    if (shape == nullptr || item->axisType != code) return GBX_REPORT(nullptr, nullptr, nullptr, F_ERR_USAGE);

    give(output.unit, static_cast<int>(item->axisUnit));
    give(output.unitName, unitNameOf(item->axisUnit));
    for (int i = 0; i < shape->dims; ++i)
        give(output.sizes[i], static_cast<int>(item->axis.sizes[i]));
    if (shape->family == GbxAxisFamily::Eq) giveOriginsAndSpacings(item, *shape, output);
    if (gbxAxisArrayCount(*shape) > 0) giveArrays(item, *shape, output);
    return 0;
}

// Unit conversion of axis coordinates: single values one by one as doubles, arrays in place.
// Calls the unit library (vnk) and its array conversions, and the item's geometry type query.
#include "src/gbx/items/gbxaxisconvert.h"

#include <algorithm>
#include <bit>

#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxvalueunits.h"
#include "vnk/vnk.h"

namespace {

float deleteValue(const GbxItem* item, float) {
    return item->header != nullptr ? item->header->deleteValueFloat : gbxDefaultDeleteFloat();
}

double deleteValue(const GbxItem* item, double) {
    return item->header != nullptr ? item->header->deleteValueDouble : gbxDefaultDeleteDouble();
}

// The unit library counts values in 32 bits; longer arrays are converted piece by piece.
template <typename T, typename Convert>
void convertInPieces(T* values, int64_t count, Convert convert) {
    while (count > 0) {
        const int piece = static_cast<int>(std::min<int64_t>(count, INT32_MAX));
        convert(values, piece);
        values += piece;
        count -= piece;
    }
}

// count values converted in place by the item's axis conversion mode.
template <typename T>
void convertArray(GbxItem* item, T* values, int64_t count, GbxAxisDirection direction) {
    if (values == nullptr || !gbxAxisConverts(item)) return;
    const T deleted = deleteValue(item, T{});
    const bool toCaller = direction == GbxAxisDirection::ToCaller;
    const int unit = item->axisUnit;
    const int convUnit = item->axisConvUnit;
    if (item->axisConvMode == GBX_CONV_USER_UNIT) {
        const int geometry = gbxGetItemGeometryType(item);
        convertInPieces(values, count, [&](T* piece, int n) {
            if (toCaller)
                gbxArrayToUserUnit(geometry, unit, piece, n, deleted);
            else
                gbxArrayFromUserUnit(geometry, unit, piece, n, deleted);
        });
    } else {
        convertInPieces(values, count, [&](T* piece, int n) {
            if (toCaller)
                gbxArrayBetweenUnits(unit, convUnit, piece, n, deleted);
            else
                gbxArrayBetweenUnits(convUnit, unit, piece, n, deleted);
        });
    }
}

}  // namespace

bool gbxAxisConverts(const GbxItem* item) {
    return item->axisConvMode == GBX_CONV_USER_UNIT || item->axisConvMode == GBX_CONV_UNIT;
}

float gbxAxisConvertValue(GbxItem* item, float value, GbxAxisDirection direction) {
    const double in = value;
    double out = in;
    const bool toCaller = direction == GbxAxisDirection::ToCaller;
    if (item->axisConvMode == GBX_CONV_USER_UNIT) {
        const int geometry = gbxGetItemGeometryType(item);
        if (toCaller)
            vnkConvertToUserUnit(geometry, item->axisUnit, in, &out);
        else
            vnkConvertFromUserUnit(geometry, item->axisUnit, in, &out);
    } else if (item->axisConvMode == GBX_CONV_UNIT) {
        if (toCaller)
            vnkConvertUnit(item->axisUnit, in, item->axisConvUnit, &out);
        else
            vnkConvertUnit(item->axisConvUnit, in, item->axisUnit, &out);
    }
    return static_cast<float>(out);
}

void gbxAxisConvertFloats(GbxItem* item, float* values, int64_t count, GbxAxisDirection direction) {
    convertArray(item, values, count, direction);
}

void gbxAxisConvertDoubles(GbxItem* item, double* values, int64_t count, GbxAxisDirection direction) {
    convertArray(item, values, count, direction);
}

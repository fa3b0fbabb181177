// Unit conversion of axis coordinates: single values one by one as doubles, arrays in place.
// Calls the unit library (vnk) and the item's geometry type query.
#include "src/gbx/items/gbxaxisconvert.h"

#include <algorithm>
#include <bit>

#include "src/gbx/common/gbxmodel.h"
#include "vnk/vnk.h"

namespace {

float deleteFloat(const GbxItem* item) {
    return item->header != nullptr ? item->header->deleteValueFloat : gbxDefaultDeleteFloat();
}

double deleteDouble(const GbxItem* item) {
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
    if (values == nullptr || !gbxAxisConverts(item)) return;
    const float deleteValue = deleteFloat(item);
    const bool toCaller = direction == GbxAxisDirection::ToCaller;
    const int unit = item->axisUnit;
    const int convUnit = item->axisConvUnit;
    if (item->axisConvMode == GBX_CONV_USER_UNIT) {
        const int geometry = gbxGetItemGeometryType(item);
        convertInPieces(values, count, [&](float* piece, int n) {
            if (toCaller)
                vnkConvertItemArrayToUserUnitF(geometry, unit, piece, n, deleteValue);
            else
                vnkConvertItemArrayFromUserUnitF(geometry, unit, piece, n, deleteValue);
        });
    } else {
        convertInPieces(values, count, [&](float* piece, int n) {
            if (toCaller)
                vnkConvertItemArrayF(unit, convUnit, piece, n, deleteValue);
            else
                vnkConvertItemArrayF(convUnit, unit, piece, n, deleteValue);
        });
    }
}

void gbxAxisConvertDoubles(GbxItem* item, double* values, int64_t count, GbxAxisDirection direction) {
    if (values == nullptr || !gbxAxisConverts(item)) return;
    const double deleteValue = deleteDouble(item);
    const bool toCaller = direction == GbxAxisDirection::ToCaller;
    const int unit = item->axisUnit;
    const int convUnit = item->axisConvUnit;
    if (item->axisConvMode == GBX_CONV_USER_UNIT) {
        const int geometry = gbxGetItemGeometryType(item);
        convertInPieces(values, count, [&](double* piece, int n) {
            if (toCaller)
                vnkConvertItemArrayToUserUnitD(geometry, unit, piece, n, deleteValue);
            else
                vnkConvertItemArrayFromUserUnitD(geometry, unit, piece, n, deleteValue);
        });
    } else {
        convertInPieces(values, count, [&](double* piece, int n) {
            if (toCaller)
                vnkConvertItemArrayD(unit, convUnit, piece, n, deleteValue);
            else
                vnkConvertItemArrayD(convUnit, unit, piece, n, deleteValue);
        });
    }
}

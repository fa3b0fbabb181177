// Unit conversion of axis coordinates between the axis unit held in the item and the unit in
// which callers give and receive them (the item's axis conversion mode and unit).
#pragma once

#include <cstdint>

#include "src/gbx/common/gbxmodel.h"

enum class GbxAxisDirection {
    FromCaller,  // setters: caller's unit into the axis unit
    ToCaller     // getters: axis unit into the caller's unit
};

// True when the item's axis conversion mode converts (to the user unit or to axisConvUnit).
bool gbxAxisConverts(const GbxItem* item);
// One origin, spacing or reference coordinate, converted as a double.
float gbxAxisConvertValue(GbxItem* item, float value, GbxAxisDirection direction);
// count values converted in place; values equal to the item's delete value stay unchanged.
void gbxAxisConvertFloats(GbxItem* item, float* values, int64_t count, GbxAxisDirection direction);
void gbxAxisConvertDoubles(GbxItem* item, double* values, int64_t count, GbxAxisDirection direction);

// The axis block of an item definition in a data file: writing it, decoding it (arrays taken
// over from the block), and refreshing a stored block with the item's current values. Calls
// the block builder, the check functions, the dispatcher and the axis unit conversion.
#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxalloc.h"
#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/items/gbxaxisconvert.h"
#include "src/gbx/items/gbxaxisshape.h"
#include "src/gbx/items/gbxitem.h"

namespace {

constexpr const char* kModule = "gbxitemio";

// The axis blocks carry axis codes 1 to 10 behind a leading axis unit; the older blocks carry
// the same codes without it. The curvilinear axes came after the older form and have a current
// block only.
int axisCodeOfTag(int tag) {
    if (tag > GBX_TAG_OLD_AXIS && tag <= GBX_TAG_OLD_AXIS + GBX_TVARD3) return tag - GBX_TAG_OLD_AXIS;
    if (tag > GBX_TAG_AXIS && tag <= GBX_TAG_AXIS + GBX_TVARD3) return tag - GBX_TAG_AXIS;
    if (tag == GBX_TAG_AXIS_CURVELINEAR_D2) return GBX_CURVELINEARD2;
    if (tag == GBX_TAG_AXIS_CURVELINEAR_D3) return GBX_CURVELINEARD3;
    return GBX_AXIS_NONE;
}

bool hasAxisUnit(int tag) {
    return tag > GBX_TAG_AXIS;
}

uint16_t tagOfAxisCode(int code) {
    if (code == GBX_CURVELINEARD2) return GBX_TAG_AXIS_CURVELINEAR_D2;
    if (code == GBX_CURVELINEARD3) return GBX_TAG_AXIS_CURVELINEAR_D3;
    return static_cast<uint16_t>(GBX_TAG_AXIS + code);
}

bool axisWritable(const GbxAxisShape* shape, const GbxItem* item) {
    return shape != nullptr && shape->code != GBX_EQD4 && gbxAxisSizesPositive(*shape, item->axis.sizes) &&
           gbxAxisCountsFit(*shape, item->axis.sizes);
}

// Adds coordinate array `index` to the block: the item's array, or zeros when it has none (a
// static item keeps no arrays). Arrays already converted for a caller are written as copies
// converted back into the axis unit, the unit that the block states.
int addArray(GbxBlockBuilder& block, GbxItem* item, const GbxAxisShape& shape, int index) {
    const int64_t length = gbxAxisArrayLength(shape, item->axis.sizes, index);
    const int count = static_cast<int>(length);
    const bool points = shape.family == GbxAxisFamily::Points;
    const int type = points ? LRX_FLOAT : LRX_DOUBLE;
    const void* values = gbxAxisArray(item->axis, shape, index);
    if (values == nullptr || !item->axis.converted || !gbxAxisConverts(item)) {
        block.add(type, count, values);
        return 0;
    }
    const std::size_t bytes = static_cast<std::size_t>(length) * gbxAxisArrayElementSize(shape);
    void* copy = nullptr;
    const int code = gbxCheckAlloc(&copy, bytes, kModule, __LINE__);
    if (code != 0) return code;
    std::memcpy(copy, values, bytes);
    if (points)
        gbxAxisConvertFloats(item, static_cast<float*>(copy), length, GbxAxisDirection::FromCaller);
    else
        gbxAxisConvertDoubles(item, static_cast<double*>(copy), length, GbxAxisDirection::FromCaller);
    block.add(type, count, copy);
    std::free(copy);
    return 0;
}

// The records of a block read from a file, taken in order; the chain stays the caller's.
class AxisRecords {
public:
    explicit AxisRecords(LrxLrec* chain) : next_(chain) {}

    // The next record when it holds count values of type, else null with the check's code.
    LrxLrec* take(int type, int count, int* code) {
        *code = gbxCheckTypeSize(next_, type, count, kModule, __LINE__);
        if (*code != 0) return nullptr;
        LrxLrec* record = next_;
        next_ = next_->next;
        return record;
    }

private:
    LrxLrec* next_;
};

// An axis block decoded but not yet given to the item.
struct DecodedAxis {
    int32_t unit = 0;
    int32_t sizes[4] = {};
    float originsAndSpacings[8] = {};
    LrxLrec* arrays[3] = {};
};

int decodeSizes(AxisRecords& records, const GbxAxisShape& shape, bool withUnit, DecodedAxis& axis) {
    const int count = shape.dims + (withUnit ? 1 : 0);
    if (count == 0) return 0;  // the old EqD0 block holds no record
    int code = 0;
    const LrxLrec* record = records.take(LRX_INT4, count, &code);
    if (record == nullptr) return code;
    const auto* values = static_cast<const int32_t*>(record->data);
    if (withUnit) axis.unit = *values++;
    for (int i = 0; i < shape.dims; ++i)
        axis.sizes[i] = values[i];
    return 0;
}

int decodeValues(AxisRecords& records, const GbxAxisShape& shape, DecodedAxis& axis) {
    int code = 0;
    if (shape.family == GbxAxisFamily::Eq && shape.dims > 0) {
        const LrxLrec* record = records.take(LRX_FLOAT, 2 * shape.dims, &code);
        if (record == nullptr) return code;
        std::memcpy(axis.originsAndSpacings, record->data, sizeof(float) * 2 * shape.dims);
    }
    const int type = shape.family == GbxAxisFamily::Points ? LRX_FLOAT : LRX_DOUBLE;
    for (int i = 0; i < gbxAxisArrayCount(shape); ++i) {
        axis.arrays[i] = records.take(type, static_cast<int>(gbxAxisArrayLength(shape, axis.sizes, i)), &code);
        if (axis.arrays[i] == nullptr) return code;
    }
    return 0;
}

// Makes the decoded axis the item's; the arrays are taken over from their records.
void installAxis(GbxItem* item, const GbxAxisShape& shape, DecodedAxis& decoded) {
    gbxItemFreeAxisArrays(item);
    item->axis = GbxAxis{};
    item->axisType = shape.code;
    item->axisUnit = decoded.unit;
    for (int i = 0; i < shape.dims; ++i) {
        item->axis.sizes[i] = decoded.sizes[i];
        if (shape.family == GbxAxisFamily::Eq) {
            item->axis.origins[i] = decoded.originsAndSpacings[i];
            item->axis.spacings[i] = decoded.originsAndSpacings[shape.dims + i];
        }
    }
    const int arrays = gbxAxisArrayCount(shape);
    for (int i = 0; i < arrays; ++i)
        gbxAxisSetArray(item->axis, shape, i, lrxLrecTakeData(decoded.arrays[i]));
    item->axis.owner = arrays > 0 ? 1 : 0;
}

}  // namespace

bool gbxIsAxisBlockTag(int tag) {
    return axisCodeOfTag(tag) != GBX_AXIS_NONE;
}

bool gbxIsOlderAxisBlockTag(int tag) {
    return gbxIsAxisBlockTag(tag) && !hasAxisUnit(tag);
}

int gbxWriteItemAxis(GbxItem* item, GbxFile* file) {
    const int checked = gbxCheckItem(item, kModule, __LINE__);
    if (checked != 0) return checked;
    const GbxAxisShape* shape = gbxAxisShapeOf(item->axisType);
    // EqD4 has no block; sizes below 1 or counts beyond 32 bits would make a block that no
    // reader accepts, so none of these is written.
    if (!axisWritable(shape, item)) return GBX_REPORT(nullptr, file, nullptr, F_ERR_DATA);

    GbxBlockBuilder block;
    int32_t sizes[5] = {item->axisUnit};
    for (int i = 0; i < shape->dims; ++i)
        sizes[i + 1] = item->axis.sizes[i];
    block.add(LRX_INT4, 1 + shape->dims, sizes);
    if (shape->family == GbxAxisFamily::Eq && shape->dims > 0) {
        float values[8] = {};
        for (int i = 0; i < shape->dims; ++i) {
            values[i] = item->axis.origins[i];
            values[shape->dims + i] = item->axis.spacings[i];
        }
        block.add(LRX_FLOAT, 2 * shape->dims, values);
    }
    for (int i = 0; i < gbxAxisArrayCount(*shape); ++i) {
        const int code = addArray(block, item, *shape, i);
        if (code != 0) return code;
    }
    return block.write(tagOfAxisCode(shape->code), file, kModule, __LINE__);
}

int gbxReadItemAxis(GbxItem* item, int id, LrxLrec* chain, GbxFile* file) {
    const int axisCode = axisCodeOfTag(id);
    if (axisCode == GBX_AXIS_NONE) return GBX_REPORT(nullptr, file, nullptr, F_ERR_FILE_TYPE);
    const int checked = gbxCheckItem(item, kModule, __LINE__);
    if (checked != 0) return checked;
    const GbxAxisShape& shape = *gbxAxisShapeOf(axisCode);

    AxisRecords records(chain);
    DecodedAxis decoded;
    int code = decodeSizes(records, shape, hasAxisUnit(id), decoded);
    if (code != 0) return code;
    // Sizes come from the file: every count derived from them must be one the library can hold
    // before any record is checked against it or any array is taken.
    if (!gbxAxisSizesPositive(shape, decoded.sizes) || !gbxAxisCountsFit(shape, decoded.sizes))
        return GBX_REPORT(nullptr, file, nullptr, F_ERR_DATA);
    code = decodeValues(records, shape, decoded);
    if (code != 0) return code;
    installAxis(item, shape, decoded);
    return 0;
}

bool gbxRefreshAxisBlock(const GbxItem* item, int id, LrxLrec* chain) {
    const int axisCode = axisCodeOfTag(id);
    // The old blocks have no axis unit to replace; they are left as they are.
    if (item == nullptr || chain == nullptr || !hasAxisUnit(id) || axisCode != item->axisType) return false;
    const GbxAxisShape& shape = *gbxAxisShapeOf(axisCode);
    if (chain->type != LRX_INT4 || chain->count < 1 || chain->data == nullptr) return false;

    const bool equidistant = shape.family == GbxAxisFamily::Eq && shape.dims > 0;
    LrxLrec* values = chain->next;
    if (equidistant &&
        (values == nullptr || values->type != LRX_FLOAT || values->count != 2 * shape.dims || values->data == nullptr))
        return false;

    static_cast<int32_t*>(chain->data)[0] = item->axisUnit;
    if (equidistant) {
        auto* floats = static_cast<float*>(values->data);
        for (int i = 0; i < shape.dims; ++i) {
            floats[i] = item->axis.origins[i];
            floats[shape.dims + i] = item->axis.spacings[i];
        }
    }
    return true;
}

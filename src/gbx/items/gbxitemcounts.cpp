// The count and size queries of an item: values per time step before and after compression,
// bytes, axis type, dimension and geometry. Counts are computed in 64 bits and handed out only
// when they fit the 32-bit results. Calls the check functions, the dispatcher and the trace.
#include <cstdint>
#include <limits>

#include "lrx/lrx.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxmodel.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/items/gbxitem.h"

namespace {

constexpr const char* kModule = "gbxitem";
constexpr int64_t kUnknown = -1;

// The product of the first n sizes of the axis; kUnknown when a size is negative (a damaged
// axis), INT64_MAX when the product does not fit 64 bits.
int64_t sizeProduct(const GbxItem* item, int n) {
    int64_t product = 1;
    for (int i = 0; i < n; ++i) {
        const int64_t size = item->axis.sizes[i];
        if (size < 0) return kUnknown;
        if (__builtin_mul_overflow(product, size, &product)) return std::numeric_limits<int64_t>::max();
    }
    return product;
}

// How many of the sizes nx, ny, nz, nt make up the values of one time step.
int xyzSizes(int axisType) {
    switch (axisType) {
        case GBX_EQD0:
            return 0;
        case GBX_EQD1:
        case GBX_NEQD1:
        case GBX_TVARD1:
            return 1;
        case GBX_EQD2:
        case GBX_NEQD2:
        case GBX_TVARD2:
        case GBX_CURVELINEARD2:
            return 2;
        case GBX_EQD3:
        case GBX_NEQD3:
        case GBX_TVARD3:
        case GBX_CURVELINEARD3:
            return 3;
        case GBX_EQD4:
            return 4;
        default:
            return -1;
    }
}

// Sizes in a horizontal layer: none for EqD0 and EqD1 (one value), nx·ny from two dimensions
// on; the 1-D axes of points and of time-varying cells have no layer.
int xySizes(int axisType) {
    switch (axisType) {
        case GBX_EQD0:
        case GBX_EQD1:
            return 0;
        case GBX_NEQD1:
        case GBX_TVARD1:
            return -1;
        default:
            return axisType > GBX_TVARD1 && axisType <= GBX_CURVELINEARD3 ? 2 : -1;
    }
}

int xSizes(int axisType) {
    if (axisType == GBX_EQD0) return 0;
    return axisType > GBX_EQD0 && axisType <= GBX_CURVELINEARD3 ? 1 : -1;
}

int64_t sizesOf(const GbxItem* item, int n) {
    return n < 0 ? kUnknown : sizeProduct(item, n);
}

// A 64-bit count as a query result: 2010 and 0 when it is unknown or does not fit 32 bits.
int countResult(int64_t count) {
    if (count < 0 || count > std::numeric_limits<int32_t>::max()) {
        gbxReportError(nullptr, nullptr, nullptr, F_ERR_DATA, kModule, __LINE__);
        return 0;
    }
    return static_cast<int>(count);
}

// The buffer size of the item's values, as the time-step and static calls move them: sized by
// the record type, so that 16-bit items, which the value-type size does not know, get the two
// bytes per value that a read writes instead of a buffer of nothing.
int bytesResult(GbxItem* item, bool used) {
    const int64_t count = gbxItemElements64(item, item->header, used);
    if (count < 0 || count > std::numeric_limits<int32_t>::max()) return countResult(count);
    if (count == 0) return 0;
    return countResult(count * lrxSimpSize(item->dataType));
}

int dimensionOf(int axisType) {
    if (axisType == GBX_CURVELINEARD2 || axisType == GBX_CURVELINEARD3) return -1;
    return xyzSizes(axisType);
}

int geometryTypeOf(int axisType) {
    switch (xyzSizes(axisType)) {
        case 0:
            return 100185;
        case 1:
            return 100186;
        case 2:
            return axisType == GBX_CURVELINEARD2 ? 999 : 100187;
        case 3:
            return axisType == GBX_CURVELINEARD3 ? 999 : 100188;
        case 4:
            return 100188;
        default:
            return 999;
    }
}

// The geometry queries take the axis type through gbxGetItemAxisType, which checks the item: a
// null item has axis type 0 and is never read. The exit line gives the axis type and the answer.
template <typename Answer>
int geometryQuery(const char* name, GbxItem* item, Answer answer) {
    GbxCall call(name);
    const int axisType = gbxGetItemAxisType(item);
    const int value = answer(item, axisType);
    call.exit("%d %d", axisType, value);
    return value;
}

}  // namespace

int64_t gbxItemXYZSize64(const GbxItem* item) {
    return sizesOf(item, xyzSizes(item->axisType));
}

int64_t gbxItemElements64(const GbxItem* item, const GbxHeader* header, bool used) {
    const int64_t xyz = gbxItemXYZSize64(item);
    if (xyz < 0) return kUnknown;
    // A key of no entries compresses nothing: the grid keeps its full size.
    const bool keyed = header != nullptr && header->encodeKeyRef != nullptr && header->encodeKeySize >= 1;
    if (keyed && (used || header->itemCompression != 0)) return header->encodeKeySize;
    return xyz;
}

extern "C" {

LRX_EXPORT int LRX_CALL gbxGetItemElements(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return countResult(gbxItemElements64(item, item->header, false));
}

LRX_EXPORT int LRX_CALL gbxGetUsedItemElements(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return countResult(gbxItemElements64(item, item->header, true));
}

LRX_EXPORT int LRX_CALL gbxGetItemXYZSize(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return countResult(gbxItemXYZSize64(item));
}

LRX_EXPORT int LRX_CALL gbxGetItemXYSize(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return countResult(sizesOf(item, xySizes(item->axisType)));
}

LRX_EXPORT int LRX_CALL gbxGetItemXSize(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return countResult(sizesOf(item, xSizes(item->axisType)));
}

LRX_EXPORT int LRX_CALL gbxGetItemBytes(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return bytesResult(item, false);
}

LRX_EXPORT int LRX_CALL gbxGetUsedItemBytes(GbxItem* item) {
    if (gbxCheckItem(item, kModule, __LINE__) != 0) return 0;
    return bytesResult(item, true);
}

LRX_EXPORT int LRX_CALL gbxGetItemAxisType(GbxItem* item) {
    GbxCall call("gbxGetItemAxisType");
    const int code = gbxCheckItem(item, kModule, __LINE__);
    return call.value(code == 0 ? item->axisType : 0, code);
}

LRX_EXPORT int LRX_CALL gbxGetItemDim(GbxItem* item) {
    return geometryQuery("gbxGetItemDim", item, [](const GbxItem*, int axisType) { return dimensionOf(axisType); });
}

LRX_EXPORT int LRX_CALL gbxGetItemGeometryType(GbxItem* item) {
    return geometryQuery("gbxGetItemGeometryType", item,
                         [](const GbxItem*, int axisType) { return geometryTypeOf(axisType); });
}

LRX_EXPORT int LRX_CALL gbxGetItemGeometryUnit(GbxItem* item) {
    return geometryQuery("gbxGetItemGeometryUnit", item, [](const GbxItem* checked, int axisType) {
        return axisType >= GBX_EQD0 && axisType <= GBX_CURVELINEARD3 ? checked->axisUnit : 0;
    });
}

}  // extern "C"

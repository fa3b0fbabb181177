// The call sequence of the data-file fuzz targets, and the reading of everything the library
// hands out. Calls the exported data-file functions only.
#include "fuzz/datafiledriver.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/touch.h"

namespace lrxfuzz {

namespace {

// Calls per file, so that a long choice stream cannot make one execution run long.
constexpr int kMostCalls = 400;

// A heap buffer of exactly `bytes` bytes, also of none (which the library must then not
// touch); no buffer for a size beyond what the target offers.
struct Buffer {
    explicit Buffer(int64_t bytes)
        : data(bytes >= 0 && bytes <= kLargestBuffer ? std::calloc(1, static_cast<std::size_t>(bytes)) : nullptr) {}
    ~Buffer() { std::free(data); }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    void* data;
};

void describeAxis(GbxItem* item) {
    int unit = 0, nx = 0, ny = 0, nz = 0, nt = 0;
    const char* unitName = nullptr;
    float o[4], d[4];
    float* points = nullptr;
    double *x = nullptr, *y = nullptr, *z = nullptr;
    const auto doubles = [](std::size_t n) { return n * sizeof(double); };
    const auto edges = [](int n) { return n >= 0 ? static_cast<std::size_t>(n) + 1 : 0; };
    switch (gbxGetItemAxisType(item)) {
        case 1: gbxGetItemAxisEqD0(item, &unit, &unitName); break;
        case 2: gbxGetItemAxisEqD1(item, &unit, &unitName, &nx, o, d); break;
        case 3:
            if (gbxGetItemAxisNeqD1(item, &unit, &unitName, &nx, &points) == 0 && nx > 0)
                touch(points, static_cast<std::size_t>(nx) * 3 * sizeof(float));
            break;
        case 4: gbxGetItemAxisTvarD1(item, &unit, &unitName, &nx); break;
        case 5: gbxGetItemAxisEqD2(item, &unit, &unitName, &nx, &ny, o, o + 1, d, d + 1); break;
        case 6:
            if (gbxGetItemAxisNeqD2(item, &unit, &unitName, &nx, &ny, &x, &y) == 0) {
                touch(x, doubles(edges(nx)));
                touch(y, doubles(edges(ny)));
            }
            break;
        case 7: gbxGetItemAxisTvarD2(item, &unit, &unitName, &nx, &ny); break;
        case 8: gbxGetItemAxisEqD3(item, &unit, &unitName, &nx, &ny, &nz, o, o + 1, o + 2, d, d + 1, d + 2); break;
        case 9:
            if (gbxGetItemAxisNeqD3(item, &unit, &unitName, &nx, &ny, &nz, &x, &y, &z) == 0) {
                touch(x, doubles(edges(nx)));
                touch(y, doubles(edges(ny)));
                touch(z, doubles(edges(nz)));
            }
            break;
        case 10: gbxGetItemAxisTvarD3(item, &unit, &unitName, &nx, &ny, &nz); break;
        case 11:
            gbxGetItemAxisEqD4(item, &unit, &unitName, &nx, &ny, &nz, &nt, o, o + 1, o + 2, o + 3, d, d + 1, d + 2,
                               d + 3);
            break;
        case 12:
            if (gbxGetItemAxisCurveLinearD2(item, &unit, &unitName, &nx, &ny, &x, &y) == 0) {
                const std::size_t nodes = edges(nx) * edges(ny);
                touch(x, doubles(nodes));
                touch(y, doubles(nodes));
            }
            break;
        case 13:
            if (gbxGetItemAxisCurveLinearD3(item, &unit, &unitName, &nx, &ny, &nz, &x, &y, &z) == 0) {
                const std::size_t nodes = edges(nx) * edges(ny) * edges(nz);
                touch(x, doubles(nodes));
                touch(y, doubles(nodes));
                touch(z, doubles(nodes));
            }
            break;
        default: break;
    }
    touchText(unitName);
    gbxGetItemRefCoords(item, o, o + 1, o + 2);
    gbxGetItemAxisOrientation(item, o, o + 1, o + 2);
}

void describeItem(GbxItem* item) {
    int itemType = 0, unit = 0, dataType = 0, mode = 0, keySize = 0, deletes = 0;
    const char *typeName = nullptr, *name = nullptr, *unitName = nullptr, *unitText = nullptr;
    gbxGetItemInfo(item, &itemType, &typeName, &name, &unit, &unitName, &dataType);
    touchText(typeName);
    touchText(name);
    touchText(unitName);
    gbxGetItemInfo_(item, &itemType, &name, &unitText, &dataType);
    touchText(unitText);
    gTouched = gTouched + gbxGetItemElements(item) + gbxGetUsedItemElements(item) + gbxGetItemXYZSize(item) +
            gbxGetItemXYSize(item) + gbxGetItemXSize(item) + gbxGetItemBytes(item) + gbxGetUsedItemBytes(item) +
            gbxGetItemDim(item) + gbxGetItemGeometryType(item) + gbxGetItemGeometryUnit(item);
    gbxGetItemUnitConversion(item, &mode, &unit);
    gbxGetItemAxisUnitConversion(item, &mode, &unit);
    gbxGetItemValueType(item, &mode);
    gbxIsItemCompressed(item, &keySize);
    double min = 0, max = 0;
    gbxGetItemStatsGlobal(item, &min, &max, &deletes);
    describeAxis(item);
}

void describeTimeAxis(GbxHeader* header) {
    int unit = 0, steps = 0, index = 0;
    const char *unitText = nullptr, *date = nullptr, *time = nullptr;
    double start = 0, step = 0;
    gbxGetEqTimeAxis(header, &unit, &unitText, &start, &step, &steps, &index);
    touchText(unitText);
    gbxGetNeqTimeAxis(header, &unit, &unitText, &start, &step, &steps, &index);
    touchText(unitText);
    gbxGetEqCalendarAxis(header, &unit, &unitText, &date, &time, &start, &step, &steps, &index);
    touchText(unitText);
    touchText(date);
    touchText(time);
    gbxGetNeqCalendarAxis(header, &unit, &unitText, &date, &time, &start, &step, &steps, &index);
    touchText(unitText);
    touchText(date);
    touchText(time);
    touchText(gbxTimeAxisTypeStr(gbxGetTimeAxisType(header)));
}

void describeCustomBlocks(GbxHeader* header) {
    GbxCustomBlock* block = nullptr;
    gbxGetCustomBlockRef(header, &block);
    for (int n = 0; block != nullptr && n < 100000; ++n) {
        int type = 0, count = 0;
        char* name = nullptr;
        void* data = nullptr;
        gbxGetCustomBlock(block, &type, &name, &count, &data, &block);
        touchText(name);
        if (count > 0) touch(data, static_cast<std::size_t>(count) * lrxSimpSize(type));
    }
}

void describeEncodeKeys(GbxHeader* header) {
    const int size = gbxGetEncodeKeySize(header);
    const int64_t bytes = static_cast<int64_t>(size) * 4;
    Buffer x(bytes), y(bytes), z(bytes);
    if (x.data != nullptr && y.data != nullptr && z.data != nullptr) {
        gbxGetEncodeKey(header, static_cast<int32_t*>(x.data), static_cast<int32_t*>(y.data),
                        static_cast<int32_t*>(z.data));
    }
    gTouched = gTouched + gbxIsFileCompressed(header);
}

// The bytes of one time step of the item (used: as the item holds them), as the interface
// tells a caller to size the buffer.
int64_t itemBytes(GbxItem* item, bool used) {
    return used ? gbxGetUsedItemBytes(item) : gbxGetItemBytes(item);
}

// One time-step read into a buffer of the size of the item that the next call touches (or
// none, which passes over the item).
int readNextItem(GbxHeader* header, GbxFile* file, bool withData) {
    int step = 0, itemNo = 0;
    gbxGetItemPosition(header, &step, &itemNo);
    Buffer values(itemBytes(gbxItemD(header, itemNo), false));
    double time = 0;
    return gbxReadItemTimeStep(header, file, &time, withData ? values.data : nullptr);
}

int readStatic(GbxFile* file) {
    int code = 0;
    GbxVector* vector = gbxStaticRead(file, &code);
    if (vector == nullptr) return code != 0 ? code : -1;
    describeItem(gbxItemS(vector));
    Buffer values(itemBytes(gbxItemS(vector), true));
    if (values.data != nullptr) gbxStaticGetData(vector, values.data);
    gbxStaticDestroy(&vector);
    return 0;
}

void itemStatistics(GbxHeader* header, int itemNo, int element) {
    double min, max, mean, deviation, correlation;
    int valid, deletes, pairs;
    gbxGetItemStats(header, itemNo, element, &min, &max, &mean, &deviation, &correlation, &valid, &deletes, &pairs);
}

void readAsAPlainReaderDoes(GbxHeader* header, GbxFile* file) {
    for (int statics = 0; statics < 1000 && readStatic(file) == 0; ++statics) {
    }
    const int items = gbxGetNoOfItems(header);
    for (int reads = 0; items > 0 && reads < 10000; ++reads) {
        if (readNextItem(header, file, true) != 0) break;
    }
}

// One call chosen by the input.
void driveOnce(GbxHeader* header, GbxFile* file, FuzzInput& input) {
    const int items = gbxGetNoOfItems(header);
    switch (input.pick(0, 19)) {
        case 0: describeHeader(header); break;
        case 1: describeItem(gbxItemD(header, input.pick(0, items + 1))); break;
        case 2: {
            const int itemNo = input.pick(0, items + 1);
            const int used = gbxGetUsedItemElements(gbxItemD(header, itemNo));
            const int choice = input.pick(0, 3);
            itemStatistics(header, itemNo, choice == 0 ? 0 : choice == 1 ? used - 1 : choice == 2 ? used : input.word());
            break;
        }
        case 3: readStatic(file); break;
        case 4: gbxStaticSkip(file); break;
        case 5: readNextItem(header, file, true); break;
        case 6: readNextItem(header, file, false); break;
        case 7: gbxSkipItem(header, file); break;
        case 8: gbxSkipTimeStep(header, file); break;
        case 9: gbxFindTimeStep(header, file, input.pick(0, 3) == 0 ? input.word() : input.pick(-1, 8)); break;
        case 10: gbxFindItemDynamic(header, file, input.pick(-1, 8), input.pick(0, items + 1)); break;
        case 11: gbxFindItemStatic(header, file, input.pick(0, 5)); break;
        case 12: gbxFindBlockStatic(header, file); break;
        case 13: gbxFindBlockDynamic(header, file); break;
        case 14: {
            double span = 0;
            _gbxGetTimeAxisSpan(header, file, &span);
            break;
        }
        case 15: gbxItemEnableCompression(header); break;
        case 16: {
            int step = 0, itemNo = 0;
            gbxGetItemPosition(header, &step, &itemNo);
            break;
        }
        case 17: describeTimeAxis(header); break;
        case 18: gbxSetItemUnitConversion(gbxItemD(header, input.pick(1, items)), input.pick(0, 3), input.word()); break;
        case 19:
            gbxSetItemAxisUnitConversion(gbxItemD(header, input.pick(1, items)), input.pick(0, 3), input.word());
            break;
    }
}

}  // namespace

void describeHeader(GbxHeader* header) {
    touchText(gbxGetFileTitle(header));
    touchText(gbxGetAppTitle(header));
    touchText(gbxFileTypeStr(gbxGetFileType(header)));
    gTouched = gTouched + gbxGetItemStatsType(header) + gbxGetAppVersionNo(header) + gbxGetDataType(header) +
            gbxGetDeleteValInt(header) + gbxGetDeleteValUnsignedInt(header) + gbxGetDeleteValByte(header) +
            gbxGetGeoInfoType(header);
    gTouched = gTouched + (gbxGetDeleteValFloat(header) > 0) + (gbxGetDeleteValDouble(header) > 0);
    char* projection = nullptr;
    double longitude, latitude, orientation;
    if (gbxGetGeoInfoUTMProj(header, &projection, &longitude, &latitude, &orientation) == 0) touchText(projection);
    describeEncodeKeys(header);
    describeCustomBlocks(header);
    describeTimeAxis(header);
    const int items = gbxGetNoOfItems(header);
    for (int n = 1; n <= items; ++n) {
        describeItem(gbxItemD(header, n));
        const int associated = gbxGetNoAssocStatic(header, n);
        for (int index = 1; index <= associated + 1; ++index) {
            int staticNo = 0;
            gbxGetAssocStatic(header, n, index, &staticNo);
        }
    }
}

void driveReading(GbxHeader* header, GbxFile* file, FuzzInput& input) {
    if (!input.hasChoices()) {
        describeHeader(header);
        readAsAPlainReaderDoes(header, file);
        return;
    }
    for (int calls = 0; calls < kMostCalls && input.hasChoices(); ++calls)
        driveOnce(header, file, input);
}

int writeOneStep(GbxHeader* header, GbxFile* file) {
    const int items = gbxGetNoOfItems(header);
    for (int n = 1; n <= items; ++n) {
        // The write goes to the item of the position, which an opening may have left anywhere.
        int step = 0, itemNo = 0;
        gbxGetItemPosition(header, &step, &itemNo);
        Buffer values(itemBytes(gbxItemD(header, itemNo), false));
        if (values.data == nullptr) return F_ERR_MEMORY;
        if (const int code = gbxWriteItemTimeStep(header, file, 60.0 * step, values.data)) return code;
    }
    return 0;
}

}  // namespace lrxfuzz

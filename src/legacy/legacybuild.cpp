// The header of a legacy pair in the data-file layer's model: file type, titles, delete values,
// geographic information, time or calendar axis, items with names, statistics and equidistant
// axes, and the custom block "K37_Misc" with words 144 to 150. Calls the header, item and
// attribute setters, the legacy calendar and the unit library.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacybuild.h"
#include "src/legacy/legacycalendar.h"
#include "src/os/osmemory.h"
#include "vnk/vnk.h"

namespace lrx::legacy {

namespace {

constexpr int kUndefinedItemType = 999;
constexpr int kLevelItemType = 100000;
constexpr int kFluxItemType = 100080;
constexpr int kLegacyDeleteInt = -987654;
constexpr unsigned kLegacyDeleteUnsigned = 987654;
constexpr const char* kUtm = "UTM";

bool startsWith(const char* text, char lower) {
    return std::tolower(static_cast<unsigned char>(text[0])) == lower;
}

// Data types 1 and -1 name a model whose first items are a level and two fluxes.
bool levelAndFluxes(const GbxLegacyState& state) {
    const int32_t dataType = intWord(state, kDataType);
    return dataType == 1 || dataType == -1;
}

// The item keeps the name of unit 0 as its unit text, whatever its unit key.
int setUnitText(GbxItem* item) {
    const char* name = "";
    vnkGetUnitKey(VNK_UNIT_NONE, &name);
    std::free(item->unitText);
    item->unitText = static_cast<char*>(lrx::os::allocate(std::strlen(name) + 1));
    if (item->unitText == nullptr) return F_ERR_MEMORY;
    std::memcpy(item->unitText, name, std::strlen(name) + 1);
    return 0;
}

// The axis as the file gives it. Like the reader of native files, this stores sizes, origins
// and spacings without the setters' checks, which are there for callers: a file's spacing of
// 0 is kept, not refused.
void storeAxis(GbxItem* item, const GbxLegacyState& state, int dims, const int32_t* sizes, int unit) {
    item->axisType = kEqAxisCodes[dims];
    item->axisUnit = unit;
    item->axis = GbxAxis{};
    for (int d = 0; d < dims; ++d) {
        item->axis.sizes[d] = sizes[d];
        item->axis.origins[d] = state.words[kOrigin + d];
        item->axis.spacings[d] = state.words[kSpacing + d];
    }
}

int axisUnit(const GbxLegacyState& state, int dims) {
    const bool metres = startsWith(state.axisUnits[0], 'm') || (dims == 2 && levelAndFluxes(state));
    return metres ? VNK_UNIT_METRE : VNK_UNIT_NONE;
}

// Files of 1 to 4 dimensions keep the fraction of delete values in group word 4; files of 0
// dimensions keep their number in group word 6, as the writer stores it, for the whole file.
double deleteCount(const GbxLegacyState& state, const PairLayout& layout, int item) {
    if (layout.dims == 0) return state.words[groupWord(item, 6)];
    return static_cast<double>(state.words[groupWord(item, 4)]) * layout.timeSteps *
           static_cast<double>(layout.recordValues);
}

int defineItem(GbxHeader* header, const GbxLegacyState& state, const PairLayout& layout, int item) {
    int itemType = kUndefinedItemType;
    int unit = VNK_UNIT_NONE;
    if (levelAndFluxes(state) && item == 1) {
        itemType = kLevelItemType;
        unit = VNK_UNIT_METRE;
    } else if (levelAndFluxes(state) && item <= 3) {
        itemType = kFluxItemType;
        unit = VNK_UNIT_SQUARE_METRE_PER_SECOND;
    }
    GbxItem* definition = &header->items[item - 1];
    int code = gbxSetItemInfo(header, definition, itemType, state.names[item - 1], unit, LRX_FLOAT);
    if (code == 0) code = setUnitText(definition);
    if (code != 0) return code;
    storeAxis(definition, state, layout.dims, layout.sizes, axisUnit(state, layout.dims));
    definition->minValue = state.words[groupWord(item, 1)];
    definition->maxValue = state.words[groupWord(item, 2)];
    definition->deleteCount = deleteCount(state, layout, item);
    return 0;
}

// An equidistant time axis, or a calendar axis from the start day and its seconds. Stored as
// the file gives it: a file's time step of 0 is kept.
void storeTimeAxis(GbxHeader* header, const GbxLegacyState& state, const PairLayout& layout) {
    GbxTimeAxisRecord& axis = header->timeAxis;
    axis.step = state.words[kTimeStep];
    axis.noOfTimeSteps = layout.timeSteps;
    axis.index = intWord(state, kStartIndex);
    if (state.words[kStartDay] == 0.0f) {
        header->timeAxisType = F_TM_EQ_AXIS;
        axis.unitKey = startsWith(state.timeUnit, 's') ? VNK_UNIT_SECOND : VNK_UNIT_NONE;
        axis.start = state.words[kStartTime];
        return;
    }
    header->timeAxisType = F_CAL_EQ_AXIS;
    axis.unitKey = VNK_UNIT_SECOND;
    axis.start = 0.0;
    char text[40];
    dayTimeText({intWord(state, kStartDay), 0, 0, intWord(state, kStartTime)}, text, sizeof text);
    text[4] = text[7] = '-';
    std::memcpy(axis.startDate, text, 10);
    axis.startDate[10] = '\0';
    std::memcpy(axis.startTime, text + 11, 8);
    axis.startTime[8] = '\0';
}

int storeAttributes(GbxHeader* header, const GbxLegacyState& state) {
    const float* w = state.words;
    int code = gbxSetDataType(header, intWord(state, kDataType));
    if (code == 0) code = gbxSetDeleteValFloat(header, w[kDeleteValue]);
    if (code == 0) code = gbxSetDeleteValDouble(header, w[kDeleteValue]);
    if (code == 0) code = gbxSetDeleteValByte(header, 0);
    if (code == 0) code = gbxSetDeleteValInt(header, kLegacyDeleteInt);
    if (code == 0) code = gbxSetDeleteValUnsignedInt(header, kLegacyDeleteUnsigned);
    if (code == 0 && w[kProjection] == kUtmMarker)
        code = gbxSetGeoInfoUTMProj(header, kUtm, w[kGeoOrigin], w[kGeoOrigin + 1], w[kOrientation]);
    if (code == 0) code = gbxAddCustomBlock(header, LRX_FLOAT, kMiscBlock, kMiscWords, &w[kOrientation]);
    return code;
}

}  // namespace

int buildHeader(const GbxLegacyState& state, const PairLayout& layout, GbxHeader** header) {
    // Created with statistics type 1, so that no per-element statistics are allocated for a
    // grid the file only claims; legacy headers keep none and report type 2.
    int code = gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, state.title, "Unknown", 0, layout.items, 1, header);
    if (code != 0) return code;
    code = storeAttributes(*header, state);
    for (int item = 1; item <= layout.items && code == 0; ++item)
        code = defineItem(*header, state, layout, item);
    if (code != 0) {
        gbxHeaderDestroy(header);
        return code;
    }
    storeTimeAxis(*header, state, layout);
    (*header)->itemStatsType = 2;
    return 0;
}

int defineStaticItem(const GbxLegacyState& state, GbxHeader* header, GbxVector* vector) {
    const int code = gbxSetItemInfo(header, vector, kUndefinedItemType, "No name", VNK_UNIT_NONE, LRX_FLOAT);
    if (code != 0) return code;
    const GbxItem& first = header->items[0];
    int32_t keySizes[3] = {};
    const bool keyed = state.dims == 3 && header->compressed != 0;
    for (int d = 0; keyed && d < 3; ++d)
        keySizes[d] = intWord(state, kLastIndex + d) + 1;
    storeAxis(vector, state, state.dims, keyed ? keySizes : first.axis.sizes, first.axisUnit);
    std::memcpy(vector->refCoords, first.refCoords, sizeof vector->refCoords);
    std::memcpy(vector->orientation, first.orientation, sizeof vector->orientation);
    return setUnitText(vector);
}

void refreshHeader(const GbxLegacyState& state, GbxHeader* header) {
    for (int item = 1; item <= header->noOfItems && item <= kMaxItems; ++item) {
        header->items[item - 1].minValue = state.words[groupWord(item, 1)];
        header->items[item - 1].maxValue = state.words[groupWord(item, 2)];
    }
    header->timeAxis.noOfTimeSteps = intWord(state, kLastStep) + 1;
}

}  // namespace lrx::legacy

// Creating a legacy pair from a header built in memory: the checks that the header fits the
// old fixed layout, the words and texts taken from it, and the data file taken into the table
// of open pairs. The header file is written at flush and close. Calls the header getters, the
// legacy calendar, the unit library, the table and the close of a pair.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/header/gbxheader.h"
#include "src/legacy/legacy.h"
#include "src/legacy/legacycalendar.h"
#include "src/legacy/legacyheaderfile.h"
#include "src/legacy/legacytable.h"
#include "vnk/vnk.h"

namespace lrx::legacy {

namespace {

constexpr int kNotRepresentable = GBX_LEGACY_NOT_REPRESENTABLE;

struct StateDeleter {
    void operator()(GbxLegacyState* state) const { freeState(state); }
};
using StatePtr = std::unique_ptr<GbxLegacyState, StateDeleter>;

template <std::size_t N>
void copyText(char (&to)[N], const char* from) {
    std::snprintf(to, N, "%s", from != nullptr ? from : "");
}

// Dimensions of the equidistant axes 0-D to 4-D; -1 for any other axis.
int dimensionsOf(int axisType) {
    for (int dims = 0; dims <= kMaxDims; ++dims) {
        if (kEqAxisCodes[dims] == axisType) return dims;
    }
    return -1;
}

bool sameAxis(const GbxItem& a, const GbxItem& b) {
    if (a.axisType != b.axisType || a.axisUnit != b.axisUnit) return false;
    for (int d = 0; d < dimensionsOf(a.axisType); ++d) {
        if (a.axis.sizes[d] != b.axis.sizes[d] || a.axis.origins[d] != b.axis.origins[d] ||
            a.axis.spacings[d] != b.axis.spacings[d])
            return false;
    }
    return true;
}

void copyMiscBlock(const GbxHeader& header, GbxLegacyState& state) {
    for (const GbxCustomBlock* block = header.customBlocks; block != nullptr; block = block->next) {
        const bool misc = block->name != nullptr && std::strcmp(block->name, kMiscBlock) == 0;
        if (misc && block->type == LRX_FLOAT && block->count == kMiscWords && block->data != nullptr) {
            std::memcpy(&state.words[kOrientation], block->data, kMiscWords * sizeof(float));
            return;
        }
    }
}

int copyAttributes(const GbxHeader& header, GbxLegacyState& state) {
    if (header.fileType != F_EQTIME_FIXEDSPACE_ALLITEMS) return kNotRepresentable;
    copyText(state.title, header.fileTitle);
    state.words[kDataType] = static_cast<float>(header.dataType);
    state.words[kDeleteValue] = header.deleteValueFloat;
    state.words[kStaticRecords] = 0;
    copyMiscBlock(header, state);
    if (header.geoInfoType == 1) {
        state.words[kProjection] = kUtmMarker;
        state.words[kGeoOrigin] = static_cast<float>(header.longitude);
        state.words[kGeoOrigin + 1] = static_cast<float>(header.latitude);
        state.words[kOrientation] = static_cast<float>(header.orientation);
    }
    return 0;
}

int copyItems(const GbxHeader& header, GbxLegacyState& state) {
    if (header.noOfItems < 1 || header.noOfItems > kMaxItems || header.items == nullptr) return kNotRepresentable;
    state.words[kItemCount] = static_cast<float>(header.noOfItems);
    for (int i = 0; i < header.noOfItems; ++i) {
        const GbxItem& item = header.items[i];
        if (item.dataType != LRX_FLOAT || !sameAxis(item, header.items[0])) return kNotRepresentable;
        copyText(state.names[i], item.name);
    }
    return 0;
}

// Item 1's axis gives the dimensions and the axis words. A 2-D file stores the origin 0, 0.
int copyAxis(const GbxItem& first, bool utm, GbxLegacyState& state) {
    const int dims = dimensionsOf(first.axisType);
    if (dims < 0) return kNotRepresentable;
    state.dims = dims;
    state.words[kDimensions] = static_cast<float>(dims);
    for (int d = 0; d < dims; ++d) {
        state.words[kLastIndex + d] = static_cast<float>(first.axis.sizes[d] - 1);
        state.words[kOrigin + d] = dims == 2 ? 0.0f : first.axis.origins[d];
        state.words[kSpacing + d] = first.axis.spacings[d];
        state.words[kAxisUsed + d] = 1.0f;
    }
    if (dims >= 2 && !utm) state.words[kGeoOrigin] = state.words[kGeoOrigin + 1] = 0.0f;
    const char* unitName = nullptr;
    if (vnkGetUnitKey(first.axisUnit, &unitName) != 0) {
        copyText(state.axisUnits[0], unitName);
        if (dims >= 2) copyText(state.axisUnits[1], unitName);
    }
    return 0;
}

int copyTimeAxis(GbxHeader* header, GbxLegacyState& state) {
    int unit = 0;
    int index = 0;
    double step = 0.0;
    if (header->timeAxisType == F_TM_EQ_AXIS) {
        const char* unitText = nullptr;
        double start = 0.0;
        gbxGetEqTimeAxis(header, &unit, &unitText, &start, &step, nullptr, &index);
        state.words[kStartDay] = 0.0f;
        state.words[kStartTime] = static_cast<float>(start);
        copyText(state.timeUnit, unitText);
    } else if (header->timeAxisType == F_CAL_EQ_AXIS) {
        // The start offset is folded into the start date and time; a legacy pair has no
        // offset, and counts its calendar axis in seconds.
        const char* date = nullptr;
        const char* time = nullptr;
        double offset = 0.0;
        gbxGetEqCalendarAxis(header, &unit, nullptr, &date, &time, &offset, &step, nullptr, &index);
        char text[32];
        std::snprintf(text, sizeof text, "%s %s", date, time);
        DayTime start{};
        if (offset != 0.0 || !parseDateTime(text, &start)) return kNotRepresentable;
        vnkConvertUnit(unit, step, VNK_UNIT_SECOND, &step);
        state.words[kStartDay] = static_cast<float>(start.days);
        state.words[kStartTime] = static_cast<float>(start.hours * 3600 + start.minutes * 60 + start.seconds);
        copyText(state.timeUnit, "s");
    } else {
        return kNotRepresentable;
    }
    state.words[kStartIndex] = static_cast<float>(index);
    state.words[kTimeStep] = static_cast<float>(step);
    state.words[kTimeAxisSet] = 1.0f;
    return 0;
}

int stateFromHeader(GbxHeader* header, GbxLegacyState& state) {
    int code = copyAttributes(*header, state);
    if (code == 0) code = copyItems(*header, state);
    if (code == 0) code = copyAxis(header->items[0], header->geoInfoType == 1, state);
    if (code == 0) code = copyTimeAxis(header, state);
    state.words[kLastStep] = 0.0f;
    return code;
}

// The base name is the path without its extension.
bool setBaseName(const char* path, GbxLegacyState& state) {
    const std::size_t length = static_cast<std::size_t>(extensionOf(path) - path);
    if (length >= kPathLimit) return false;
    std::memcpy(state.baseName, path, length);
    state.baseName[length] = '\0';
    return true;
}

void resetRunning(GbxLegacySlot& slot) {
    for (RunningStats& running : slot.running)
        running = {1e30, -1e30, 0, 0, 0, 0, 0, 0.0f};
}

int createDataFile(GbxLegacyState& state) {
    PairLayout layout{};
    char path[kPathLimit + 8];
    if (checkLayout(state, &layout) != 0 || !pairPath(state, "dt", state.dims, path, sizeof path))
        return kNotRepresentable;
    state.slot = slotAcquire(path, true);
    if (state.slot < 0) return kNotRepresentable;
    resetRunning(*slotOf(state, true));
    return 0;
}

}  // namespace

int createPair(const char* path, GbxHeader* header, GbxFile** file) {
    if (file != nullptr) *file = nullptr;
    GbxLegacyState* previous = stateOf(header);
    // A header serves one open pair at a time.
    if (path == nullptr || header == nullptr || (previous != nullptr && previous->slot >= 0))
        return kNotRepresentable;
    StatePtr state(newState(0));
    if (state == nullptr) return F_ERR_MEMORY;
    int code = stateFromHeader(header, *state);
    if (code == 0 && !setBaseName(path, *state)) code = kNotRepresentable;
    if (code == 0) code = createDataFile(*state);
    if (code != 0) return code;
    auto* handle = new (std::nothrow) GbxLegacyFile{GBX_LEGACY_TAG, header};
    if (handle == nullptr) return F_ERR_MEMORY;
    freeState(previous);
    header->legacyFile = state.release();
    header->currentTimeStep = 0;
    header->currentItem = 0;
    auto* created = reinterpret_cast<GbxFile*>(handle);
    if (file != nullptr) {
        *file = created;
        return 0;
    }
    // Without a place for the handle the pair is closed at once, as a native file would be.
    return closePair(header, &created) == 0 ? 0 : kNotRepresentable;
}

}  // namespace lrx::legacy

// Encoding and decoding of the header's time-axis blocks in all their forms.
#include "src/gbx/time/gbxtimeaxisblocks.h"

#include <cstdlib>
#include <cstring>

#include "src/gbx/common/gbxerror.h"

namespace {

constexpr int kFirstOlderTag = GBX_TAG_OLD_TM_EQ_AXIS;
constexpr int kFirstCurrentTag = GBX_TAG_TM_EQ_AXIS;

bool isCalendar(int axisType) {
    return axisType == F_CAL_EQ_AXIS || axisType == F_CAL_NEQ_AXIS;
}

bool isNonEquidistant(int axisType) {
    return axisType == F_TM_NEQ_AXIS || axisType == F_CAL_NEQ_AXIS;
}

}  // namespace

int gbxTimeAxisTypeOfTag(int tag) {
    if (tag >= kFirstCurrentTag && tag <= kFirstCurrentTag + 3) return tag - kFirstCurrentTag + 1;
    if (tag >= kFirstOlderTag && tag <= kFirstOlderTag + 3) return tag - kFirstOlderTag + 1;
    return 0;
}

bool gbxIsOlderTimeAxisTag(int tag) {
    return tag >= kFirstOlderTag && tag <= kFirstOlderTag + 3;
}

void gbxBuildTimeAxis(const GbxHeader* header, int tag, const char* unitText, GbxBlockBuilder& block) {
    const int axisType = gbxTimeAxisTypeOfTag(tag);
    const GbxTimeAxisRecord& axis = header->timeAxis;
    // The older non-equidistant forms store no span.
    const bool storesStep = !(gbxIsOlderTimeAxisTag(tag) && isNonEquidistant(axisType));
    const double values[2] = {axis.start, axis.step};
    const int32_t counts[2] = {axis.noOfTimeSteps, axis.index};
    if (isCalendar(axisType)) {
        block.add(LRX_BYTE, sizeof axis.startDate, axis.startDate);
        block.add(LRX_BYTE, sizeof axis.startTime, axis.startTime);
    }
    if (gbxIsOlderTimeAxisTag(tag)) {
        block.text(unitText);
    } else {
        block.add(LRX_INT4, 1, &axis.unitKey);
    }
    block.add(LRX_DOUBLE, storesStep ? 2 : 1, values);
    block.add(LRX_INT4, 2, counts);
}

int gbxWriteTimeAxis(GbxHeader* header, GbxFile* file, const char* module, int line) {
    const int axisType = header->timeAxisType;
    if (axisType < F_TM_EQ_AXIS || axisType > F_CAL_NEQ_AXIS) {
        return gbxReportError(header, file, nullptr, F_ERR_DATA, module, line);
    }
    const int tag = kFirstCurrentTag + axisType - 1;
    GbxBlockBuilder block;
    gbxBuildTimeAxis(header, tag, nullptr, block);
    return block.write(static_cast<uint16_t>(tag), file, module, line);
}

int gbxReadTimeAxis(GbxHeader* header, int tag, GbxBlockRecords& records, const char* module, int line) {
    const int axisType = gbxTimeAxisTypeOfTag(tag);
    const bool older = gbxIsOlderTimeAxisTag(tag);
    const bool storesStep = !(older && isNonEquidistant(axisType));
    GbxTimeAxisRecord axis = header->timeAxis;
    char* unitText = nullptr;
    bool ok = true;
    if (isCalendar(axisType)) {
        const LrxLrec* date = records.take(LRX_BYTE, sizeof axis.startDate, module, line);
        const LrxLrec* time = date != nullptr ? records.take(LRX_BYTE, sizeof axis.startTime, module, line) : nullptr;
        ok = time != nullptr;
        if (ok) {
            gbxCopyFixedText(date, axis.startDate, sizeof axis.startDate);
            gbxCopyFixedText(time, axis.startTime, sizeof axis.startTime);
        }
    }
    if (ok && older) {
        unitText = records.takeText(module, line);
        ok = unitText != nullptr;
        axis.unitKey = -1;
    } else if (ok) {
        ok = records.copy(LRX_INT4, 1, &axis.unitKey, module, line);
    }
    double values[2] = {0, 0};
    int32_t counts[2] = {0, 0};
    ok = ok && records.copy(LRX_DOUBLE, storesStep ? 2 : 1, values, module, line) &&
         records.copy(LRX_INT4, 2, counts, module, line);
    if (!ok) {
        std::free(unitText);
        return records.error() != 0 ? records.error() : F_ERR_READ;
    }
    axis.start = values[0];
    axis.step = storesStep ? values[1] : gbxDefaultDeleteDouble();
    axis.noOfTimeSteps = counts[0];
    axis.index = counts[1];
    if (older) {
        std::free(axis.unitText);
        axis.unitText = unitText;
    }
    header->timeAxis = axis;
    header->timeAxisType = axisType;
    if (isNonEquidistant(axisType)) header->lastTime = storesStep ? axis.start + axis.step : gbxDefaultDeleteDouble();
    return 0;
}

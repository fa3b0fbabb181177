// The common case of the time-step calls, taken without the general path's layers: a small
// item of a native data file of file type 1 or 4, written or read whole within the record
// stream's buffer, with no trace, no unit conversion, no encoding keys and no plug-in. A time
// series of scalars makes millions of such calls. Anything else, and anything unexpected in
// the file, takes the general path, which also reports errors; the bytes written, the figures
// kept and the position are the general path's exactly. Calls the record stream's buffer
// access, the statistics update and the time-step head rules.
#include <cstring>

#include "src/gbx/common/fileio.h"
#include "src/gbx/common/gbxformat.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/file/gbxhandoffs.h"
#include "src/gbx/items/gbxitem.h"
#include "src/gbx/items/gbxitemstats.h"
#include "src/gbx/time/gbxtimestep.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"

namespace {

// Items of up to this many values take the quick path; larger ones are bound by their
// transfer anyway.
constexpr int64_t kMostValues = 256;

constexpr unsigned char kBlockHead = 0xFE;
constexpr unsigned char kTerminator = 0xFF;
constexpr int64_t kRecordHead = 5;
// The head of a time step: an empty block (file type 1), or one holding the time (type 4).
constexpr int64_t kEmptyHead = 4;
constexpr int64_t kTimeHead = 3 + kRecordHead + 8 + 1;

// Copies an item's values; a single float or double, the values of a time series, is copied
// inline.
void copyValues(void* to, const void* from, int64_t bytes) {
    if (bytes == 4)
        std::memcpy(to, from, 4);
    else if (bytes == 8)
        std::memcpy(to, from, 8);
    else
        std::memcpy(to, from, static_cast<std::size_t>(bytes));
}

// The sizes of the value types that the quick path takes, LRX_FLOAT to LRX_UINT4, by type.
constexpr int kValueSizes[LRX_UINT4 + 1] = {0, 4, 8, 1, 4, 4};

bool isTimeVarying(int axisType) {
    return axisType == GBX_TVARD1 || axisType == GBX_TVARD2 || axisType == GBX_TVARD3;
}

// The item the next call touches, when the quick path may take it: its values' size and count.
GbxItem* quickItem(GbxHeader* header, GbxFile* file, int* valueSize, int64_t* count) {
    if (header == nullptr || file == nullptr || gbxTraceOn() || fileioTraceOn()) return nullptr;
    if (gbxIsLegacyFile(file) || gbxIsLegacyHeader(header) || header->plugin.library != nullptr) return nullptr;
    if (header->fileType != F_EQTIME_FIXEDSPACE_ALLITEMS && header->fileType != F_NEQTIME_FIXEDSPACE_ALLITEMS)
        return nullptr;
    if (file->positionState != GBX_IN_TIME_STEPS || file->dynamicSectionDue != 0) return nullptr;
    if (header->encodeKeyRef != nullptr && header->encodeKeySize >= 1) return nullptr;
    const int index = header->currentItem;
    if (index < 0 || index >= header->noOfItems || header->items == nullptr) return nullptr;
    GbxItem* item = &header->items[index];
    if (item->dataType < LRX_FLOAT || item->dataType > LRX_UINT4 || isTimeVarying(item->axisType)) return nullptr;
    if (item->convMode == GBX_CONV_USER_UNIT || item->convMode == GBX_CONV_UNIT) return nullptr;
    const int statsType = header->itemStatsType;
    if (statsType != GBX_STATS_GLOBAL && !gbxKeepsElementStats(statsType)) return nullptr;
    // A scalar item, the values of a time series, holds one value.
    *count = item->axisType == GBX_EQD0 ? 1 : gbxItemXYZSize64(item);
    *valueSize = kValueSizes[item->dataType];
    if (*count < 1 || *count > kMostValues) return nullptr;
    return item;
}

int64_t headBytes(const GbxHeader* header) {
    if (header->currentItem != 0) return 0;
    return header->fileType == F_EQTIME_FIXEDSPACE_ALLITEMS ? kEmptyHead : kTimeHead;
}

unsigned char* putBlockHead(unsigned char* at) {
    const uint16_t id = GBX_TAG_TIME_STEP_HEAD;
    *at++ = kBlockHead;
    std::memcpy(at, &id, 2);
    return at + 2;
}

unsigned char* putRecordHead(unsigned char* at, int type, int32_t count) {
    *at++ = static_cast<unsigned char>(type);
    std::memcpy(at, &count, 4);
    return at + 4;
}

// The head of a time step as the general path writes it, the last time brought up to date.
unsigned char* putTimeStepHead(GbxHeader* header, unsigned char* at, double time) {
    if (header->currentTimeStep == 0 &&
        (header->timeAxisType == F_TM_NEQ_AXIS || header->timeAxisType == F_CAL_NEQ_AXIS))
        header->timeAxis.start = time;
    at = putBlockHead(at);
    if (header->fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS) {
        gbxUpdateLastTime(header, time);
        at = putRecordHead(at, LRX_DOUBLE, 1);
        std::memcpy(at, &time, 8);
        at += 8;
    }
    *at++ = kTerminator;
    return at;
}

bool isBlockHead(const unsigned char* at) {
    uint16_t id = 0;
    std::memcpy(&id, at + 1, 2);
    return at[0] == kBlockHead && id == GBX_TAG_TIME_STEP_HEAD;
}

bool isRecordHead(const unsigned char* at, int type, int64_t count) {
    int32_t stored = 0;
    std::memcpy(&stored, at + 1, 4);
    return at[0] == static_cast<unsigned char>(type) && stored == count;
}

// The time a head holds, or false when it is not the head its file type writes.
bool takeTimeStepHead(const GbxHeader* header, const unsigned char* at, double* time) {
    if (!isBlockHead(at)) return false;
    if (header->fileType == F_EQTIME_FIXEDSPACE_ALLITEMS) {
        *time = header->currentTimeStep;
        return at[3] == kTerminator;
    }
    if (!isRecordHead(at + 3, LRX_DOUBLE, 1) || at[kTimeHead - 1] != kTerminator) return false;
    std::memcpy(time, at + 3 + kRecordHead, 8);
    return true;
}

}  // namespace

bool gbxWriteItemQuickly(GbxHeader* header, GbxFile* file, double time, const void* data) {
    int valueSize = 0;
    int64_t count = 0;
    GbxItem* item = quickItem(header, file, &valueSize, &count);
    if (item == nullptr || data == nullptr) return false;
    const int64_t valueBytes = count * valueSize;
    unsigned char* at = lrxReserve(file, headBytes(header) + kRecordHead + valueBytes);
    if (at == nullptr) return false;
    if (header->currentItem == 0) at = putTimeStepHead(header, at, time);
    at = putRecordHead(at, item->dataType, static_cast<int32_t>(count));
    copyValues(at, data, valueBytes);
    gbxAddStepStatistics(header, item, data, count);
    gbxAdvanceItem(header);
    return true;
}

bool gbxReadItemQuickly(GbxHeader* header, GbxFile* file, double* time, void* data) {
    int valueSize = 0;
    int64_t count = 0;
    const GbxItem* item = quickItem(header, file, &valueSize, &count);
    if (item == nullptr || data == nullptr) return false;
    const int64_t head = headBytes(header);
    const int64_t bytes = head + kRecordHead + count * valueSize;
    const unsigned char* at = lrxPeek(file, bytes);
    if (at == nullptr) return false;
    double stepTime = 0;
    if (head != 0 && !takeTimeStepHead(header, at, &stepTime)) return false;
    if (!isRecordHead(at + head, item->dataType, count)) return false;
    copyValues(data, at + head + kRecordHead, count * valueSize);
    lrxConsume(file, bytes);
    if (head != 0) header->currentTime = gbxRelativeTime(header, stepTime);
    if (time != nullptr) *time = header->currentTime;
    gbxAdvanceItem(header);
    return true;
}

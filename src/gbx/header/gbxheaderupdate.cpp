// Rewrites a header in place at a flush or close: every block keeps its record types and
// counts, so its size stays and the data behind the header never moves. The rewrite goes
// through a second handle opened for update on the same file.
#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>

#include "src/gbx/common/gbxblock.h"
#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/gbx/header/gbxattributeblocks.h"
#include "src/gbx/header/gbxheader.h"
#include "src/gbx/header/gbxheaderparts.h"
#include "src/gbx/items/gbxaxis.h"
#include "src/gbx/time/gbxtimeaxisblocks.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"
#include "src/os/osclock.h"

namespace {

constexpr const char* kModule = "gbxheader";

// The header's custom blocks by name (the first of each name), made when the walk meets the
// first stored custom block: a file may hold hundreds of thousands of them.
class CustomBlockIndex {
public:
    const GbxCustomBlock* find(const GbxHeader* header, const char* name) {
        try {
            if (!built_) build(header);
            const auto found = byName_.find(name);
            return found != byName_.end() ? found->second : nullptr;
        } catch (const std::bad_alloc&) {
            return findByWalking(header, name);
        }
    }

private:
    void build(const GbxHeader* header) {
        for (const GbxCustomBlock* custom = header->customBlocks; custom != nullptr; custom = custom->next) {
            if (custom->name != nullptr) byName_.emplace(custom->name, custom);
        }
        built_ = true;
    }

    static const GbxCustomBlock* findByWalking(const GbxHeader* header, const char* name) {
        for (const GbxCustomBlock* custom = header->customBlocks; custom != nullptr; custom = custom->next) {
            if (custom->name != nullptr && std::strcmp(custom->name, name) == 0) return custom;
        }
        return nullptr;
    }

    std::unordered_map<std::string_view, const GbxCustomBlock*> byName_;
    bool built_ = false;
};

struct Update {
    GbxHeader* header;
    GbxFile* second;
    int64_t position;  // start of the block in hand
    int itemCounter = 0;
    CustomBlockIndex customBlocks;
};

enum class Walk { Next, Done };

bool holds(const LrxLrec* record, int type, int count) {
    return record != nullptr && record->type == type && record->count == count;
}

// The span of a non-equidistant axis: its last time minus its start. An axis without any time
// step has no last time (the double delete value) and stores the span 0.
double nonEquidistantSpan(const GbxHeader* header) {
    uint64_t lastBits = 0;
    std::memcpy(&lastBits, &header->lastTime, sizeof lastBits);
    if (header->timeAxis.noOfTimeSteps == 0 || lastBits == GBX_DELETE_DOUBLE_BITS) return 0.0;
    return header->lastTime - header->timeAxis.start;
}

// The time axis is built anew in the stored block's form, with the step count and span
// brought up to date; the older forms keep their stored unit text so the block keeps its size.
int rewriteTimeAxis(Update& update, int tag) {
    GbxHeader* header = update.header;
    if (header->timeAxisType != gbxTimeAxisTypeOfTag(tag)) {
        return GBX_REPORT(header, update.second, nullptr, F_ERR_DATA);
    }
    int code = 0;
    LrxLrec* chain = gbxReadBlock(update.second, &code);
    const LrxLrec* unitRecord = chain;
    const bool calendar = header->timeAxisType == F_CAL_EQ_AXIS || header->timeAxisType == F_CAL_NEQ_AXIS;
    if (calendar && unitRecord != nullptr && unitRecord->next != nullptr) unitRecord = unitRecord->next->next;
    if (code == 0 && gbxIsOlderTimeAxisTag(tag) && (unitRecord == nullptr || unitRecord->type != LRX_BYTE)) {
        code = GBX_REPORT(header, update.second, nullptr, F_ERR_TYPE);
    }
    if (code == 0) {
        GbxTimeAxisRecord& axis = header->timeAxis;
        axis.noOfTimeSteps = std::max(axis.noOfTimeSteps, header->currentTimeStep);
        if (tag == GBX_TAG_TM_NEQ_AXIS || tag == GBX_TAG_CAL_NEQ_AXIS) axis.step = nonEquidistantSpan(header);
        const char* unitText = gbxIsOlderTimeAxisTag(tag) ? static_cast<const char*>(unitRecord->data) : nullptr;
        GbxBlockBuilder block;
        gbxBuildTimeAxis(header, tag, unitText, block);
        code = block.rewrite(static_cast<uint16_t>(tag), update.second, update.position, kModule, __LINE__);
    }
    FFreeLogicalBlock(chain);
    return code;
}

int rewriteCustomBlock(Update& update, int tag) {
    int code = 0;
    LrxLrec* chain = gbxReadBlock(update.second, &code);
    LrxLrec* values = chain != nullptr ? chain->next : nullptr;
    if (code == 0 && values != nullptr && chain->type == LRX_BYTE) {
        static_cast<char*>(chain->data)[chain->count - 1] = '\0';
        const GbxCustomBlock* custom = update.customBlocks.find(update.header, static_cast<const char*>(chain->data));
        const auto bytes = static_cast<std::size_t>(lrxRecordSize(values->type, values->count));
        const bool found = custom != nullptr && custom->data != nullptr && holds(values, custom->type, custom->count);
        // Unchanged values are not written again: a header may hold very many custom blocks.
        if (found && std::memcmp(values->data, custom->data, bytes) != 0) {
            std::memcpy(values->data, custom->data, bytes);
            code =
                gbxRewriteBlock(static_cast<uint16_t>(tag), chain, update.second, update.position, kModule, __LINE__);
        }
    }
    FFreeLogicalBlock(chain);
    return code;
}

int rewriteBlock(Update& update, int tag, Walk* walk, const GbxCall& call) {
    GbxHeader* header = update.header;
    *walk = Walk::Next;
    const int attribute = gbxUpdateAttributeBlock(header, update.second, tag, update.position);
    if (attribute != GBX_NOT_AN_ATTRIBUTE) return attribute;
    switch (tag) {
        case GBX_TAG_CUSTOM:
            return rewriteCustomBlock(update, tag);
        case GBX_TAG_STATICS:
        case GBX_TAG_TIME_STEPS:
            *walk = Walk::Done;
            return 0;
        default:
            break;
    }
    if (gbxTimeAxisTypeOfTag(tag) != 0) return rewriteTimeAxis(update, tag);
    if (gbxIsItemBlockTag(tag) && tag != GBX_TAG_ITEM_ASSOC && tag != GBX_TAG_ITEM_VALUE_TYPE &&
        !gbxIsOlderAxisBlockTag(tag)) {
        return gbxUpdateHeaderItemBlock(header, tag, &update.itemCounter, update.second, update.position);
    }
    call.print("Unknown tag found %d", tag);
    FSkipLogicalBlock(update.second);
    return 0;
}

// Walks the blocks of the second handle up to the static or dynamic section, or to the end of
// a file that holds neither. Any other failure (a read, seek or write that fails, a block cut
// off inside) is returned: a header that was not rewritten whole must never pass as updated.
int walkBlocks(Update& update, const GbxCall& call) {
    for (;;) {
        update.position = lrxTell64(update.second);
        const int tag = FQueryLogicalBlock(update.second);
        const int queried = lrxPeekError(update.second);
        if (queried == LRX_END_OF_FILE) return 0;
        if (queried != 0) return queried;
        Walk walk = Walk::Next;
        int code = rewriteBlock(update, tag, &walk, call);
        if (code == 0) code = lrxPeekError(update.second);
        if (code != 0) return code == LRX_END_OF_FILE ? F_ERR_READ : code;
        if (walk == Walk::Done) return 0;
    }
}

// Commits written data to disk unless the last commit is no more than a second old and the
// caller does not force it.
int commitIfDue(GbxHeader* header, GbxFile* file, int force) {
    const double seconds = static_cast<double>(lrx::os::clockMillis() - file->commitClock) / 1000.0;
    if (force == 0 && seconds <= 1.0) return 0;
    if (const int code = lrxCommit(file)) return GBX_REPORT(header, file, nullptr, code);
    return 0;
}

// Rewrites the header blocks through a second handle on the same file.
int rewriteInPlace(GbxHeader* header, GbxFile* file, const GbxCall& call) {
    int code = 0;
    LrxFile* second = FOpenFileEdit(file->fileName, &code);
    if (second == nullptr) return code != 0 ? code : F_ERR_OPEN;
    lrxSeekAppBase(second);
    Update update{header, second, 0, 0, {}};
    code = lrxPeekError(second);
    if (code == 0) code = walkBlocks(update, call);
    const int closed = FCloseFile(&second);
    return code != 0 ? code : closed;
}

}  // namespace

// Stores text in a stored text record without changing its length: a longer text is cut to
// the stored length, a shorter one leaves the record's remaining bytes as they were.
void gbxStoreTextInPlace(LrxLrec* record, const char* text) {
    auto* bytes = static_cast<char*>(record->data);
    const std::size_t room = static_cast<std::size_t>(record->count) - 1;
    const std::size_t length = std::min(std::strlen(text != nullptr ? text : ""), room);
    std::memcpy(bytes, text != nullptr ? text : "", length);
    bytes[length] = '\0';
}

int gbxUpdateHeader(GbxHeader* header, int force, GbxFile* file) {
    GbxCall call("gbxUpdateHeader");
    if (const int code = gbxCheckHeaderFile(header, file, kModule, __LINE__)) return call.result(code);
    if (file->readOnly) return call.result(GBX_REPORT(header, file, nullptr, F_ERR_READONLY));
    // Every byte written through the file reaches it before the second handle reads the header;
    // the commit comes after the rewrite, so that the header on disk is the final one.
    if (const int code = lrxFlush(file)) return call.result(GBX_REPORT(header, file, nullptr, code));
    if (const int code = rewriteInPlace(header, file, call)) return call.result(code);
    return call.result(commitIfDue(header, file, force));
}

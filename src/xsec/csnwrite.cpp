// Writing one section into a cross-section file: blocks 257 and 258 always, then one block
// for each point set that is not empty. The records borrow the section's own texts and
// arrays, so nothing is copied; every chain is built before the first byte is written, so a
// section is either written whole or, when memory runs out, not at all.
#include <climits>
#include <cstring>

#include "src/lrx/lrxblock.h"
#include "src/xsec/csnfile.h"
#include "src/xsec/csnregistry.h"

namespace {

// An empty text is stored as one zero byte: a record of no bytes is never written, and the
// 257 block would lose a record. Reading takes the zero byte as the end of the text.
constexpr char kEmptyText[1] = {'\0'};

constexpr int kBlocks = 5;

// The chains of a section's blocks; frees them when it goes.
struct SectionChains {
    LrxLrec* chains[kBlocks] = {};
    ~SectionChains() {
        for (LrxLrec*& chain : chains)
            lrxLrecChainFree(&chain);
    }
};

// Appends a record that borrows data to *chain (starting it when empty). False when the node
// could not be made.
bool appendRecord(LrxLrec** chain, int type, int count, const void* data) {
    LrxLrec* node = lrxLrecCreate(type, count, data, 0, *chain);
    if (node == nullptr) return false;
    if (*chain == nullptr) *chain = node;
    return true;
}

bool appendText(LrxLrec** chain, const char* text) {
    const std::size_t length = std::strlen(text);
    if (length == 0) return appendRecord(chain, LRX_BYTE, 1, kEmptyText);
    return length <= INT_MAX && appendRecord(chain, LRX_BYTE, static_cast<int>(length), text);
}

bool buildTexts(LrxLrec** chain, const CsnXsecRecord& r) {
    return appendText(chain, r.keyText1) && appendRecord(chain, LRX_DOUBLE, 1, &r.position) &&
           appendText(chain, r.keyText2) && appendText(chain, r.extraText);
}

bool buildCodes(LrxLrec** chain, const CsnXsecRecord& r) {
    return appendRecord(chain, LRX_UINT2, CSN_CODE_COUNT, r.codes) &&
           appendRecord(chain, LRX_DOUBLE, CSN_VALUE_COUNT, r.values);
}

// The block of a point set: its double arrays, then its 16-bit arrays. An empty set has no
// block and leaves *chain null.
bool buildPointSet(LrxLrec** chain, CsnXsecRecord& record, CsnPointSet set) {
    const CsnSetView view = csnSetView(record, set);
    const int32_t count = *view.count;
    if (count == 0) return true;
    for (int i = 0; i < view.doubleCount; ++i) {
        if (!appendRecord(chain, LRX_DOUBLE, count, *view.doubles[i])) return false;
    }
    for (int i = 0; i < view.shortCount; ++i) {
        if (!appendRecord(chain, LRX_UINT2, count, *view.shorts[i])) return false;
    }
    return true;
}

bool buildChains(SectionChains& blocks, CsnXsecRecord& record) {
    return buildTexts(&blocks.chains[0], record) && buildCodes(&blocks.chains[1], record) &&
           buildPointSet(&blocks.chains[2], record, CsnPointSet::Raw) &&
           buildPointSet(&blocks.chains[3], record, CsnPointSet::Selected) &&
           buildPointSet(&blocks.chains[4], record, CsnPointSet::Processed);
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL csnXsecWrite(CsnXsecRecord* handle, LrxFile* file) {
    CsnSection* section = csnLiveSection(handle);
    // A set whose count does not match its arrays cannot be written without reading through
    // a null pointer, whatever the caller did to the record.
    if (section == nullptr || file == nullptr || !csnRecordIsConsistent(section->record)) return F_ERR_USAGE;
    const int pending = lrxPeekError(file);
    if (pending != 0) return pending;
    SectionChains blocks;
    if (!buildChains(blocks, section->record)) return F_ERR_MEMORY;
    constexpr uint16_t kIds[kBlocks] = {CSN_BLOCK_TEXTS, CSN_BLOCK_CODES, CSN_BLOCK_RAW, CSN_BLOCK_SELECTED,
                                        CSN_BLOCK_PROCESSED};
    for (int i = 0; i < kBlocks; ++i) {
        if (i < 2 || blocks.chains[i] != nullptr) lrxBlockWrite(kIds[i], file, blocks.chains[i]);
    }
    return lrxPeekError(file);
}

}  // extern "C"

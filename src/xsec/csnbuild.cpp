// Sections from blocks. Older files wrote fewer codes and values in their 258 block, and
// some wrote no extra text in their 257 block; the creating version and the length of the
// 257 block say how much is taken, the rest keeps its defaults. Every record is checked for
// its type and count before its data is used, so a damaged file cannot make a read overrun.
#include "src/xsec/csnbuild.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "src/lrx/lrxrecord.h"
#include "src/os/osmemory.h"

namespace {

std::atomic<int32_t> lastFormatVersion{100};

constexpr int kMaxRecords = 6;

// The nodes of a chain, at most `limit`; returns how many the chain has (counting on past
// limit up to limit + 1, so that a longer chain is seen as too long).
template <typename Node>
int collect(Node* chain, Node* nodes[], int limit) {
    int n = 0;
    for (; chain != nullptr && n <= limit; chain = chain->next, ++n) {
        if (n < limit) nodes[n] = chain;
    }
    return n;
}

// Chains read from a file always have data and a positive count; chains made otherwise may not.
bool hasValues(const LrxLrec* node) {
    return node->data != nullptr && node->count > 0;
}

bool holds(const LrxLrec* node, int type) {
    return node->type == type && hasValues(node);
}

// Codes and the last two raw arrays: either 16-bit type.
bool holdsShorts(const LrxLrec* node) {
    return lrxSimpSize(node->type) == 2 && hasValues(node);
}

char* textOf(const LrxLrec* node) {
    return csnCopyText(static_cast<const char*>(node->data), static_cast<std::size_t>(node->count));
}

struct Taken {
    int codes;
    int values;
};

// How many codes and values a file of `version` holds in its 258 block.
Taken takenFor(int32_t version, bool hasExtraText) {
    if (version >= 104) return {CSN_CODE_COUNT, CSN_VALUE_COUNT};
    const int values = hasExtraText ? 10 : 9;
    if (version == 103) return {23, values};
    if (version == 102) return {21, values};
    return {hasExtraText ? 20 : 16, values};
}

// Copies as many values as the version takes and the record holds; never past the record.
template <typename T>
void copyValues(T* target, const LrxLrec* node, int taken) {
    const int n = std::min(taken, node->count);
    std::memcpy(target, node->data, static_cast<std::size_t>(n) * sizeof(T));
}

bool fillTexts(CsnXsecRecord& record, const LrxLrec* const* nodes, int n) {
    record.keyText1 = textOf(nodes[0]);
    record.position = *static_cast<const double*>(nodes[1]->data);
    record.keyText2 = textOf(nodes[2]);
    record.extraText = n == 4 ? textOf(nodes[3]) : csnCopyText(" ", 1);
    return record.keyText1 != nullptr && record.keyText2 != nullptr && record.extraText != nullptr;
}

// The layout of a point block: `records` records of equal count, the first `doubles` of them
// doubles and the rest 16-bit integers.
bool fitsLayout(const LrxLrec* const* nodes, int n, int records, int doubles) {
    if (n != records) return false;
    for (int i = 0; i < n; ++i) {
        const bool typeFits = i < doubles ? holds(nodes[i], LRX_DOUBLE) : holdsShorts(nodes[i]);
        if (!typeFits || nodes[i]->count != nodes[0]->count) return false;
    }
    return true;
}

// Hands the data of the first `n` nodes to the set's arrays in file order.
void takeArrays(const CsnSetView& view, LrxLrec* const* nodes, int n) {
    for (int i = 0; i < n; ++i) {
        void* data = lrxLrecTakeData(nodes[i]);
        if (i < view.doubleCount) {
            *view.doubles[i] = static_cast<double*>(data);
        } else {
            *view.shorts[i - view.doubleCount] = static_cast<uint16_t*>(data);
        }
    }
    *view.count = nodes[0]->count;
}

// Zero-filled raw4 to raw6 for a raw block of three records. False without memory.
bool addZeroRawArrays(CsnXsecRecord& r) {
    const auto n = static_cast<std::size_t>(r.noRaw);
    r.raw4 = static_cast<double*>(lrx::os::allocateZeroed(n, sizeof(double)));
    r.raw5 = static_cast<uint16_t*>(lrx::os::allocateZeroed(n, sizeof(uint16_t)));
    r.raw6 = static_cast<uint16_t*>(lrx::os::allocateZeroed(n, sizeof(uint16_t)));
    return r.raw4 != nullptr && r.raw5 != nullptr && r.raw6 != nullptr;
}

}  // namespace

CsnBuild csnSectionFromBlocks(const LrxLrec* texts, const LrxLrec* codes, int32_t version, CsnSection** section) {
    *section = nullptr;
    const LrxLrec* textNodes[4];
    const LrxLrec* codeNodes[2];
    const int nTexts = collect(texts, textNodes, 4);
    const bool textsFit = (nTexts == 3 || nTexts == 4) && holds(textNodes[0], LRX_BYTE) &&
                          holds(textNodes[1], LRX_DOUBLE) && holds(textNodes[2], LRX_BYTE) &&
                          (nTexts == 3 || holds(textNodes[3], LRX_BYTE));
    const bool codesFit = collect(codes, codeNodes, 2) == 2 && holdsShorts(codeNodes[0]) && holds(codeNodes[1], LRX_DOUBLE);
    if (!textsFit || !codesFit) return CsnBuild::Damaged;
    CsnSection* made = csnSectionNew();
    if (made == nullptr) return CsnBuild::NoMemory;
    if (!fillTexts(made->record, textNodes, nTexts)) {
        csnSectionDestroy(made);
        return CsnBuild::NoMemory;
    }
    const Taken taken = takenFor(version, nTexts == 4);
    copyValues(made->record.codes, codeNodes[0], taken.codes);
    copyValues(made->record.values, codeNodes[1], taken.values);
    csnSectionRefreshValid(made);
    *section = made;
    return CsnBuild::Ok;
}

CsnBuild csnSectionTakePoints(CsnSection* section, CsnPointSet set, LrxLrec* chain) {
    CsnXsecRecord& record = section->record;
    csnSetFree(record, set);
    const CsnSetView view = csnSetView(record, set);
    const int whole = view.doubleCount + view.shortCount;
    LrxLrec* nodes[kMaxRecords];
    const int n = collect(chain, nodes, kMaxRecords);
    CsnBuild result = CsnBuild::Ok;
    if (fitsLayout(nodes, n, whole, view.doubleCount)) {
        takeArrays(view, nodes, n);
    } else if (set == CsnPointSet::Raw && fitsLayout(nodes, n, 3, 3)) {
        // Older files wrote only the first three raw arrays.
        takeArrays(view, nodes, n);
        if (!addZeroRawArrays(record)) result = CsnBuild::NoMemory;
    } else {
        section->damaged = true;
    }
    if (result != CsnBuild::Ok || !csnSetIsConsistent(record, set)) csnSetFree(record, set);
    csnSectionRefreshValid(section);
    return result;
}

int32_t csnFormatVersion() {
    return lastFormatVersion.load();
}

void csnSetFormatVersion(int32_t version) {
    lastFormatVersion.store(version);
}

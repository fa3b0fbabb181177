// Loading a cross-section file into a table: the block loop that makes a section of each
// 257 and 258 pair and gives it the point blocks that follow, then the sort into table order
// and the registration of the table and its sections.
#include <new>

#include "lrx/csn.h"
#include "src/xsec/csnbuild.h"
#include "src/xsec/csnfile.h"
#include "src/xsec/csnregistry.h"

namespace {

// Frees a chain when it goes, unless it was handed on.
struct ChainHolder {
    LrxLrec* chain = nullptr;
    ~ChainHolder() { lrxLrecChainFree(&chain); }
    LrxLrec* release() {
        LrxLrec* held = chain;
        chain = nullptr;
        return held;
    }
};

struct Loader {
    CsnXsecTable* table;
    int flags;
    int32_t version;
    ChainHolder texts;             // the last 257 chain that no 258 block has used yet
    CsnSection* last = nullptr;    // the section that point blocks go to
};

int addSection(Loader& load, LrxLrec* codes, int64_t blockStart) {
    CsnSection* section = nullptr;
    const CsnBuild built = csnSectionFromBlocks(load.texts.chain, codes, load.version, &section);
    lrxLrecChainFree(&load.texts.chain);
    if (built == CsnBuild::NoMemory) return F_ERR_MEMORY;
    if (built == CsnBuild::Damaged || section->valid == 0) {
        csnSectionDestroy(section);
        return F_ERR_DATA;
    }
    section->filePosition = blockStart;
    try {
        load.table->sections.push_back(section);
    } catch (const std::bad_alloc&) {
        csnSectionDestroy(section);
        return F_ERR_MEMORY;
    }
    load.last = section;
    return 0;
}

int takePoints(Loader& load, CsnPointSet set, LrxLrec* chain) {
    // Point blocks before the first section have nowhere to go and are passed over.
    if ((load.flags & CSN_LOAD_NO_POINTS) != 0 || load.last == nullptr) return 0;
    return csnSectionTakePoints(load.last, set, chain) == CsnBuild::NoMemory ? F_ERR_MEMORY : 0;
}

int useBlock(Loader& load, uint16_t id, ChainHolder& block, int64_t blockStart) {
    switch (id) {
        case CSN_BLOCK_TEXTS:
            lrxLrecChainFree(&load.texts.chain);
            load.texts.chain = block.release();
            return 0;
        case CSN_BLOCK_CODES:
            return addSection(load, block.chain, blockStart);
        case CSN_BLOCK_RAW:
            return takePoints(load, CsnPointSet::Raw, block.chain);
        case CSN_BLOCK_SELECTED:
            return takePoints(load, CsnPointSet::Selected, block.chain);
        case CSN_BLOCK_PROCESSED:
            return takePoints(load, CsnPointSet::Processed, block.chain);
        default:
            return 0;
    }
}

// How the block loop ended: the end of the file, or a block cut off or out of place (a file
// that ends early or holds foreign bytes after its sections), keeps what was read; a failed
// read or allocation fails the load, since the table would silently lack what the file holds.
int outcomeOf(int fileError) {
    return fileError == LRX_END_OF_FILE || fileError == F_ERR_SKIP ? 0 : fileError;
}

int readSections(Loader& load) {
    LrxFile* file = load.table->file;
    for (;;) {
        const int64_t blockStart = lrxTell64(file);
        ChainHolder block;
        const uint16_t id = lrxBlockRead(file, nullptr, &block.chain);
        if (file->errorCode != 0) return outcomeOf(file->errorCode);
        const int code = useBlock(load, id, block, blockStart);
        if (code != 0) return code;
    }
}

int loadTable(const char* name, int flags, CsnXsecTable* table) {
    int32_t kindTag = 0;
    const int opened = name == nullptr ? F_ERR_OPEN : lrxFileOpenRead(name, &table->file, csnKindCallback, &kindTag);
    if (opened != 0) return opened;
    Loader load{table, flags, table->file->versionCreateApp, {}, nullptr};
    csnSetFormatVersion(load.version);
    const int code = readSections(load);
    if (code != 0) return code;
    csnTableSort(table);
    return csnRegisterTable(table) ? 0 : F_ERR_MEMORY;
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL csnXsecTableLoad(const char* name, CsnXsecTable** table, int flags) {
    if (table == nullptr) return F_ERR_USAGE;
    *table = new (std::nothrow) CsnXsecTable;
    if (*table == nullptr) return F_ERR_MEMORY;
    const int code = loadTable(name, flags, *table);
    if (code != 0) {
        csnTableDestroy(*table);
        *table = nullptr;
    }
    return code;
}

}  // extern "C"

// Logical blocks: chains of record nodes in memory, and writing, reading and skipping a
// block (block head, records, terminator) through the record operations.
#include "src/lrx/lrxblock.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "src/lrx/lrxrecord.h"
#include "src/os/osmemory.h"

namespace {

constexpr int8_t kBlockHead = LRX_BLOCK;
constexpr int8_t kTerminator = LRX_TERMINATOR;

LrxLrec* lastNode(LrxLrec* chain) {
    while (chain->next != nullptr)
        chain = chain->next;
    return chain;
}

// Reads the records of a block whose head has been consumed, up to its terminator.
LrxLrec* readBlockRecords(LrxFile* file, int* records) {
    LrxLrec* first = nullptr;
    LrxLrec* last = nullptr;
    file->inBlock = 1;
    for (;;) {
        int32_t type = 0;
        int32_t count = 0;
        void* data = lrxLrecReadAlloc(file, &type, &count);
        if (data == nullptr) break;
        LrxLrec* node = lrxLrecCreate(type, count, data, 0, nullptr);
        if (node == nullptr) {
            // A record that cannot be kept must not vanish from the chain unnoticed: the block
            // ends here with 2000, and the caller sees a short chain with an error.
            std::free(data);
            lrxSetError(file, LRX_RAISE(F_ERR_MEMORY));
            break;
        }
        node->ownsData = 1;
        (last == nullptr ? first : last->next) = node;
        last = node;
        ++*records;
    }
    if (file->inBlock) {
        // No terminator closed the block: the file ended, a read failed, or an untyped
        // record or a second block head stood inside it.
        file->inBlock = 0;
        if (file->errorCode == 0 || file->errorCode == LRX_END_OF_FILE) lrxSetError(file, LRX_RAISE(F_ERR_SKIP));
    }
    return first;
}

}  // namespace

LrxLrec* lrxLrecCreate(int type, int count, const void* data, int copy, LrxLrec* chain) {
    auto* node = new (std::nothrow) LrxLrec{};
    if (node == nullptr) return nullptr;
    const int64_t size = lrxRecordSize(type, count);
    if (size == 0) {
        delete node;
        return nullptr;
    }
    if (copy != 0) {
        void* values = lrx::os::allocate(static_cast<size_t>(size));
        if (values == nullptr) {
            delete node;
            return nullptr;
        }
        if (data != nullptr) {
            std::memcpy(values, data, static_cast<size_t>(size));
        } else {
            std::memset(values, 0, static_cast<size_t>(size));
        }
        node->data = values;
    } else {
        node->data = const_cast<void*>(data);
    }
    node->type = type;
    node->count = count;
    node->ownsData = copy != 0 ? 1 : 0;
    node->next = nullptr;
    if (chain != nullptr) lastNode(chain)->next = node;
    return node;
}

void lrxLrecChainFree(LrxLrec** chain) {
    if (chain == nullptr) return;
    for (LrxLrec* node = *chain; node != nullptr;) {
        LrxLrec* next = node->next;
        if (node->ownsData) std::free(node->data);
        delete node;
        node = next;
    }
    *chain = nullptr;
}

void* lrxLrecTakeData(LrxLrec* node) {
    if (node == nullptr) return nullptr;
    void* data = node->data;
    node->data = nullptr;
    return data;
}

int lrxBlockWrite(uint16_t id, LrxFile* file, LrxLrec* chain) {
    if (file == nullptr) return F_ERR_USAGE;
    lrxWrite(file, &kBlockHead, 1, 1);
    lrxWrite(file, &id, 2, 1);
    for (LrxLrec* node = chain; node != nullptr; node = node->next) {
        lrxRecordWrite(file, node->type, node->count, node->data);
    }
    lrxWrite(file, &kTerminator, 1, 1);
    return file->errorCode;
}

uint16_t lrxBlockRead(LrxFile* file, int* records, LrxLrec** chain) {
    int ignored = 0;
    if (records == nullptr) records = &ignored;
    *records = 0;
    if (chain != nullptr) *chain = nullptr;
    if (file == nullptr || chain == nullptr) return 0;
    int32_t id = 0;
    int length = 0;
    const int type = lrxReadHead(file, &id, &length);
    if (type == LRX_BLOCK) {
        *chain = readBlockRecords(file, records);
        return static_cast<uint16_t>(id);
    }
    if (type != 0) {
        lrxSeek(file, -length, 1);
        lrxSetError(file, LRX_RAISE(F_ERR_SKIP));
    }
    return 0;
}

int lrxBlockSkip(LrxFile* file) {
    if (file == nullptr) return F_ERR_USAGE;
    if (file->errorCode != 0) return file->errorCode;
    int32_t id = 0;
    if (lrxQuery(file, &id) != LRX_BLOCK) {
        if (file->errorCode == 0 || file->errorCode == LRX_END_OF_FILE) lrxSetError(file, LRX_RAISE(F_ERR_BLOCK));
        return file->errorCode;
    }
    while (lrxSkip(file) != LRX_TERMINATOR && file->errorCode == 0) {
    }
    return file->errorCode;
}

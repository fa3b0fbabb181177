// `lrx blocks FILE`: prints the file header, then every element of a record file with its
// offset (block heads with their record counts, records, terminators, the end of the file),
// stepping over record data without reading it. Calls the record stream only.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "commands.h"
#include "recordfile.h"

namespace lrxtool {
namespace {

enum class ElementKind { Record, BlockHead, Terminator, EndOfFile, Damaged };

struct Element {
    int64_t offset = 0;
    ElementKind kind = ElementKind::Damaged;
    int type = 0;
    int32_t countOrId = 0;  // a record's count or a block head's identifier
    int code = 0;           // for a damaged element: the code that describes the damage
    std::string problem;    // for a damaged element: what is wrong
};

Element damaged(Element element, int code, std::string problem) {
    element.kind = ElementKind::Damaged;
    element.code = code;
    element.problem = std::move(problem);
    return element;
}

std::string plural(int64_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// Classifies a head that lrxQuery could not return (type 0).
Element unreadableHead(LrxFile* file, Element element) {
    const int code = lrxPeekError(file);
    if (code == LRX_END_OF_FILE) {
        return damaged(element, code, "element head cut off by the end of the file");
    }
    if (code != 0) return damaged(element, code, "cannot read the element head");
    return damaged(element, F_ERR_TYPE, "element type byte 0x00");
}

// A record is sound when its type is a record type, it holds at least one value and the file
// still holds all of its bytes: a skip past the end would otherwise look like a clean end.
Element checkRecord(Element element, int64_t remaining) {
    const int64_t valueSize = lrxSimpSize(element.type);
    if (valueSize == 0) {
        char problem[64];
        std::snprintf(problem, sizeof problem, "unknown element type byte 0x%02X",
                      static_cast<unsigned>(element.type & 0xFF));
        return damaged(element, F_ERR_TYPE, problem);
    }
    const std::string record = std::string(lrxSimpName(element.type)) + " record";
    if (element.countOrId <= 0) {
        return damaged(element, F_ERR_TYPE, record + " with a count of " + std::to_string(element.countOrId));
    }
    const int64_t bytes = 5 + valueSize * element.countOrId;
    if (remaining >= 0 && bytes > remaining) {
        return damaged(element, LRX_END_OF_FILE,
                       record + " of " + plural(element.countOrId, "value") + " needs " + std::to_string(bytes) +
                           " bytes, " + std::to_string(remaining) + " remain");
    }
    element.kind = ElementKind::Record;
    return element;
}

// Looks at the element at the current position without consuming it.
Element peekElement(LrxFile* file) {
    Element element;
    element.offset = lrxTell64(file);
    const int64_t remaining = lrxRemainingBytes(file);
    if (remaining == 0 && lrxPeekError(file) == 0) {
        element.kind = ElementKind::EndOfFile;
        return element;
    }
    element.type = lrxQuery(file, &element.countOrId);
    if (element.type == 0) {
        if (remaining < 0 && lrxPeekError(file) == LRX_END_OF_FILE) {
            element.kind = ElementKind::EndOfFile;
            return element;
        }
        return unreadableHead(file, element);
    }
    if (element.type == LRX_BLOCK) {
        element.kind = ElementKind::BlockHead;
        return element;
    }
    if (element.type == LRX_TERMINATOR) {
        element.kind = ElementKind::Terminator;
        return element;
    }
    if (element.type < 0) {
        char problem[64];
        std::snprintf(problem, sizeof problem, "unknown element type byte 0x%02X",
                      static_cast<unsigned>(element.type & 0xFF));
        return damaged(element, F_ERR_TYPE, problem);
    }
    return checkRecord(element, remaining);
}

struct BlockExtent {
    int records = 0;
    bool terminated = false;
};

// Counts the records between the block head at headOffset and its terminator, then returns
// to the head. Damage met on the way ends the count; the listing reports it in its place.
BlockExtent measureBlock(LrxFile* file, int64_t headOffset) {
    BlockExtent extent;
    lrxSkip(file);
    for (;;) {
        const Element element = peekElement(file);
        if (element.kind != ElementKind::Record) {
            extent.terminated = element.kind == ElementKind::Terminator;
            break;
        }
        ++extent.records;
        lrxSkip(file);
    }
    lrxGetError(file);
    lrxSeek64(file, headOffset, 0);
    return extent;
}

class Listing {
public:
    Listing(std::FILE* out, const std::string& path) : out_(out), path_(path) {}

    // Prints every element; returns kExitOk at a clean end of the file, kExitFailure at damage.
    int run(LrxFile* file) {
        std::fputs("\n    offset  element\n", out_);
        for (;;) {
            const Element element = peekElement(file);
            switch (element.kind) {
                case ElementKind::Record:
                    printRecord(file, element);
                    break;
                case ElementKind::BlockHead:
                    if (inBlock_) return fail(damaged(element, F_ERR_SKIP, blockHeadInBlock(element)));
                    printBlockHead(file, element);
                    break;
                case ElementKind::Terminator:
                    if (!inBlock_) return fail(damaged(element, F_ERR_SKIP, "terminator outside a block"));
                    printTerminator(file, element);
                    break;
                case ElementKind::EndOfFile:
                    if (inBlock_) return fail(damaged(element, F_ERR_SKIP, unterminatedBlock()));
                    line(element.offset, "end of file");
                    return kExitOk;
                case ElementKind::Damaged:
                    return fail(element);
            }
        }
    }

private:
    void line(int64_t offset, const std::string& text) {
        std::fprintf(out_, "%10" PRId64 "  %s\n", offset, text.c_str());
    }

    void printRecord(LrxFile* file, const Element& element) {
        line(element.offset, std::string(inBlock_ ? "  " : "") + lrxSimpName(element.type) + " (" +
                                 plural(element.countOrId, "value") + ")");
        lrxSkip(file);
    }

    void printBlockHead(LrxFile* file, const Element& element) {
        const BlockExtent extent = measureBlock(file, element.offset);
        line(element.offset, "block " + std::to_string(element.countOrId) + " (" + plural(extent.records, "record") +
                                 (extent.terminated ? "" : ", no terminator") + ")");
        lrxSkip(file);
        inBlock_ = true;
        blockId_ = element.countOrId;
    }

    void printTerminator(LrxFile* file, const Element& element) {
        line(element.offset, "terminator");
        lrxSkip(file);
        inBlock_ = false;
    }

    std::string blockHeadInBlock(const Element& element) const {
        return "block head " + std::to_string(element.countOrId) + " inside block " + std::to_string(blockId_) +
               ", which has no terminator";
    }

    std::string unterminatedBlock() const {
        return "end of file inside block " + std::to_string(blockId_) + ", which has no terminator";
    }

    int fail(const Element& element) {
        const std::string code = errorCodeText(element.code);
        line(element.offset, "damaged: " + element.problem + " (" + code + ")");
        std::fflush(out_);
        std::fprintf(stderr, "lrx: %s: damaged element at offset %" PRId64 " (%s)\n", path_.c_str(), element.offset,
                     code.c_str());
        return kExitFailure;
    }

    std::FILE* out_;
    const std::string& path_;
    bool inBlock_ = false;
    int32_t blockId_ = 0;
};

}  // namespace

int runBlocks(const std::vector<std::string>& args) {
    if (args.size() != 1) return kExitUsage;
    const std::string& path = args[0];
    OpenedRecordFile opened = openAnyRecordFile(path);
    if (!opened.handle) return kExitFailure;
    printFileHeader(stdout, opened.handle.get(), opened.kindTag);
    return Listing(stdout, path).run(opened.handle.get());
}

}  // namespace lrxtool

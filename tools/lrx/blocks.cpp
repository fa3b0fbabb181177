// `lrx blocks FILE`: prints the file header, then every element of a record file with its
// offset (block heads with their record counts, records, terminators, the end of the file),
// stepping over record data without reading it. Calls the record stream only.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "commands.h"
#include "elementwalk.h"
#include "errortext.h"
#include "recordfile.h"

namespace lrxtool {
namespace {

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
        const std::string code = errorText(element.code);
        line(element.offset, "damaged: " + element.problem + " (" + code + ")");
        std::fflush(out_);
        reportError(path_, "damaged element at offset " + std::to_string(element.offset), element.code);
        return kExitFailure;
    }

    std::FILE* out_;
    const std::string& path_;
    bool inBlock_ = false;
    int32_t blockId_ = 0;
};

}  // namespace

int runBlocks(const std::string& path) {
    OpenedRecordFile opened = openAnyRecordFile(path);
    if (!opened.handle) return kExitFailure;
    printFileHeader(stdout, opened.handle.get(), opened.kindTag);
    return Listing(stdout, path).run(opened.handle.get());
}

}  // namespace lrxtool

// Looking at the next element of a record file without consuming it, through the exported
// query and skip calls and the record bridge's size and seek.
#include "elementwalk.h"

#include <cstdio>

#include "librarybridge.h"

namespace lrxtool {

namespace {

std::string typeByteText(int type) {
    char problem[64];
    std::snprintf(problem, sizeof problem, "unknown element type byte 0x%02X", static_cast<unsigned>(type & 0xFF));
    return problem;
}

// Classifies a head that lrxQuery could not return (type 0).
Element unreadableHead(LrxFile* file, Element element) {
    const int code = lrxPeekError(file);
    if (code == LRX_END_OF_FILE) return damaged(element, code, "element head cut off by the end of the file");
    if (code != 0) return damaged(element, code, "cannot read the element head");
    return damaged(element, F_ERR_TYPE, "element type byte 0x00");
}

// A record whose file does not hold all its bytes would otherwise look like a clean end.
Element checkRecord(Element element, int64_t remaining) {
    const int64_t valueSize = lrxSimpSize(element.type);
    if (valueSize == 0) return damaged(element, F_ERR_TYPE, typeByteText(element.type));
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

}  // namespace

Element damaged(Element element, int code, std::string problem) {
    element.kind = ElementKind::Damaged;
    element.code = code;
    element.problem = std::move(problem);
    return element;
}

std::string plural(int64_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string recordText(int type, int64_t count) {
    return std::string(lrxSimpName(type)) + " record of " + plural(count, "value");
}

Element peekElement(LrxFile* file) {
    Element element;
    element.offset = lrxTell64(file);
    const int64_t remaining = bridge::remainingBytes(file);
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
    if (element.type < 0) return damaged(element, F_ERR_TYPE, typeByteText(element.type));
    return checkRecord(element, remaining);
}

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
    bridge::seekTo(file, headOffset);
    return extent;
}

}  // namespace lrxtool

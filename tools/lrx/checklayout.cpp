// Walks a data file element by element against the layout its header promises, through the
// element walker (exported query and skip calls and the record bridge). Reads no values.
#include "checklayout.h"

#include "elementwalk.h"

namespace lrxtool {

namespace {

constexpr int32_t kItemDefinition = 30002;
constexpr int32_t kItemDefinitionWithKey = 30005;
constexpr int32_t kItemStatistics = 30003;
constexpr int32_t kStaticSection = 40000;
constexpr int32_t kStaticValues = 40001;
constexpr int32_t kDynamicSection = 50000;
constexpr int32_t kStepHead = 50001;

enum class Section { Header, Statics, Steps, End };

std::string describe(const Element& element) {
    switch (element.kind) {
        case ElementKind::Record:
            return "a " + recordText(element.type, element.countOrId);
        case ElementKind::BlockHead:
            return "block " + std::to_string(element.countOrId);
        case ElementKind::Terminator:
            return "a terminator";
        case ElementKind::EndOfFile:
            return "the end of the file";
        case ElementKind::Damaged:
            return "a damaged element (" + element.problem + ")";
    }
    return "";
}

class Walker {
public:
    Walker(LrxFile* file, const LayoutExpectation* expected) : file_(file), expected_(expected) {}

    LayoutFinding run() {
        Section section = Section::Header;
        while (!finding_.damaged && section != Section::End) {
            switch (section) {
                case Section::Header:
                    section = header();
                    break;
                case Section::Statics:
                    section = statics();
                    break;
                default:
                    section = steps();
            }
        }
        if (!finding_.damaged) compareStepCount();
        return finding_;
    }

    LayoutFinding elementsOnly() {
        for (;;) {
            const Element element = peekElement(file_);
            if (element.kind == ElementKind::EndOfFile) return finding_;
            if (element.kind == ElementKind::BlockHead) {
                if (!block(element)) return finding_;
            } else if (element.kind == ElementKind::Record) {
                lrxSkip(file_);
            } else {
                fail(element, element.code != 0 ? element.code : F_ERR_SKIP, "found " + describe(element));
                return finding_;
            }
        }
    }

private:
    void fail(const Element& at, int code, const std::string& problem) {
        finding_.damaged = true;
        finding_.offset = at.offset;
        finding_.code = code;
        finding_.problem = problem;
        if (code == LRX_END_OF_FILE) finding_.truncated = true;
    }

    void unexpected(const Element& found, const std::string& expected) {
        const int code = found.kind == ElementKind::Damaged     ? found.code
                         : found.kind == ElementKind::EndOfFile ? LRX_END_OF_FILE
                                                                : F_ERR_SKIP;
        fail(found, code, "expected " + expected + ", found " + describe(found));
    }

    // Passes over a whole block whose head is next; false at damage. *records receives the
    // number of its records.
    bool block(const Element& head, int* records = nullptr) {
        lrxSkip(file_);
        int count = 0;
        for (;;) {
            const Element element = peekElement(file_);
            if (element.kind == ElementKind::Terminator) {
                lrxSkip(file_);
                if (records != nullptr) *records = count;
                return true;
            }
            if (element.kind != ElementKind::Record) {
                unexpected(element, "a record or the terminator of block " + std::to_string(head.countOrId));
                return false;
            }
            ++count;
            lrxSkip(file_);
        }
    }

    // The header's blocks up to the static or dynamic section marker.
    Section header() {
        for (;;) {
            const Element element = peekElement(file_);
            if (element.kind == ElementKind::EndOfFile && expected_->headerSteps == 0) return Section::End;
            if (element.kind != ElementKind::BlockHead) {
                unexpected(element, "a header block or a section marker (block 40000 or 50000)");
                return Section::End;
            }
            const int32_t id = element.countOrId;
            if (id == kItemDefinition || id == kItemDefinitionWithKey) {
                finding_.itemBlocks.push_back(element.offset);
                finding_.statsBlocks.push_back(-1);
            }
            if (id == kItemStatistics && !finding_.statsBlocks.empty()) finding_.statsBlocks.back() = element.offset;
            if (!block(element)) return Section::End;
            if (id == kStaticSection) return Section::Statics;
            if (id == kDynamicSection) return Section::Steps;
        }
    }

    // Static items (their definition blocks and a value block 40001 each) up to the marker of
    // the time steps.
    Section statics() {
        for (;;) {
            const Element element = peekElement(file_);
            if (element.kind == ElementKind::EndOfFile && expected_->headerSteps == 0) return Section::End;
            if (element.kind != ElementKind::BlockHead) {
                unexpected(element, "a static item or the start of the time steps (block 50000)");
                return Section::End;
            }
            int records = 0;
            if (!block(element, &records)) return Section::End;
            if (element.countOrId == kDynamicSection) return Section::Steps;
            if (element.countOrId == kStaticValues) {
                if (records != 1) {
                    fail(element, F_ERR_BLOCK,
                         "expected the values of a static item as one record in block 40001, found " +
                             plural(records, "record"));
                    return Section::End;
                }
                ++finding_.staticItems;
            }
        }
    }

    std::string itemRecordText(std::size_t item, int step) const {
        return "a " + recordText(expected_->dataTypes[item], expected_->counts[item]) + " for item " +
               std::to_string(item + 1) + " \"" + expected_->names[item] + "\" of time step " + std::to_string(step);
    }

    bool stepHead(int step) {
        const Element element = peekElement(file_);
        const std::string head = "the head of time step " + std::to_string(step) + " (block 50001)";
        if (element.kind != ElementKind::BlockHead || element.countOrId != kStepHead) {
            unexpected(element, head);
            return false;
        }
        lrxSkip(file_);
        if (expected_->timedHeads) {
            const Element time = peekElement(file_);
            if (time.kind != ElementKind::Record || time.type != LRX_DOUBLE || time.countOrId != 1) {
                unexpected(time, "the time of time step " + std::to_string(step) + " (a double record of 1 value)");
                return false;
            }
            lrxSkip(file_);
        }
        const Element end = peekElement(file_);
        if (end.kind != ElementKind::Terminator) {
            unexpected(end, "the terminator of " + head);
            return false;
        }
        lrxSkip(file_);
        return true;
    }

    bool stepItems(int step) {
        for (std::size_t item = 0; item < expected_->counts.size(); ++item) {
            const Element element = peekElement(file_);
            if (element.kind != ElementKind::Record || element.type != expected_->dataTypes[item] ||
                element.countOrId != expected_->counts[item]) {
                unexpected(element, itemRecordText(item, step));
                return false;
            }
            lrxSkip(file_);
        }
        return true;
    }

    Section steps() {
        for (int step = 0;; ++step) {
            if (peekElement(file_).kind == ElementKind::EndOfFile) return Section::End;
            if (!stepHead(step) || !stepItems(step)) return Section::End;
            finding_.wholeSteps = step + 1;
        }
    }

    void compareStepCount() {
        if (finding_.wholeSteps == expected_->headerSteps) return;
        Element end;
        end.offset = lrxTell64(file_);
        if (finding_.wholeSteps < expected_->headerSteps) {
            fail(end, LRX_END_OF_FILE,
                 "expected time step " + std::to_string(finding_.wholeSteps) + " of the " +
                     std::to_string(expected_->headerSteps) + " that the header counts, found the end of the file");
        } else {
            fail(end, F_ERR_DATA,
                 "the header counts " + plural(expected_->headerSteps, "time step") + ", the file holds " +
                     std::to_string(finding_.wholeSteps));
        }
    }

    LrxFile* file_;
    const LayoutExpectation* expected_;
    LayoutFinding finding_;
};

}  // namespace

LayoutFinding walkLayout(LrxFile* file, const LayoutExpectation& expected) {
    return Walker(file, &expected).run();
}

LayoutFinding walkElements(LrxFile* file) {
    return Walker(file, nullptr).elementsOnly();
}

}  // namespace lrxtool

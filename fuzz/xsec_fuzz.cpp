// Fuzz target of cross-section files: the input's file is loaded into a table with and without
// its point sets, the table is walked in order and both ways section by section, sections are
// looked up with keys made of the input's choices, and the table is freed. Every text and array
// a section holds is read to its end.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzzinput.h"
#include "fuzz/scratch.h"
#include "fuzz/touch.h"
#include "lrx/csn.h"

namespace {

using lrxfuzz::touch;
using lrxfuzz::touchText;

constexpr int kMostSections = 100000;

std::size_t doubles(int32_t count) {
    return count > 0 ? static_cast<std::size_t>(count) * sizeof(double) : 0;
}

void touchSection(const CsnXsecRecord* section) {
    if (section == nullptr) return;
    touchText(section->keyText1);
    touchText(section->keyText2);
    touchText(section->extraText);
    for (const double* set : {section->raw1, section->raw2, section->raw3, section->raw4})
        touch(set, doubles(section->noRaw));
    for (const uint16_t* set : {section->raw5, section->raw6})
        touch(set, section->noRaw > 0 ? static_cast<std::size_t>(section->noRaw) * 2 : 0);
    touch(section->sel, doubles(section->noSel));
    for (const double* set : {section->prc1, section->prc2, section->prc3, section->prc4, section->prc5, section->prc6})
        touch(set, doubles(section->noPrc));
}

// A key text of up to 8 characters from the choices.
std::string keyText(lrxfuzz::FuzzInput& input) {
    std::string text;
    for (int length = input.pick(0, 8); length > 0; --length)
        text += static_cast<char>(input.pick('@', 'z'));
    return text;
}

void walk(CsnXsecTable* table, lrxfuzz::FuzzInput& input) {
    CsnXsecIterator at = nullptr;
    CsnXsecRecord* first = csnXsecFind(table, "", 0.0, "", &at);
    CsnXsecRecord* last = first;
    touchSection(first);
    for (int n = 0; n < kMostSections && at != nullptr; ++n) {
        CsnXsecRecord* section = csnXsecFindNext(table, &at);
        touchSection(section);
        if (section != nullptr) last = section;
    }
    for (CsnXsecRecord* section = first; section != nullptr; section = csnXsecNext(table, section))
        touchSection(section);
    for (CsnXsecRecord* section = last; section != nullptr; section = csnXsecPrev(table, section))
        touchSection(section);
    for (int finds = 0; finds < 16 && input.hasChoices(); ++finds) {
        const std::string key1 = keyText(input);
        const std::string key2 = keyText(input);
        const double position = input.pick(0, 1) == 0 ? 0.0 : static_cast<double>(input.word());
        CsnXsecRecord* found = csnXsecFind(table, key1.c_str(), position, key2.c_str(), &at);
        touchSection(found);
        if (found != nullptr && input.pick(0, 3) == 0 && csnXsecSetNoSel(found, static_cast<uint16_t>(input.pick(0, 9))))
            touchSection(found);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = lrxfuzz::scratchPath("sections.csn");
    lrxfuzz::FuzzInput input(data, size);
    if (!lrxfuzz::writeScratch(path, input.rest(), input.restSize())) return 0;
    for (const int flags : {0, CSN_LOAD_NO_POINTS}) {
        CsnXsecTable* table = nullptr;
        if (csnXsecTableLoad(path.c_str(), &table, flags) == 0) walk(table, input);
        csnXsecTableFree(&table);
    }
    return 0;
}

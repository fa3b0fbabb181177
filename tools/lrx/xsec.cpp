// `lrx xsec FILE`: loads a cross-section file and lists its sections in table order, invalid
// ones too (the lookup calls hide them, so the list comes through the library bridge).
#include "xsec.h"

#include <cstdio>
#include <iostream>

#include "commands.h"
#include "librarybridge.h"
#include "lrx/csn.h"
#include "numbertext.h"

namespace lrxtool {
namespace {

// A text in double quotes; quotes, backslashes and control bytes are escaped so that every
// section stays on one line.
std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += *c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += *c;
        }
    }
    return out + "\"";
}

void printSection(std::ostream& out, const bridge::SectionView& section) {
    const CsnXsecRecord& r = *section.record;
    out << quoted(r.keyText1) << ' ' << quoted(r.keyText2) << ' ' << numberText(r.position) << " raw " << r.noRaw
        << " sel " << r.noSel << " prc " << r.noPrc << " valid " << section.valid << '\n';
}

}  // namespace

int listCrossSections(const std::string& path, std::ostream& out) {
    CsnXsecTable* table = nullptr;
    const int code = csnXsecTableLoad(path.c_str(), &table, 0);
    if (code != 0) {
        std::cerr << "lrx: " << path << ": cannot load as a cross-section file (error " << code << ")\n";
        return kExitFailure;
    }
    for (const bridge::SectionView& section : bridge::sectionsOf(table))
        printSection(out, section);
    csnXsecTableFree(&table);
    return out ? kExitOk : kExitFailure;
}

}  // namespace lrxtool

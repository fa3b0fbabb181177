// The tool's one door into the library's internals (see librarybridge.h). Calls the record
// stream's internal seek and size operations, reads its byte-order flag and walks the
// sections of a cross-section table.
#include "librarybridge.h"

#include "src/lrx/lrxfile.h"
#include "src/xsec/csntable.h"

namespace lrxtool::bridge {

int64_t remainingBytes(LrxFile* file) {
    return lrxRemainingBytes(file);
}

void seekTo(LrxFile* file, int64_t offset) {
    lrxSeek64(file, offset, 0);
}

bool byteOrderSwapped(LrxFile* file) {
    // Only bit 0 of swapBytes says whether the file's order is opposite to the host's.
    return file != nullptr && (file->swapBytes & 1) != 0;
}

std::vector<SectionView> sectionsOf(const CsnXsecTable* table) {
    std::vector<SectionView> sections;
    for (const CsnSection* section : table->sections)
        sections.push_back({&section->record, section->valid});
    return sections;
}

}  // namespace lrxtool::bridge

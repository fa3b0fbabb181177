// Opening a record file of any kind for inspection, and the texts the commands print about
// it: open failures and the file header. Calls the record stream and the record bridge.
#include "recordfile.h"

#include <bit>

#include "errortext.h"
#include "librarybridge.h"

namespace lrxtool {
namespace {

// A kind callback that expects no particular tag and accepts whatever the file holds.
int32_t acceptAnyKind(int32_t* appVersion) {
    if (appVersion != nullptr) *appVersion = 0;
    return LRX_ACCEPT_ANY_KIND;
}

const char* openFailureReason(int code) {
    switch (code) {
        case LRX_END_OF_FILE:
            return "the file ends inside its header";
        case F_ERR_MEMORY:
            return "out of memory";
        case F_ERR_READ:
            return "cannot read a record-file magic";
        case F_ERR_OPEN:
            return "cannot open the file";
        case F_ERR_MAGIC:
            return "not a record file";
        case F_ERR_VERSION:
            return "unexpected kind tag";
        default:
            return "cannot open as a record file";
    }
}

const char* byteOrderText(LrxFile* file) {
    const bool hostIsLittle = std::endian::native == std::endian::little;
    const bool swapped = bridge::byteOrderSwapped(file);
    const bool fileIsLittle = swapped ? !hostIsLittle : hostIsLittle;
    if (swapped) {
        return fileIsLittle ? "little-endian (swapped to host order on reading)"
                            : "big-endian (swapped to host order on reading)";
    }
    return fileIsLittle ? "little-endian (host order)" : "big-endian (host order)";
}

}  // namespace

void RecordFileCloser::operator()(LrxFile* file) const {
    lrxFileClose(&file);
}

OpenedRecordFile openAnyRecordFile(const std::string& path, bool report) {
    OpenedRecordFile opened;
    LrxFile* file = nullptr;
    const int code = lrxFileOpenRead(path.c_str(), &file, acceptAnyKind, &opened.kindTag);
    opened.handle.reset(file);
    if (code != 0 || file == nullptr) {
        if (report) reportError(path, openFailureReason(code), code);
        opened.handle.reset();
    }
    return opened;
}

std::string kindTagText(int32_t kindTag) {
    const auto tag = static_cast<uint32_t>(kindTag);
    std::string text = "\"";
    for (int shift = 0; shift < 32; shift += 8) {
        const auto byte = static_cast<unsigned char>(tag >> shift);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text + "\"";
}

void printFileHeader(std::FILE* out, LrxFile* file, int32_t kindTag) {
    std::fprintf(out, "file            %s\n", lrxGetFilename(file));
    std::fprintf(out, "kind tag        %s (0x%08X)\n", kindTagText(kindTag).c_str(), static_cast<uint32_t>(kindTag));
    std::fprintf(out, "byte order      %s\n", byteOrderText(file));
    std::fprintf(out, "record layer    version %d at creation, %d at last edit\n",
                 static_cast<int>(lrxGetVersionCreate(file)), static_cast<int>(lrxGetVersionEdit(file)));
    std::fprintf(out, "application     version %d at creation, %d at last edit\n",
                 static_cast<int>(lrxGetVersionCreateApp(file)), static_cast<int>(lrxGetVersionEditApp(file)));
    std::fprintf(out, "created         %s %s\n", lrxGetFileCreationDate(file), lrxGetFileCreationTime(file));
    std::fprintf(out, "last edited     %s %s\n", lrxGetFileEditDate(file), lrxGetFileEditTime(file));
    std::fprintf(out, "lrxBase         %d\n", static_cast<int>(lrxGetLRXbase(file)));
    std::fprintf(out, "appBase         %d\n", static_cast<int>(lrxGetAppBase(file)));
}

}  // namespace lrxtool

// Record files for the record-stream tests: kind callbacks, and open handles that close
// themselves.
#pragma once

#include <memory>
#include <string>

#include "src/lrx/lrxblock.h"
#include "src/lrx/lrxrecord.h"
#include "support/tempfiles.h"

namespace lrxtest {

constexpr int32_t kDataKindTag = 0x5F584247;  // "GBX_"

inline int32_t dataKind(int32_t* version) {
    *version = 206;
    return kDataKindTag;
}

inline int32_t otherKind(int32_t* version) {
    *version = 1;
    return 0x12345678;
}

inline int32_t anyKind(int32_t*) {
    return LRX_ACCEPT_ANY_KIND;
}

struct FileCloser {
    void operator()(LrxFile* file) const { lrxFileClose(&file); }
};
using FilePtr = std::unique_ptr<LrxFile, FileCloser>;

inline FilePtr createFile(const std::string& path, const char* app = "FOpenFileCreate",
                          LrxKindCallback kind = dataKind) {
    LrxFile* file = nullptr;
    lrxFileOpenCreate(path.c_str(), app, &file, kind);
    return FilePtr(file);
}

inline FilePtr openRead(const std::string& path, LrxKindCallback kind = anyKind) {
    LrxFile* file = nullptr;
    int32_t tag = 0;
    lrxFileOpenRead(path.c_str(), &file, kind, &tag);
    return FilePtr(file);
}

// The bytes of the application data of a file: everything after its header.
inline Bytes appData(const std::string& path, std::size_t appBase) {
    const Bytes all = readBytes(path);
    return Bytes(all.begin() + static_cast<std::ptrdiff_t>(appBase), all.end());
}

}  // namespace lrxtest

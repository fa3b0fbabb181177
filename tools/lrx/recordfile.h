// Opening a record file of any kind for inspection, and the texts the commands print about
// it: open failures, error codes and the file header. Calls the record stream only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "lrx/lrx.h"

namespace lrxtool {

struct RecordFileCloser {
    void operator()(LrxFile* file) const;
};
using RecordFileHandle = std::unique_ptr<LrxFile, RecordFileCloser>;

struct OpenedRecordFile {
    RecordFileHandle handle;  // null when the file could not be opened
    int32_t kindTag = 0;      // the tag stored in the file
};

// Opens path for reading whatever its kind tag. On failure returns a null handle and, when
// report is set, prints "lrx: PATH: REASON (error CODE: MEANING)" on standard error.
OpenedRecordFile openAnyRecordFile(const std::string& path, bool report = true);

// The kind tag as its four characters, lowest byte first, in double quotes; bytes that are
// not printable are written as \xNN.
std::string kindTagText(int32_t kindTag);

// Prints the file header: path, kind tag, byte order, versions, dates, lrxBase and appBase.
void printFileHeader(std::FILE* out, LrxFile* file, int32_t kindTag);

}  // namespace lrxtool

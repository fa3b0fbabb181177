// The checked record operations: writing, reading, stepping over and passing over one typed
// record of a data file. Calls the record stream's record operations, the handle checks, the
// dispatcher and the call trace.
#include "src/gbx/common/gbxrecordio.h"

#include "src/gbx/common/gbxcheck.h"
#include "src/gbx/common/gbxtrace.h"
#include "src/lrx/lrxfile.h"
#include "src/lrx/lrxrecord.h"

namespace {

// A record head: its type byte and 32-bit count.
constexpr int64_t kRecordHeadBytes = 5;

// The record stream's recorded error, dispatched with the file; stays recorded on the file.
int reportPendingError(GbxFile* file, const char* module, int line) {
    return gbxCheckReport(nullptr, file, lrxPeekError(file), module, line);
}

// Values needed for a record of count values of type: a positive type size and count.
bool recordHasValues(int type, int count) {
    return lrxSimpSize(type) > 0 && count > 0;
}

}  // namespace

int gbxCheckWriteLR(int type, int count, const void* values, GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckWriteLR");
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    // The record stream would read the values from a null pointer.
    if (values == nullptr && recordHasValues(type, count))
        return call.result(gbxCheckReport(nullptr, file, F_ERR_DATA, module, line));
    code = lrxRecordWrite(file, type, count, values);
    if (code != 0) code = gbxCheckReport(nullptr, file, code, module, line);
    return call.result(code);
}

int gbxCheckReadLR(int type, int count, void* values, GbxFile* file, const char* module, int line,
                   int32_t* valuesRead) {
    GbxCall call("gbxCheckReadLR");
    if (valuesRead != nullptr) *valuesRead = 0;
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    // count is the capacity of values: a negative one would pass the record stream's size
    // check as a huge unsigned capacity, and a null buffer would be written through.
    if (count < 0 || (values == nullptr && count > 0))
        return call.result(gbxCheckReport(nullptr, file, F_ERR_DATA, module, line));
    const int read = lrxRecordRead(file, type, static_cast<unsigned int>(count), values);
    if (valuesRead != nullptr) *valuesRead = read;
    return call.result(reportPendingError(file, module, line));
}

int gbxCheckSkipLR(GbxFile* file, const char* module, int line) {
    GbxCall call("gbxCheckSkipLR");
    int code = gbxCheckFile(file, module, line);
    if (code != 0) return call.result(code);
    const int type = lrxSkip(file);
    if (type > 0 && lrxSimpValid(type))
        code = lrxPeekError(file);
    else
        code = gbxCheckReport(nullptr, file, F_ERR_SKIP, module, line);
    return call.result(code);
}

int gbxCheckPseudoSkipLR(int count, GbxFile* file, const char*, int) {
    GbxCall call("gbxCheckPseudoSkipLR");
    // A record head and count four-byte values.
    lrxPseudoSkip64(file, static_cast<int64_t>(count) * 4 + kRecordHeadBytes);
    return call.result(0);
}

int gbxPassOverRecord(GbxFile* file, int64_t count, int valueSize) {
    lrxPseudoSkip64(file, count * valueSize + kRecordHeadBytes);
    return lrxPeekError(file);
}

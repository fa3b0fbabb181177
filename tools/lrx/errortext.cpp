// The words the tool prints for the library's error codes, and its error and warning lines.
// Calls the standard error stream only.
#include "errortext.h"

#include <cstdio>

#include "lrx/lrx.h"

namespace lrxtool {

const char* errorMeaning(int code) {
    switch (code) {
        case F_NO_ERROR:
            return "";
        case LRX_END_OF_FILE:
            return "the file ends early";
        case F_ERR_USAGE:
            return "a call was used wrongly (a missing handle or an argument out of range)";
        case F_ERR_STEP_RANGE:
            return "time step out of range";
        case F_ERR_ITEM_RANGE:
            return "item out of range";
        case F_ERR_MEMORY:
            return "out of memory";
        case F_ERR_READ:
            return "cannot read from the file";
        case F_ERR_WRITE:
            return "cannot write to the file";
        case F_ERR_OPEN:
            return "cannot open the file";
        case F_ERR_CLOSE:
            return "cannot close the file";
        case F_ERR_COMMIT:
            return "cannot commit the file to disk";
        case F_ERR_SEEK:
            return "cannot move within the file";
        case F_ERR_ITEM_NO:
            return "no item of that number";
        case F_ERR_ELEMENT_NO:
            return "no element of that number";
        case F_ERR_TYPE:
            return "a record of the wrong type";
        case F_ERR_DATA:
            return "data that do not fit their description";
        case F_ERR_DATE_FORMAT:
            return "a date not of the form yyyy-mm-dd";
        case F_ERR_TIME_FORMAT:
            return "a time of day not of the form hh:mm:ss";
        case F_ERR_SIZE:
            return "a record of the wrong size";
        case F_ERR_MAGIC:
            return "not a record file (no magic at its start)";
        case F_ERR_READONLY:
            return "the file is open for reading only";
        case F_ERR_BLOCK:
            return "a block that does not belong there";
        case F_ERR_VERSION:
            return "a file of another kind or version";
        case F_ERR_FILE_TYPE:
            return "a file type that does not allow this";
        case F_ERR_SKIP:
            return "a block or record out of place";
        case F_ERR_UNIT:
            return "a unit that does not suit the item type";
        default:
            return "an unknown error";
    }
}

std::string errorText(int code) {
    if (code == LRX_END_OF_FILE) return "end of file";
    return "error " + std::to_string(code) + ": " + errorMeaning(code);
}

void reportError(const std::string& path, const std::string& what, int code) {
    if (code == 0) {
        std::fprintf(stderr, "lrx: %s: %s\n", path.c_str(), what.c_str());
    } else {
        std::fprintf(stderr, "lrx: %s: %s (%s)\n", path.c_str(), what.c_str(), errorText(code).c_str());
    }
}

void reportWarning(const std::string& path, const std::string& what) {
    std::fprintf(stderr, "lrx: warning: %s: %s\n", path.c_str(), what.c_str());
}

}  // namespace lrxtool

// Announces written data files to the project window that the environment names. Calls the
// environment module; this platform has no window messages, so no announcement is ever sent.
#include "src/shell/project.h"

#include <cctype>
#include <new>
#include <string_view>

#include "lrx/shell.h"
#include "src/shell/environment.h"

namespace {

constexpr std::size_t kWindowField = 3;  // the fourth field; the first three are not used

// Finds the field of that index (from 0) of value split at '&', empty fields counted; false
// when value has fewer fields.
bool fieldAt(std::string_view value, std::size_t index, std::string_view* field) {
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t separator = value.find('&');
        if (separator == std::string_view::npos) return false;
        value.remove_prefix(separator + 1);
    }
    *field = value.substr(0, value.find('&'));
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a number the way the conversion "%x" does: leading blanks, an optional 0x, then hex
// digits up to the first other character. 0 when no digit is found or the number overflows.
uintptr_t readHex(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0)
        text.remove_prefix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && hexDigit(text[2]) >= 0) {
        text.remove_prefix(2);
    }
    uintptr_t number = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) break;
        if (number > (UINTPTR_MAX >> 4)) return 0;
        number = (number << 4) | static_cast<uintptr_t>(digit);
    }
    return number;
}

}  // namespace

uintptr_t qvProjectWindowFromVariable(const char* value) {
    std::string_view field;
    if (value == nullptr || !fieldAt(value, kWindowField, &field)) return 0;
    return readHex(field);
}

extern "C" {

LRX_EXPORT int LRX_CALL QvProject_AddFile(const char*) {
    try {
        const auto value = lrx::shell::environmentValue(QV_PROJECT_VARIABLE);
        if (!value || qvProjectWindowFromVariable(value->c_str()) == 0) return -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    // A project window is named, but this platform has no window messages to reach it with.
    return -1;
}

}  // extern "C"

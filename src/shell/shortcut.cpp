// Shell shortcuts: recognising a ".lnk" path and resolving it. This platform has no shell
// link objects, so resolution always fails with an empty target. Calls the C library only.
#include <strings.h>
#include <cstdint>
#include <cstring>

#include "lrx/shell.h"

namespace {

// The status of a resolution that this platform cannot perform ("not implemented").
constexpr int32_t kNotImplemented = static_cast<int32_t>(0x80004001u);

// The extension of the last path component: from its last dot, or the empty text when it
// has none. Both separators count, since shortcut paths are written with either.
const char* extensionOf(const char* path) {
    const char* component = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (*at == '/' || *at == '\\') component = at + 1;
    }
    const char* dot = std::strrchr(component, '.');
    return dot != nullptr ? dot : "";
}

}  // namespace

extern "C" {

LRX_EXPORT int LRX_CALL QvShortCut_IsShortcut(const char* path) {
    if (path == nullptr) return 0;
    return ::strcasecmp(extensionOf(path), ".lnk") == 0 ? 1 : 0;
}

LRX_EXPORT int32_t LRX_CALL QvShortCut_ResolveShortcut(const char*, char* target) {
    if (target != nullptr) target[0] = '\0';
    return kNotImplemented;
}

}  // extern "C"

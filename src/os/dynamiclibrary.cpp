// Loads and unloads shared libraries and looks up their functions through the platform's
// dynamic loader (dlopen on POSIX systems, LoadLibrary on Windows). Calls the platform only.
#include "src/os/dynamiclibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lrx::os {

#if defined(_WIN32)

const char* sharedLibrarySuffix() {
    return ".dll";
}

char searchPathSeparator() {
    return ';';
}

void* loadLibrary(const char* path) {
    return path != nullptr ? static_cast<void*>(LoadLibraryA(path)) : nullptr;
}

void* librarySymbol(void* library, const char* name) {
    if (library == nullptr || name == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unloadLibrary(void* library) {
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

#else

const char* sharedLibrarySuffix() {
    return ".so";
}

char searchPathSeparator() {
    return ':';
}

// RTLD_NOW: a plug-in that lacks a function it calls is refused here rather than ending the
// process at its first call. RTLD_LOCAL: its symbols do not leak into later loads.
void* loadLibrary(const char* path) {
    return path != nullptr ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
}

void* librarySymbol(void* library, const char* name) {
    if (library == nullptr || name == nullptr) return nullptr;
    return dlsym(library, name);
}

void unloadLibrary(void* library) {
    if (library != nullptr) dlclose(library);
}

#endif

}  // namespace lrx::os

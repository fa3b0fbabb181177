// Run-time loading of shared libraries, the only place in the library that calls the
// platform's dynamic loader.
#pragma once

namespace lrx::os {

// The file-name suffix of a shared library on this platform (".so", ".dll").
const char* sharedLibrarySuffix();
// The separator of the folders in a search-path variable (':' or ';').
char searchPathSeparator();

// Loads the library at path, with every symbol resolved now; a bare file name is looked up
// by the platform's search for libraries. Returns its handle, or null when it cannot be
// loaded. Thread-safe.
void* loadLibrary(const char* path);
// The address of the function `name` in a loaded library, or null when it has none.
void* librarySymbol(void* library, const char* name);
// Releases a handle of loadLibrary; null is ignored.
void unloadLibrary(void* library);

}  // namespace lrx::os

/*
 * Shortcuts and project registration: naming a data file through a shell shortcut, and
 * announcing a written file to a running project window.
 */
#ifndef LRX_SHELL_H
#define LRX_SHELL_H

#include "lrx/lrx.h"

#ifdef __cplusplus
extern "C" {
#endif

/* 1 when the path's extension (from the last dot of its last component) is ".lnk" in any
 * case, else 0. */
LRX_EXPORT int LRX_CALL QvShortCut_IsShortcut(const char* path);

/*
 * Resolves a shortcut into target (a buffer of at least 260 characters), which is emptied
 * first and stays empty on failure. Returns 0 on success or a negative failure status. This
 * platform has no shell shortcuts: every call fails with an empty target.
 */
LRX_EXPORT int32_t LRX_CALL QvShortCut_ResolveShortcut(const char* linkPath, char* target);

/*
 * Announces fileName to the project window named by the environment variable
 * "QVPROJECTXXXXX" (fields separated by '&', the fourth a hexadecimal window handle).
 * Returns the window's reply, or -1 when there is no project window to tell (always on this
 * platform, which has no window messages).
 */
LRX_EXPORT int LRX_CALL QvProject_AddFile(const char* fileName);

#ifdef __cplusplus
}
#endif

#endif

/*
 * The call trace: an indented log of nested calls on standard output.
 *
 * The library writes to it only while a trace switch is on (gbxDebugOn, DebugFileIO); the
 * functions below write unconditionally, so that applications can log their own calls into
 * the same trace. Entry lines push the leading identifier of their format text on a stack
 * of open call names; exit lines pop it and repeat it. After 5001 lines the trace writes
 * "Maximum number of lines exceeded. Bye bye" and ends the process with status -1.
 */
#ifndef LRX_TRACE_H
#define LRX_TRACE_H

#include "lrx/lrx.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Writes "->{" and the formatted text at the current indentation, pushes the call's name
 * and indents the following lines by two more spaces. */
LRX_EXPORT void DebugEnter(const char* format, ...);
/* Unindents by two, then writes "<-}", the popped name ("???" when none), a blank and the
 * formatted text. */
LRX_EXPORT void DebugExit(const char* format, ...);
/* Writes the formatted text at the current indentation. */
LRX_EXPORT void DebugPrint(const char* format, ...);
/* Writes "-><-" and the formatted text at the current indentation; the stack is unchanged. */
LRX_EXPORT void DebugEnterExit(const char* format, ...);

/* As the four above, with text taken as the format and no arguments. */
LRX_EXPORT void LRX_CALL DebugEnterStr(const char* text);
LRX_EXPORT void LRX_CALL DebugExitStr(const char* text);
LRX_EXPORT void LRX_CALL DebugPrintStr(const char* text);
LRX_EXPORT void LRX_CALL DebugEnterExitStr(const char* text);

/* Pushes the leading identifier (letters, digits, underscores) of text on the name stack. */
LRX_EXPORT void LRX_CALL PutFunctionName(const char* text);
/* Pops the innermost name and returns it, or "???" when the stack is empty. The text is
 * valid until the next push. */
LRX_EXPORT const char* LRX_CALL GetFunctionName(void);
/* Writes n spaces to standard output; nothing when n < 1. */
LRX_EXPORT void LRX_CALL printnblank(int n);

#ifdef __cplusplus
}
#endif

#endif

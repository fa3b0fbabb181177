// The call trace: indented entry, exit and free lines on standard output, the stack of open
// call names, and the line limit after which the trace falls silent. Calls the name stack and
// stdio. Indentation and name stack follow the nesting of calls, so each thread has its own;
// the line count is shared, and one line is written whole before another thread's begins.
#include "lrx/trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "src/trace/namestack.h"
#include "src/trace/tracestate.h"

namespace {

using lrx::trace::NameStack;

// A trace that runs away (a traced loop that never ends) must not fill the disk: after this
// many lines the next one is the last. The trace then falls silent for the rest of the
// process; it never ends the program that called it, which may hold files open.
constexpr int kLineLimit = 5000;
constexpr int kIndentStep = 2;

thread_local int indentationNow = 0;
thread_local NameStack openCallNames;
std::atomic<int> linesSoFar{0};
std::atomic<bool> silent{false};
std::mutex lineOutput;

enum class LineKind { Enter, Exit, Print, EnterExit };

void writeSpaces(int count) {
    for (int i = 0; i < count; ++i)
        std::fputc(' ', stdout);
}

// Writes the indentation and the line's marker; an exit line first unindents and pops the
// name that its entry line pushed.
void beginLine(LineKind kind) {
    const char* name = nullptr;
    if (kind == LineKind::Exit) {
        indentationNow = indentationNow > kIndentStep ? indentationNow - kIndentStep : 0;
        name = openCallNames.pop();
    }
    writeSpaces(indentationNow);
    switch (kind) {
        case LineKind::Enter:
            std::fputs("->{", stdout);
            break;
        case LineKind::Exit:
            std::printf("<-}%s ", name);
            break;
        case LineKind::Print:
            break;
        case LineKind::EnterExit:
            std::fputs("-><-", stdout);
            break;
    }
}

// Ends the line, pushes an entry line's name and counts the line; the line after the
// limit is still written, then the trace falls silent.
void endLine(LineKind kind, const char* format) {
    if (kind == LineKind::Enter) {
        openCallNames.push(format);
        indentationNow += kIndentStep;
    }
    std::fputc('\n', stdout);
    if (linesSoFar++ > kLineLimit) {
        std::fputs("Maximum number of lines exceeded. Bye bye", stdout);
        std::fflush(stdout);
        silent = true;
    }
}

void writeFormatted(const char* format, va_list args) {
    if (format != nullptr) std::vprintf(format, args);
}

// A text used as a format without arguments: "%%" gives "%" as printf would, and every
// other '%' is written as it stands, since a conversion here would read an argument that
// was never passed.
void writeLiteral(const char* text) {
    if (text == nullptr) return;
    for (const char* c = text; *c != '\0'; ++c) {
        if (c[0] == '%' && c[1] == '%') ++c;
        std::fputc(*c, stdout);
    }
}

void traceFormatted(LineKind kind, const char* format, va_list args) {
    const std::lock_guard<std::mutex> wholeLine(lineOutput);
    if (silent) return;
    beginLine(kind);
    writeFormatted(format, args);
    endLine(kind, format);
}

void traceLiteral(LineKind kind, const char* text) {
    const std::lock_guard<std::mutex> wholeLine(lineOutput);
    if (silent) return;
    beginLine(kind);
    writeLiteral(text);
    endLine(kind, text);
}

}  // namespace

namespace lrx::trace {

int linesWritten() {
    return linesSoFar;
}
int indentation() {
    return indentationNow;
}
int openNames() {
    return openCallNames.depth();
}
bool isSilent() {
    return silent;
}

void openSilently(const char* name) {
    openCallNames.push(name);
    indentationNow += kIndentStep;
}

void closeSilently() {
    indentationNow = indentationNow > kIndentStep ? indentationNow - kIndentStep : 0;
    openCallNames.pop();
}

}  // namespace lrx::trace

extern "C" {

void DebugEnter(const char* format, ...) {
    va_list args;
    va_start(args, format);
    traceFormatted(LineKind::Enter, format, args);
    va_end(args);
}

void DebugExit(const char* format, ...) {
    va_list args;
    va_start(args, format);
    traceFormatted(LineKind::Exit, format, args);
    va_end(args);
}

void DebugPrint(const char* format, ...) {
    va_list args;
    va_start(args, format);
    traceFormatted(LineKind::Print, format, args);
    va_end(args);
}

void DebugEnterExit(const char* format, ...) {
    va_list args;
    va_start(args, format);
    traceFormatted(LineKind::EnterExit, format, args);
    va_end(args);
}

void LRX_CALL DebugEnterStr(const char* text) {
    traceLiteral(LineKind::Enter, text);
}
void LRX_CALL DebugExitStr(const char* text) {
    traceLiteral(LineKind::Exit, text);
}
void LRX_CALL DebugPrintStr(const char* text) {
    traceLiteral(LineKind::Print, text);
}
void LRX_CALL DebugEnterExitStr(const char* text) {
    traceLiteral(LineKind::EnterExit, text);
}

void LRX_CALL PutFunctionName(const char* text) {
    openCallNames.push(text);
}

const char* LRX_CALL GetFunctionName(void) {
    return openCallNames.pop();
}

void LRX_CALL printnblank(int n) {
    if (!silent) writeSpaces(n);
}

}  // extern "C"

// The call trace of one gbx call: its entry line when the call begins and its exit line when
// it returns, both written under the trace switch as it stood at entry, so that the trace's
// name stack stays balanced even when the switch changes inside the call. A call that returns
// without an exit line (the returns that the trace shows by their entry line alone) takes its
// name off the stack silently, so every call leaves the stack as it found it.
#pragma once

#include "lrx/trace.h"
#include "src/gbx/common/gbxerror.h"
#include "src/trace/tracestate.h"

// Opens a call whose trace begins with a combined line ("-><-name") and still ends with an
// exit line: the name is pushed silently, so that the exit line pops it and not the caller's.
struct GbxCombinedEntry {};

class GbxCall {
public:
    template <typename... Args>
    explicit GbxCall(const char* format, Args... args) : traced_(gbxTraceOn()) {
        if (traced_) DebugEnter(format, args...);
    }

    template <typename... Args>
    GbxCall(GbxCombinedEntry, const char* format, Args... args) : traced_(gbxTraceOn()) {
        if (!traced_) return;
        DebugEnterExit(format, args...);
        lrx::trace::openSilently(format);
    }

    ~GbxCall() {
        if (traced_ && !exited_) lrx::trace::closeSilently();
    }

    GbxCall(const GbxCall&) = delete;
    GbxCall& operator=(const GbxCall&) = delete;

    // Writes the exit line (once) and returns nothing; see result() for the usual "[%d]".
    template <typename... Args>
    void exit(const char* format, Args... args) {
        if (traced_ && !exited_) DebugExit(format, args...);
        exited_ = true;
    }

    // Writes the exit line "[%d]" with code and returns code.
    int result(int code) {
        exit("[%d]", code);
        return code;
    }

    // Writes the exit line "%d [%d]" of a getter with its value and code, and returns value.
    int value(int value, int code) {
        exit("%d [%d]", value, code);
        return value;
    }

    template <typename... Args>
    void print(const char* format, Args... args) const {
        if (traced_) DebugPrint(format, args...);
    }

    bool traced() const { return traced_; }

private:
    bool traced_;
    bool exited_ = false;
};

// One combined line for a call without entry and exit pair ("gbxGetIOVersionNo"), under the
// switch.
template <typename... Args>
void gbxTraceEnterExit(const char* format, Args... args) {
    if (gbxTraceOn()) DebugEnterExit(format, args...);
}

// The entry line of a call that writes no exit line; its name leaves the stack silently.
template <typename... Args>
void gbxTraceEntryOnly(const char* format, Args... args) {
    GbxCall call(format, args...);
}

// Reports code from the calling module with the current line; returns code.
#define GBX_REPORT(header, file, object, code) gbxReportError((header), (file), (object), (code), kModule, __LINE__)

// Read-only view of the call trace's process-wide state, for diagnostics and tests.
#pragma once

namespace lrx::trace {

// Lines written so far by the trace's line functions (DebugEnter ... DebugEnterExitStr).
int linesWritten();
// Spaces written before the calling thread's next line.
int indentation();
// Open call names on the calling thread's name stack, dropped ones included.
int openNames();

}  // namespace lrx::trace

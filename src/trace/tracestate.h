// The call trace's process-wide state beyond the exported line functions: a read-only view
// for diagnostics and tests, and the silent moves that keep the name stack balanced for calls
// whose trace has no exit line, or no entry line of its own.
#pragma once

namespace lrx::trace {

// Lines written so far by the trace's line functions (DebugEnter ... DebugEnterExitStr).
int linesWritten();
// Spaces written before the calling thread's next line.
int indentation();
// Open call names on the calling thread's name stack, dropped ones included.
int openNames();
// True once the line limit was passed: every line function writes nothing from then on.
bool isSilent();

// Pushes the name of text and indents, as an entry line would, without writing a line.
void openSilently(const char* text);
// Unindents and pops the innermost name, as an exit line would, without writing a line.
void closeSilently();

}  // namespace lrx::trace

#pragma once

// The two programs carry the same windows with a few differences: the
// collector rounds the simple dialogs' halves away from zero, colours its
// forms from the style holder, re-lays its filter edits on activation and
// centres new forms on the screen; the main program centres them over its
// main window. Each program says which it is once, at start.
enum class ProgramKind { Main, Collector };

void setProgramKind(ProgramKind kind);
ProgramKind programKind();

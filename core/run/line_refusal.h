// Which lines can carry a breakpoint, and why a line of the batch refuses a
// command aimed at it (a breakpoint, a line mark, Goto Line), put so that the
// person at the front end knows what to do instead.
#pragma once

#include <cstdint>
#include <string>

#include "core/document/debug_document.h"
#include "core/document/run_state.h"

namespace tarnvelock {

enum class LineUse {
  Anytime,     // breakpoints, allowed ERRORLEVEL and error output
  BeforeRun,   // ignore, no debug, echo: they change the instrumented batch
  WhileReady,  // Goto Line: the run is ready or stopped
};

// A command line of the document (or one that has a breakpoint already) that
// is neither ignored, nor undebugged, nor a continuation line - whatever the
// run state.
bool CanCarryBreakPoint(const DebugDocument& doc, std::int32_t line);

// The first reason that applies, for a line that the command's own check
// turned down.
std::wstring LineRefusal(const DebugDocument& doc, RunState state, std::int32_t line, LineUse use);

}  // namespace tarnvelock

// The debug runtime: the fixed library of ":_dbg" subroutines appended to
// every instrumented batch. The line hooks call into it; at a stop it writes
// the batch's state into the exchange files, waits for the debugger's key and
// then carries out what the debugger left (ERRORLEVEL, actions, breakpoints).
#pragma once

#include <string>
#include <vector>

#include "core/instrument/batch_refs.h"

namespace tarnvelock {

// Everything besides the references that the runtime text depends on.
struct RuntimeInput {
  bool EnableBreak = false;  // test for the break request file at every check
  bool LogCalls = false;     // log every routed call in the event log
  bool LogReturns = false;   // log every return from a routed call
  std::wstring ForLetters;   // the batch's FOR variable letters, in order
  wchar_t SpareLetter = L'A';
  std::vector<std::wstring> GlobalNames;  // the variables listed at every stop
};

// The runtime's lines in file order, without line ends; the first is ":_dbgExitEL",
// the last is the last line of ":_dbgGlobals".
std::vector<std::wstring> RuntimeLines(const RuntimeInput& input, const BatchRefs& refs);

}  // namespace tarnvelock

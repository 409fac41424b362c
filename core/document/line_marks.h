// The marks a person sets on a line besides breakpoints - ignore, no-debug,
// echo, the highest accepted ERRORLEVEL and standard error allowed - and the
// rules for when a line can take each of them. Front ends offer a mark only
// where CanSetLineMark allows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/document/debug_document.h"
#include "core/document/run_state.h"

namespace tarnvelock {

enum class LineMark {
  Ignore,    // IgnoreZeile
  NoDebug,   // NoDebugZeile
  Echo,      // EchoZeile
  ErrLevel,  // ErrLevelOK
  StdErr,    // StdErrOK
};

// Ignore, no-debug and echo change the instrumented batch and so wait for a
// run to start from Ready; the error allowances are judged at every stop
// and can change at any time. None applies to the "<end of file>" line.
bool CanSetLineMark(const DebugDocument& doc, RunState state, std::int32_t line, LineMark mark);

// Switches an on/off mark of line; the first three make the instrumented
// batch stale. Returns the mark's new state.
bool ToggleLineMark(DebugDocument& doc, std::int32_t line, LineMark mark);

// A whole number as "Set max Errorlevel" takes it: optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x".
std::optional<std::int32_t> ParseWholeNumber(std::wstring_view text);

}  // namespace tarnvelock

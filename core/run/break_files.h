// The breakpoint files the debugger hands to the batch before it resumes: the
// list of breakpoint lines, and the condition file with the pass counts and
// the conditions as batch code the batch calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/document/debug_document.h"

namespace tarnvelock {

// The first line of the condition file. The batch calls the file with the
// line index: it notes the line in kConditionLineFile, returns to the user's
// directory, runs that line's ":Cond" section, removes the note and hands back
// the section's verdict as its exit code. A condition that breaks off the
// batch with a syntax error leaves the note behind, which tells the debugger
// that the error was the condition's, not the last line's.
inline constexpr std::wstring_view kBreakCondHeader =
    L"@(echo %1)>_dbgCondLine.txt&popd&call :Cond%*&pushd \"%_dbgTmp%\"&del _dbgCondLine.txt&"
    L"exit /b !_dbgBC!";

// Both the condition sections and the action file are called with the run's
// parameter list, which starts with the level's stand-in for %0; this first
// line moves it out of the way, so that %1 in a condition or an added command
// is the batch's own first parameter.
inline constexpr std::wstring_view kDropLevelName = L"@shift";

// One entry of the condition file's table: the line index and the pass count
// right-aligned in four columns each, then the condition ("%4d  %4d    %s").
std::wstring FormatBreakEntry(std::int32_t line, std::int32_t count, std::wstring_view condition);

struct BreakFileContents {
  std::wstring List;        // blank-separated line indexes, no line end
  std::wstring Conditions;  // empty when no breakpoint needs an entry
};

// The files for running to the breakpoints of doc. Without a target (Execute)
// the list starts with a blank; with one (Goto Line) it starts with the
// target, whose entry comes first so that it stops at its first pass.
BreakFileContents BuildBreakFiles(const DebugDocument& doc,
                                  std::optional<std::int32_t> target = std::nullopt);

}  // namespace tarnvelock

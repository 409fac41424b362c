// The test that a breakpoint condition can follow a batch IF. It is shared by
// every way a condition reaches the debugger (the breakpoint dialog, the
// command line, the debug adapter and the per-batch settings file), since a
// condition that breaks the IF line ends the whole run with a syntax error.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

// What is wrong with condition, in a few words for the message; empty when
// it passes. A condition passes when it is empty, or when it does not begin
// with IF, holds a comparison word or operator, has balanced double quotes
// and brackets, no "&", "|", "<" or ">" outside quotes, no caret at its end
// and no "%~" that is not a parameter's modifier.
std::wstring ConditionProblem(std::wstring_view condition);

// ConditionProblem(condition) is empty.
bool IsBatchCondition(std::wstring_view condition);

// text without leading and trailing blanks and control characters.
std::wstring TrimCondition(std::wstring_view text);

}  // namespace tarnvelock

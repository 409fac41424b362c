// Text operations for breakpoint conditions and commands the user adds at a
// stop: both run inside the instrumented batch, where %CMDCMDLINE% would name
// the debugger's interpreter call and FOR variables are out of scope.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

// text with every "%CMDCMDLINE%", in any letter case, replaced by "%ComSpec%".
std::wstring ReplaceCmdCmdLine(std::wstring_view text);

// The breakpoint-condition batch: an IF line that clears _dbgBC when condition
// holds, then "@exit /b".
std::wstring CondToBatch(std::wstring_view condition);

// text with a FOR line in front for each FOR variable it uses, binding the
// variable to the value the runtime saved at the stop, and with
// ReplaceCmdCmdLine applied.
std::wstring BindForVariables(std::wstring_view text);

}  // namespace tarnvelock

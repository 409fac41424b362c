// The help of tarnvelock-cli's debugger mode: the overview that "help" shows
// and, for "help COMMAND", what one command does, its arguments one a line,
// and an example.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnvelock {

// The commands at a glance, one group a line.
std::wstring_view CommandHelpText();

// The help of command (its name as typed, any case); nothing for a name that
// is no command.
std::optional<std::wstring> CommandHelp(std::wstring_view command);

}  // namespace tarnvelock

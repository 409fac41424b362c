// The help texts of the internal commands (HELP, "/?").
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

bool HasHelpText(std::string_view command);
// The text for command (any case), CR LF line ends; empty when there is none.
std::string HelpText(std::string_view command);
// The list of commands with one line each.
std::string HelpOverview();

}  // namespace tarnvelock

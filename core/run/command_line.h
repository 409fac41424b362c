// Command lines written the Windows way - one text in which blanks separate
// the arguments and double quotes keep blanks inside one - cut into the
// argument list that a process start takes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

// Splits line by the rules Windows programs use for their arguments: blanks
// and tabs separate, double quotes group and are dropped, "\"" is a literal
// quote, backslashes are literal except in front of a quote, where each pair
// becomes one backslash. "" stands for an empty argument.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

}  // namespace tarnvelock

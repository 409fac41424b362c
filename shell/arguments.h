// Splitting command text into a command name and arguments: the batch
// parameter rules (%1, %2, ...) and the rules Windows programs use for their
// argument vector.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

struct CommandWord {
  std::string typed;  // as written, quotes included
  std::string name;   // without quotes
  std::string rest;   // everything after the name, separator included
};
// The command name: a quoted string, or the text up to the first separator.
CommandWord SplitCommandWord(std::string_view text);

// Batch parameters: separated by blanks, ",", ";" and "=" outside quotes;
// quotes stay part of the parameter.
std::vector<std::string> SplitBatchArguments(std::string_view text);

// True for a word of switch form: "/" and a letter (or "?"), then perhaps
// a value of letters after ":" or "-" ("/s", "/a-d", "/o:gn").
bool IsSwitchWord(std::string_view word);
// The arguments of an internal command that takes switches: the batch
// parameters, with switches written together ("/s/q") taken apart. A word
// whose parts are not all of switch form ("/tmp/x", a path here) stays whole.
std::vector<std::string> SplitArgumentsAndSwitches(std::string_view text);

// The argument vector a Windows program would build from its command line:
// blank-separated, quotes grouping and removed, backslashes before a quote
// escaping it.
std::vector<std::string> SplitProgramArguments(std::string_view text);

}  // namespace tarnvelock

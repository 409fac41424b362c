// The expansions applied to a command line: percent expansion when a line is
// read, FOR-variable substitution and delayed "!VAR!" expansion when a
// command runs, and the ":~start,length" and ":old=new" edits of a value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnvelock {

// Where expansion finds variable values (environment and dynamic variables).
class VariableLookup {
 public:
  virtual ~VariableLookup() = default;
  virtual std::optional<std::string> Variable(std::string_view name) const = 0;
};

// The parameters of the running batch context.
struct BatchArguments {
  std::vector<std::string> values;  // %0, %1, ... as SHIFT left them
  std::string all;                  // %*, which SHIFT does not change
  std::string batch_path;           // full path of the batch file
  // While %0 is the batch as invoked (or a subroutine's label), its path
  // modifiers give batch_path: %~f0 is the file found, not the name typed.
  bool zero_names_batch = true;
};

// The FOR variables of the loops currently running, innermost last.
using ForBindings = std::vector<std::pair<char, std::string>>;

// Percent expansion of one line. With arguments (batch mode) "%%" is one "%",
// parameters expand and an undefined variable expands to nothing; without
// (command-line mode) an undefined variable stays as written. A "%~" that is
// no valid parameter reference sets *error (when given) to the message that
// ends the batch.
std::string ExpandPercents(std::string_view line, const VariableLookup& variables,
                           const BatchArguments* arguments, std::string* error = nullptr);

// Replaces "%X" and "%~modsX" for every bound FOR variable X.
std::string SubstituteForVariables(std::string_view text, const ForBindings& bindings,
                                   const VariableLookup& variables);

// Delayed expansion of one token: when it holds a "!", carets escape the next
// character and "!VAR!" expands; a token without "!" is left as it is.
std::string ExpandDelayedToken(std::string_view token, const VariableLookup& variables);
// ExpandDelayedToken applied to each blank-separated token of text (quotes
// group), leaving the separators in place.
std::string ExpandDelayed(std::string_view text, const VariableLookup& variables);

// Applies an edit written after the colon of "%VAR:edit%": "~start[,length]"
// or "[*]old=new". Nothing when edit is no valid edit.
std::optional<std::string> EditValue(std::string_view value, std::string_view edit);

}  // namespace tarnvelock

// HELP: the list of internal commands, or the help text of one.
#include "shell/builtins/builtins.h"
#include "shell/builtins/help_texts.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunHelp(Interpreter& shell, std::string_view arguments) {
  std::string_view word = TrimBlanks(arguments);
  std::size_t end = 0;
  while (end < word.size() && !IsDelimiter(word[end])) ++end;
  word = word.substr(0, end);
  if (word.empty()) {
    shell.Out(HelpOverview());
    shell.set_error_level(0);
    return 0;
  }
  if (!HasHelpText(word)) {
    shell.Out("This command is not supported by the help utility.  Try \"" + std::string(word) +
              " /?\"." + std::string(kNewline));
    shell.set_error_level(1);
    return 1;
  }
  shell.Out(HelpText(word));
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

// SETLOCAL: starts a scope whose variable changes ENDLOCAL undoes; switches
// delayed expansion and command extensions for it.
#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunSetlocal(Interpreter& shell, std::string_view arguments) {
  std::optional<bool> delayed;
  std::optional<bool> extensions;
  for (const std::string& word : SplitBatchArguments(arguments)) {
    if (EqualsIgnoreCase(word, "enabledelayedexpansion")) {
      delayed = true;
    } else if (EqualsIgnoreCase(word, "disabledelayedexpansion")) {
      delayed = false;
    } else if (EqualsIgnoreCase(word, "enableextensions")) {
      extensions = true;
    } else if (EqualsIgnoreCase(word, "disableextensions")) {
      extensions = false;
    } else {
      shell.ErrorLine("Invalid parameter to SETLOCAL command");
      shell.set_error_level(1);
      return 1;
    }
  }
  if (!shell.SetLocal(delayed, extensions)) {
    shell.ErrorLine("Maximum setlocal recursion level reached.");
    shell.set_error_level(1);
    return 1;
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

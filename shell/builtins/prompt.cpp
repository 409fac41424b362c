// PROMPT: sets the prompt text; without text back to "$P$G".
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunPrompt(Interpreter& shell, std::string_view arguments) {
  std::string_view text = arguments.empty() ? arguments : arguments.substr(1);
  shell.variables().Set("PROMPT",
                        TrimBlanks(text).empty() ? std::string("$P$G") : std::string(text));
  if (shell.InCmdFile()) shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

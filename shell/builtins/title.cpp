// TITLE: sets the title of the terminal window.
#include "platform/child_process.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunTitle(Interpreter& shell, std::string_view arguments) {
  if (IsTerminal(1)) {
    std::string_view text = arguments.empty() ? arguments : arguments.substr(1);
    shell.Out("\x1b]0;" + std::string(text) + "\x07");
  }
  return 0;
}

}  // namespace tarnvelock

// PATH: shows or sets the program search path ("path ;" clears it).
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunPath(Interpreter& shell, std::string_view arguments) {
  std::string_view text = TrimBlanks(arguments);
  if (!text.empty() && text.front() == '=') text = TrimBlanks(text.substr(1));
  if (text.empty()) {
    const std::string* value = shell.variables().Find("PATH");
    shell.Out((value ? "PATH=" + *value : std::string("No Path")) + std::string(kNewline));
    return 0;
  }
  shell.variables().Set("PATH", text == ";" ? std::string() : std::string(text));
  if (shell.InCmdFile()) shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

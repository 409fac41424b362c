// CLS: clears the screen (a form feed when output is not a terminal).
#include "platform/child_process.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"

namespace tarnvelock {

int RunCls(Interpreter& shell, std::string_view /*arguments*/) {
  shell.Out(IsTerminal(1) ? "\x1b[2J\x1b[H" : "\f");
  return 0;
}

}  // namespace tarnvelock

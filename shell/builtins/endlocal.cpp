// ENDLOCAL: ends the innermost SETLOCAL scope of the running batch context.
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"

namespace tarnvelock {

int RunEndlocal(Interpreter& shell, std::string_view /*arguments*/) {
  shell.EndLocal();
  return 0;
}

}  // namespace tarnvelock

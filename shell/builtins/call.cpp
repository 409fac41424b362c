// CALL: runs a label of the batch as a subroutine, or a command, returning here.
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"

namespace tarnvelock {

int RunCall(Interpreter& shell, std::string_view arguments) {
  return shell.Call(arguments);
}

}  // namespace tarnvelock

// POPD: returns to the directory the last PUSHD left.
#include "shell/builtins/builtins.h"
#include "shell/builtins/directory.h"
#include "shell/interpreter.h"

namespace tarnvelock {

int RunPopd(Interpreter& shell, std::string_view /*arguments*/) {
  auto& stack = shell.directory_stack();
  if (stack.empty()) return 1;
  std::string directory = stack.back();
  stack.pop_back();
  int saved = shell.error_level();
  bool entered = EnterDirectory(shell, directory);
  shell.set_error_level(saved);  // POPD leaves ERRORLEVEL alone
  return entered ? 0 : 1;
}

}  // namespace tarnvelock

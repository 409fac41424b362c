// GOTO: continues the batch after a label; "goto :eof" ends the batch context.
#include "shell/batch_file.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"

namespace tarnvelock {

int RunGoto(Interpreter& shell, std::string_view arguments) {
  std::string label = LabelName(arguments);
  if (label.empty()) {
    shell.ErrorLine("No batch label specified to GOTO command.");
    shell.set_error_level(1);
    return 1;
  }
  shell.RequestGoto(label);
  return 0;
}

}  // namespace tarnvelock

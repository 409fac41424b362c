// PAUSE: waits for one key (one byte from a pipe or file; returns at the end
// of input).
#include "platform/child_process.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunPause(Interpreter& shell, std::string_view /*arguments*/) {
  shell.Out("Press any key to continue . . . ");
  ReadKey(0);
  shell.Out(kNewline);
  return 0;
}

}  // namespace tarnvelock

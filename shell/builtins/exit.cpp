// EXIT: ends the interpreter, or with /B the running batch context, with a code.
#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunExit(Interpreter& shell, std::string_view arguments) {
  std::vector<std::string> words = SplitBatchArguments(arguments);
  std::size_t next = 0;
  bool batch_only = !words.empty() && EqualsIgnoreCase(words[0], "/b");
  if (batch_only) ++next;
  if (next < words.size())
    shell.set_error_level(static_cast<int>(ParseLeadingInteger(words[next])));
  if (batch_only) {
    shell.RequestLeaveBatch();
  } else {
    shell.RequestExit(shell.error_level());
  }
  return shell.error_level();
}

}  // namespace tarnvelock

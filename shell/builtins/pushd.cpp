// PUSHD: remembers the current directory and changes to another.
#include "shell/builtins/builtins.h"
#include "shell/builtins/directory.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

int RunPushd(Interpreter& shell, std::string_view arguments) {
  std::string_view path = StripQuotes(TrimBlanks(arguments));
  if (path.empty()) {
    std::string out;
    for (auto it = shell.directory_stack().rbegin(); it != shell.directory_stack().rend(); ++it) {
      out += *it + std::string(kNewline);
    }
    shell.Out(out);
    return 0;
  }
  std::string previous = CurrentDirectory();
  if (!EnterDirectory(shell, path)) return 1;
  shell.directory_stack().push_back(previous);
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

// CD / CHDIR: shows or changes the current directory (/D is accepted, as
// drives do not exist here).
#include "shell/builtins/builtins.h"
#include "shell/builtins/directory.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

int RunCd(Interpreter& shell, std::string_view arguments) {
  std::string_view text = TrimBlanks(arguments);
  if (StartsWithIgnoreCase(text, "/d") && (text.size() == 2 || IsBlank(text[2]))) {
    text = TrimBlanks(text.substr(2));
  }
  if (text.empty()) {
    shell.Out(CurrentDirectory() + std::string(kNewline));
    return 0;
  }
  if (!EnterDirectory(shell, StripQuotes(text))) return 1;
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

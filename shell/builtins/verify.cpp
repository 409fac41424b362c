// VERIFY: shows or sets the write-verification flag; batch files use it to
// set ERRORLEVEL ("verify >nul" gives 0, a wrong argument 1).
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunVerify(Interpreter& shell, std::string_view arguments) {
  std::string_view word = TrimBlanks(arguments);
  if (word.empty()) {
    shell.Out("VERIFY is off." + std::string(kNewline));
  } else if (!EqualsIgnoreCase(word, "on") && !EqualsIgnoreCase(word, "off")) {
    shell.ErrorLine("Must specify ON or OFF.");
    shell.set_error_level(1);
    return 1;
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

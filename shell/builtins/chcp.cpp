// CHCP: shows or sets the active code page. Text passes through unchanged in
// any code page here, so the number is all that changes.
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunChcp(Interpreter& shell, std::string_view arguments) {
  std::string_view text = TrimBlanks(arguments);
  if (!text.empty()) {
    auto page = ParseInteger(text);
    if (!page || *page <= 0 || *page > 65535) {
      shell.ErrorLine("Invalid code page");
      shell.set_error_level(1);
      return 1;
    }
    shell.set_code_page(static_cast<unsigned>(*page));
  }
  shell.Out("Active code page: " + std::to_string(shell.code_page()) + std::string(kNewline));
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

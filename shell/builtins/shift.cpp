// SHIFT: moves the batch parameters down by one, from %0 or, with /n, from %n.
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunShift(Interpreter& shell, std::string_view arguments) {
  BatchArguments* parameters = shell.arguments();
  if (parameters == nullptr) return 0;
  std::string_view word = TrimBlanks(arguments);
  std::size_t from = 0;
  if (word.size() == 2 && word[0] == '/' && word[1] >= '0' && word[1] <= '8') {
    from = static_cast<std::size_t>(word[1] - '0');
  } else if (!word.empty()) {
    shell.ErrorLine("Invalid parameter to SHIFT command");
    shell.set_error_level(1);
    return 1;
  }
  if (from < parameters->values.size()) {
    parameters->values.erase(parameters->values.begin() + static_cast<std::ptrdiff_t>(from));
    if (from == 0) parameters->zero_names_batch = false;
  }
  return 0;
}

}  // namespace tarnvelock

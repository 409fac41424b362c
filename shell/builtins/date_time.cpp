// DATE and TIME: show the date or the time (/T the short form). Setting the
// system clock is not offered; an entered value is refused.
#include "shell/builtins/builtins.h"
#include "shell/clock_text.h"
#include "shell/input_line.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

int Show(Interpreter& shell, std::string_view arguments, const std::string& short_form,
         const std::string& long_form, const char* name, const char* format) {
  if (EqualsIgnoreCase(TrimBlanks(arguments), "/t")) {
    shell.Out(short_form + std::string(kNewline));
    shell.set_error_level(0);
    return 0;
  }
  shell.Out("The current " + std::string(name) + " is: " + long_form + std::string(kNewline) +
            "Enter the new " + name + ": " + format);
  auto answer = ReadInputLine(0);
  if (answer && !TrimBlanks(*answer).empty()) {
    shell.ErrorLine("A required privilege is not held by the client.");
    shell.set_error_level(1);
    return 1;
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace

int RunDate(Interpreter& shell, std::string_view arguments) {
  return Show(shell, arguments, DateText(), DateText(), "date", "(mm-dd-yy) ");
}

int RunTime(Interpreter& shell, std::string_view arguments) {
  return Show(shell, arguments, ShortTimeText(), TimeText(), "time", "");
}

}  // namespace tarnvelock

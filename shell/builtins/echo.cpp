// ECHO: prints its text, or switches the echoing of commands on and off.
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunEcho(Interpreter& shell, std::string_view arguments) {
  auto state = [&shell] {
    shell.Out(shell.echo_on() ? "ECHO is on." : "ECHO is off.");
    shell.Out(kNewline);
    return 0;
  };
  if (arguments.empty()) return state();
  // The character after the name is a separator; "echo." and "echo:" print
  // what follows it even when that is nothing or "on".
  std::string_view text = arguments.substr(1);
  if (IsDelimiter(arguments.front()) && arguments.front() != '=') {
    std::string_view word = TrimBlanks(text);
    if (word.empty()) return state();
    if (EqualsIgnoreCase(word, "on") || EqualsIgnoreCase(word, "off")) {
      shell.set_echo_on(EqualsIgnoreCase(word, "on"));
      return 0;
    }
  }
  std::string line(text);
  line += kNewline;
  shell.Out(line);
  return 0;
}

}  // namespace tarnvelock

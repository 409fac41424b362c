// COLOR: sets the console colours (two hexadecimal digits, background first).
#include "platform/child_process.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiUpper(c);
  return (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
}

// Console colour index to the terminal's colour number.
int AnsiColour(int index) {
  static const int kMap[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kMap[index & 7] + ((index & 8) != 0 ? 60 : 0);
}

}  // namespace

int RunColor(Interpreter& shell, std::string_view arguments) {
  std::string_view text = TrimBlanks(arguments);
  if (text.empty()) {
    if (IsTerminal(1)) shell.Out("\x1b[0m");
    shell.set_error_level(0);
    return 0;
  }
  int background = text.size() >= 1 ? HexDigit(text[0]) : -1;
  int foreground = text.size() == 2 ? HexDigit(text[1]) : background;
  if (text.size() == 1) background = 0;
  if (background < 0 || foreground < 0 || text.size() > 2 || background == foreground) {
    shell.set_error_level(1);
    return 1;
  }
  if (IsTerminal(1)) {
    shell.Out("\x1b[" + std::to_string(30 + AnsiColour(foreground)) + ";" +
              std::to_string(40 + AnsiColour(background)) + "m");
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

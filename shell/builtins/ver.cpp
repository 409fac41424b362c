// VER: shows the interpreter's name and version.
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunVer(Interpreter& shell, std::string_view /*arguments*/) {
  std::string text(kNewline);
  text += "Tarnvelock command interpreter [Version 1.1]";
  text += kNewline;
  shell.Out(text);
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

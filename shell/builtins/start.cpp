// START: runs a command in an interpreter of its own without waiting for it
// (with /WAIT it waits and takes its exit code).
#include "platform/child_process.h"
#include "shell/builtins/builtins.h"
#include "shell/builtins/directory.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

int RunStart(Interpreter& shell, std::string_view arguments) {
  std::string_view text = TrimBlanks(arguments);
  bool wait = false;
  bool titled = false;
  std::string directory;
  while (!text.empty() && (text.front() == '/' || (text.front() == '"' && !titled))) {
    // The first quoted word before the command is the window title, also
    // after switches and also when empty ("start /wait "" cmd").
    if (text.front() == '"') {
      std::size_t close = text.find('"', 1);
      text =
          close == std::string_view::npos ? std::string_view() : TrimBlanks(text.substr(close + 1));
      titled = true;
      continue;
    }
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::string_view option = text.substr(0, end);
    text = TrimBlanks(text.substr(end));
    if (EqualsIgnoreCase(option, "/wait")) wait = true;
    if (EqualsIgnoreCase(option, "/d")) {
      end = 0;
      while (end < text.size() && !IsBlank(text[end])) ++end;
      directory = std::string(StripQuotes(text.substr(0, end)));
      text = TrimBlanks(text.substr(end));
    }
  }
  std::string command = text.empty() ? std::string() : "/c " + std::string(text);
  InterpreterChild started;
  started.body = [&shell, &command, &directory, wait] {
    if (!directory.empty() && !EnterDirectory(shell, directory)) return 1;
    if (wait) return shell.RunNested(command);
    // Detached: the grandchild runs on; this child ends at once so that no
    // finished process is left behind unreaped.
    InterpreterChild detached;
    detached.body = [&shell, &command] { return shell.RunNested(command); };
    StartInterpreter(detached);
    return 0;
  };
  started.command_line = command;
  started.environment = shell.variables().Entries();
  started.directory = directory;
  started.detached = !wait;
  int code = WaitForProcess(StartInterpreter(started));
  if (wait) shell.set_error_level(code);
  return wait ? code : 0;
}

}  // namespace tarnvelock

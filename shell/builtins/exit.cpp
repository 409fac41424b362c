// EXIT: ends the interpreter, or with /B the running batch context, with a code.
#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

// The code as the interpreter reads it: the leading number, 0 without one.
int ExitCode(const std::string& text) {
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  auto value = ParseInteger(text.substr(0, end));
  if (!value) value = ParseInteger(text);
  return value ? static_cast<int>(*value) : 0;
}

}  // namespace

int RunExit(Interpreter& shell, std::string_view arguments) {
  std::vector<std::string> words = SplitBatchArguments(arguments);
  std::size_t next = 0;
  bool batch_only = !words.empty() && EqualsIgnoreCase(words[0], "/b");
  if (batch_only) ++next;
  if (next < words.size()) shell.set_error_level(ExitCode(words[next]));
  if (batch_only) {
    shell.RequestLeaveBatch();
  } else {
    shell.RequestExit(shell.error_level());
  }
  return shell.error_level();
}

}  // namespace tarnvelock

// Invocation: the interpreter's own command line.
#include "shell/invocation.h"

#include <algorithm>

#include "shell/builtins/help_texts.h"
#include "shell/command_search.h"
#include "shell/interpreter.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

bool KeepsQuotes(std::string_view command, const Variables& environment) {
  if (std::count(command.begin(), command.end(), '"') != 2) return false;
  std::size_t close = command.find('"', 1);
  std::string_view inside = command.substr(1, close - 1);
  if (inside.find_first_of("&<>()@^|") != std::string_view::npos) return false;
  if (inside.find_first_of(" \t") == std::string_view::npos) return false;
  return FindCommand(inside, environment.Find("PATH")).has_value();
}

}  // namespace

Invocation ParseInvocation(std::string_view arguments, const Variables& environment) {
  Invocation invocation;
  bool strip_rule = false;
  std::size_t i = 0;
  while (i < arguments.size()) {
    if (IsBlank(arguments[i])) {
      ++i;
      continue;
    }
    if (arguments[i] != '/') break;
    // The command may follow /c and /k without a blank ("/cecho x").
    char letter = i + 1 < arguments.size() ? AsciiLower(arguments[i + 1]) : '\0';
    if (letter == 'c' || letter == 'k') {
      invocation.mode = letter == 'c' ? Invocation::Mode::RunAndExit : Invocation::Mode::RunAndStay;
      i += 2;
      break;
    }
    std::size_t end = i + 1;
    while (end < arguments.size() && !IsBlank(arguments[end]) && arguments[end] != '/') ++end;
    std::string option = ToLower(arguments.substr(i + 1, end - i - 1));
    i = end;
    if (option == "q") invocation.echo_off = true;
    if (option == "s") strip_rule = true;
    if (option == "?") invocation.show_help = true;
    if (option == "v:on") invocation.delayed_expansion = true;
    if (option == "v:off") invocation.delayed_expansion = false;
    if (option == "e:on" || option == "x") invocation.extensions = true;
    if (option == "e:off" || option == "y") invocation.extensions = false;
  }
  if (invocation.mode == Invocation::Mode::Interactive) return invocation;
  std::string_view command = arguments.substr(i);
  while (!command.empty() && IsBlank(command.front())) command.remove_prefix(1);
  if (!command.empty() && command.front() == '"' &&
      (strip_rule || !KeepsQuotes(command, environment))) {
    std::string stripped(command.substr(1));
    std::size_t last = stripped.rfind('"');
    if (last != std::string::npos) stripped.erase(last, 1);
    invocation.command = stripped;
  } else {
    invocation.command = std::string(command);
  }
  return invocation;
}

int RunInvocation(const Invocation& invocation, Variables environment,
                  const std::string& full_command_line) {
  InterpreterOptions options;
  options.echo_on = !invocation.echo_off;
  options.delayed_expansion = invocation.delayed_expansion;
  options.extensions = invocation.extensions;
  options.command_line = full_command_line;
  Interpreter interpreter(options, std::move(environment));
  if (invocation.show_help) {
    interpreter.Out(HelpText("cmd"));
    return 0;
  }
  if (invocation.mode != Invocation::Mode::Interactive) {
    interpreter.RunCommandLine(invocation.command);
    if (invocation.mode == Invocation::Mode::RunAndExit || interpreter.exit_requested()) {
      return interpreter.exit_code();
    }
  }
  if (invocation.mode == Invocation::Mode::Interactive) {
    interpreter.Out("Tarnvelock command interpreter [Version 1.1]" + std::string(kNewline) +
                    std::string(kNewline));
  }
  interpreter.RunInteractive();
  return interpreter.exit_code();
}

}  // namespace tarnvelock

// SET: lists, defines and removes variables; /A evaluates an expression and
// /P reads a value from standard input.
#include "shell/builtins/builtins.h"
#include "shell/input_line.h"
#include "shell/interpreter.h"
#include "shell/set_arithmetic.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

// "name=value", or the text inside the first and last quote of "name=value".
std::string_view Assignment(std::string_view text) {
  if (text.empty() || text.front() != '"') return text;
  std::size_t last = text.rfind('"');
  return last == 0 ? text.substr(1) : text.substr(1, last - 1);
}

bool IsSwitch(std::string_view text, char letter) {
  return text.size() >= 2 && text[0] == '/' && AsciiUpper(text[1]) == letter &&
         (text.size() == 2 || IsBlank(text[2]) || text[2] == '"');
}

int List(Interpreter& shell, std::string_view prefix) {
  std::string out;
  for (const auto& [name, value] : shell.variables().All()) {
    if (StartsWithIgnoreCase(name, prefix)) out += name + "=" + value + std::string(kNewline);
  }
  if (out.empty()) {
    shell.ErrorLine("Environment variable " + std::string(prefix) + " not defined");
    shell.set_error_level(1);
    return 1;
  }
  shell.Out(out);
  return 0;
}

int Arithmetic(Interpreter& shell, std::string_view expression) {
  ArithmeticResult result = EvaluateArithmetic(expression, shell.variables());
  if (!result.error.empty()) {
    shell.ErrorLine(result.error);
    shell.set_error_level(result.error_level);
    return 1;
  }
  // At the prompt SET /A shows the value, without a line end.
  if (!shell.InBatch()) shell.Out(std::to_string(result.value));
  if (shell.InCmdFile()) shell.set_error_level(0);
  return 0;
}

int Prompted(Interpreter& shell, std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::string_view assignment = Assignment(text);
  std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos) {
    shell.ErrorLine("The syntax of the command is incorrect.");
    shell.set_error_level(1);
    return 1;
  }
  shell.Out(assignment.substr(equals + 1));
  auto line = ReadInputLine(0);
  if (!line || line->empty()) {
    shell.set_error_level(1);
    return 1;
  }
  // Without a name ("set /p =text <nul" prints text without a line end) the
  // answer is read and dropped.
  if (equals > 0) shell.variables().Set(assignment.substr(0, equals), *line);
  return 0;
}

}  // namespace

int RunSet(Interpreter& shell, std::string_view arguments) {
  std::string_view text = arguments;
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  if (IsSwitch(text, 'A')) return Arithmetic(shell, text.substr(2));
  if (IsSwitch(text, 'P')) return Prompted(shell, text.substr(2));
  if (TrimBlanks(text).empty()) return List(shell, "");
  std::string_view assignment = Assignment(text);
  std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos) return List(shell, TrimBlanks(assignment));
  if (equals == 0) {
    shell.ErrorLine("The syntax of the command is incorrect.");
    shell.set_error_level(1);
    return 1;
  }
  std::string_view name = assignment.substr(0, equals);
  std::string_view value = assignment.substr(equals + 1);
  if (value.empty() && shell.variables().Find(name) == nullptr) {
    shell.set_error_level(1);  // removing what is not there fails
    return 1;
  }
  shell.variables().Set(name, std::string(value));
  if (shell.InCmdFile()) shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

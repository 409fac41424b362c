// The conditions of IF.
#include "shell/if_condition.h"

#include <cstdint>

#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

int CompareText(const std::string& a, const std::string& b, bool ignore_case) {
  if (ignore_case) {
    if (IgnoreCaseLess()(a, b)) return -1;
    return IgnoreCaseLess()(b, a) ? 1 : 0;
  }
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// The test "ERRORLEVEL number": the number is decimal only, and one with
// more text after it ("1a", "0x1") makes a test that never holds rather than
// a syntax error. Nothing when the operand does not begin with a number.
std::optional<bool> ErrorLevelAtLeast(std::string_view text, int error_level) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  std::size_t first_digit = at;
  std::int64_t value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    if (value <= INT32_MAX) value = value * 10 + (text[at] - '0');
    ++at;
  }
  if (at == first_digit) return std::nullopt;
  if (at != text.size()) return false;
  return error_level >= (negative ? -value : value);
}

}  // namespace

bool CompareOperands(const std::string& left, const std::string& op, const std::string& right,
                     bool ignore_case) {
  if (op == "==") return ignore_case ? EqualsIgnoreCase(left, right) : left == right;
  int order = 0;
  auto a = ParseInteger(left);
  auto b = ParseInteger(right);
  if (a && b) {
    order = *a < *b ? -1 : (*a == *b ? 0 : 1);
  } else {
    order = CompareText(left, right, ignore_case);
  }
  if (op == "EQU") return order == 0;
  if (op == "NEQ") return order != 0;
  if (op == "LSS") return order < 0;
  if (op == "LEQ") return order <= 0;
  if (op == "GTR") return order > 0;
  return order >= 0;  // GEQ
}

std::optional<bool> EvaluateCondition(const IfStatement& statement,
                                      const std::function<std::string(const std::string&)>& prepare,
                                      Interpreter& shell) {
  std::string left = prepare(statement.left);
  switch (statement.kind) {
    case IfStatement::Kind::Compare:
      return CompareOperands(left, statement.op, prepare(statement.right), statement.ignore_case);
    case IfStatement::Kind::Exist: {
      std::string path(StripQuotes(left));
      if (HasWildcards(path)) return !Glob(path).empty();
      return PathExists(NativePath(path));
    }
    case IfStatement::Kind::Defined:
      return shell.variables().Find(left) != nullptr;
    case IfStatement::Kind::ErrorLevel:
      return ErrorLevelAtLeast(left, shell.error_level());
    case IfStatement::Kind::CmdExtVersion: {
      auto version = ParseInteger(left);
      if (!version) return std::nullopt;
      return 2 >= *version;
    }
  }
  return false;
}

}  // namespace tarnvelock

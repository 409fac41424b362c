// The conditions of IF.
#include "shell/if_condition.h"

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
    case IfStatement::Kind::ErrorLevel: {
      auto level = ParseInteger(left);
      if (!level) return std::nullopt;
      return shell.error_level() >= *level;
    }
    case IfStatement::Kind::CmdExtVersion: {
      auto version = ParseInteger(left);
      if (!version) return std::nullopt;
      return 2 >= *version;
    }
  }
  return false;
}

}  // namespace tarnvelock

// The conditions of IF: string and number comparison, EXIST, DEFINED,
// ERRORLEVEL and CMDEXTVERSION.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/syntax.h"

namespace tarnvelock {

class Interpreter;

// Whether the condition holds (NOT not applied); nothing when it is malformed
// (an ERRORLEVEL that is no number). prepare expands an operand at run time.
std::optional<bool> EvaluateCondition(const IfStatement& statement,
                                      const std::function<std::string(const std::string&)>& prepare,
                                      Interpreter& shell);

// The comparison of IF with EQU, NEQ, LSS, LEQ, GTR or GEQ: numeric when both
// sides are numbers, otherwise by text.
bool CompareOperands(const std::string& left, const std::string& op, const std::string& right,
                     bool ignore_case);

}  // namespace tarnvelock

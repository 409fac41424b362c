// SET /A: 32-bit integer expressions with the operators, precedence and
// assignment operators of the Windows interpreter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/variables.h"

namespace tarnvelock {

struct ArithmeticResult {
  std::int32_t value = 0;  // of the last expression
  std::string error;       // the interpreter's message; empty on success
  int error_level = 0;     // the ERRORLEVEL the error sets
};

// Evaluates expression, assigning to variables as it goes.
ArithmeticResult EvaluateArithmetic(std::string_view expression, Variables& variables);

}  // namespace tarnvelock

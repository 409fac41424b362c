// REM: a comment; does nothing.
#include "shell/builtins/builtins.h"

namespace tarnvelock {

int RunRem(Interpreter& /*shell*/, std::string_view /*arguments*/) {
  return 0;
}

}  // namespace tarnvelock

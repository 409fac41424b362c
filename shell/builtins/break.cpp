// BREAK: kept for old batch files; it changes nothing.
#include "shell/builtins/builtins.h"

namespace tarnvelock {

int RunBreak(Interpreter& /*shell*/, std::string_view /*arguments*/) {
  return 0;
}

}  // namespace tarnvelock

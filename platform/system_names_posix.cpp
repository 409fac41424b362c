// System names on POSIX: PATH is split at ":" and, for batch files written
// for Windows, at ";" as well.
#include "platform/system_names.h"

namespace tarnvelock {

std::string_view NullDevicePath() {
  return "/dev/null";
}

std::string_view ConsoleDevicePath() {
  return "/dev/tty";
}

bool HasDriveLetters() {
  return false;
}

std::string_view SearchPathSeparators() {
  return ";:";
}

std::vector<std::string> ProgramExtensions() {
  return {};
}

}  // namespace tarnvelock

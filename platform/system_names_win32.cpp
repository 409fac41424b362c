// System names on Windows: the devices, drive letters and the program
// endings the Windows interpreter tries (the ".COM;.EXE" of PATHEXT).
#include "platform/system_names.h"

namespace tarnvelock {

std::string_view NullDevicePath() {
  return "NUL";
}

std::string_view ConsoleDevicePath() {
  return "CON";
}

bool HasDriveLetters() {
  return true;
}

std::string_view SearchPathSeparators() {
  return ";";
}

std::vector<std::string> ProgramExtensions() {
  return {".com", ".exe"};
}

}  // namespace tarnvelock

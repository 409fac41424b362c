// How the command interpreter names things of the system it runs on: the
// null device, the console, drive letters, the search path and the endings
// that mark a program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

// What "NUL" and "CON" open.
std::string_view NullDevicePath();
std::string_view ConsoleDevicePath();
// True where "C:" at the start of a path names a volume (Windows); elsewhere
// a drive letter in a batch written for Windows is dropped.
bool HasDriveLetters();
// The characters that separate the directories of PATH.
std::string_view SearchPathSeparators();
// The endings tried after a bare command name before ".bat" and ".cmd", in
// order; none where a program needs no ending.
std::vector<std::string> ProgramExtensions();

}  // namespace tarnvelock

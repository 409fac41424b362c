// Where a front end finds the command interpreter that ships with the
// debugger: beside the running program when installed, in the sibling shell
// directory of a build tree. The launcher uses it when ComSpec names none.
#pragma once

#include <string>

namespace tarnvelock {

// The directory, ending in the path separator.
std::wstring BundledInterpreterDirectory();

}  // namespace tarnvelock

// Changing the current directory, shared by CD, PUSHD and POPD.
#pragma once

#include <string_view>

namespace tarnvelock {

class Interpreter;

// Makes path the current directory; reports the failure and sets ERRORLEVEL 1.
bool EnterDirectory(Interpreter& shell, std::string_view path);

}  // namespace tarnvelock

// Changing the current directory.
#include "shell/builtins/directory.h"

#include <filesystem>
#include <system_error>

#include "shell/interpreter.h"
#include "shell/paths.h"

namespace tarnvelock {

bool EnterDirectory(Interpreter& shell, std::string_view path) {
  std::string full = FullPath(path);
  std::error_code error;
  if (!IsDirectory(full)) {
    shell.ErrorLine(PathExists(full) ? "The directory name is invalid."
                                     : "The system cannot find the path specified.");
    shell.set_error_level(1);
    return false;
  }
  std::filesystem::current_path(full, error);
  if (error) {
    shell.ErrorLine("Access is denied.");
    shell.set_error_level(1);
    return false;
  }
  return true;
}

}  // namespace tarnvelock

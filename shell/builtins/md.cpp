// MD / MKDIR: creates directories, with any missing parents.
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

int RunMd(Interpreter& shell, std::string_view arguments) {
  std::vector<std::string> paths = SplitBatchArguments(arguments);
  if (paths.empty()) {
    shell.ErrorLine("The syntax of the command is incorrect.");
    shell.set_error_level(1);
    return 1;
  }
  int status = 0;
  for (const std::string& written : paths) {
    std::string path(StripQuotes(written));
    // Characters no Windows file name may hold.
    if (path.find_first_of("?*<>|\"") != std::string::npos) {
      shell.ErrorLine("The filename, directory name, or volume label syntax is incorrect.");
      status = 1;
      continue;
    }
    std::string native = NativePath(path);
    if (PathExists(native)) {
      shell.ErrorLine("A subdirectory or file " + path + " already exists.");
      status = 1;
      continue;
    }
    std::error_code error;
    std::filesystem::create_directories(native, error);
    if (error) {
      shell.ErrorLine("Access is denied.");
      status = 1;
    }
  }
  shell.set_error_level(status);
  return status;
}

}  // namespace tarnvelock

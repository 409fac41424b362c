// RD / RMDIR: removes directories; /S with their contents, /Q without asking.
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/input_line.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

int RunRd(Interpreter& shell, std::string_view arguments) {
  bool tree = false;
  bool quiet = false;
  std::vector<std::string> paths;
  for (const std::string& word : SplitArgumentsAndSwitches(arguments)) {
    if (EqualsIgnoreCase(word, "/s")) {
      tree = true;
    } else if (EqualsIgnoreCase(word, "/q")) {
      quiet = true;
    } else if (IsSwitchWord(word)) {
      continue;  // a switch RD does not know is no directory to remove
    } else {
      paths.emplace_back(StripQuotes(word));
    }
  }
  if (paths.empty()) {
    shell.ErrorLine("The syntax of the command is incorrect.");
    return 1;
  }
  // RD reports failures through its result only; ERRORLEVEL stays.
  int status = 0;
  for (const std::string& path : paths) {
    std::string native = NativePath(path);
    if (!PathExists(native)) {
      shell.ErrorLine("The system cannot find the file specified.");
      status = 1;
      continue;
    }
    if (!IsDirectory(native)) {
      shell.ErrorLine("The directory name is invalid.");
      status = 1;
      continue;
    }
    std::error_code error;
    if (tree) {
      if (!quiet) {
        shell.Out(path + ", Are you sure (Y/N)? ");
        auto answer = ReadInputLine(0);
        if (!answer || answer->empty() || AsciiUpper(answer->front()) != 'Y') continue;
      }
      std::filesystem::remove_all(native, error);
    } else if (!std::filesystem::is_empty(native, error)) {
      shell.ErrorLine("The directory is not empty.");
      status = 1;
      continue;
    } else {
      std::filesystem::remove(native, error);
    }
    if (error) {
      shell.ErrorLine("Access is denied.");
      status = 1;
    }
  }
  return status;
}

}  // namespace tarnvelock

// MOVE: moves files and renames files and directories.
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

namespace fs = std::filesystem;

// True when to is from itself or lies inside it: a directory moved into
// itself would be copied into itself without end.
bool IntoItself(const std::string& from, const std::string& to) {
  std::string source = FullPath(from);
  std::string target = FullPath(to);
  return target == source || target.rfind(source + "/", 0) == 0;
}

bool MoveOne(const std::string& from, const std::string& to) {
  std::error_code error;
  fs::rename(from, to, error);
  if (!error) return true;
  // Only across file systems: copy, then remove.
  if (error != std::errc::cross_device_link) return false;
  error.clear();
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  if (error) return false;
  fs::remove_all(from, error);
  return !error;
}

}  // namespace

int RunMove(Interpreter& shell, std::string_view arguments) {
  std::vector<std::string> words;
  for (const std::string& word : SplitArgumentsAndSwitches(arguments)) {
    if (word.size() >= 2 && word[0] == '/') continue;  // /Y and /-Y
    words.emplace_back(StripQuotes(word));
  }
  if (words.size() != 2) {
    shell.ErrorLine("The syntax of the command is incorrect.");
    shell.set_error_level(1);
    return 1;
  }
  std::vector<GlobMatch> sources = Glob(words[0]);
  if (sources.empty()) {
    shell.ErrorLine("The system cannot find the file specified.");
    shell.set_error_level(1);
    return 1;
  }
  std::string target = NativePath(words[1]);
  bool into_directory = IsDirectory(target);
  int files = 0;
  int directories = 0;
  for (const GlobMatch& source : sources) {
    std::string to = into_directory ? target + "/" + SplitDirectory(source.path).second : target;
    if (source.directory && IntoItself(NativePath(source.path), to)) {
      shell.ErrorLine(
          "The process cannot access the file because it is being used by another process.");
      shell.set_error_level(1);
      return 1;
    }
    if (!MoveOne(NativePath(source.path), to)) {
      shell.ErrorLine("Access is denied.");
      shell.set_error_level(1);
      return 1;
    }
    (source.directory ? directories : files) += 1;
  }
  if (directories > 0) {
    shell.Out("        " + std::to_string(directories) + " dir(s) moved." + std::string(kNewline));
  } else {
    shell.Out("        " + std::to_string(files) + " file(s) moved." + std::string(kNewline));
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

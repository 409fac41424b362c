// DEL / ERASE: deletes files, with wildcards; /S in subdirectories as well,
// /Q without asking, /F read-only files too.
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/input_line.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

namespace fs = std::filesystem;

struct DeleteOptions {
  bool quiet = false;
  bool recursive = false;
};

// Deletes the files matching name in directory (and below with /S); returns
// how many matched.
int DeleteIn(Interpreter& shell, const std::string& directory, const std::string& name,
             const DeleteOptions& options) {
  int matched = 0;
  for (const GlobMatch& match : Glob(directory + name)) {
    if (match.directory) continue;
    ++matched;
    std::error_code error;
    fs::remove(NativePath(match.path), error);
    if (error) shell.ErrorLine(FullPath(match.path) + std::string(kNewline) + "Access is denied.");
  }
  if (options.recursive) {
    std::error_code error;
    std::string native = directory.empty() ? std::string(".") : NativePath(directory);
    for (fs::directory_iterator it(native, error), end; !error && it != end; it.increment(error)) {
      std::error_code kind_error;
      if (it->is_directory(kind_error) && !it->is_symlink(kind_error)) {
        matched += DeleteIn(shell, directory + it->path().filename().string() + "/", name, options);
      }
    }
  }
  return matched;
}

}  // namespace

int RunDel(Interpreter& shell, std::string_view arguments) {
  DeleteOptions options;
  std::vector<std::string> patterns;
  for (const std::string& word : SplitArgumentsAndSwitches(arguments)) {
    if (EqualsIgnoreCase(word, "/q")) {
      options.quiet = true;
    } else if (EqualsIgnoreCase(word, "/s")) {
      options.recursive = true;
    } else if (word.size() >= 2 && word[0] == '/') {
      continue;  // /F, /P and /A change nothing here
    } else {
      patterns.emplace_back(StripQuotes(word));
    }
  }
  if (patterns.empty()) {
    shell.ErrorLine("The syntax of the command is incorrect.");
    shell.set_error_level(1);
    return 1;
  }
  int status = 0;
  for (std::string pattern : patterns) {
    // A directory stands for all its files.
    bool whole_directory = IsDirectory(NativePath(pattern));
    if (whole_directory) {
      if (pattern.back() != '/' && pattern.back() != '\\') pattern += '/';
      pattern += '*';
      if (!options.quiet) {
        shell.Out(FullPath(pattern) + ", Are you sure (Y/N)? ");
        auto answer = ReadInputLine(0);
        if (!answer || answer->empty() || AsciiUpper(answer->front()) != 'Y') continue;
      }
    }
    auto [directory, name] = SplitDirectory(pattern);
    if (!directory.empty() && !IsDirectory(NativePath(directory))) {
      shell.ErrorLine("The system cannot find the path specified.");
      status = 1;
      continue;
    }
    // A name that matches nothing is reported, but DEL still succeeds.
    if (DeleteIn(shell, directory, name, options) == 0 && !whole_directory) {
      shell.ErrorLine("Could Not Find " + FullPath(pattern));
    }
  }
  // DEL clears ERRORLEVEL unless a directory of a name was missing.
  shell.set_error_level(status);
  return status;
}

}  // namespace tarnvelock

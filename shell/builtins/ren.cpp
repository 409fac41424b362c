// REN / RENAME: renames files in place; "*" in the new name keeps the part
// of the old name it stands for (ren *.txt *.bak).
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

// Applies a new-name pattern to a name: "*" copies the old name up to the
// pattern's next literal character, "?" copies one character.
std::string ApplyPattern(const std::string& pattern, const std::string& name) {
  std::string out;
  std::size_t n = 0;
  for (std::size_t p = 0; p < pattern.size(); ++p) {
    char c = pattern[p];
    if (c == '*') {
      std::size_t stop = name.size();
      if (p + 1 < pattern.size()) {
        std::size_t found = name.rfind(pattern[p + 1]);
        if (found != std::string::npos && found >= n) stop = found;
      }
      out += name.substr(n, stop - n);
      n = stop;
    } else if (c == '?') {
      if (n < name.size()) out += name[n++];
    } else {
      out += c;
      if (n < name.size() && name[n] == c) ++n;
    }
  }
  return out;
}

}  // namespace

int RunRen(Interpreter& shell, std::string_view arguments) {
  std::vector<std::string> words = SplitBatchArguments(arguments);
  auto fail = [&shell](const char* message) {
    shell.ErrorLine(message);
    shell.set_error_level(1);
    return 1;
  };
  if (words.size() != 2) return fail("The syntax of the command is incorrect.");
  std::string source(StripQuotes(words[0]));
  std::string new_name(StripQuotes(words[1]));
  if (new_name.find_first_of("/\\") != std::string::npos) {
    return fail("The syntax of the command is incorrect.");
  }
  std::vector<GlobMatch> matches = Glob(source);
  if (matches.empty()) return fail("The system cannot find the file specified.");
  for (const GlobMatch& match : matches) {
    auto [directory, name] = SplitDirectory(match.path);
    std::string target = NativePath(directory + ApplyPattern(new_name, name));
    if (PathExists(target))
      return fail("A duplicate file name exists, or the file cannot be found.");
    std::error_code error;
    std::filesystem::rename(NativePath(match.path), target, error);
    if (error) return fail("Access is denied.");
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock

// Finding the file behind a command name: the current directory first, then
// each directory of PATH, trying the name as given, then with ".bat" and
// ".cmd" (a ".exe" or ".com" that is missing is tried without its extension,
// so that batch files written for Windows find the programs of this system).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnvelock {

struct ResolvedCommand {
  enum class Kind { Program, Batch };
  Kind kind = Kind::Program;
  std::string path;  // full path
};

bool IsBatchFileName(std::string_view name);
std::optional<ResolvedCommand> FindCommand(std::string_view name, const std::string* path_list);

}  // namespace tarnvelock

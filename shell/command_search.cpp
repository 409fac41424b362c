// Finding the file behind a command name.
#include "shell/command_search.h"

#include <vector>

#include "platform/child_process.h"
#include "platform/system_names.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

std::string Extension(std::string_view name) {
  auto [directory, file] = SplitDirectory(name);
  std::size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : ToLower(file.substr(dot));
}

std::optional<ResolvedCommand> TryCandidate(const std::string& candidate) {
  std::string full = FullPath(candidate);
  if (IsBatchFileName(candidate)) {
    if (IsRegularFile(full)) return ResolvedCommand{ResolvedCommand::Kind::Batch, full};
    return std::nullopt;
  }
  if (IsExecutableFile(full)) return ResolvedCommand{ResolvedCommand::Kind::Program, full};
  return std::nullopt;
}

std::optional<ResolvedCommand> TryIn(const std::string& prefix, std::string_view name) {
  std::string base = prefix + std::string(name);
  std::string extension = Extension(name);
  std::vector<std::string> candidates;
  if (extension.empty()) {
    candidates = {base};
    for (const std::string& program : ProgramExtensions()) candidates.push_back(base + program);
    candidates.push_back(base + ".bat");
    candidates.push_back(base + ".cmd");
  } else {
    candidates = {base};
    if (extension == ".exe" || extension == ".com") {
      candidates.push_back(base.substr(0, base.size() - extension.size()));
    }
  }
  for (const std::string& candidate : candidates) {
    if (auto found = TryCandidate(candidate)) return found;
  }
  return std::nullopt;
}

}  // namespace

bool IsBatchFileName(std::string_view name) {
  std::string extension = Extension(name);
  return extension == ".bat" || extension == ".cmd";
}

std::optional<ResolvedCommand> FindCommand(std::string_view name, const std::string* path_list) {
  if (name.empty()) return std::nullopt;
  if (name.find_first_of("/\\") != std::string_view::npos || (name.size() >= 2 && name[1] == ':')) {
    return TryIn("", name);
  }
  if (auto found = TryIn("", name)) return found;
  if (path_list == nullptr) return std::nullopt;
  std::size_t start = 0;
  while (start <= path_list->size()) {
    std::size_t end = path_list->find_first_of(SearchPathSeparators(), start);
    if (end == std::string::npos) end = path_list->size();
    std::string directory = path_list->substr(start, end - start);
    if (!directory.empty()) {
      if (directory.back() != '/' && directory.back() != '\\') directory += '/';
      if (auto found = TryIn(directory, name)) return found;
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace tarnvelock

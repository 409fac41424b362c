// RedirectionScope: standard handles pointed at files while a command runs.
#include "shell/redirection.h"

#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

RedirectionScope::~RedirectionScope() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->second < 0) {
      CloseDescriptor(it->first);  // the handle was not open before
      continue;
    }
    ReplaceDescriptor(it->second, it->first);
    CloseDescriptor(it->second);
  }
}

std::string RedirectionScope::Apply(Redirection::Kind kind, int handle, const std::string& target) {
  Descriptor source = -1;
  bool owned = false;
  if (kind == Redirection::Kind::Duplicate) {
    source = target.empty() ? 1 : target[0] - '0';
  } else {
    std::string native = NativePath(target);
    OpenMode mode = kind == Redirection::Kind::Input    ? OpenMode::Read
                    : kind == Redirection::Kind::Append ? OpenMode::Append
                                                        : OpenMode::Write;
    auto opened = OpenForRedirection(native, mode);
    if (!opened) {
      if (kind == Redirection::Kind::Input) return "The system cannot find the file specified.";
      if (IsDirectory(native)) return "Access is denied.";
      return "The system cannot find the path specified.";
    }
    source = *opened;
    owned = true;
  }
  saved_.emplace_back(handle, DuplicateDescriptor(handle));
  ReplaceDescriptor(source, handle);
  if (owned) CloseDescriptor(source);
  return {};
}

}  // namespace tarnvelock

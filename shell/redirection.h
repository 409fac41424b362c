// RedirectionScope: points standard handles at files (or at other handles)
// for the time one command or block runs, and puts them back afterwards.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/child_process.h"
#include "shell/syntax.h"

namespace tarnvelock {

class RedirectionScope {
 public:
  RedirectionScope() = default;
  RedirectionScope(const RedirectionScope&) = delete;
  RedirectionScope& operator=(const RedirectionScope&) = delete;
  ~RedirectionScope();

  // Applies one redirection whose target is already expanded; on failure
  // returns the interpreter's message and changes nothing.
  std::string Apply(Redirection::Kind kind, int handle, const std::string& target);

 private:
  std::vector<std::pair<int, Descriptor>> saved_;  // handle, its earlier copy
};

}  // namespace tarnvelock

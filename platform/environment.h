// Environment: the process environment that the batch process inherits.
// Behind an interface so that tests can watch what the debugger sets.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnvelock {

using EnvironmentBlock = std::vector<std::pair<std::wstring, std::wstring>>;

class Environment {
 public:
  virtual ~Environment() = default;
  virtual std::optional<std::wstring> Get(const std::wstring& name) const = 0;
  virtual void Set(const std::wstring& name, const std::wstring& value) = 0;
  virtual void Unset(const std::wstring& name) = 0;
  // Every variable with its value, in the order the system keeps them.
  virtual EnvironmentBlock Snapshot() const = 0;
};

// The environment of this process.
Environment& ProcessEnvironment();

}  // namespace tarnvelock

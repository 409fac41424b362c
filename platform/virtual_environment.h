// VirtualEnvironment: an Environment held in a map, for tests that must see
// what the debugger sets for the batch without touching the real one.
#pragma once

#include <map>

#include "platform/environment.h"

namespace tarnvelock {

class VirtualEnvironment final : public Environment {
 public:
  std::optional<std::wstring> Get(const std::wstring& name) const override {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void Set(const std::wstring& name, const std::wstring& value) override { values[name] = value; }
  void Unset(const std::wstring& name) override { values.erase(name); }
  EnvironmentBlock Snapshot() const override { return {values.begin(), values.end()}; }

  std::map<std::wstring, std::wstring> values;
};

}  // namespace tarnvelock

// Variables: the interpreter's environment.
#include "shell/variables.h"

namespace tarnvelock {

Variables Variables::FromEntries(const std::vector<std::string>& entries) {
  Variables result;
  for (const std::string& entry : entries) {
    // Windows keeps per-drive directories as "=C:=..."; the search starts at 1.
    std::size_t equals = entry.find('=', 1);
    if (equals == std::string::npos || equals == 0) continue;
    result.values_.emplace(entry.substr(0, equals), entry.substr(equals + 1));
  }
  return result;
}

const std::string* Variables::Find(std::string_view name) const {
  auto found = values_.find(name);
  return found == values_.end() ? nullptr : &found->second;
}

void Variables::Set(std::string_view name, std::string value) {
  if (value.empty()) {
    Remove(name);
    return;
  }
  auto found = values_.find(name);
  if (found != values_.end()) {
    found->second = std::move(value);
  } else {
    values_.emplace(std::string(name), std::move(value));
  }
}

void Variables::Remove(std::string_view name) {
  auto found = values_.find(name);
  if (found != values_.end()) values_.erase(found);
}

std::vector<std::string> Variables::Entries() const {
  std::vector<std::string> result;
  result.reserve(values_.size());
  for (const auto& [name, value] : values_) result.push_back(name + "=" + value);
  return result;
}

}  // namespace tarnvelock

// Variables: the interpreter's environment. Names are compared without regard
// to case, as on Windows, and listed in name order by SET.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "shell/text.h"

namespace tarnvelock {

class Variables {
 public:
  using Map = std::map<std::string, std::string, IgnoreCaseLess>;

  // Takes "NAME=value" entries; the first of names differing only in case wins.
  static Variables FromEntries(const std::vector<std::string>& entries);

  const std::string* Find(std::string_view name) const;
  // An empty value removes the variable, as SET does.
  void Set(std::string_view name, std::string value);
  void Remove(std::string_view name);
  const Map& All() const { return values_; }
  // "NAME=value" entries for a program started from here.
  std::vector<std::string> Entries() const;

 private:
  Map values_;
};

}  // namespace tarnvelock

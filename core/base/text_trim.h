// Trimming of the blanks around a word or a value, as the settings files and
// the debugger's command lines need it. A carriage return counts as a blank,
// so a line read with a CR LF end trims like one read without it.
#pragma once

#include <string_view>

namespace tarnvelock {

inline std::wstring_view TrimBlanks(std::wstring_view text) {
  constexpr std::wstring_view kBlanks = L" \t\r";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace tarnvelock

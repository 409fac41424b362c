// Comparisons that ignore the case of A-Z only. The batch words the scanner
// and the instrumenter look for ("_dbgTest", "tokens", "ERRORLEVEL", ...) are
// plain ASCII, and the command interpreter matches them the same way.
#pragma once

#include <string_view>

namespace tarnvelock {

inline bool IsAsciiLetter(wchar_t ch) {
  return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

inline wchar_t AsciiUpper(wchar_t ch) {
  return ch >= L'a' && ch <= L'z' ? ch - (L'a' - L'A') : ch;
}

inline bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  }
  return true;
}

inline bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

}  // namespace tarnvelock

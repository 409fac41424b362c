// Escaping a value for a line of the action file.
#include "core/run/action_text.h"

#include <vector>

namespace tarnvelock {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// For each character of text, whether delayed expansion will read its word:
// it takes the line a blank-separated word at a time (blanks inside double
// quotes belong to the word) and looks only at words that hold a "!".
std::vector<bool> InDelayedWords(std::wstring_view text) {
  std::vector<bool> delayed(text.size(), false);
  size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    bool quoted = false;
    bool bang = false;
    for (; i < text.size() && (quoted || !IsBlank(text[i])); ++i) {
      if (text[i] == L'"') quoted = !quoted;
      if (text[i] == L'!') bang = true;
    }
    for (size_t j = start; j < i; ++j) delayed[j] = bang;
  }
  return delayed;
}

}  // namespace

std::wstring ActionLiteral(std::wstring_view text) {
  const std::vector<bool> delayed = InDelayedWords(text);
  std::wstring literal;
  literal.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'%') {
      literal += L"%%";
    } else if (delayed[i] && c == L'!') {
      literal += L"^^!";
    } else if (delayed[i] && c == L'^') {
      literal += L"^^^^";
    } else {
      if (std::wstring_view(L"&|<>^()\"").find(c) != std::wstring_view::npos) literal += L'^';
      literal += c;
    }
  }
  return literal;
}

}  // namespace tarnvelock

// The syntax test for breakpoint conditions.
#include "core/base/condition_check.h"

#include <array>

#include "core/base/ascii_case.h"

namespace tarnvelock {

namespace {

bool HasComparison(std::wstring_view upper) {
  static constexpr std::array<std::wstring_view, 11> kWords = {
      L"ERRORLEVEL", L"==",  L"EXIST", L"DEFINED", L"CMDEXTVERSION", L"EQU", L"NEQ",
      L"LSS",        L"LEQ", L"GTR",   L"GEQ"};
  for (std::wstring_view word : kWords) {
    if (upper.find(word) != std::wstring_view::npos) return true;
  }
  return false;
}

// Whether the "%~" at text[at] is a parameter with modifiers, such as "%~dp0"
// or "%~$PATH:1"; anything else makes the interpreter give up on the batch.
bool IsParameterModifier(std::wstring_view text, size_t at) {
  constexpr std::wstring_view kModifiers = L"fdpnxsatzFDPNXSATZ";
  size_t i = at + 2;
  while (i < text.size() && kModifiers.find(text[i]) != std::wstring_view::npos) ++i;
  if (i < text.size() && text[i] == L'$') {
    const size_t colon = text.find(L':', i);
    if (colon == std::wstring_view::npos) return false;
    i = colon + 1;
  }
  return i < text.size() && ((text[i] >= L'0' && text[i] <= L'9') || text[i] == L'*');
}

// The problems a scan of the characters finds, outside and inside quotes.
std::wstring CharacterProblem(std::wstring_view text) {
  bool quoted = false;
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'"') {
      quoted = !quoted;
      continue;
    }
    if (c == L'%') {
      if (i + 1 < text.size() && text[i + 1] == L'%') {
        ++i;  // "%%": a FOR variable, or a percent sign
        continue;
      }
      if (i + 1 < text.size() && text[i + 1] == L'~' && !IsParameterModifier(text, i)) {
        return L"\"%~\" is not followed by a parameter's modifiers and number";
      }
      continue;
    }
    if (quoted) continue;
    switch (c) {
      case L'^':
        if (i + 1 == text.size()) return L"it ends with a caret";
        ++i;  // the escaped character stands for itself
        break;
      case L'(':
        ++depth;
        break;
      case L')':
        if (--depth < 0) return L"a closing bracket has no opening one";
        break;
      case L'&':
      case L'|':
      case L'<':
      case L'>':
        return std::wstring(L"\"") + c + L"\" outside double quotes";
      default:
        break;
    }
  }
  if (quoted) return L"unbalanced double quotes";
  if (depth != 0) return L"unbalanced brackets";
  return {};
}

}  // namespace

std::wstring TrimCondition(std::wstring_view text) {
  auto isSpace = [](wchar_t ch) { return ch <= L' '; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return std::wstring(text);
}

std::wstring ConditionProblem(std::wstring_view condition) {
  const std::wstring trimmed = TrimCondition(condition);
  std::wstring upper = trimmed;
  for (wchar_t& ch : upper) ch = AsciiUpper(ch);
  if (upper.starts_with(L"IF")) return L"the IF itself must not be typed";
  if (upper.empty()) return {};
  if (std::wstring problem = CharacterProblem(trimmed); !problem.empty()) return problem;
  if (!HasComparison(upper)) return L"no comparison word or operator";
  return {};
}

bool IsBatchCondition(std::wstring_view condition) {
  return ConditionProblem(condition).empty();
}

}  // namespace tarnvelock

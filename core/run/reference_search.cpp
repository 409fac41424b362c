// The reference search of the three highlight modes.
#include "core/run/reference_search.h"

#include <cwctype>

#include "platform/upper_case.h"

namespace tarnvelock {

namespace {

// Searching begins at the fifth character of a line.
constexpr size_t kSearchStart = 4;

bool IsLetter(wchar_t c) {
  return std::iswalpha(static_cast<wint_t>(c)) != 0;
}
bool IsLetterOrDigit(wchar_t c) {
  return std::iswalnum(static_cast<wint_t>(c)) != 0;
}

wchar_t At(const std::wstring& text, size_t index) {
  return index < text.size() ? text[index] : L'\0';
}

// Collects marks while the search stays before a trailing comment.
class MarkList {
 public:
  explicit MarkList(std::int32_t rem_pos) : rem_pos_(rem_pos) {}
  // False once a match lies beyond the comment's start: the search ends there.
  bool Accepts(size_t position) const {
    return !(rem_pos_ > 0 && static_cast<std::int32_t>(position) > rem_pos_);
  }
  void Add(size_t position, std::wstring text) {
    marks_.push_back({static_cast<std::int32_t>(position), std::move(text)});
  }
  std::vector<ReferenceMark> Take() { return std::move(marks_); }

 private:
  std::int32_t rem_pos_;
  std::vector<ReferenceMark> marks_;
};

void FindGlobal(const std::wstring& line, const std::wstring& name, MarkList& marks) {
  const std::wstring upper = UpperCase(line) + L" ";
  const std::wstring needle = UpperCase(name);
  if (needle.empty()) return;
  const size_t slash_a = upper.find(L"/A");
  const bool arithmetic = slash_a != std::wstring::npos && slash_a > 0;
  const size_t n = needle.size();
  for (size_t p = upper.find(needle, kSearchStart); p != std::wstring::npos;
       p = upper.find(needle, p + 1)) {
    if (!marks.Accepts(p)) return;
    const wchar_t before = upper[p - 1];
    const wchar_t after = At(upper, p + n);
    bool reference;
    if (before == L'%' || before == L'!') {
      reference = after == before || after == L':';
    } else {
      reference = !IsLetterOrDigit(after) && (before == L' ' || before == L'"' || arithmetic);
    }
    if (reference) marks.Add(p, name);
  }
}

// Marks every plain occurrence of name (%1, %%x) on its last character.
void FindPlain(const std::wstring& line, const std::wstring& name, MarkList& marks) {
  for (size_t p = line.find(name, kSearchStart); p != std::wstring::npos;
       p = line.find(name, p + 1)) {
    if (!marks.Accepts(p)) return;
    marks.Add(p + name.size() - 1, std::wstring(1, name.back()));
  }
}

// %~f1, %~dp1: the modifier letters between "%~" and the digit.
void FindParameterModifiers(const std::wstring& line, wchar_t digit, MarkList& marks) {
  for (size_t q = line.find(L"%~", kSearchStart); q != std::wstring::npos;
       q = line.find(L"%~", q + 1)) {
    if (!marks.Accepts(q)) return;
    size_t j = q + 3;  // the character after "%~" is a modifier whatever it is
    while (j < line.size() && IsLetter(line[j]) && line[j] != digit) ++j;
    if (At(line, j) == digit) marks.Add(j, std::wstring(1, digit));
  }
}

// %%~nx, %%~$PATH:x: the modifiers between "%%~" and the FOR variable.
void FindForModifiers(const std::wstring& line, wchar_t letter, MarkList& marks) {
  for (size_t q = line.find(L"%%~", kSearchStart); q != std::wstring::npos;
       q = line.find(L"%%~", q + 1)) {
    if (!marks.Accepts(q)) return;
    if (At(line, q + 3) == L'$') {
      if (At(line, q + 9) == letter) marks.Add(q + 9, std::wstring(1, letter));
      continue;
    }
    for (size_t j = q + 4; j < line.size(); ++j) {
      if (line[j] == letter && !IsLetterOrDigit(At(line, j + 1))) {
        marks.Add(j, std::wstring(1, letter));
        break;
      }
      if (!IsLetter(line[j])) break;
    }
  }
}

}  // namespace

std::vector<ReferenceMark> FindReferences(const std::wstring& line, std::int32_t rem_pos,
                                          const ReferenceHighlight& highlight) {
  MarkList marks(rem_pos);
  const std::wstring& name = highlight.HighlightName;
  if (name.empty() || line.size() <= kSearchStart) return {};
  switch (highlight.HighlightMode) {
    case 0:
      FindGlobal(line, name, marks);
      break;
    case 1:
      FindPlain(line, name, marks);
      FindParameterModifiers(line, name.back(), marks);
      break;
    case 2:
      FindPlain(line, name, marks);
      FindForModifiers(line, name.back(), marks);
      break;
    default:
      break;
  }
  return marks.Take();
}

}  // namespace tarnvelock

// ReplaceCmdCmdLine, CondToBatch and BindForVariables.
#include "core/base/condition_text.h"

#include "core/base/ascii_case.h"
#include "core/base/for_key.h"

namespace tarnvelock {

std::wstring ReplaceCmdCmdLine(std::wstring_view text) {
  static constexpr std::wstring_view kFrom = L"%CMDCMDLINE%";
  static constexpr std::wstring_view kTo = L"%ComSpec%";
  std::wstring result;
  result.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    if (StartsWithNoCase(text.substr(pos), kFrom)) {
      result += kTo;
      pos += kFrom.size();
    } else {
      result += text[pos++];
    }
  }
  return result;
}

std::wstring CondToBatch(std::wstring_view condition) {
  std::wstring result = L"@if ";
  result += condition;
  result += L" set _dbgBC=0\r\n@exit /b";
  return result;
}

std::wstring BindForVariables(std::wstring_view text) {
  std::wstring result(text);
  wchar_t last = L' ';
  size_t from = 0;
  for (;;) {
    size_t p = result.find(L"%%", from);
    if (p == std::wstring::npos || p + 2 >= result.size()) break;
    const wchar_t y = result[p + 2];
    if (y == last) {
      // A repeated use of the variable just bound needs no second binding.
      from = p + 3;
      continue;
    }
    if (y == L'~') {  // %%~nxa: skip the modifier letters to reach the variable
      do {
        ++p;
      } while (p + 3 < result.size() && IsAsciiLetter(result[p + 3]));
      if (p + 2 >= result.size()) break;
    }
    const wchar_t x = result[p + 2];
    last = x;
    std::wstring prefix = L"@for %%";
    prefix += x;
    prefix += L" in (%_dbgFOR";
    prefix += ForKey(x);
    prefix += x;
    prefix += L"%) do ";
    result.insert(0, prefix);
    // Go on just behind the "%%" that was bound, which moved by the prefix.
    from = p + prefix.size() + 1;
  }
  return ReplaceCmdCmdLine(result);
}

}  // namespace tarnvelock

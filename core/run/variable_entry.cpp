// Name marks and blank markers of variable pane entries.
#include "core/run/variable_entry.h"

#include <algorithm>

namespace tarnvelock {

namespace {

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

std::wstring Replaced(std::wstring_view text, wchar_t from, wchar_t to) {
  std::wstring result(text);
  std::replace(result.begin(), result.end(), from, to);
  return result;
}

}  // namespace

std::wstring WrapName(std::wstring_view entry, wchar_t c) {
  std::wstring result(1, c);
  if (!entry.empty() && IsDigit(entry.front())) return result.append(entry);
  const size_t equals = entry.find(L'=');
  if (equals == std::wstring_view::npos) return result.append(entry) + c;
  result.append(entry.substr(0, equals));
  result += c;
  return result.append(entry.substr(equals));
}

std::wstring UnwrapName(std::wstring_view entry) {
  if (entry.empty()) return {};
  const wchar_t c = entry.front();
  std::wstring result(entry.substr(1));
  if (!result.empty() && IsDigit(result.front())) return result;
  if (const size_t next = result.find(c); next != std::wstring::npos) result.erase(next, 1);
  return result;
}

std::wstring ShowBlanks(std::wstring_view text) {
  return Replaced(text, L' ', BlankMarker);
}

std::wstring HideBlanks(std::wstring_view text) {
  return Replaced(text, BlankMarker, L' ');
}

std::wstring_view EntryName(std::wstring_view entry) {
  return entry.substr(0, entry.find(L'='));
}

std::wstring_view EntryValue(std::wstring_view entry) {
  const size_t equals = entry.find(L'=');
  return equals == std::wstring_view::npos ? std::wstring_view() : entry.substr(equals + 1);
}

}  // namespace tarnvelock

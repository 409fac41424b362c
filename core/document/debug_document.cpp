// LineHash and the GlobalNames list of DebugDocument.
#include "core/document/debug_document.h"

#include <algorithm>
#include <cwctype>

namespace tarnvelock {

namespace {

std::uint32_t HashUnit(std::uint32_t hash, std::uint32_t unit) {
  return ((hash << 5) | (hash >> 27)) ^ unit;
}

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = std::towupper(static_cast<wint_t>(a[i]));
    const auto cb = std::towupper(static_cast<wint_t>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::uint32_t LineHash(std::wstring_view text) {
  std::uint32_t hash = 0;
  for (wchar_t ch : text) {
    const auto code = static_cast<std::uint32_t>(ch);
    if (code > 0xFFFF) {  // wide wchar_t: hash the UTF-16 surrogate pair
      const std::uint32_t v = code - 0x10000;
      hash = HashUnit(hash, 0xD800 + (v >> 10));
      hash = HashUnit(hash, 0xDC00 + (v & 0x3FF));
    } else {
      hash = HashUnit(hash, code);
    }
  }
  return hash;
}

void AddGlobalName(std::vector<std::wstring>& names, std::wstring_view name) {
  auto pos = std::lower_bound(
      names.begin(), names.end(), name,
      [](const std::wstring& a, std::wstring_view b) { return CompareNoCase(a, b) < 0; });
  if (pos != names.end() && CompareNoCase(*pos, name) == 0) return;
  names.insert(pos, std::wstring(name));
}

}  // namespace tarnvelock

// Upper-casing on Windows with the user's locale, as the system's own lists do.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include "platform/upper_case.h"

namespace tarnvelock {

std::wstring UpperCase(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), size,
                                     nullptr, 0, nullptr, nullptr, 0);
  if (length <= 0) return std::wstring(text);
  std::wstring upper(static_cast<size_t>(length), L'\0');
  ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), size, upper.data(),
                  length, nullptr, nullptr, 0);
  return upper;
}

}  // namespace tarnvelock

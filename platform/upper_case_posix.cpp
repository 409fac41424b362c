// Upper-casing on POSIX systems through a UTF-8 locale's character table, so
// that letters beyond ASCII are mapped whatever locale the process runs in.
#include <locale>

#include "platform/upper_case.h"

namespace tarnvelock {

namespace {

std::locale UnicodeLocale() {
  for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
    try {
      return std::locale(name);
    } catch (const std::runtime_error&) {
    }
  }
  return std::locale::classic();
}

}  // namespace

std::wstring UpperCase(std::wstring_view text) {
  static const std::locale locale = UnicodeLocale();
  const auto& ctype = std::use_facet<std::ctype<wchar_t>>(locale);
  std::wstring upper(text);
  ctype.toupper(upper.data(), upper.data() + upper.size());
  return upper;
}

}  // namespace tarnvelock

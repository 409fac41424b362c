// Code pages on Windows: the console's OEM code page and the system's ANSI
// code page as the system reports them, converted by the system.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include "platform/code_page.h"

namespace tarnvelock {

namespace {

class Win32CodePages final : public CodePageConverter {
 public:
  std::wstring Decode(std::string_view bytes, CodePage page) const override {
    if (page == CodePage::Utf8) return FromUtf8(bytes);
    if (bytes.empty()) return {};
    const UINT number = Number(page);
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(number, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(number, 0, bytes.data(), size, text.data(), length);
    return text;
  }

  std::string Encode(std::wstring_view input, CodePage page) const override {
    if (page == CodePage::Utf8) return ToUtf8(input);
    if (input.empty()) return {};
    // No OEM or ANSI page holds a character beyond U+FFFF: each such pair
    // becomes one replacement, not two.
    std::wstring text;
    text.reserve(input.size());
    for (size_t i = 0; i < input.size(); ++i) {
      const bool pair = input[i] >= 0xD800 && input[i] < 0xDC00 && i + 1 < input.size() &&
                        input[i + 1] >= 0xDC00 && input[i + 1] < 0xE000;
      text += pair ? L'\uFFFD' : input[i];
      if (pair) ++i;
    }
    const UINT number = Number(page);
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(number, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(number, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
  }

  unsigned Number(CodePage page) const override {
    switch (page) {
      case CodePage::Oem:
        return ::GetOEMCP();
      case CodePage::Ansi:
        return ::GetACP();
      case CodePage::Utf8:
        break;
    }
    return CP_UTF8;
  }
};

}  // namespace

const CodePageConverter& SystemCodePages() {
  static const Win32CodePages converter;
  return converter;
}

}  // namespace tarnvelock

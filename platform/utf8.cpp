// ToUtf8 and FromUtf8: the one encoding every system shares.
#include <cstdint>

#include "platform/code_page.h"

namespace tarnvelock {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring& text, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp > 0xFFFF) {
      cp -= 0x10000;
      text += static_cast<wchar_t>(0xD800 + (cp >> 10));
      text += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
      return;
    }
  }
  text += static_cast<wchar_t>(cp);
}

// Writes cp at out and returns the position after it.
char* PutUtf8(char* out, char32_t cp) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (cp >> 18));
    *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

bool IsSurrogate(char32_t cp) {
  return cp >= 0xD800 && cp <= 0xDFFF;
}

// The code point at text[i], joining a surrogate pair (and advancing i past
// it); anything that is no character becomes U+FFFD.
char32_t CodePointAt(std::wstring_view text, size_t& i) {
  auto cp = static_cast<char32_t>(text[i]);
  if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
    const auto low = static_cast<char32_t>(text[i + 1]);
    if (low >= 0xDC00 && low <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    }
  }
  return IsSurrogate(cp) || cp > 0x10FFFF ? kReplacement : cp;
}

size_t Utf8Length(char32_t cp) {
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  // Two passes: the exact length first, so the result is allocated once.
  size_t length = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    length += static_cast<std::uint32_t>(text[i]) < 0x80 ? 1 : Utf8Length(CodePointAt(text, i));
  }
  std::string bytes(length, '\0');
  char* out = bytes.data();
  for (size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<std::uint32_t>(text[i]);
    if (unit < 0x80) {
      *out++ = static_cast<char>(unit);
    } else {
      out = PutUtf8(out, CodePointAt(text, i));
    }
  }
  return bytes;
}

std::wstring FromUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      text += static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, cp = lead & 0x07, minimum = 0x10000;
    }
    bool valid = length != 0 && i + length <= bytes.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (valid && cp >= minimum && cp <= 0x10FFFF && !IsSurrogate(cp)) {
      AppendCodePoint(text, cp);
      i += length;
    } else {
      text += static_cast<wchar_t>(kReplacement);
      ++i;
    }
  }
  return text;
}

}  // namespace tarnvelock

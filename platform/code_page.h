// Code pages: the byte encodings that batch files, the instrumented batch and
// the exchange files are written in. Text inside the program is std::wstring;
// bytes meet text only here.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

enum class CodePage {
  Oem,   // the console's code page (on POSIX: the locale's charset, normally UTF-8)
  Ansi,  // the system's ANSI code page (on POSIX: Windows-1252)
  Utf8,
};

// Converts between bytes in a code page and text. Decoding never fails: a byte
// sequence that is invalid in the code page becomes U+FFFD per bad byte.
// Encoding never fails either: a character the code page cannot represent
// becomes that code page's replacement character ("?" for single-byte pages).
class CodePageConverter {
 public:
  virtual ~CodePageConverter() = default;
  virtual std::wstring Decode(std::string_view bytes, CodePage page) const = 0;
  virtual std::string Encode(std::wstring_view text, CodePage page) const = 0;
  // The number the operating system gives the code page (850, 1252, 65001, ...).
  virtual unsigned Number(CodePage page) const = 0;
};

// The converter of this system.
const CodePageConverter& SystemCodePages();

// UTF-8 conversions, independent of any locale. FromUtf8 turns each byte of an
// invalid or overlong sequence into U+FFFD; ToUtf8 writes a lone surrogate as
// U+FFFD. Where wchar_t has 16 bits, characters beyond U+FFFF are surrogate pairs.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

}  // namespace tarnvelock

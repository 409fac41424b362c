// Code pages on POSIX: the "OEM" code page is the charset of the user's locale
// (UTF-8 on any modern system), "ANSI" is Windows-1252. UTF-8 and Windows-1252
// are converted here directly; any other locale charset goes through iconv.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/code_page.h"

namespace tarnvelock {

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::wstring DecodeCp1252(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (unsigned char b : bytes) {
    text += (b >= 0x80 && b < 0xA0) ? static_cast<wchar_t>(kCp1252High[b - 0x80])
                                    : static_cast<wchar_t>(b);
  }
  return text;
}

char EncodeCp1252Char(wchar_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == static_cast<char16_t>(ch) && ch != 0xFFFD) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

std::string EncodeCp1252(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t ch : text) bytes += EncodeCp1252Char(ch);
  return bytes;
}

// The charset named by the locale environment variables, upper-cased, or
// "UTF-8" when they name none.
std::string LocaleCharset() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string locale = value;
    const auto dot = locale.find('.');
    if (dot == std::string::npos) return "UTF-8";
    std::string charset = locale.substr(dot + 1, locale.find('@') - dot - 1);
    for (char& c : charset) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (charset == "UTF8") charset = "UTF-8";
    return charset;
  }
  return "UTF-8";
}

// Converts through iconv, one character at a time where the target cannot
// represent it, so that a single bad character costs only itself.
std::string IconvConvert(const std::string& to, const std::string& from, std::string_view input,
                         std::string_view replacement) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
  std::string output;
  std::array<char, 4096> buffer;
  char* in = const_cast<char*>(input.data());
  size_t in_left = input.size();
  while (in_left > 0) {
    char* out = buffer.data();
    size_t out_left = buffer.size();
    const size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
    output.append(buffer.data(), buffer.size() - out_left);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // Invalid or unmappable input: replace one source unit and go on.
      const size_t unit = from == "UTF-32LE" ? 4 : 1;
      output += replacement;
      const size_t skip = std::min(unit, in_left);
      in += skip;
      in_left -= skip;
    }
  }
  iconv_close(cd);
  return output;
}

std::string ToUtf32Le(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 4);
  for (wchar_t ch : text) {
    const auto v = static_cast<std::uint32_t>(ch);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((v >> shift) & 0xFF);
  }
  return bytes;
}

std::wstring FromUtf32Le(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size() / 4);
  for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[i + k]);
    text += static_cast<wchar_t>(v);
  }
  return text;
}

class PosixCodePages final : public CodePageConverter {
 public:
  PosixCodePages() : oem_charset_(LocaleCharset()) {}

  std::wstring Decode(std::string_view bytes, CodePage page) const override {
    const std::string& charset = Charset(page);
    if (charset == "UTF-8") return FromUtf8(bytes);
    if (charset == "CP1252") return DecodeCp1252(bytes);
    const char kUtf32Replacement[] = {'\xFD', '\xFF', '\0', '\0'};
    return FromUtf32Le(
        IconvConvert("UTF-32LE", charset, bytes, std::string_view(kUtf32Replacement, 4)));
  }

  std::string Encode(std::wstring_view text, CodePage page) const override {
    const std::string& charset = Charset(page);
    if (charset == "UTF-8") return ToUtf8(text);
    if (charset == "CP1252") return EncodeCp1252(text);
    return IconvConvert(charset, "UTF-32LE", ToUtf32Le(text), "?");
  }

  unsigned Number(CodePage page) const override {
    const std::string& charset = Charset(page);
    if (charset == "UTF-8") return 65001;
    if (charset.rfind("CP", 0) == 0) return static_cast<unsigned>(std::atoi(charset.c_str() + 2));
    if (charset.rfind("ISO-8859-", 0) == 0) {
      return 28590 + static_cast<unsigned>(std::atoi(charset.c_str() + 9));
    }
    return 0;
  }

 private:
  const std::string& Charset(CodePage page) const {
    static const std::string kUtf8 = "UTF-8";
    static const std::string kCp1252 = "CP1252";
    switch (page) {
      case CodePage::Oem:
        return oem_charset_;
      case CodePage::Ansi:
        return kCp1252;
      case CodePage::Utf8:
        break;
    }
    return kUtf8;
  }

  std::string oem_charset_;
};

}  // namespace

const CodePageConverter& SystemCodePages() {
  static const PosixCodePages converter;
  return converter;
}

}  // namespace tarnvelock

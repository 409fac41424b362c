// Decoding, line splitting and integer parsing for the exchange files.
#include "core/run/exchange_text.h"

#include <limits>

namespace tarnvelock {

namespace {

// UTF-16 code units to text; on systems with a 32-bit wchar_t surrogate pairs
// become one character, so that text keeps one unit per character there.
std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    const char32_t unit = bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if constexpr (sizeof(wchar_t) == 4) {
      if (low && !text.empty()) {
        const auto high = static_cast<char32_t>(text.back());
        if (high >= 0xD800 && high <= 0xDBFF) {
          text.back() = static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
          continue;
        }
      }
    }
    text += static_cast<wchar_t>(unit);
  }
  return text;
}

}  // namespace

std::wstring DecodeDetectingBom(std::string_view bytes, const CodePageConverter& codePages) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return codePages.Decode(bytes.substr(3), CodePage::Utf8);
  if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  return codePages.Decode(bytes, CodePage::Ansi);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
  }
  return lines;
}

std::optional<std::int32_t> LeadingInteger(std::wstring_view text) {
  size_t i = text.find_first_not_of(L' ');
  if (i == std::wstring_view::npos) return std::nullopt;
  const bool negative = text[i] == L'-';
  if (text[i] == L'-' || text[i] == L'+') ++i;
  if (i >= text.size() || text[i] < L'0' || text[i] > L'9') return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> WholeInteger(std::wstring_view text) {
  const size_t last = text.find_last_not_of(L' ');
  if (last == std::wstring_view::npos) return std::nullopt;
  const size_t first = text.find_first_not_of(L' ');
  for (size_t i = first + 1; i <= last; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
  }
  return LeadingInteger(text.substr(0, last + 1));
}

}  // namespace tarnvelock

// Byte-text helpers for the interpreter. Text here is bytes (std::string): a
// batch file in any single-byte code page or in UTF-8 passes through
// unchanged, and only ASCII letters are folded when names are compared.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnvelock {

// Line end of everything the interpreter prints, as on Windows.
inline constexpr std::string_view kNewline = "\r\n";

inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// Position of needle in text comparing without case, or npos.
std::size_t FindIgnoreCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Orders names without regard to ASCII case; usable for heterogeneous lookup.
struct IgnoreCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
// The separators between the arguments of a command: blank, tab, comma,
// semicolon, equals sign (and the rarely seen vertical tab, form feed, 0xFF).
inline bool IsDelimiter(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '=' || c == '\v' || c == '\f' ||
         c == '\xFF';
}
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeadingDelimiters(std::string_view text);
// Removes one pair of surrounding double quotes, or a lone leading one.
std::string_view StripQuotes(std::string_view text);

// An integer in the notation of the Windows interpreter: optional sign, then
// decimal, 0x hexadecimal or 0-prefixed octal. Nothing when the text is not
// such a number as a whole.
std::optional<std::int64_t> ParseInteger(std::string_view text);
// The number at the start of text, 0 when there is none: how the interpreter
// reads a value where it expects a number ("12abc" is 12).
std::int64_t ParseLeadingInteger(std::string_view text);

}  // namespace tarnvelock

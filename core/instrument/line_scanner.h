// LineScanner: splits one batch line into tokens. It knows just enough of the
// command interpreter's syntax for instrumentation - the keywords that matter
// for debugging, brackets, quotes, separators, redirections, the "%%" of FOR
// variables, labels and comments - and does not validate anything.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/document/user_view.h"

namespace tarnvelock {

// Token kinds. The keyword kinds follow the plain ones, in alphabetical order.
enum tToken {
  tokEOL,
  tokNone,
  tokBang,
  tokQuote,
  tokPercent,
  tokDoublePercent,
  tokAmp,
  tokDoubleAmp,
  tokPipe,
  tokDoublePipe,
  tokOpen,
  tokClose,
  tokSlash,
  tokColon,
  tokDoubleColon,
  tokAt,
  tokLess,
  tokGreater,
  tokAppend,
  tokGreaterAmp,
  tokCALL,
  tokDO,
  tokECHO,
  tokELSE,
  tokENDLOCAL,
  tokEOF,
  tokEXIT,
  tokFOR,
  tokGOTO,
  tokPAUSE,
  tokREM,
  tokSET,
  tokSETLOCAL,
  tokSHIFT,
  tokTITLE,
};

// Ends every scan buffer. A line that contains it is scanned only up to it.
inline constexpr wchar_t kEndOfLineMarker = L'\x0E';

// The command separators "&", "&&", "|" and "||".
bool IsSeparator(tToken token);

// text without the blanks and control characters (everything up to U+0020)
// at both ends.
std::wstring_view TrimControls(std::wstring_view text);

// The scanner state: one buffer at a time, one character of lookahead. Load a
// text, then call NextToken until it returns tokEOL. Once the end of the line
// has been reached every further NextToken returns tokEOL again until the next
// Load, so a loop that consumes the end inside a sub-step cannot wrap around
// and scan the line a second time.
class LineScanner {
 public:
  // view receives the "Error Escape" message of a caret that ends a line.
  explicit LineScanner(UserView& view) : view_(view) {}

  // Makes text plus the end-of-line marker the scan buffer; nothing is read yet.
  void Load(std::wstring_view text);

  // Reads the character at the scan position and advances; never past the marker.
  wchar_t NextChar();
  // Reads one token, then the blanks behind it: afterwards the current
  // character is the first character of the next token.
  tToken NextToken();
  // The keyword kind of a whole word (letters in any case), else tokNone.
  static tToken KeywordKind(std::wstring_view word);

  // Skips the rest of the current command up to and including a separator;
  // stops in front of ")" or at the end of the line.
  void SkipCommand();
  // Skips the rest of the current command without consuming its end, stepping
  // over quoted text as a whole. depth is the caller's bracket depth: at depth
  // 0 a ")" is part of the command, deeper it closes the caller's block.
  void SkipCommandQuoted(int depth);

  // The command word of a line ("echo" for "  @echo off"), or empty text when
  // the line does not start with a word.
  std::wstring CommandWord(std::wstring_view text);

  wchar_t Current() const { return current_; }
  // Index of the current character in the buffer: after the end of the line
  // has been read, the length of the text.
  std::size_t CurrentIndex() const { return current_index_; }
  // Index of the next character to read; 0 before the first read and again
  // after tokEOL.
  std::size_t ScanPosition() const { return pos_; }
  const std::wstring& TokenText() const { return token_text_; }
  std::size_t TokenStart() const { return token_start_; }

 private:
  // Appends characters to the token text while they are word characters.
  void ReadWordTail();
  // The tokens NextToken reads after their first character: a caret and
  // what it escapes, a character that may come doubled ("%%", "&&", "||",
  // "::"), an output redirection, and the single-character tokens.
  void ReadEscape();
  tToken ReadMaybeDoubled(wchar_t first);
  tToken ReadRedirection();
  static tToken SingleCharKind(wchar_t ch);

  UserView& view_;
  std::wstring buffer_{kEndOfLineMarker};
  std::size_t pos_ = 0;
  wchar_t current_ = kEndOfLineMarker;
  std::size_t current_index_ = 0;
  bool at_marker_ = false;  // the marker has been read
  std::wstring token_text_;
  std::size_t token_start_ = 0;
};

}  // namespace tarnvelock

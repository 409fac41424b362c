// The batch line tokenizer and its skipping helpers.
#include "core/instrument/line_scanner.h"

#include <array>
#include <cwctype>

#include "core/base/ascii_case.h"

namespace tarnvelock {

namespace {

struct Keyword {
  std::wstring_view word;
  tToken kind;
};

constexpr std::array<Keyword, 15> kKeywords{{
    {L"CALL", tokCALL},
    {L"DO", tokDO},
    {L"ECHO", tokECHO},
    {L"ELSE", tokELSE},
    {L"ENDLOCAL", tokENDLOCAL},
    {L"EOF", tokEOF},
    {L"EXIT", tokEXIT},
    {L"FOR", tokFOR},
    {L"GOTO", tokGOTO},
    {L"PAUSE", tokPAUSE},
    {L"REM", tokREM},
    {L"SET", tokSET},
    {L"SETLOCAL", tokSETLOCAL},
    {L"SHIFT", tokSHIFT},
    {L"TITLE", tokTITLE},
}};

bool IsDigit(wchar_t ch) {
  return ch >= L'0' && ch <= L'9';
}

bool IsWordStart(wchar_t ch) {
  return IsAsciiLetter(ch) || ch == L'_';
}

bool IsWordChar(wchar_t ch) {
  return IsWordStart(ch) || IsDigit(ch);
}

// Any letter, not only A-Z: the command help looks up words such as "ändern".
bool IsLetter(wchar_t ch) {
  return IsAsciiLetter(ch) || (ch >= 0x80 && std::iswalpha(static_cast<wint_t>(ch)));
}

}  // namespace

bool IsSeparator(tToken token) {
  return token == tokAmp || token == tokDoubleAmp || token == tokPipe || token == tokDoublePipe;
}

std::wstring_view TrimControls(std::wstring_view text) {
  while (!text.empty() && text.front() <= L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= L' ') text.remove_suffix(1);
  return text;
}

void LineScanner::Load(std::wstring_view text) {
  buffer_.assign(text);
  buffer_.push_back(kEndOfLineMarker);
  pos_ = 0;
  current_ = kEndOfLineMarker;
  current_index_ = 0;
  at_marker_ = false;
  token_text_.clear();
  token_start_ = 0;
}

wchar_t LineScanner::NextChar() {
  if (at_marker_) return kEndOfLineMarker;
  current_index_ = pos_;
  current_ = buffer_[pos_++];
  at_marker_ = current_ == kEndOfLineMarker;
  return current_;
}

void LineScanner::ReadWordTail() {
  while (IsWordChar(NextChar())) token_text_ += current_;
}

tToken LineScanner::NextToken() {
  if (pos_ == 0 && !at_marker_) NextChar();
  token_start_ = current_index_;
  const wchar_t first = current_;
  token_text_.assign(1, first);

  if (first == kEndOfLineMarker) {
    pos_ = 0;
    return tokEOL;
  }

  tToken kind = tokNone;
  if (first == L' ') {
    while (NextChar() == L' ') token_text_ += L' ';
  } else if (IsDigit(first)) {
    ReadWordTail();
  } else if (IsWordStart(first)) {
    ReadWordTail();
    kind = KeywordKind(token_text_);
  } else if (first == L'^') {
    ReadEscape();
  } else if (first == L'%' || first == L'&' || first == L'|' || first == L':') {
    kind = ReadMaybeDoubled(first);
  } else if (first == L'>') {
    kind = ReadRedirection();
  } else {
    kind = SingleCharKind(first);
    NextChar();
  }

  while (current_ == L' ') NextChar();
  return kind;
}

void LineScanner::ReadEscape() {
  // The escaped character is not consumed: it begins the next token.
  const wchar_t escaped = NextChar();
  if (escaped == kEndOfLineMarker) {
    view_.ShowMessage(L"Error Escape");
  } else if (escaped == L'%' || escaped == L'&' || escaped == L'|') {
    token_text_.assign(1, escaped);
  } else {
    token_text_.clear();
  }
}

tToken LineScanner::ReadMaybeDoubled(wchar_t first) {
  const bool doubled = NextChar() == first;
  if (doubled) {
    token_text_ += first;
    NextChar();
  }
  switch (first) {
    case L'%':
      return doubled ? tokDoublePercent : tokPercent;
    case L'&':
      return doubled ? tokDoubleAmp : tokAmp;
    case L'|':
      return doubled ? tokDoublePipe : tokPipe;
    default:
      return doubled ? tokDoubleColon : tokColon;
  }
}

tToken LineScanner::ReadRedirection() {
  const wchar_t next = NextChar();
  if (next != L'&' && next != L'>') return tokGreater;
  token_text_ += next;
  NextChar();
  return next == L'&' ? tokGreaterAmp : tokAppend;
}

tToken LineScanner::SingleCharKind(wchar_t ch) {
  switch (ch) {
    case L'!':
      return tokBang;
    case L'"':
      return tokQuote;
    case L'(':
      return tokOpen;
    case L')':
      return tokClose;
    case L'/':
      return tokSlash;
    case L'@':
      return tokAt;
    case L'<':
      return tokLess;
    default:
      return tokNone;
  }
}

tToken LineScanner::KeywordKind(std::wstring_view word) {
  for (const Keyword& keyword : kKeywords) {
    if (EqualsNoCase(word, keyword.word)) return keyword.kind;
  }
  return tokNone;
}

void LineScanner::SkipCommand() {
  while (current_ != kEndOfLineMarker && current_ != L')') {
    if (IsSeparator(NextToken())) return;
  }
}

void LineScanner::SkipCommandQuoted(int depth) {
  for (;;) {
    switch (current_) {
      case L'"':
        do {
          NextToken();
        } while (current_ != L'"' && current_ != kEndOfLineMarker);
        if (current_ == L'"') NextToken();
        break;
      case L')':
        if (depth >= 1) return;
        NextToken();
        break;
      case kEndOfLineMarker:
      case L'&':
      case L'|':
        return;
      default:
        NextToken();
        break;
    }
  }
}

std::wstring LineScanner::CommandWord(std::wstring_view text) {
  Load(TrimControls(text));
  if (NextToken() == tokAt) NextToken();
  if (!token_text_.empty() && IsLetter(token_text_.front())) return token_text_;
  return {};
}

}  // namespace tarnvelock

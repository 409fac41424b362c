// Tests of the batch line tokenizer: token kinds, texts and positions, the
// skipping helpers and the command word.
#include "core/instrument/line_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/instrument/recording_view_for_tests.h"

namespace tarnvelock {
namespace {

struct Token {
  tToken kind;
  std::wstring text;
  std::size_t start;
  bool operator==(const Token&) const = default;
};

void PrintTo(const Token& token, std::ostream* out) {
  *out << "{" << static_cast<int>(token.kind) << ", \"";
  for (wchar_t ch : token.text) *out << static_cast<char>(ch < 0x80 ? ch : '?');
  *out << "\", " << token.start << "}";
}

class LineScannerTest : public ::testing::Test {
 protected:
  // Every token of text up to and including tokEOL.
  std::vector<Token> Scan(std::wstring_view text) {
    scanner.Load(text);
    std::vector<Token> tokens;
    tToken kind;
    do {
      kind = scanner.NextToken();
      tokens.push_back({kind, scanner.TokenText(), scanner.TokenStart()});
    } while (kind != tokEOL);
    return tokens;
  }

  std::vector<tToken> Kinds(std::wstring_view text) {
    std::vector<tToken> kinds;
    for (const Token& token : Scan(text)) kinds.push_back(token.kind);
    return kinds;
  }

  RecordingView view;
  LineScanner scanner{view};
};

const std::wstring kEol(1, kEndOfLineMarker);

TEST_F(LineScannerTest, SplitsCommandsAtSeparators) {
  EXPECT_EQ(Scan(L"echo a&&echo b"), (std::vector<Token>{{tokECHO, L"echo", 0},
                                                         {tokNone, L"a", 5},
                                                         {tokDoubleAmp, L"&&", 6},
                                                         {tokECHO, L"echo", 8},
                                                         {tokNone, L"b", 13},
                                                         {tokEOL, kEol, 14}}));
  EXPECT_EQ(Kinds(L"a & b | c || d"),
            (std::vector<tToken>{tokNone, tokAmp, tokNone, tokPipe, tokNone, tokDoublePipe, tokNone,
                                 tokEOL}));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(LineScannerTest, OnlyLeadingBlanksFormAToken) {
  EXPECT_EQ(Scan(L"   x  y "),
            (std::vector<Token>{
                {tokNone, L"   ", 0}, {tokNone, L"x", 3}, {tokNone, L"y", 6}, {tokEOL, kEol, 8}}));
}

TEST_F(LineScannerTest, TabIsAnOrdinaryCharacter) {
  EXPECT_EQ(Scan(L"a\tb"),
            (std::vector<Token>{
                {tokNone, L"a", 0}, {tokNone, L"\t", 1}, {tokNone, L"b", 2}, {tokEOL, kEol, 3}}));
}

TEST_F(LineScannerTest, CaretLeavesTheEscapedCharacterForTheNextToken) {
  EXPECT_EQ(Scan(L"^&"),
            (std::vector<Token>{{tokNone, L"&", 0}, {tokAmp, L"&", 1}, {tokEOL, kEol, 2}}));
  EXPECT_EQ(Scan(L"^x"),
            (std::vector<Token>{{tokNone, L"", 0}, {tokNone, L"x", 1}, {tokEOL, kEol, 2}}));
  EXPECT_EQ(Scan(L"^%^|")[2], (Token{tokNone, L"|", 2}));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(LineScannerTest, CaretAtTheEndOfTheLineIsReportedAndScanningGoesOn) {
  EXPECT_EQ(Kinds(L"echo ^"), (std::vector<tToken>{tokECHO, tokNone, tokEOL}));
  EXPECT_EQ(view.messages, std::vector<std::wstring>{L"Error Escape"});
}

TEST_F(LineScannerTest, ForHeadingTokensAndPositions) {
  EXPECT_EQ(Scan(L"for /f %%a in"), (std::vector<Token>{{tokFOR, L"for", 0},
                                                        {tokSlash, L"/", 4},
                                                        {tokNone, L"f", 5},
                                                        {tokDoublePercent, L"%%", 7},
                                                        {tokNone, L"a", 9},
                                                        {tokNone, L"in", 11},
                                                        {tokEOL, kEol, 13}}));
}

TEST_F(LineScannerTest, ColonsPercentsAndRedirections) {
  EXPECT_EQ(Scan(L"::comment"),
            (std::vector<Token>{
                {tokDoubleColon, L"::", 0}, {tokNone, L"comment", 2}, {tokEOL, kEol, 9}}));
  EXPECT_EQ(Kinds(L":label"), (std::vector<tToken>{tokColon, tokNone, tokEOL}));
  EXPECT_EQ(
      Scan(L"2>&1"),
      (std::vector<Token>{
          {tokNone, L"2", 0}, {tokGreaterAmp, L">&", 1}, {tokNone, L"1", 3}, {tokEOL, kEol, 4}}));
  EXPECT_EQ(
      Kinds(L"a>b>>c<d%e%!f!"),
      (std::vector<tToken>{tokNone, tokGreater, tokNone, tokAppend, tokNone, tokLess, tokNone,
                           tokPercent, tokNone, tokPercent, tokBang, tokNone, tokBang, tokEOL}));
  EXPECT_EQ(Kinds(L"@(\"x\")"),
            (std::vector<tToken>{tokAt, tokOpen, tokQuote, tokNone, tokQuote, tokClose, tokEOL}));
}

TEST_F(LineScannerTest, WordsEndAtTheFirstNonWordCharacter) {
  EXPECT_EQ(Scan(L"echo."),
            (std::vector<Token>{{tokECHO, L"echo", 0}, {tokNone, L".", 4}, {tokEOL, kEol, 5}}));
  EXPECT_EQ(Kinds(L"rem:"), (std::vector<tToken>{tokREM, tokColon, tokEOL}));
  EXPECT_EQ(Kinds(L"remark set_x 2delims"),
            (std::vector<tToken>{tokNone, tokNone, tokNone, tokEOL}));
  EXPECT_EQ(Scan(L"2delims=,")[0].text, L"2delims");
  // Letters outside A-Z are single characters of their own.
  EXPECT_EQ(Kinds(L"\u00e4b"), (std::vector<tToken>{tokNone, tokNone, tokEOL}));
}

TEST_F(LineScannerTest, KeywordsIgnoreCaseButNeedTheWholeWord) {
  EXPECT_EQ(LineScanner::KeywordKind(L"SetLocal"), tokSETLOCAL);
  EXPECT_EQ(LineScanner::KeywordKind(L"eof"), tokEOF);
  EXPECT_EQ(LineScanner::KeywordKind(L"ENDLOCAL"), tokENDLOCAL);
  EXPECT_EQ(LineScanner::KeywordKind(L"sets"), tokNone);
  EXPECT_EQ(LineScanner::KeywordKind(L"se"), tokNone);
  EXPECT_EQ(LineScanner::KeywordKind(L""), tokNone);
}

TEST_F(LineScannerTest, EndOfLineStaysUntilTheNextLoad) {
  scanner.Load(L"x");
  EXPECT_EQ(scanner.NextToken(), tokNone);
  EXPECT_EQ(scanner.NextToken(), tokEOL);
  EXPECT_EQ(scanner.ScanPosition(), 0u);
  // A sub-step that reads on past the end must not wrap round to "x".
  EXPECT_EQ(scanner.NextToken(), tokEOL);
  EXPECT_EQ(scanner.NextChar(), kEndOfLineMarker);
  EXPECT_EQ(scanner.CurrentIndex(), 1u);

  scanner.Load(L"  y");
  EXPECT_EQ(scanner.NextToken(), tokNone);
  EXPECT_EQ(scanner.TokenStart(), 0u);
  EXPECT_EQ(scanner.TokenText(), L"  ");
}

TEST_F(LineScannerTest, EmbeddedMarkerEndsTheLine) {
  EXPECT_EQ(Scan(L"a\x0E"
                 L"b"),
            (std::vector<Token>{{tokNone, L"a", 0}, {tokEOL, kEol, 1}}));
}

TEST_F(LineScannerTest, SkipCommandConsumesTheSeparatorAndStopsAtBracket) {
  scanner.Load(L"echo a b & set x");
  scanner.NextToken();
  scanner.SkipCommand();
  EXPECT_EQ(scanner.TokenText(), L"&");
  EXPECT_EQ(scanner.NextToken(), tokSET);

  scanner.Load(L"echo a) b");
  scanner.NextToken();
  scanner.SkipCommand();
  EXPECT_EQ(scanner.Current(), L')');
}

TEST_F(LineScannerTest, SkipCommandQuotedStopsAtTheCallersBracketOnly) {
  scanner.Load(L"echo \"a)b\")");
  scanner.NextToken();
  scanner.SkipCommandQuoted(1);
  EXPECT_EQ(scanner.Current(), L')');
  EXPECT_EQ(scanner.CurrentIndex(), 10u);

  scanner.Load(L"echo \"a)b\")");
  scanner.NextToken();
  scanner.SkipCommandQuoted(0);
  EXPECT_EQ(scanner.Current(), kEndOfLineMarker);

  // Separators end the command without being consumed, unless quoted.
  scanner.Load(L"set \"x=a&b\" & echo");
  scanner.NextToken();
  scanner.SkipCommandQuoted(0);
  EXPECT_EQ(scanner.Current(), L'&');
  EXPECT_EQ(scanner.CurrentIndex(), 12u);

  // An unclosed quote runs to the end of the line.
  scanner.Load(L"echo \"a & b");
  scanner.NextToken();
  scanner.SkipCommandQuoted(1);
  EXPECT_EQ(scanner.Current(), kEndOfLineMarker);
}

TEST_F(LineScannerTest, CommandWord) {
  EXPECT_EQ(scanner.CommandWord(L"  @echo off"), L"echo");
  EXPECT_EQ(scanner.CommandWord(L"\tXCopy a b\r"), L"XCopy");
  EXPECT_EQ(scanner.CommandWord(L"(echo x)"), L"");
  EXPECT_EQ(scanner.CommandWord(L"%x%"), L"");
  EXPECT_EQ(scanner.CommandWord(L"2>nul dir"), L"");
  EXPECT_EQ(scanner.CommandWord(L""), L"");
}

}  // namespace
}  // namespace tarnvelock

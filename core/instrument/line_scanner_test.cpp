// Tests of the batch line tokenizer: token kinds, texts and positions, the
// skipping helpers and the command word.
#include "core/instrument/line_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/instrument/instrument_test_support.h"

namespace tarnvelock {
namespace {

using Kinds = std::vector<tToken>;

class LineScannerTest : public ::testing::Test {
 protected:
  // Every token of text as "text@start", joined by blanks; the end of the line
  // reads "$". The kinds go to kinds.
  std::wstring Scan(std::wstring_view text) {
    scanner.Load(text);
    kinds.clear();
    std::wstring tokens;
    do {
      kinds.push_back(scanner.NextToken());
      if (!tokens.empty()) tokens += L' ';
      tokens += kinds.back() == tokEOL ? L"$" : scanner.TokenText();
      tokens += L'@' + std::to_wstring(scanner.TokenStart());
    } while (kinds.back() != tokEOL);
    return tokens;
  }

  RecordingView view;
  LineScanner scanner{view};
  Kinds kinds;
};

TEST_F(LineScannerTest, SplitsCommandsAtSeparators) {
  EXPECT_EQ(Scan(L"echo a&&echo b"), L"echo@0 a@5 &&@6 echo@8 b@13 $@14");
  EXPECT_EQ(kinds, (Kinds{tokECHO, tokNone, tokDoubleAmp, tokECHO, tokNone, tokEOL}));
  Scan(L"a & b | c || d");
  EXPECT_EQ(kinds,
            (Kinds{tokNone, tokAmp, tokNone, tokPipe, tokNone, tokDoublePipe, tokNone, tokEOL}));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(LineScannerTest, OnlyLeadingBlanksFormATokenAndTabsAreCharacters) {
  EXPECT_EQ(Scan(L"   x  y\tz "), L"   @0 x@3 y@6 \t@7 z@8 $@10");
  EXPECT_EQ(kinds, (Kinds{tokNone, tokNone, tokNone, tokNone, tokNone, tokEOL}));
}

TEST_F(LineScannerTest, CaretLeavesTheEscapedCharacterForTheNextToken) {
  EXPECT_EQ(Scan(L"^&"), L"&@0 &@1 $@2");
  EXPECT_EQ(kinds, (Kinds{tokNone, tokAmp, tokEOL}));
  EXPECT_EQ(Scan(L"^x^%^|"), L"@0 x@1 %@2 %@3 |@4 |@5 $@6");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(LineScannerTest, CaretAtTheEndOfTheLineIsReportedAndScanningGoesOn) {
  Scan(L"echo ^");
  EXPECT_EQ(kinds, (Kinds{tokECHO, tokNone, tokEOL}));
  EXPECT_EQ(view.messages, std::vector<std::wstring>{L"Error Escape"});
}

TEST_F(LineScannerTest, ForHeadingTokensAndPositions) {
  EXPECT_EQ(Scan(L"for /f %%a in"), L"for@0 /@4 f@5 %%@7 a@9 in@11 $@13");
  EXPECT_EQ(kinds, (Kinds{tokFOR, tokSlash, tokNone, tokDoublePercent, tokNone, tokNone, tokEOL}));
}

TEST_F(LineScannerTest, ColonsPercentsAndRedirections) {
  EXPECT_EQ(Scan(L"::comment"), L"::@0 comment@2 $@9");
  EXPECT_EQ(kinds, (Kinds{tokDoubleColon, tokNone, tokEOL}));
  Scan(L":label");
  EXPECT_EQ(kinds, (Kinds{tokColon, tokNone, tokEOL}));
  EXPECT_EQ(Scan(L"2>&1"), L"2@0 >&@1 1@3 $@4");
  EXPECT_EQ(kinds, (Kinds{tokNone, tokGreaterAmp, tokNone, tokEOL}));
  Scan(L"a>b>>c<d%e%!f!");
  EXPECT_EQ(kinds, (Kinds{tokNone, tokGreater, tokNone, tokAppend, tokNone, tokLess, tokNone,
                          tokPercent, tokNone, tokPercent, tokBang, tokNone, tokBang, tokEOL}));
  Scan(L"@(\"x\")");
  EXPECT_EQ(kinds, (Kinds{tokAt, tokOpen, tokQuote, tokNone, tokQuote, tokClose, tokEOL}));
}

TEST_F(LineScannerTest, WordsEndAtTheFirstNonWordCharacter) {
  EXPECT_EQ(Scan(L"echo. rem: remark set_x 2delims"),
            L"echo@0 .@4 rem@6 :@9 remark@11 set_x@18 2delims@24 $@31");
  EXPECT_EQ(kinds, (Kinds{tokECHO, tokNone, tokREM, tokColon, tokNone, tokNone, tokNone, tokEOL}));
  // Letters outside A-Z are single characters of their own.
  EXPECT_EQ(Scan(L"\u00e4b"), L"\u00e4@0 b@1 $@2");
}

TEST_F(LineScannerTest, KeywordsIgnoreCaseButNeedTheWholeWord) {
  EXPECT_EQ(LineScanner::KeywordKind(L"SetLocal"), tokSETLOCAL);
  EXPECT_EQ(LineScanner::KeywordKind(L"eof"), tokEOF);
  EXPECT_EQ(LineScanner::KeywordKind(L"sets"), tokNone);
  EXPECT_EQ(LineScanner::KeywordKind(L"se"), tokNone);
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
  EXPECT_EQ(Scan(L"  y"), L"  @0 y@2 $@3");
  // A marker inside the text ends the line there.
  EXPECT_EQ(Scan(L"a\x0E"
                 L"b"),
            L"a@0 $@1");
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
  // Returns the index where SkipCommandQuoted(depth) stops after the first token.
  const auto stop = [this](std::wstring_view text, int depth) {
    scanner.Load(text);
    scanner.NextToken();
    scanner.SkipCommandQuoted(depth);
    return scanner.CurrentIndex();
  };
  EXPECT_EQ(stop(L"echo \"a)b\")", 1), 10u);
  EXPECT_EQ(stop(L"echo \"a)b\")", 0), 11u);
  // Separators end the command without being consumed, unless quoted.
  EXPECT_EQ(stop(L"set \"x=a&b\" & echo", 0), 12u);
  EXPECT_EQ(stop(L"echo a|more", 0), 6u);
  // An unclosed quote runs to the end of the line.
  EXPECT_EQ(stop(L"echo \"a & b", 1), 11u);
}

TEST_F(LineScannerTest, CommandWord) {
  EXPECT_EQ(scanner.CommandWord(L"  @echo off"), L"echo");
  EXPECT_EQ(scanner.CommandWord(L"\tXCopy a b\r"), L"XCopy");
  EXPECT_EQ(scanner.CommandWord(L"(echo x)"), L"");
  EXPECT_EQ(scanner.CommandWord(L"%x%"), L"");
  EXPECT_EQ(scanner.CommandWord(L""), L"");
}

}  // namespace
}  // namespace tarnvelock

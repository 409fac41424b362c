// Source view rows as the gutter, colours and text rules decide them.
#include "core/run/source_row.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

DebugDocument Document(std::vector<std::wstring> lines) {
  DebugDocument doc;
  lines.emplace_back(kEndOfFileLine);
  for (const std::wstring& line : lines) doc.Items.push_back({line, LineHash(line)});
  doc.Records.resize(lines.size());
  doc.MaxCurZeile = static_cast<std::int32_t>(lines.size()) - 1;
  doc.Records.back().IgnoreZeile = true;
  return doc;
}

TEST(SourceRowTest, FirstGlyphTakesTheFirstRuleThatApplies) {
  DebugDocument doc = Document({L"a", L"b", L"c", L"d", L"e", L"f"});
  SourceViewState state;
  state.AktCurZeile = -1;
  state.GotoTarget = 2;
  doc.Records[0].IgnoreZeile = doc.Records[0].BreakPoint = true;
  doc.Records[1].NoDebugZeile = true;
  doc.Records[2].BreakPoint = true;  // the goto target wins over the breakpoint
  doc.Records[3].BreakPoint = true;
  doc.Records[4].BreakPoint = true;
  doc.Records[4].BreakCount = 2;
  doc.Records[5].RemZeile = remLabel;
  EXPECT_EQ(LayoutSourceRow(doc, 0, state).First, Glyph::Ignore);
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).First, Glyph::NoDebug);
  EXPECT_EQ(LayoutSourceRow(doc, 2, state).First, Glyph::GotoTarget);
  EXPECT_EQ(LayoutSourceRow(doc, 3, state).First, Glyph::BreakPoint);
  EXPECT_EQ(LayoutSourceRow(doc, 4, state).First, Glyph::ConditionalBreakPoint);
  EXPECT_EQ(LayoutSourceRow(doc, 5, state).First, Glyph::None);
  EXPECT_EQ(LayoutSourceRow(doc, 5, state).Background, RowBackground::Label);
  EXPECT_EQ(LayoutSourceRow(doc, 6, state).First, Glyph::Ignore);  // <end of file>
  doc.Records[4].BreakCount = 0;
  doc.Records[4].BreakCond = L"%x%==1";
  EXPECT_EQ(LayoutSourceRow(doc, 4, state).First, Glyph::ConditionalBreakPoint);
}

TEST(SourceRowTest, ContinuationLinesTakeTheInkOfTheirStatementButNoGlyph) {
  DebugDocument doc = Document({L"echo a ^", L"  b", L"rem c"});
  doc.Records[0].IgnoreZeile = true;
  doc.Records[1].ConcatZeile = true;
  doc.Records[1].IgnoreZeile = true;
  doc.Records[2].RemZeile = remREM;
  SourceViewState state;
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).First, Glyph::None);
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).Ink, RowInk::Ignored);
  EXPECT_EQ(LayoutSourceRow(doc, 2, state).Ink, RowInk::Comment);
  doc.Records[0].IgnoreZeile = doc.Records[1].IgnoreZeile = false;
  doc.Records[0].ErrorZeile = errAbort;
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).Ink, RowInk::Abort);
}

TEST(SourceRowTest, GutterTextAndSecondColumn) {
  DebugDocument doc = Document({L"x", L"y"});
  SourceViewState state;
  doc.Records[0].ErrLevelOK = -12;
  doc.Records[1].StdErrOK = true;
  doc.Records[1].EchoZeile = true;
  EXPECT_EQ(LayoutSourceRow(doc, 0, state).GutterText, L"-12");
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).GutterText, L"T");
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).Second, Glyph::Echo);
  state.AktExeZeile = 1;
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).Second, Glyph::Echo);  // arrow hidden
  state.ExecMarkVisible = true;
  EXPECT_EQ(LayoutSourceRow(doc, 1, state).Second, Glyph::ExecArrow);
}

TEST(SourceRowTest, LineNumbersIndentCommentColumnAndMarksShareOneColumnSystem) {
  DebugDocument doc = Document({L"echo %x% & rem %x%"});
  doc.Records[0].RemPos = 9;
  SourceViewState state;
  state.Highlight = {0, L"X"};
  SourceRow row = LayoutSourceRow(doc, 0, state);
  EXPECT_EQ(row.CommentColumn, 9);
  ASSERT_EQ(row.Marks.size(), 1u);
  EXPECT_EQ(row.Marks[0].Position, 6);

  state.LineNumbers = true;
  state.Indent = 2;
  row = LayoutSourceRow(doc, 0, state);
  EXPECT_EQ(row.Text, L" 0  ho %x% & rem %x%");
  EXPECT_EQ(row.CommentColumn, 4 - 2 + 9);
  ASSERT_EQ(row.Marks.size(), 1u);
  EXPECT_EQ(row.Marks[0].Position, 4 - 2 + 6);
  state.Indent = 7;  // the reference lies left of the visible text
  EXPECT_TRUE(LayoutSourceRow(doc, 0, state).Marks.empty());
}

TEST(SourceRowTest, LineNumberWidthSwitchesAtOneHundredLines) {
  DebugDocument doc = Document(std::vector<std::wstring>(99, L"x"));
  SourceViewState state;
  state.LineNumbers = true;
  EXPECT_EQ(LayoutSourceRow(doc, 5, state).Text, L" 5  x");
  doc = Document(std::vector<std::wstring>(100, L"x"));
  EXPECT_EQ(LayoutSourceRow(doc, 5, state).Text, L"  5  x");
}

TEST(SourceRowTest, NextMarkedLineWrapsAndSkipsTheEndOfFile) {
  DebugDocument doc = Document({L"a", L"b", L"c", L"d"});
  EXPECT_EQ(NextMarkedLine(doc, 0), -1);
  doc.Records[1].StdErrOK = true;
  doc.Records[3].ErrLevelOK = 2;
  EXPECT_EQ(NextMarkedLine(doc, 1), 3);
  EXPECT_EQ(NextMarkedLine(doc, 3), 1);
  EXPECT_EQ(NextMarkedLine(doc, 4), 1);
}

}  // namespace
}  // namespace tarnvelock

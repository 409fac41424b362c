// The breakpoint list and condition file built from the line records.
#include "core/run/break_files.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

DebugDocument Document(int lines) {
  DebugDocument doc;
  doc.MaxCurZeile = lines;
  doc.Records.resize(static_cast<size_t>(lines) + 1);
  return doc;
}

void Break(DebugDocument& doc, int line, int count = 1, std::wstring cond = L"",
           std::wstring condX = L"") {
  LineRecord& r = doc.Records[static_cast<size_t>(line)];
  r.BreakPoint = true;
  r.BreakCount = count;
  r.BreakCond = std::move(cond);
  r.BreakCondX = std::move(condX);
}

TEST(FormatBreakEntryTest, FourColumnsEachThenTheCondition) {
  EXPECT_EQ(FormatBreakEntry(12, 3, L"%n%==5"), L"  12     3    %n%==5");
  EXPECT_EQ(FormatBreakEntry(7, 1, L""), L"   7     1    ");
  EXPECT_EQ(FormatBreakEntry(12345, 10000, L"x"), L"12345  10000    x");
}

TEST(BuildBreakFilesTest, ExecuteListStartsWithABlank) {
  DebugDocument doc = Document(20);
  EXPECT_EQ(BuildBreakFiles(doc).List, L" ");
  Break(doc, 17);
  Break(doc, 3);
  const BreakFileContents files = BuildBreakFiles(doc);
  EXPECT_EQ(files.List, L"  3 17");
  // Plain breakpoints stop at every pass and need no entry.
  EXPECT_EQ(files.Conditions, L"");
}

TEST(BuildBreakFilesTest, ConditionWithCountBelowOneStillStops) {
  DebugDocument doc = Document(5);
  Break(doc, 1, 0, L"1==1", L"@if 1==1 set _dbgBC=0\r\n@exit /b");
  EXPECT_NE(BuildBreakFiles(doc).Conditions.find(L"   1     1    1==1\r\n"), std::wstring::npos);
}

TEST(BuildBreakFilesTest, OnlyRealLinesWithRecordsCount) {
  DebugDocument doc = Document(3);
  Break(doc, 3);  // the "<end of file>" line
  Break(doc, 1, 4);
  const BreakFileContents files = BuildBreakFiles(doc);
  EXPECT_EQ(files.List, L"  1");
  EXPECT_NE(files.Conditions.find(L"   1     4    \r\n  -1"), std::wstring::npos);

  doc.Records.resize(1);  // fewer records than lines
  EXPECT_EQ(BuildBreakFiles(doc).List, L" ");
}

}  // namespace
}  // namespace tarnvelock

// Tests of the load-time analysis scan and of CollectSetNames.
#include "core/instrument/line_analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/instrument/instrument_test_support.h"

namespace tarnvelock {
namespace {

using Names = std::vector<std::wstring>;

class LineAnalysisTest : public ::testing::Test {
 protected:
  LineAnalysisTest() { doc.BatchPath = L"/work/test.bat"; }

  // Loads lines as a batch (plus the sentinel) and analyses it.
  bool Analyse(const std::vector<std::wstring>& lines) {
    LoadLines(doc, lines);
    return AnalyseLines(doc, scanner, view);
  }

  std::vector<tRemZeile> Kinds() const {
    std::vector<tRemZeile> kinds;
    for (const LineRecord& record : doc.Records) kinds.push_back(record.RemZeile);
    return kinds;
  }

  std::vector<std::pair<std::wstring, std::int32_t>> Navigation() const {
    std::vector<std::pair<std::wstring, std::int32_t>> entries;
    for (const NavigationEntry& entry : doc.NavigationList)
      entries.push_back({entry.text, entry.line});
    return entries;
  }

  RecordingView view;
  LineScanner scanner{view};
  DebugDocument doc;
};

using Entries = std::vector<std::pair<std::wstring, std::int32_t>>;

TEST_F(LineAnalysisTest, EmptyBatchHasOnlyTheFileEntry) {
  doc.GlobalNames = {L"stale"};
  doc.ShiftGoto = true;
  ASSERT_TRUE(Analyse({}));
  EXPECT_EQ(Navigation(), (Entries{{L"/work/test.bat", 0}}));
  EXPECT_EQ(Kinds(), std::vector<tRemZeile>{remNoRem});
  EXPECT_TRUE(doc.GlobalNames.empty());
  EXPECT_FALSE(doc.ShiftGoto);
}

TEST_F(LineAnalysisTest, ClassifiesLines) {
  ASSERT_TRUE(Analyse({L"@@echo x", L"@rem x", L")", L"  ) else (  ", L") & echo x", L"(echo x",
                       L") rem done", L"", L"   \t", L":", L"::note", L":loop", L"REM"}));
  EXPECT_EQ(Kinds(), (std::vector<tRemZeile>{remNoRem, remREM, remKlammer, remKlammer, remNoRem,
                                             remNoRem, remKlammer, remEmpty, remEmpty, remREMDo,
                                             remREMDo, remLabel, remREM, remNoRem}));
  EXPECT_EQ(doc.Records[6].RemPos, 0);
}

TEST_F(LineAnalysisTest, LabelsBecomeNavigationEntries) {
  ASSERT_TRUE(Analyse({L":loop", L"  : loop", L":_dbgTestX", L":my-label", L":_DBGTESTy"}));
  EXPECT_EQ(Navigation(),
            (Entries{{L"/work/test.bat", 0}, {L":loop", 0}, {L":loop", 1}, {L":my", 3}}));
  EXPECT_EQ(Kinds(),
            (std::vector<tRemZeile>{remLabel, remLabel, remLabel, remLabel, remLabel, remNoRem}));
}

TEST_F(LineAnalysisTest, ForLoopsBecomeNavigationEntries) {
  ASSERT_TRUE(Analyse({L"for %%a in (1) do echo %%a", L"for %%a in (1) do echo %%a",
                       L"FOR /f \"tokens=1\" %%x in (f) do (", L"for /?", L"echo for %%a", L"for x",
                       L":l", L"for %%b in (1) do for %%c in (2) do echo"}));
  // Line 0 has the file's entry already; the heading keeps the words but not
  // the blanks between them; a line gets one entry however many loops it has.
  EXPECT_EQ(Navigation(), (Entries{{L"/work/test.bat", 0},
                                   {L"for %%a", 1},
                                   {L"FOR /f\"tokens=1\"%%x", 2},
                                   {L":l", 6},
                                   {L"for %%b", 7}}));
}

TEST_F(LineAnalysisTest, ForWithoutVariableOnTheLineGetsNoEntry) {
  ASSERT_TRUE(Analyse({L"for /l", L"for /l %%", L"for %a in (1) do set y=1 & pause"}));
  EXPECT_EQ(doc.NavigationList.size(), 1u);
  // The walk still ends cleanly after the heading consumed the line.
  EXPECT_FALSE(doc.Records[2].Pause);
  EXPECT_TRUE(doc.GlobalNames.empty());
}

TEST_F(LineAnalysisTest, ContinuationLinesJoinTheirHead) {
  ASSERT_TRUE(Analyse({L"echo a ^", L"b & rem c", L"::x ^", L"y", L"set v=1"}));
  EXPECT_FALSE(doc.Records[0].ConcatZeile);
  EXPECT_TRUE(doc.Records[1].ConcatZeile);
  EXPECT_EQ(doc.Records[1].RemZeile, remNoRem);
  // The REM position counts in the joined text "echo a b & rem c".
  EXPECT_EQ(doc.Records[0].RemPos, 11);
  EXPECT_TRUE(doc.Records[3].ConcatZeile);
  EXPECT_EQ(doc.Records[3].RemZeile, remREMDo);
  EXPECT_EQ(doc.GlobalNames, Names{L"v"});
}

TEST_F(LineAnalysisTest, CaretBeforeTrailingBlanksIsAnEscapeError) {
  ASSERT_TRUE(Analyse({L"echo ^ ", L"x"}));
  EXPECT_FALSE(doc.Records[1].ConcatZeile);
  EXPECT_EQ(view.messages, Names{L"Error Escape"});
}

TEST_F(LineAnalysisTest, CaretOnTheLastLineNeverJoinsTheSentinel) {
  ASSERT_TRUE(Analyse({L"set a=1 ^"}));
  EXPECT_FALSE(doc.Records[1].ConcatZeile);
  EXPECT_EQ(doc.Records[1].RemZeile, remNoRem);
  EXPECT_EQ(doc.Items[1].text, kEndOfFileLine);
  EXPECT_EQ(doc.GlobalNames, Names{L"a"});
  EXPECT_TRUE(view.messages.empty());

  ASSERT_TRUE(Analyse({L"^"}));
  EXPECT_EQ(doc.Records[0].RemZeile, remEmpty);
  EXPECT_FALSE(doc.Records[1].ConcatZeile);
}

TEST_F(LineAnalysisTest, CollectsSetNames) {
  ASSERT_TRUE(
      Analyse({L"set /a n+=1", L"set \"x=1\"", L"set x", L"set 1x=2", L"set /p Who=Name?",
               L"if 1==1 set Y=2&set y=3", L"SET /A \"z=1\"", L"set", L"set /a", L"set /a (q=1)",
               L"set _dbgTestX=1", L"set errorlevelx=1", L"set \u00e4=1"}));
  EXPECT_EQ(doc.GlobalNames, (Names{L"errorlevelx", L"n", L"Who", L"x", L"Y", L"z", L"\u00e4"}));
  EXPECT_TRUE(doc.Records[4].Pause);
  EXPECT_FALSE(doc.Records[0].Pause);
}

TEST_F(LineAnalysisTest, RejectsReservedVariables) {
  for (const wchar_t* line :
       {L"set errorlevel=0", L"set _dbgX=1", L"set /a _DBGx+=1", L"echo x & set \"_dbg=1\""}) {
    view.messages.clear();
    EXPECT_FALSE(Analyse({L"set a=1", line, L"set b=2"})) << line;
    EXPECT_EQ(view.messages, Names{L"Variable _dbg... im Debugger nicht erlaubt!"});
    // The scan stopped at the rejected line.
    EXPECT_EQ(doc.GlobalNames, Names{L"a"});
  }
}

TEST_F(LineAnalysisTest, MarksLinesThatMayWaitOrEnd) {
  ASSERT_TRUE(Analyse(
      {L"pause", L"exit /b 3", L"if x==y exit", L"echo pause", L"title exit", L"echo a & pause"}));
  std::vector<bool> pause;
  for (const LineRecord& record : doc.Records) pause.push_back(record.Pause);
  EXPECT_EQ(pause, (std::vector<bool>{true, true, true, false, false, true, false}));
}

TEST_F(LineAnalysisTest, TrailingRemPositionCountsInTheStoredLine) {
  ASSERT_TRUE(Analyse({L"echo x & rem y", L"    echo x & rem y", L"echo rem", L"rem x"}));
  std::vector<std::int32_t> positions;
  for (const LineRecord& record : doc.Records) positions.push_back(record.RemPos);
  EXPECT_EQ(positions, (std::vector<std::int32_t>{9, 13, 0, 0, 0}));
}

TEST_F(LineAnalysisTest, ClearsUserAttributesOfLinesWithoutCommands) {
  LoadLines(doc, {L":label", L"echo x", L"rem", L"", L")"});
  for (LineRecord& record : doc.Records) {
    record.IgnoreZeile = record.NoDebugZeile = record.EchoZeile = record.BreakPoint = true;
    record.BreakCount = 3;
    record.BreakCond = L"%%a==1";
    record.BreakCondX = L"x";
    record.ErrLevelOK = 2;
    record.StdErrOK = true;
    record.Navigation = true;
    record.ErrorZeile = errWarn;
    record.Klammer = 4;
  }
  ASSERT_TRUE(AnalyseLines(doc, scanner, view));
  for (int i : {0, 2, 3, 4}) {
    const LineRecord& record = doc.Records[i];
    EXPECT_FALSE(record.IgnoreZeile || record.NoDebugZeile || record.EchoZeile ||
                 record.BreakPoint || record.StdErrOK || record.Pause)
        << i;
    EXPECT_EQ(record.BreakCount, 0);
    EXPECT_TRUE(record.BreakCond.empty() && record.BreakCondX.empty());
    EXPECT_EQ(record.ErrLevelOK, 0);
    EXPECT_TRUE(record.Navigation);
    EXPECT_EQ(record.ErrorZeile, errWarn);
    EXPECT_EQ(record.Klammer, 4);
  }
  EXPECT_TRUE(doc.Records[1].BreakPoint);
  EXPECT_EQ(doc.Records[1].BreakCond, L"%%a==1");
}

TEST_F(LineAnalysisTest, ShiftGotoNeedsBothCommands) {
  ASSERT_TRUE(Analyse({L"shift", L"if 1==1 goto x"}));
  EXPECT_TRUE(doc.ShiftGoto);
  ASSERT_TRUE(Analyse({L"shift", L"echo goto"}));
  EXPECT_FALSE(doc.ShiftGoto);
  ASSERT_TRUE(Analyse({L"goto x", L"call shift"}));
  EXPECT_FALSE(doc.ShiftGoto);
}

TEST_F(LineAnalysisTest, NaviStringMarksLinesOnce) {
  doc.NaviString = L"CHECK";
  ASSERT_TRUE(Analyse({L"echo CHECK", L"  echo CHECK", L"echo check", L":CHECK", L"x"}));
  // Line 0 already has the file's entry; a label line gets its label entry too.
  EXPECT_EQ(
      Navigation(),
      (Entries{{L"/work/test.bat", 0}, {L"  echo CHECK", 1}, {L":CHECK", 3}, {L":CHECK", 3}}));
}

TEST_F(LineAnalysisTest, CollectSetNamesLooksAtEverySet) {
  CollectSetNames(doc, scanner, L"  @set A=1 & echo set b=2 & set /a c=3 & set d & set");
  EXPECT_EQ(doc.GlobalNames, (Names{L"A", L"b", L"c"}));
  CollectSetNames(doc, scanner, L"set /");
  CollectSetNames(doc, scanner, L"rem set e=1");
  EXPECT_EQ(doc.GlobalNames.size(), 3u);
}

}  // namespace
}  // namespace tarnvelock

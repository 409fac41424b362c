// Tests of the per-line rewriting beyond the golden batches: line flags and
// settings, CALL/GOTO/SHIFT/SETLOCAL rewriting, FOR letters, comments and the
// treatment of lines the rewriting cannot follow.
#include "core/instrument/line_instrumenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/instrument/instrument_test_support.h"
#include "core/instrument/line_analysis.h"

namespace tarnvelock {
namespace {

using Texts = std::vector<std::wstring>;

class LineInstrumenterTest : public ::testing::Test {
 protected:
  LineInstrumenterTest() { settings.Refs = MakeBatchRefs(L"/tmp/_dbgTmp/"); }

  // Loads lines as the batch and runs the load-time analysis on it.
  void Load(const Texts& lines) {
    LoadLines(doc, lines);
    ASSERT_TRUE(AnalyseLines(doc, scanner, view));
  }

  Texts Generate() {
    section = instrumenter.GeneratePerLineSection(doc, settings);
    return section.Items;
  }

  // Items of a generation for lines, without any flags set.
  Texts Rewrite(const Texts& lines) {
    Load(lines);
    return Generate();
  }

  // The hook of a plain line n.
  static std::wstring Hook(int n, wchar_t spare = L'A', bool in_for = false) {
    const std::wstring s(1, spare);
    const std::wstring i = std::to_wstring(n);
    return L"@for %%" + s + L" in (%_dbgErr%) do @if not %%~z" + s +
           L".!ERRORLEVEL!.!ERRORLEVEL!.!_dbgF89!.!_dbgBP" + i +
           L"!==!_dbgES!.!_dbgELS!.!_dbgEL!.F9. call :_dbgChkPause " + i + (in_for ? L" 1" : L" 0") +
           L"\r\n@(echo " + i + L") > %_dbgTmp%_dbgLast.txt";
  }

  RecordingView view;
  LineScanner scanner{view};
  LineInstrumenter instrumenter{scanner, view};
  DebugDocument doc;
  PerLineSettings settings;
  PerLineResult section;
};

const std::wstring kRefresh =
    L"@if defined _dbgSH%_dbgCall% set _dbgEL=!ErrorLevel!&  (call :_dbgPara %%0 %%1 %%2 %%3 %%4 "
    L"%%5 %%6 %%7 %%8 %%9)>\"%_dbgTmp%_dbgAktPara%_dbgCall%.txt\"";
const std::wstring kSnapshot =
    L"@call :_dbgGlobals>\"%_dbgTmp%_dbgAltGSets%_dbgCall%\".txt&@(if !_dbgEL! NEQ 0 call "
    L":_dbgExitEL)";
const std::wstring kOpened =
    L"\r\n@set _dbgEL=!ErrorLevel!& set /A _dbgKlam+=1&@(if !_dbgEL! NEQ 0 call :_dbgExitEL)& "
    L"(\r\n";

TEST_F(LineInstrumenterTest, LinesWithoutCommandsGetNoHook) {
  EXPECT_EQ(Rewrite({L":start", L"rem x", L"::y", L"", L"echo"}),
            (Texts{L":start", L"rem x", L"::y", L"", Hook(4), L"echo"}));
}

TEST_F(LineInstrumenterTest, IgnoredLineIsCarriedAsCommentWithoutItsBrackets) {
  Load({L"if 1==1 (", L"echo x"});
  doc.Records[0].IgnoreZeile = true;
  EXPECT_EQ(Generate(), (Texts{L"@rem IgnorierZeile: if 1==1 (", Hook(1), L"echo x"}));
  EXPECT_EQ(section.Depth, 0);
}

TEST_F(LineInstrumenterTest, HookPartsFollowTheLineFlags) {
  Load({L"set /p x=?", L"echo a", L"echo b", L":l", L"echo c"});
  doc.Records[0].NoDebugZeile = true;
  doc.Records[1].EchoZeile = true;
  doc.Records[2].EchoZeile = true;
  settings.LogLines = true;
  const Texts items = Generate();
  // No stop test, but the current-line file for a line that may wait.
  EXPECT_EQ(items[0],
            L"@(echo 0) > %_dbgTmp%_dbgZeile.txt\r\n"
            L"@set _dbgE=&call :_dbgLogIntern LineTime=%TIME%  /Ln=0 & "
            L"@(echo 0) > %_dbgTmp%_dbgLast.txt");
  EXPECT_TRUE(items[2].starts_with(L"@echo on\r\n@for %%A"));
  EXPECT_TRUE(items[4].starts_with(L"@for %%A")) << "echo stays on between echo lines";
  // The label in between has no hook; echo goes off at the next command line.
  EXPECT_EQ(items[6], L":l");
  EXPECT_TRUE(items[7].starts_with(L"@echo off\r\n@for %%A"));
  EXPECT_TRUE(items[7].ends_with(L"/Ln=4 & @(echo 4) > %_dbgTmp%_dbgLast.txt"));
}

TEST_F(LineInstrumenterTest, BreakFileTestOnlyWithEnableBreak) {
  Load({L"echo a", L"echo b"});
  for (const std::wstring& item : Generate()) {
    EXPECT_EQ(item.find(L"_dbgDoBreak"), std::wstring::npos);
  }
  settings.EnableBreak = true;
  EXPECT_TRUE(Generate()[0].starts_with(
      L"@if exist %_dbgTmp%_dbgDoBreak if !ERRORLEVEL! EQU 0 set _dbgEL=1\r\n@for %%A"));
}

TEST_F(LineInstrumenterTest, LabelInsideBlockIsFollowedByAColonLine) {
  const Texts items = Rewrite({L"if 1==1 (", L":inner", L":", L")"});
  EXPECT_EQ(items[3], L":inner\r\n:");
  // The lone ":" after the label is emptied in the document, too.
  EXPECT_EQ(items[4], L"");
  EXPECT_EQ(doc.Items[2].text, L"");
  EXPECT_EQ(doc.Records[2].RemZeile, remEmpty);
}

TEST_F(LineInstrumenterTest, BlockOnOneLineIsLeftAlone) {
  EXPECT_EQ(Rewrite({L"if x (echo a) else (echo b)"}),
            (Texts{Hook(0), L"if x (echo a) else (echo b)"}));
  EXPECT_EQ(Rewrite({L"find \"(\" a.txt", L"for %%a in (1) do (echo %%a)"}),
            (Texts{Hook(0), L"find \"(\" a.txt", Hook(1, L'A'), L"for %%a in (1) do (echo %%a)"}));
  EXPECT_EQ(section.Depth, 0);
}

TEST_F(LineInstrumenterTest, NestedBlockTakesTheSnapshotOnlyOutsideBlocks) {
  const Texts items = Rewrite({L"if 1==1 (", L"if 2==2 (", L")", L")"});
  EXPECT_EQ(items[1], kSnapshot);
  EXPECT_EQ(items[4],
            L"@if !_dbgKlam! EQU 0 call :_dbgGlobals>\"%_dbgTmp%_dbgAltGSets%_dbgCall%\".txt&@(if "
            L"!_dbgEL! NEQ 0 call :_dbgExitEL)");
  EXPECT_EQ(doc.Records[1].Klammer, 2);
  EXPECT_EQ(section.Depth, 0);
}

TEST_F(LineInstrumenterTest, UnbalancedBracketsLeaveTheDepth) {
  Rewrite({L"if 1==1 (", L"echo"});
  EXPECT_EQ(section.Depth, 1);
  Rewrite({L")"});
  EXPECT_EQ(section.Depth, 0);
}

TEST_F(LineInstrumenterTest, CallsAreRoutedThroughTheRuntime) {
  const Texts calls{L"call :sub 1",
                    L"call other.bat",
                    L"CALL :_dbgLogX",
                    L"call",
                    L"call :",
                    L"call :_dbgLog Text",
                    L"call :_DBGLOG x",
                    L"call :_dbgTestA",
                    L"call _dbgTest.bat",
                    L"echo call x"};
  const Texts expected{L"@call :_dbgCall :sub 1",    L"@call :_dbgCall other.bat",
                       L"@CALL :_dbgCall :_dbgLogX", L"@call:_dbgCall ",
                       L"@call :_dbgCall :",         L"call :_dbgLog Text",
                       L"call :_DBGLOG x",           L"call :_dbgTestA",
                       L"call _dbgTest.bat",         L"echo call x"};
  const Texts items = Rewrite(calls);
  for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(items[2 * i + 1], expected[i]) << i;
}

TEST_F(LineInstrumenterTest, EmptyCallKeepsItsClosingBracket) {
  // "(call )" resets ERRORLEVEL; its ")" must still close the block.
  EXPECT_EQ(Rewrite({L"(call )"}), (Texts{Hook(0), L"(@call :_dbgCall )"}));
  EXPECT_EQ(section.Depth, 0);
  Rewrite({L"if 1==1 (", L"  (call)", L")"});
  EXPECT_EQ(section.Items[4], L"  (@call:_dbgCall )");
  EXPECT_EQ(section.Depth, 0);
}

TEST_F(LineInstrumenterTest, GotoLeavingABlockResetsTheBookkeeping) {
  const std::wstring reset =
      L"@set _dbgEL=!ErrorLevel!& set _dbgKlam=0& del \"%_dbgTmp%_dbgAltGSets%_dbgCall%.txt\" "
      L"2>nul&";
  const std::wstring restore = L"@(if !_dbgEL! NEQ 0 call :_dbgExitEL)& ";
  Texts items = Rewrite({L"goto x", L"if 1==1 (", L"  goto x", L")"});
  EXPECT_EQ(items[1], L"goto x");
  EXPECT_EQ(items[6], L"  " + reset + restore + L"goto x");

  items = Rewrite({L"for %%a in (1) do (", L"  goto :eof", L")"});
  EXPECT_EQ(items[3], Hook(1, L'A', true));
  EXPECT_EQ(items[4], L"  " + reset + L"set _dbgFor=0& " + restore + L"goto :eof");
}

TEST_F(LineInstrumenterTest, ShiftRefreshesParametersAtTheNextLineOutsideBlocks) {
  Texts items = Rewrite({L"if 1==1 (", L"  shift", L"  echo %1", L")", L"echo %1"});
  // Without a GOTO in the batch SHIFT still marks the level; otherwise the
  // refresh below would never rewrite the parameters.
  EXPECT_EQ(items[4], L"  shift&@set _dbgEL=!ErrorLevel!& set _dbgSH%_dbgCall%=1&call :_dbgExitEL");
  EXPECT_EQ(items[5], Hook(2));
  EXPECT_EQ(items[7], L")" + std::wstring(L"\r\n@(if !_dbgKlam! NEQ 0 set _dbgEL=!ErrorLevel!& ") +
                          L"set /A _dbgKlam-=1&@(if !_dbgEL! NEQ 0 call :_dbgExitEL))\r\n)");
  EXPECT_EQ(items[10], kRefresh);
  EXPECT_EQ(items[11], Hook(4));

  // With GOTO in the batch, labels refresh too; SHIFT skips "/n".
  items = Rewrite({L"shift /2 & echo", L":a", L"goto a"});
  EXPECT_EQ(items[1],
            L"shift /2 &@set _dbgEL=!ErrorLevel!& set _dbgSH%_dbgCall%=1&call :_dbgExitEL& echo");
  EXPECT_EQ(items[2], L":a\r\n" + kRefresh);
  EXPECT_EQ(items[3], kRefresh);
}

TEST_F(LineInstrumenterTest, DisablingSetlocalIsReportedOncePerLoad) {
  const Texts lines{L"echo", L"setlocal DisableDelayedExpansion", L"setlocal disableextensions"};
  Rewrite(lines);
  Generate();
  EXPECT_EQ(view.messages, Texts{L"DisableDelayedExpansion in Zeile 1 nicht erlaubt!"});
  instrumenter.ClearDisableWarned();
  Generate();
  EXPECT_EQ(view.messages.size(), 2u);
  // The statement stays in the batch.
  EXPECT_TRUE(section.Items[3].starts_with(L"setlocal DisableDelayedExpansion&@set"));
}

TEST_F(LineInstrumenterTest, ForLettersAndSpareLetter) {
  Rewrite({L"for %%a in (1) do echo", L"for %%A in (1) do echo"});
  EXPECT_EQ(section.ForLetters, L"aA");
  EXPECT_EQ(section.SpareLetter, L'B');
  // The hook of the second line was generated before its FOR was seen.
  EXPECT_EQ(section.Items[2], Hook(1, L'A'));

  Rewrite({L"for %%A in (1) do for %%B in (2) do for %%C in (3) do echo"});
  EXPECT_EQ(section.ForLetters, L"ABC");
  EXPECT_EQ(section.SpareLetter, L'D');

  Rewrite({L"for /f \"tokens=1,2\" %%x in (f) do echo %%x %%y", L"for %%x in (1) do echo"});
  EXPECT_EQ(section.ForLetters, L"xy");
}

TEST_F(LineInstrumenterTest, TokenListsGiveTheNumberOfVariables) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases{
      {L"tokens=2-4", L"abc"},
      {L"tokens=1-3*", L"abcd"},
      {L"tokens=*", L"a"},
      {L"tokens=%n%", L"a"},
      {L"tokens=1,3 delims=,", L"ab"},
      // No usable count: the variable named in the statement is still one.
      {L"tokens=4-2", L"a"},
      {L"tokens= delims=,", L"a"},
      {L"tokens=2delims=,", L"a"},
      {L"tokens=1-99999", L"abcdefghijklmnopqrstuvwxyz{|}~\x7F\x80"},
  };
  for (const auto& [options, letters] : cases) {
    Rewrite({L"for /f \"" + options + L"\" %%a in (f) do echo %%a"});
    EXPECT_EQ(section.ForLetters, letters) << options.c_str();
  }
}

TEST_F(LineInstrumenterTest, ForWithoutItsVariableOrDoOnTheLine) {
  // No "%%" on the line: not followed as a FOR at all.
  Rewrite({L"for /?", L"echo"});
  EXPECT_EQ(section.ForLetters, L"");
  EXPECT_EQ(section.Items[3], L"echo");
}

TEST_F(LineInstrumenterTest, ForSetOverLinesStaysOneStatement) {
  // A hook between the lines of the set would become part of the set.
  EXPECT_EQ(Rewrite({L"for %%a in (1", L"2) do echo %%a", L"echo"}),
            (Texts{Hook(0), L"for %%a in (1\r\n2) do echo %%a", Hook(2), L"echo"}));
  EXPECT_EQ(section.ForLetters, L"a");
  EXPECT_EQ(section.Depth, 0);

  // A block opened after the set is the FOR's body, with the usual
  // bookkeeping; the brackets of the set are not counted.
  const Texts items =
      Rewrite({L"for /f %%l in (", L"  'type x' ^", L"  ) do (", L"  call :x %%l", L")", L"echo"});
  ASSERT_EQ(items.size(), 10u);
  EXPECT_TRUE(items[1].starts_with(L"@call :_dbgGlobals>"));
  EXPECT_TRUE(items[2].starts_with(L"@set _dbgEL=!ErrorLevel!& set _dbgFor=1&"));
  EXPECT_TRUE(items[2].find(L"for /f %%l in (\r\n  'type x'   ) do (\r\n") != std::wstring::npos)
      << items[2];
  EXPECT_EQ(items[3], Hook(3, L'A', true));
  EXPECT_EQ(items[4], L"  @call :_dbgCall :x %%l");
  EXPECT_EQ(items[8], Hook(5));
  EXPECT_EQ(section.Depth, 0);
  EXPECT_EQ(doc.Records[0].Klammer, 1);
}

TEST_F(LineInstrumenterTest, ContinuationLinesAreRewrittenAsOne) {
  const Texts items = Rewrite({L"echo %CmdCmdLine% ^", L"%CMDCMDLINE% & call :x", L"echo"});
  EXPECT_EQ(items[1], L"echo %ComSpec% %CMDCMDLINE% & @call :_dbgCall :x");
  EXPECT_EQ(items[2], Hook(2));
}

TEST_F(LineInstrumenterTest, CaretOnTheLastLineContinuesOntoNothing) {
  EXPECT_EQ(Rewrite({L"echo a ^"}), (Texts{Hook(0), L"echo a "}));
  EXPECT_EQ(Rewrite({L"rem a ^"}), (Texts{L"rem a "}));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(LineInstrumenterTest, ReplaceToRemRewritesCommentsOnly) {
  const Texts lines{L"::note::x", L"ping ::1 & ::c::d", L"if 1==1 (::e", L")"};
  Texts items = Rewrite(lines);
  EXPECT_EQ(items[0], L"::note::x");
  EXPECT_EQ(items[2], L"ping ::1 & ::c::d");

  settings.ReplaceToRem = true;
  items = Rewrite(lines);
  EXPECT_EQ(items[0], L"REM noteREM x");
  EXPECT_EQ(items[2], L"ping ::1 & REM cREM d");
  EXPECT_EQ(items[5], L"if 1==1 (" + kOpened + L"REM e");
  EXPECT_EQ(doc.Items[0].text, L"REM noteREM x");
  EXPECT_EQ(doc.Items[1].text, L"ping ::1 & REM cREM d");
  EXPECT_EQ(doc.Items[2].text, L"if 1==1 (REM e");
}

TEST_F(LineInstrumenterTest, DoubleColonInsideACommandIsNoComment) {
  settings.ReplaceToRem = true;
  const Texts items =
      Rewrite({L"findstr \"::\" a.txt && (", L"  powershell -c [IO.File]::Exists('x')", L")"});
  EXPECT_EQ(items[2], L"findstr \"::\" a.txt && (" + kOpened);
  EXPECT_EQ(items[4], L"  powershell -c [IO.File]::Exists('x')");
  EXPECT_EQ(section.Depth, 0);
}

}  // namespace
}  // namespace tarnvelock

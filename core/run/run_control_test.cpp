// RunControl driven through whole runs: a scripted batch writes the exchange
// files of each stop, the tests press the run commands and poll as the
// front end's timer would, and look at what the view was told and which
// files the batch was handed.
#include "core/run/run_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/base/exchange_file_names.h"
#include "core/run/exchange_text.h"
#include "core/run/run_fakes_for_tests.h"

namespace tarnvelock {
namespace {

using testing::ElementsAre;

constexpr wchar_t kBatchPath[] = L"/work/test.bat";

class RunControlTest : public testing::Test {
 protected:
  RunControlTest() {
    EXPECT_TRUE(files_.CreateDirectory(L"/tmp"));
    EXPECT_TRUE(files_.CreateDirectory(L"/work"));
    EXPECT_TRUE(exchange_.PrepareTempDir(L""));
    Load({L"@echo off", L"set x=1", L"call :sub", L"echo %x%", L"goto :eof", L":sub",
          L"echo in sub"});
  }

  void Load(const std::vector<std::wstring>& lines) {
    doc_.Items.clear();
    doc_.Records.clear();
    for (const std::wstring& line : lines) doc_.Items.push_back({line, LineHash(line)});
    doc_.Items.push_back({std::wstring(kEndOfFileLine), 0});
    doc_.Records.resize(doc_.Items.size());
    doc_.MaxCurZeile = static_cast<std::int32_t>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].starts_with(L":")) doc_.Records[i].RemZeile = remLabel;
    }
    doc_.Records.back().RemZeile = remEmpty;
    doc_.BatchPath = kBatchPath;
    doc_.LogPath = std::wstring(kBatchPath) + L".log";
    doc_.StartDir = L"/work";
    doc_.InstrumentedPath = std::wstring(kTestTempDir) + L"test.bat";
    doc_.InstrumentStale = true;
    run_.ActionStartResetExecute(false);
    view_.Clear();
  }

  // As the front end's timer does.
  void Poll(int times = 1) {
    for (int i = 0; i < times; ++i) run_.PollStop();
  }
  std::string File(std::wstring_view name) { return files_.Contents(batch_.Path(name)); }
  // The event log file's lines after the start line of the run.
  std::vector<std::wstring> LogFile() {
    std::vector<std::wstring> lines = SplitLines(ToWide(files_.Contents(doc_.LogPath)));
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }
  static std::wstring ToWide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }
  std::vector<std::wstring> Globals() const { return variables_.Global().Texts(); }
  bool Exists(std::wstring_view name) { return files_.FileExists(batch_.Path(name)); }

  // Single steps to a stop at line, from wherever the run is.
  void StepTo(int line) {
    batch_.Then([line](ScriptedBatch& b) { b.StopAt(line); });
    run_.ActionStartExecuteLineF8Execute();
    Poll();
    ASSERT_EQ(run_.GetRunState(), RunState::Stopped);
  }

  VirtualFileSystem files_;
  VirtualEnvironment env_;
  RecordingRunView view_;
  ExchangeFiles exchange_{
      files_, env_, SystemCodePages(),
      TempDirFacility{[] { return std::wstring(L"/tmp"); },
                      [this](const std::wstring& dir) { return files_.CreateDirectory(dir); }}};
  InstrumentedBatch instrumented_{files_, SystemCodePages(), view_};
  ScriptedBatch batch_{files_};
  ScriptedStarter starter_{batch_};
  DebugDocument doc_;
  VariablePanes variables_{doc_, exchange_, view_};
  EventLog log_{doc_, files_, SystemCodePages(), view_};
  CommandStates commands_;
  Launcher launcher_{starter_, env_, view_,
                     [this] { return exchange_.PrepareProcessStart(doc_.Options.Parameters); },
                     L"/opt"};
  RunControl run_{doc_,
                  exchange_,
                  instrumented_,
                  launcher_,
                  RunPanes{variables_, log_, commands_, {}},
                  view_,
                  [this] {
                    PerLineResult section;
                    for (std::int32_t i = 0; i < doc_.MaxCurZeile; ++i) {
                      section.Items.push_back(doc_.Items[i].text);
                    }
                    return section;
                  }};
};

TEST_F(RunControlTest, SingleStepRunFromStartToEndOfFile) {
  batch_.Then([](ScriptedBatch& b) { b.StopAt(0); });
  run_.ActionStartExecuteLineF8Execute();

  // The start of a run: log restarted, instrumented batch written, single-step
  // breakpoint list handed over, the poll running.
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  EXPECT_EQ(files_.Contents(doc_.LogPath), "/work/test.bat   /Ln=0\r\n");
  EXPECT_THAT(log_.Entries(), ElementsAre(L"/work/test.bat   /Ln=0"));
  EXPECT_TRUE(files_.FileExists(doc_.InstrumentedPath));
  EXPECT_FALSE(doc_.InstrumentStale);
  EXPECT_THAT(batch_.breaks, ElementsAre(""));
  EXPECT_EQ(starter_.starts, 1);
  EXPECT_TRUE(run_.TimerEnabled());
  EXPECT_EQ(view_.status, L"Running ...");
  EXPECT_TRUE(commands_.Enabled(Command::ActionStartAddCommand));
  EXPECT_FALSE(variables_.Global().Enabled);

  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.StopReason(), srSingleStep);
  EXPECT_EQ(run_.AktExeZeile(), 0);
  EXPECT_EQ(run_.RunMode(), rmNone);
  EXPECT_FALSE(run_.TimerEnabled());
  EXPECT_EQ(view_.status, L"Ready to execute next Line(s)");
  EXPECT_THAT(log_.Entries(), ElementsAre(L"/work/test.bat   /Ln=0", L"actual Line  /Ln=0"));
  EXPECT_THAT(Globals(), ElementsAre(L"CD=/work", L"ERRORLEVEL=0"));
  EXPECT_TRUE(variables_.Global().Enabled);

  // The next step runs a line that takes longer than one poll; waking the
  // batch writes no new batch file.
  const auto written = files_.LastWriteTime(doc_.InstrumentedPath);
  batch_.Then([](ScriptedBatch& b) { b.Begin(1); });
  run_.ActionStartExecuteLineF8Execute();
  EXPECT_EQ(files_.LastWriteTime(doc_.InstrumentedPath), written);
  EXPECT_FALSE(Exists(kStopSignalFile));
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  EXPECT_TRUE(run_.WaitDialogVisible());
  EXPECT_EQ(run_.PollInterval(), 600);
  EXPECT_EQ(run_.AktExeZeile(), 1);
  batch_.StopAt(1);
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_FALSE(run_.WaitDialogVisible());
  EXPECT_EQ(run_.PollInterval(), 300);

  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(run_.StopReason(), srEndOfFile);
  EXPECT_EQ(run_.AktExeZeile(), doc_.MaxCurZeile);
  EXPECT_EQ(view_.status, L"Reached <end of file>  -  Press F2 for Reset.");
  EXPECT_FALSE(commands_.Enabled(Command::ActionStartExecuteAll));
  EXPECT_TRUE(commands_.Enabled(Command::ActionStartReset));
  // The end adds no position entry; the last stop's stays.
  EXPECT_EQ(log_.Entries().back(), L"actual Line  /Ln=1");
  EXPECT_EQ(starter_.starts, 1);
}

TEST_F(RunControlTest, ExecuteRunsToBreakpointsAndRewritesThemOnlyWhenChanged) {
  run_.ActionStartBreakPointExecute(3);
  ASSERT_TRUE(run_.SetBreakpointProperties(6, {true, 2, L"%x%==1"}).Stored);

  batch_.Then([](ScriptedBatch& b) { b.StopAt(3); });
  run_.ActionStartExecuteAllExecute();
  EXPECT_THAT(batch_.breaks, ElementsAre("  3 6"));
  EXPECT_NE(File(kBreakCondFile).find("   6     2    %x%==1"), std::string::npos);
  Poll();
  EXPECT_EQ(run_.StopReason(), srBreakPoint);

  // Unchanged breakpoints: the batch keeps the ones it has.
  batch_.Then([](ScriptedBatch& b) { b.StopAt(6); });
  run_.ActionStartExecuteAllExecute();
  EXPECT_EQ(batch_.breaks.size(), 1u);
  Poll();
  EXPECT_EQ(run_.StopReason(), srBreakPoint);

  // A single step puts the batch into single-step mode; the next Execute
  // hands the breakpoints over again.
  StepTo(4);
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  run_.ActionStartExecuteAllExecute();
  EXPECT_THAT(batch_.breaks, ElementsAre("  3 6", "", "  3 6"));
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
}

TEST_F(RunControlTest, EditingABreakpointSetsItBeforeTheDialogAndSendsItWithTheNextRun) {
  view_.Clear();
  run_.ActionStartEditBreakPointExecute(doc_.MaxCurZeile + 1);
  run_.ActionStartEditBreakPointExecute(-1);
  EXPECT_TRUE(view_.Calls(L"breakdialog").empty()) << "no dialog outside the batch's lines";

  run_.ActionStartEditBreakPointExecute(3);
  EXPECT_TRUE(doc_.Records[3].BreakPoint);
  EXPECT_THAT(view_.Calls(L"breakdialog"), ElementsAre(L"3"));
  EXPECT_THAT(view_.Calls(L"paint"), ElementsAre(L"3"));

  // A dialog that leaves the breakpoint on still has it sent to the batch.
  batch_.Then([](ScriptedBatch& b) { b.StopAt(3); });
  run_.ActionStartExecuteAllExecute();
  EXPECT_THAT(batch_.breaks, ElementsAre("  3"));
}

TEST_F(RunControlTest, GotoLineStopsAtTheTargetWithOrWithoutTheBreakpoints) {
  run_.ActionStartBreakPointExecute(1);
  batch_.Then([](ScriptedBatch& b) { b.StopAt(3); });
  run_.ActionStartGotoLineExecute(3);
  EXPECT_THAT(batch_.breaks, ElementsAre("3 1"));
  EXPECT_EQ(run_.GotoTarget(), 3);
  Poll();
  EXPECT_EQ(run_.StopReason(), srGotoTarget);
  EXPECT_EQ(run_.GotoTarget(), -1);

  batch_.Then([](ScriptedBatch& b) { b.StopAt(6); });
  run_.ActionStartGotoLineIgnoreExecute(6);
  EXPECT_THAT(batch_.breaks, ElementsAre("3 1", "6"));
  Poll();
  EXPECT_EQ(run_.StopReason(), srGotoTarget);
  EXPECT_TRUE(run_.BreaksChanged());
}

TEST_F(RunControlTest, SkipCallRunsPastCallLinesAndStepsEverywhereElse) {
  // The first press of a run goes to the first command line.
  batch_.Then([](ScriptedBatch& b) { b.StopAt(0); });
  run_.ActionStartExecuteLineF7Execute();
  EXPECT_THAT(view_.Calls(L"cursor"), ElementsAre(L"0"));
  EXPECT_THAT(batch_.breaks, ElementsAre("0"));
  Poll();

  StepTo(2);  // "call :sub"
  batch_.Then([](ScriptedBatch& b) { b.StopAt(3); });
  run_.ActionStartExecuteLineF7Execute();
  EXPECT_EQ(batch_.breaks.back(), "3");
  Poll();
  EXPECT_EQ(run_.StopReason(), srGotoTarget);

  // Upper-case CALL and a line with both call and goto step like F7.
  doc_.Items[3].text = L"CALL :sub";
  batch_.Then([](ScriptedBatch& b) { b.StopAt(6); });
  run_.ActionStartExecuteLineF7Execute();
  EXPECT_EQ(batch_.breaks.back(), "");
  Poll();
  doc_.Items[6].text = L"call x & goto y";
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  run_.ActionStartExecuteLineF7Execute();
  EXPECT_EQ(run_.RunMode(), rmSingleStep);
}

TEST_F(RunControlTest, AddedCommandRunsAtTheStopAndIsReportedWhenItStopsAgain) {
  StepTo(1);
  view_.text_answer = L"set x=%%a";
  run_.ActionStartAddCommandExecute();
  EXPECT_THAT(view_.Calls(L"ask"),
              ElementsAre(L"Insert Command| Enter Batch-Command to be executed now:|"));
  EXPECT_THAT(batch_.actions, ElementsAre("@shift\r\n@for %%a in (%_dbgFORka%) do set x=%%a"));
  EXPECT_THAT(LogFile(), ElementsAre(L"Add Cmd \"set x=%%a\"  /Ln=1"));
  EXPECT_EQ(run_.LastCmd(), L"set x=%%a");
  EXPECT_TRUE(run_.Cmd().empty());

  // The command takes a while: the poll waits for the stop instead of
  // giving up with the poll switched off.
  Poll(3);
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  EXPECT_TRUE(run_.TimerEnabled());
  batch_.StopAt(1, 1);
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.StopReason(), srAddedCommand);
  EXPECT_THAT(view_.Calls(L"warn"),
              ElementsAre(L"ERRORLEVEL=1\r\n\r\nCheck added command:\r\nset x=%%a\r\n\r\n"
                          L"Press OK to continue, Cancel to reset."));
  EXPECT_EQ(LogFile().back(), L"Err=1: +ERRORLEVEL=1  /Ln=1");
  // The error belongs to the command, not to the line.
  EXPECT_EQ(doc_.Records[1].ErrorZeile, errNull);

  // The next Add Command offers the last one; cancelling it does nothing.
  view_.text_answer.reset();
  run_.ActionStartAddCommandExecute();
  EXPECT_EQ(view_.Calls(L"ask").back(),
            L"Insert Command| Enter Batch-Command to be executed now:|set x=%%a");
  EXPECT_EQ(batch_.actions.size(), 1u);
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
}

TEST_F(RunControlTest, AddedCommandAfterWhichTheBatchRanOnIsJudgedAsAnyStop) {
  run_.ActionStartBreakPointExecute(1);
  run_.ActionStartBreakPointExecute(6);
  batch_.Then([](ScriptedBatch& b) { b.StopAt(1); });
  run_.ActionStartExecuteAllExecute();
  Poll();
  ASSERT_EQ(run_.StopReason(), srBreakPoint);

  // In run-to-breakpoint mode the line after the command is no reason to
  // stop again: the batch runs on to the next breakpoint.
  batch_.Then([](ScriptedBatch& b) { b.Begin(3); });
  run_.AddCommand(L"set y=2");
  EXPECT_EQ(run_.StopReason(), srAddedCommand);
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  batch_.StopAt(6);
  Poll();
  EXPECT_EQ(run_.StopReason(), srBreakPoint);
  EXPECT_EQ(run_.AktExeZeile(), 6);
  EXPECT_TRUE(view_.Calls(L"warn").empty());
}

TEST_F(RunControlTest, UntoleratedErrorMarksTheLineAndAsksOkOrCancel) {
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(1);
    b.ErrorOutput("first\r\nsecond\r\n");
    b.StopAt(2);
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_EQ(run_.StopReason(), srStdErr);
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.StopError(), L"first second");
  EXPECT_EQ(doc_.Records[1].ErrorZeile, errWarn);
  EXPECT_THAT(view_.Calls(L"warn"),
              ElementsAre(L"first second\r\n\r\nCheck last Line 1:\r\nset x=1\r\n\r\n"
                          L"Press OK to continue, Cancel to reset."));
  EXPECT_THAT(LogFile(), ElementsAre(L"Err=0: first second  /Ln=1"));
  EXPECT_EQ(view_.Calls(L"status").back(), L"Ready to execute next Line(s)");

  // Lines already reported are not repeated; Cancel ends the run.
  view_.warn_answers = {false};
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(3);
    b.ErrorOutput("first\r\nsecond\r\nthird\r\n");
    b.StopAt(4, 0, 1);
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_EQ(LogFile().back(), L"    Err=0: third  /Ln=3");
  EXPECT_EQ(run_.StopReason(), srCancelled);
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(view_.status, L"Cancelled after Error  -  Press F2 for Reset.");

  // Reset clears the marks; a running command in Ended only resets.
  run_.ActionStartExecuteAllExecute();
  EXPECT_EQ(run_.GetRunState(), RunState::Ready);
  EXPECT_EQ(doc_.Records[1].ErrorZeile, errNull);
  EXPECT_EQ(starter_.starts, 1);
}

TEST_F(RunControlTest, ToleratedErrorsAreLoggedAndTheBatchRunsOn) {
  doc_.Records[1].ErrLevelOK = 3;
  doc_.Records[3].ErrLevelOK = -3;
  doc_.Records[4].StdErrOK = true;
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(1);
    b.StopAt(2, 2);
  });
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(3);
    b.StopAt(4, 2);
  });
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(4);
    b.ErrorOutput("careful\r\n");
    b.StopAt(5);
  });
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  run_.ActionStartExecuteAllExecute();
  Poll(3);
  EXPECT_EQ(batch_.wakes, 3);
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  EXPECT_TRUE(run_.TimerEnabled());
  EXPECT_THAT(LogFile(), ElementsAre(L"Err=2: ERRORLEVEL=2  /Ln=1", L"Err=2: ERRORLEVEL=2  /Ln=3",
                                     L"Err=0: careful  /Ln=4"));
  EXPECT_THAT(batch_.error_levels, ElementsAre("0"));
  EXPECT_TRUE(view_.Calls(L"warn").empty());
  // The wait dialog stays up across the tolerated stops.
  EXPECT_THAT(view_.Calls(L"wait"), ElementsAre(L"1"));
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  // Errors the batch ran on after are not the error of the stop reported.
  EXPECT_EQ(run_.StopError(), L"");
}

TEST_F(RunControlTest, WithoutStopOnErrorAnErrorInSingleStepIsReportedAsAStep) {
  doc_.Options.StopOnErr = false;
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(1);
    b.ErrorOutput("oops\r\n");
    b.StopAt(2, 5);
  });
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  EXPECT_EQ(run_.StopReason(), srSingleStep);
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_TRUE(view_.Calls(L"warn").empty());
  EXPECT_EQ(run_.StopError(), L"oops");
  EXPECT_THAT(LogFile(), ElementsAre(L"Err=5: oops  /Ln=1"));
}

TEST_F(RunControlTest, AnErrorLevelIsAnErrorOnlyAtTheStopAfterTheLineThatSetIt) {
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(1);
    b.StopAfter(2, 3, 0);
  });
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(2);
    b.StopAfter(3, 3, 3);
  });
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  EXPECT_EQ(run_.StopError(), L"ERRORLEVEL=3");
  EXPECT_EQ(view_.Calls(L"warn").size(), 1u);
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  EXPECT_EQ(run_.StopReason(), srSingleStep);
  EXPECT_EQ(run_.StopError(), L"") << "line 2 left it as it was";
  EXPECT_EQ(view_.Calls(L"warn").size(), 1u);
  EXPECT_THAT(LogFile(), ElementsAre(L"Err=3: ERRORLEVEL=3  /Ln=1"));
}

TEST_F(RunControlTest, TheExitCodeComesWithTheEndOfTheRun) {
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(3);
    b.InnerEndedWith(5);
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_EQ(run_.ExitCode(), 5);
  EXPECT_THAT(LogFile(), ElementsAre(L"exit 5  /Ln=3"));

  run_.ActionStartResetExecute();
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  run_.ActionStartExecuteAllExecute();
  EXPECT_FALSE(run_.ExitCode().has_value()) << "a new run has none yet";
  Poll();
  EXPECT_EQ(run_.ExitCode(), 0) << "the ERRORLEVEL at the end of the file";
}

TEST_F(RunControlTest, ExitAndSyntaxErrorEndTheRunAtTheLastLine) {
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(3);
    b.InnerEnded();
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(view_.status, L"Command \"exit cmd\"  -  Press F2 for Reset.");
  EXPECT_THAT(LogFile(), ElementsAre(L"exit  /Ln=3"));
  EXPECT_EQ(run_.AktExeZeile(), 3);
  // The panes show the Ready content, not the exchange files.
  EXPECT_THAT(Globals(), ElementsAre(L"CD=/work", L"ERRORLEVEL=0"));
  EXPECT_TRUE(variables_.Local().Entries.empty());

  run_.ActionStartResetExecute();
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(4);
    b.ErrorOutput("The syntax of the command is incorrect.\r\n");
    b.InnerEnded();
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_EQ(run_.StopReason(), srSyntaxError);
  EXPECT_EQ(view_.status, L"Syntax error  -  Press F2 for Reset.");
  EXPECT_EQ(doc_.Records[4].ErrorZeile, errAbort);
}

TEST_F(RunControlTest, ClosedConsoleEndsTheRunWhileRunningOrAtTheNextCommand) {
  batch_.Then([](ScriptedBatch& b) { b.Begin(1); });
  run_.ActionStartExecuteAllExecute();
  Poll();
  batch_.Die();
  batch_.Write(kLastLineFile, "1\r\n");
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(view_.status, L"Command-Window closed  -  Press F2 for Reset.");
  EXPECT_EQ(run_.AktExeZeile(), 1);

  // Closed while waiting at a stop: nothing polls until the next command.
  run_.ActionStartResetExecute();
  StepTo(0);
  batch_.Die();
  run_.ActionStartExecuteLineF8Execute();
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  Poll();
  EXPECT_EQ(run_.StopReason(), srConsoleClosed);
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
}

TEST_F(RunControlTest, TerminateEndsAHangingBatchAtTheNextPoll) {
  batch_.Then([](ScriptedBatch& b) { b.Begin(3); });
  run_.ActionStartExecuteAllExecute();
  Poll();
  ASSERT_TRUE(run_.WaitDialogVisible());
  run_.BitBtnTerminateClick();
  EXPECT_FALSE(run_.WaitDialogVisible());
  EXPECT_FALSE(launcher_.IsRunning());
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(view_.status, L"Terminated by User  -  Press F2 for Reset.");
  EXPECT_EQ(run_.AktExeZeile(), 3);
  // Terminate does not take over the console's place; Reset would.
  EXPECT_FALSE(run_.ConsolePos().has_value());
}

TEST_F(RunControlTest, BreakStopsTheBatchAtItsNextDebuggedLine) {
  batch_.Then([](ScriptedBatch& b) { b.Begin(1); });
  run_.ActionStartExecuteAllExecute();
  Poll();
  run_.BitBtnBreakClick();
  EXPECT_TRUE(Exists(kBreakRequestFile));
  EXPECT_TRUE(run_.UserBreak());
  Poll();  // still running: the mark blinks, the dialog stays hidden
  EXPECT_FALSE(run_.WaitDialogVisible());
  batch_.StopAt(4);
  Poll();
  EXPECT_EQ(run_.StopReason(), srUserBreak);
  EXPECT_FALSE(run_.UserBreak());
  EXPECT_FALSE(Exists(kBreakRequestFile));
}

TEST_F(RunControlTest, ResetClosesTheConsoleAndReturnsToReady) {
  StepTo(2);
  run_.ActionStartResetExecute();
  EXPECT_EQ(run_.GetRunState(), RunState::Ready);
  EXPECT_FALSE(launcher_.IsRunning());
  ASSERT_TRUE(run_.ConsolePos().has_value());
  EXPECT_EQ(run_.ConsolePos()->left, 10);
  EXPECT_EQ(run_.ConsolePos()->top, 20);
  EXPECT_EQ(run_.AktExeZeile(), -1);
  EXPECT_TRUE(run_.BreaksChanged());
  EXPECT_EQ(view_.status,
            L"Ready to start Batch.   Press F8 (execute one Line) or F9 (to Breakpoint).");
  EXPECT_THAT(Globals(), ElementsAre(L"CD=/work", L"ERRORLEVEL=0"));
  EXPECT_TRUE(variables_.Local().Entries.empty());

  // The next run starts a new process and writes the kept batch text again.
  doc_.InstrumentStale = false;
  EXPECT_TRUE(files_.RemoveFile(doc_.InstrumentedPath));
  StepTo(0);
  EXPECT_EQ(starter_.starts, 2);
  EXPECT_TRUE(files_.FileExists(doc_.InstrumentedPath));
}

TEST_F(RunControlTest, ResetWhileRunningStopsPollingAndWithdrawsABreakRequest) {
  batch_.Then([](ScriptedBatch& b) { b.Begin(1); });
  run_.ActionStartExecuteAllExecute();
  Poll();
  run_.BitBtnBreakClick();
  Poll();
  ASSERT_TRUE(run_.UserBreak());
  run_.ActionStartResetExecute();
  EXPECT_FALSE(run_.TimerEnabled());
  EXPECT_FALSE(run_.UserBreak());
  EXPECT_FALSE(Exists(kBreakRequestFile));
  EXPECT_EQ(run_.PollInterval(), 300);
}

TEST_F(RunControlTest, DeadInterpreterIsNoticedWhileAnAddedCommandIsAwaited) {
  StepTo(1);
  batch_.Then([](ScriptedBatch& b) { b.Die(); });
  run_.AddCommand(L"exit");
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(run_.StopReason(), srConsoleClosed);
}

TEST_F(RunControlTest, LineNumbersOutsideTheDocumentAreShownAtItsEnd) {
  batch_.Then([](ScriptedBatch& b) {
    b.Write(kLastLineFile, "4711\r\n");
    b.ErrorOutput("bad\r\n");
    b.StopAt(999);
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.AktExeZeile(), doc_.MaxCurZeile);
  EXPECT_EQ(LogFile().back(), L"Err=0: bad  /Ln=4711");
}

TEST_F(RunControlTest, LineCommandsAreOfferedOnDebuggableCommandLinesOnly) {
  doc_.Records[3].IgnoreZeile = true;
  doc_.Records[4].ConcatZeile = true;
  EXPECT_TRUE(run_.CanGotoLine(1));
  EXPECT_TRUE(run_.CanToggleBreakPoint(1));
  for (std::int32_t line : {3, 4, 5, doc_.MaxCurZeile, -1}) {
    EXPECT_FALSE(run_.CanGotoLine(line)) << line;
    EXPECT_FALSE(run_.CanToggleBreakPoint(line)) << line;
  }
  // A breakpoint left on a line that is no command line can be removed.
  doc_.Records[5].BreakPoint = true;
  EXPECT_TRUE(run_.CanToggleBreakPoint(5));

  batch_.Then([](ScriptedBatch& b) { b.Begin(1); });
  run_.ActionStartExecuteAllExecute();
  EXPECT_FALSE(run_.CanGotoLine(1));
  EXPECT_FALSE(run_.CanToggleBreakPoint(1));
}

TEST_F(RunControlTest, StopSignalThatCannotBeReadIsTriedAgainAtTheNextPoll) {
  batch_.Then([](ScriptedBatch& b) {
    b.StopAt(0);
    b.Write(kStopSignalFile, "");  // created, not written yet
  });
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Running);
  EXPECT_TRUE(run_.TimerEnabled());
  batch_.Signal(0, "ECHO is on.", "0");
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_TRUE(run_.EchoOn());
}

TEST_F(RunControlTest, EchoChoiceTravelsWithTheNextResume) {
  StepTo(0);
  run_.ActionSettingsEchoOnOffExecute(true);
  StepTo(1);
  EXPECT_EQ(batch_.actions.back(), "@shift\r\n@echo on\r\n@set _dbgAct=1");
  EXPECT_EQ(run_.PendingEcho(), EchoRequest::None);
  // Nothing pending: no action file at all.
  StepTo(2);
  EXPECT_EQ(batch_.actions.size(), 1u);
}

TEST_F(RunControlTest, UnwritableBatchFileIsNotStarted) {
  files_.MakeInaccessible(doc_.InstrumentedPath);
  run_.ActionStartExecuteLineF8Execute();
  EXPECT_EQ(run_.GetRunState(), RunState::Ready);
  EXPECT_EQ(view_.status, L"Debugger-Error in Batch-Start!");
  EXPECT_EQ(starter_.starts, 0);
  EXPECT_FALSE(run_.TimerEnabled());
}

TEST_F(RunControlTest, StartThatLostItsConsoleIsRetriedWithANewProcess) {
  starter_.lose_console = true;
  batch_.Then([](ScriptedBatch&) {});
  run_.ActionStartExecuteLineF8Execute();
  EXPECT_EQ(run_.GetRunState(), RunState::Ready);
  EXPECT_EQ(view_.status, L"Debugger-Error in Batch-Start!");

  starter_.lose_console = false;
  StepTo(0);
  EXPECT_EQ(starter_.starts, 2);
}

TEST_F(RunControlTest, BadErrorLevelAndANegativeOneAreNoErrors) {
  batch_.Then([](ScriptedBatch& b) {
    b.Begin(1);
    b.Write(kCurrentLineFile, "2\r\n");
    b.Signal(0, "ECHO is off.", "hidden");
  });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_THAT(view_.Calls(L"status"),
              testing::Contains(L"Bad System-ERRORLEVEL in global Variables because of "
                                L"User-Variable with same name!"));
  EXPECT_EQ(LogFile().back(), L"Err=9999999: ERRORLEVEL=9999999  /Ln=1");

  run_.ActionStartResetExecute();
  view_.Clear();
  batch_.Then([](ScriptedBatch& b) { b.StopAt(2, -1); });
  run_.ActionStartExecuteAllExecute();
  Poll();
  EXPECT_THAT(view_.Calls(L"message"), ElementsAre(L"No StopReason"));
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
}

}  // namespace
}  // namespace tarnvelock

namespace tarnvelock {
namespace {

// The level of a stop at line inside ":sub", as the batch reports it.
void StopInSub(ScriptedBatch& b, int line) {
  b.Write(PerCallFile(kParametersPrefix, 1), "0=:sub\r\n");
  b.StopAt(line, 0, 1);
}

TEST_F(RunControlTest, StepOutSingleStepsUntilTheCallLevelDropsAndKeepsTheCallLines) {
  StepTo(2);
  batch_.Then([](ScriptedBatch& b) { StopInSub(b, 6); });
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  ASSERT_EQ(run_.GetRunState(), RunState::Stopped);
  ASSERT_EQ(run_.Calls().Frames().size(), 2u);
  EXPECT_EQ(run_.Calls().Frames()[0].Name, L":sub");
  EXPECT_EQ(run_.Calls().Frames()[0].Line, 6);
  EXPECT_EQ(run_.Calls().Frames()[1].Name, L"test.bat");
  EXPECT_EQ(run_.Calls().Frames()[1].Line, 2) << "the CALL the run stepped into";

  batch_.Then([](ScriptedBatch& b) { StopInSub(b, 6); });
  batch_.Then([](ScriptedBatch& b) { b.StopAt(3); });
  const int wakes = batch_.wakes;
  run_.ActionStartStepOutExecute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Running) << "still inside: stepped on at once";
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.AktExeZeile(), 3);
  EXPECT_EQ(run_.StopReason(), srSingleStep);
  EXPECT_EQ(batch_.wakes - wakes, 2);
  ASSERT_EQ(run_.Calls().Frames().size(), 1u);
  EXPECT_EQ(run_.Calls().Frames()[0].Line, 3);
}

TEST_F(RunControlTest, StepOutStopsEarlierAtABreakpointOrAnError) {
  doc_.Records[6].BreakPoint = true;
  StepTo(2);
  batch_.Then([](ScriptedBatch& b) { StopInSub(b, 1); });
  run_.ActionStartExecuteLineF8Execute();
  Poll();
  batch_.Then([](ScriptedBatch& b) { StopInSub(b, 6); });
  run_.ActionStartStepOutExecute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.StopReason(), srBreakPoint);
  EXPECT_EQ(run_.AktExeZeile(), 6);

  doc_.Records[6].BreakPoint = false;
  batch_.Then([](ScriptedBatch& b) {
    b.ErrorOutput("not found\r\n");
    StopInSub(b, 6);
  });
  run_.ActionStartStepOutExecute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Stopped);
  EXPECT_EQ(run_.StopError(), L"not found");

  // At the main level there is nothing to step out of: it runs as Execute.
  StepTo(3);
  batch_.Then([](ScriptedBatch& b) { b.EndOfFile(); });
  run_.ActionStartStepOutExecute();
  Poll();
  EXPECT_EQ(run_.GetRunState(), RunState::Ended);
  EXPECT_EQ(batch_.breaks.back(), " ") << "the breakpoint list of Execute";
}

}  // namespace
}  // namespace tarnvelock

// Errors at a stop: the dialog and its answers, the allowances of a line,
// "Stop on Error", and the ways a run can end early.
#include <chrono>
#include <thread>

#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Texts = std::vector<std::string>;

TEST_F(E2eTest, AnErrorLevelStopShowsTheDialogAndOkGoesOn) {
  const Session run = Debug(Batch("errorlevel.bat"), "run\nrun\n");
  ASSERT_EQ(run.status, 2) << "the batch ends with ERRORLEVEL 2\n" << run.raw;
  EXPECT_EQ(run.Texts("message"),
            (Texts{"ERRORLEVEL=2\r\n\r\nCheck last Line 1:\r\ncmd /c exit 2\r\n\r\n"
                   "Press OK to continue, Cancel to reset."}));
  const std::vector<Json> stops = run.Stops();
  ASSERT_EQ(stops.size(), 2u) << run.raw;
  EXPECT_EQ(stops[0]["reason"].number, 9);
  EXPECT_EQ(stops[0]["line"].number, 2);
  EXPECT_EQ(stops[0]["error"].text, "ERRORLEVEL=2");
  EXPECT_EQ(Global(stops[0], "ERRORLEVEL"), "ERRORLEVEL=2");
  EXPECT_EQ(stops[1]["reason"].number, 12);
  EXPECT_EQ(run.UserOutput(), (Texts{"level 2"}));
}

TEST_F(E2eTest, CancelAtAnErrorEndsTheRun) {
  const Session run = Debug(Batch("errorlevel.bat"), "answer cancel\nrun\nlist 1 1\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  ASSERT_EQ(run.All("message").size(), 1u);
  EXPECT_EQ(run.All("message")[0]["answer"].text, "cancel");
  EXPECT_EQ(run.LastStop()["state"].text, "Ended");
  EXPECT_EQ(run.LastStop()["status"].text, "Cancelled after Error  -  Press F2 for Reset.");
  EXPECT_EQ(run.All("line")[0]["errorMark"].number, 1) << "the line that failed is marked";
  EXPECT_TRUE(run.UserOutput().empty());
}

TEST_F(E2eTest, AllowedErrorLevelsAreLoggedAndTheBatchRunsOn) {
  const std::string batch = Batch("errorlevel.bat");
  // Up to 3 allowed: logged, no dialog, the ERRORLEVEL stays.
  Session run = Debug(batch, "errok 1 3\nrun\nlog\n");
  EXPECT_TRUE(run.All("message").empty()) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"level 2"}));
  EXPECT_TRUE(Contains(run.Texts("log"), "Err=2: ERRORLEVEL=2  /Ln=1"));
  EXPECT_EQ(run.LastStop()["reason"].number, 12);

  // A negative allowance also sets the ERRORLEVEL back to 0.
  run = Debug(batch, "errok 1 -3\nrun\n");
  EXPECT_TRUE(run.All("message").empty()) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"level 0"})) << "the runtime's SET /P shows no prompt";

  // Too little allowance is an error as before.
  run = Debug(batch, "errok 1 1\nrun\nrun\n");
  EXPECT_EQ(run.All("message").size(), 1u) << run.raw;
}

TEST_F(E2eTest, ErrorOutputIsAnErrorUnlessTheLineAllowsIt) {
  const std::string batch = Batch("stderr.bat");
  Session run = Debug(batch, "run\nrun\n");
  ASSERT_EQ(run.All("message").size(), 1u) << run.raw;
  EXPECT_EQ(run.Stops()[0]["reason"].number, 8);
  EXPECT_EQ(run.Stops()[0]["error"].text, "oops ");

  run = Debug(batch, "stderrok 1\nrun\nlog\n");
  EXPECT_TRUE(run.All("message").empty()) << run.raw;
  EXPECT_EQ(run.Stops().size(), 1u);
  EXPECT_TRUE(Contains(run.Texts("log"), "Err=0: oops   /Ln=1"));
}

TEST_F(E2eTest, WithoutStopOnErrorErrorsAreOnlyLogged) {
  const std::string batch = Batch("errorlevel.bat");
  Session run = Debug(batch, "option stoponerror off\nrun\nlog\n");
  EXPECT_TRUE(run.All("message").empty()) << run.raw;
  EXPECT_EQ(run.Stops().size(), 1u);
  EXPECT_TRUE(Contains(run.Texts("log"), "Err=2: ERRORLEVEL=2  /Ln=1"));

  // Single-stepping reports the stop as a step, with the error text.
  run = Debug(batch, "option stoponerror off\nstep\nstep\nstep\n");
  EXPECT_TRUE(run.All("message").empty()) << run.raw;
  EXPECT_EQ(run.Stops()[2]["reason"].number, 1);
  EXPECT_EQ(run.Stops()[2]["error"].text, "ERRORLEVEL=2");
  // The option is refused while a run is under way.
  run = Debug(batch, "step\noption stoponerror off\n");
  EXPECT_EQ(run.Texts("error").size(), 1u);
}

TEST_F(E2eTest, ExitEndsTheRunAndIsLogged) {
  const Session run = Debug(Batch("exit.bat"), "run\nlog\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const Json& end = run.LastStop();
  EXPECT_EQ(end["status"].text, "Command \"exit cmd\"  -  Press F2 for Reset.");
  EXPECT_EQ(end["line"].number, 2);
  // The global pane is back at its names without values.
  EXPECT_EQ(end["globals"].Texts()[1], "ERRORLEVEL=0");
  EXPECT_TRUE(end["locals"].items.empty());
  EXPECT_TRUE(Contains(run.Texts("log"), "exit 0  /Ln=2")) << "with the exit code";
  EXPECT_EQ(run.UserOutput(), (Texts{"before"}));
}

TEST_F(E2eTest, ASyntaxErrorEndsTheRunAndMarksTheLine) {
  const Session run = Debug(Batch("syntax_error.bat"), "run\nlist 2 2\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.LastStop()["status"].text, "Syntax error  -  Press F2 for Reset.");
  EXPECT_EQ(run.LastStop()["line"].number, 2);
  EXPECT_EQ(run.All("line")[0]["errorMark"].number, 2);
  EXPECT_FALSE(Contains(run.UserOutput(), "never"));
}

TEST_F(E2eTest, AKilledConsoleEndsTheRun) {
  const Session run = Debug(Batch("kill_console.bat"), "run\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.LastStop()["status"].text, "Command-Window closed  -  Press F2 for Reset.");
  EXPECT_EQ(run.LastStop()["reason"].number, 18);
}

TEST_F(E2eTest, TerminateAndBreakReachARunningBatch) {
  const std::string batch = Batch("endless.bat");
  // While it runs, only Terminate and Interrupt reach it.
  Session run = Debug(batch, "nowait run\nsleep 200\nstep\nterminate\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.Texts("error"),
            (std::vector<std::string>{"the batch is running (wait, interrupt or terminate)"}));
  ASSERT_EQ(run.Stops().size(), 1u) << run.raw;
  EXPECT_EQ(run.LastStop()["status"].text, "Terminated by User  -  Press F2 for Reset.");

  // Break needs "Enable Break", set before the run.
  run = Debug(batch, "nowait run\ninterrupt\nterminate\n");
  EXPECT_EQ(run.Texts("error").size(), 1u) << run.raw;
  run = Debug(batch, "option enablebreak on\nnowait run\nsleep 200\ninterrupt\nvars\n");
  ASSERT_EQ(run.Stops().size(), 1u) << run.raw;
  const Json stop = run.Stops()[0];
  EXPECT_EQ(stop["reason"].number, 5);
  EXPECT_EQ(stop["state"].text, "Stopped");
  EXPECT_GE(stop["line"].number, 3);
  EXPECT_NE(Global(stop, "n"), "n=0");
}

TEST_F(E2eTest, CtrlCEndsAWaitAndAnEndRequestKeepsTheSettings) {
  const std::string batch = Batch("endless.bat");
  // Ctrl+C after a second ends the wait of "run" (the batch runs on, so the
  // "terminate" a second later finds it running); the request to end that
  // follows still writes the batch's settings back. (A test run as a
  // background job starts with Ctrl+C ignored, which the debugger would
  // inherit.)
  RestoreInterrupt();
  test::RunSettings settings = DebuggerSettings(dir_);
  settings.input_from_test = true;
  test::RunningProgram cli(TARNVELOCK_CLI, {"--json", "--poll-ms", "10", batch}, settings);
  started_.push_back(cli.id());
  const auto second = [] { std::this_thread::sleep_for(std::chrono::seconds(1)); };
  ASSERT_TRUE(cli.Send("break 3 1000000\nrun\n"));
  second();
  EXPECT_TRUE(SignalProcess(cli.id(), TerminalSignal::Interrupt));
  second();
  ASSERT_TRUE(cli.Send("terminate\n"));
  second();
  EXPECT_TRUE(SignalProcess(cli.id(), TerminalSignal::Quit));
  second();
  const Session run = Parse(cli.Finish());
  ASSERT_EQ(run.status, 0) << run.raw;
  ASSERT_EQ(run.Stops().size(), 1u) << run.raw;
  EXPECT_EQ(run.LastStop()["status"].text, "Terminated by User  -  Press F2 for Reset.");
  EXPECT_NE(Read(batch + ".ini").find("BreakCount=1000000"), std::string::npos);
}

TEST_F(E2eTest, ARunThatDoesNotStopTimesOut) {
  const Session run = Debug(Batch("endless.bat"), "run\n", {"--timeout", "1"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.events.back()["event"].text, "timeout");
}

}  // namespace
}  // namespace tarnvelock::e2e

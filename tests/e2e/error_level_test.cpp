// ERRORLEVEL under the debugger: a non-zero value stops the run once, at the
// line that set it, and no later line is judged by it; breakpoints keep their
// counts and conditions while it stays; the debugger's own work at a stop
// (edited variables, added commands) leaves it alone; and the batch's exit
// code is reported at the end of the run.
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Lines = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

// Clearing a variable that is not there leaves ERRORLEVEL 1 for the rest of
// the loop; line 5 is passed five times.
constexpr char kLoopAfterFailure[] =
    "@echo off\n"
    "set /a N=0\n"
    "set UNDEFINED_X=\n"
    ":top\n"
    "set /a N+=1\n"
    "echo pass %N%\n"
    "if %N% lss 5 goto top\n";

TEST_F(E2eTest, CountedAndConditionalBreakpointsHoldWhileErrorLevelStaysSet) {
  const std::string batch = Write("loop.bat", kLoopAfterFailure);
  for (const std::string breakpoint : {"break 5 3", "break 5 if %N%==3"}) {
    const Session run = Debug(batch, "option stoponerror off\n" + breakpoint + "\nrun\nrun\n");
    ASSERT_EQ(run.status, 1) << "the ERRORLEVEL at the end\n" << run.raw;
    const std::vector<Json> stops = run.Stops();
    ASSERT_EQ(stops.size(), 2u) << breakpoint << "\n" << run.raw;
    EXPECT_EQ(stops[0]["line"].number, 5);
    EXPECT_EQ(stops[0]["reason"].number, 3);
    EXPECT_EQ(Global(stops[0], "N"), "N=3") << breakpoint;
    EXPECT_EQ(stops[1]["reason"].number, 12) << breakpoint;
  }
  // Running to a line past the breakpoints does not stop at them either.
  const Session run = Debug(batch, "option stoponerror off\nbreak 5\ngoto! 6\n");
  ASSERT_EQ(run.Stops().size(), 1u) << run.raw;
  EXPECT_EQ(run.Stops()[0]["line"].number, 6);
  EXPECT_EQ(run.Stops()[0]["reason"].number, 2);
}

// ERRORLEVEL 3 from line 1 stays through lines that do not change it; line
// 6 sets a new value.
constexpr char kLingeringErrorLevel[] =
    "@echo off\n"
    "cmd /c exit 3\n"
    "echo after\n"
    "rem a note\n"
    "if 1==1 echo yes\n"
    "shift\n"
    "cmd /c exit 4\n"
    "echo end\n";

TEST_F(E2eTest, AnErrorLevelStopsOnceAtTheLineThatSetIt) {
  const std::string batch = Write("linger.bat", kLingeringErrorLevel);
  Session run = Debug(batch, "run\nrun\nrun\n");
  ASSERT_EQ(run.status, 4) << run.raw;
  EXPECT_EQ(run.StopLines(), (Lines{2, 7, 8})) << run.raw;
  EXPECT_EQ(run.Stops()[0]["error"].text, "ERRORLEVEL=3");
  EXPECT_EQ(run.Stops()[1]["error"].text, "ERRORLEVEL=4");
  EXPECT_EQ(run.Texts("message").size(), 2u);
  EXPECT_EQ(run.UserOutput(), (Texts{"after", "yes", "end"}));

  // Single steps report the error at the first line only.
  std::string steps;
  for (int i = 0; i < 8; ++i) steps += "step\n";
  run = Debug(batch, steps);
  ASSERT_EQ(run.Texts("message").size(), 2u) << run.raw;
  EXPECT_EQ(run.Stops()[2]["error"].text, "ERRORLEVEL=3");
  EXPECT_EQ(run.Stops()[3]["error"].text, "") << "the echo changed nothing";
  EXPECT_EQ(run.Stops()[3]["reason"].number, 1);
}

// The batch reads ERRORLEVEL after a call that failed with 4.
constexpr char kReadsErrorLevel[] =
    "@echo off\n"
    "set Y=1\n"
    "call :fail4\n"
    "echo el=%errorlevel%\n"
    "if errorlevel 1 (echo branch fail) else (echo branch ok)\n"
    "goto :eof\n"
    ":fail4\n"
    "exit /b 4\n";

TEST_F(E2eTest, WorkAtAStopKeepsTheBatchsErrorLevel) {
  const std::string batch = Write("keep.bat", kReadsErrorLevel);
  for (const std::string change : {"set Y=5", "add set Y=5", "add rem"}) {
    const Session run = Debug(batch, "option stoponerror off\nbreak 3\nrun\n" + change + "\nrun\n");
    ASSERT_EQ(run.status, 4) << run.raw;
    EXPECT_EQ(run.UserOutput(), (Texts{"el=4", "branch fail"})) << change << "\n" << run.raw;
    EXPECT_EQ(Global(run.LastStop(), "Y"), change == "add rem" ? "Y=1" : "Y=5") << change;
  }
  // A new ERRORLEVEL set at the stop is what the batch sees.
  const Session run = Debug(batch, "option stoponerror off\nbreak 3\nrun\nset ERRORLEVEL=0\nrun\n");
  EXPECT_EQ(run.UserOutput(), (Texts{"el=0", "branch ok"})) << run.raw;
}

TEST_F(E2eTest, TheExitCodeIsReportedAndBecomesTheProgramsStatus) {
  Session run = Debug(Write("exit5.bat", "@echo off\necho before\nexit 5\n"), "run\nlog\n");
  EXPECT_EQ(run.status, 5) << run.raw;
  EXPECT_EQ(run.LastStop()["reason"].number, 15);
  EXPECT_EQ(run.LastStop()["exitCode"].number, 5);
  EXPECT_TRUE(Contains(run.Texts("log"), "exit 5  /Ln=2")) << run.raw;

  run = Debug(Write("exitb.bat", "@echo off\nexit /b 3\n"), "run\n");
  EXPECT_EQ(run.status, 3) << run.raw;
  EXPECT_EQ(run.LastStop()["reason"].number, 12);
  EXPECT_EQ(run.LastStop()["exitCode"].number, 3);

  // Not when the person reset the run, nor when it did not end.
  EXPECT_EQ(Debug("exit5.bat", "run\nreset\n").status, 0);
  EXPECT_EQ(Debug("exit5.bat", "step\n").status, 0);
}

}  // namespace
}  // namespace tarnvelock::e2e

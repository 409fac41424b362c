// Stepping, breakpoints, Goto Line and added commands as a person at the
// debugger sees them.
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Lines = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

constexpr char kEndOfFile[] = "Reached <end of file>  -  Press F2 for Reset.";

std::string Repeat(const std::string& command, int times) {
  std::string script;
  for (int i = 0; i < times; ++i) script += command + "\n";
  return script;
}

TEST_F(E2eTest, SingleSteppingVisitsExactlyTheCommandLinesThatRun) {
  const Session run = Debug(Batch("step_through.bat"), Repeat("step", 13));
  ASSERT_EQ(run.status, 0) << run.raw;
  // No stop at comments, blank lines or labels; the skipped echo's IF line
  // and both passes of the loop are stops; the call follows into :show.
  EXPECT_EQ(run.StopLines(), (Lines{0, 3, 4, 6, 7, 6, 7, 8, 12, 13, 9, 10, 14}));
  const Json& end = run.LastStop();
  EXPECT_EQ(end["state"].text, "Ended");
  EXPECT_EQ(end["reason"].number, 12);
  EXPECT_EQ(end["status"].text, kEndOfFile);
  EXPECT_EQ(end["text"].text, "<end of file>");
  EXPECT_EQ(Global(end, "count"), "count=2");
  EXPECT_EQ(run.UserOutput(), (Texts{"count is 2", "done"}));

  const std::vector<Json> stops = run.Stops();
  EXPECT_EQ(stops[8]["call"].number, 1) << "inside :show";
  EXPECT_EQ(stops[8]["locals"].Texts(), (Texts{"0=:show", "1=2"}));
  EXPECT_EQ(stops[10]["call"].number, 0);
  EXPECT_EQ(stops[1]["status"].text, "Ready to execute next Line(s)");
}

TEST_F(E2eTest, NextSkipsALowerCaseCallAndStepsIntoAnUpperCaseOne) {
  const Session run = Debug(Batch("calls.bat"), Repeat("next", 5));
  ASSERT_EQ(run.status, 0) << run.raw;
  // "call :sub one" runs whole; "CALL :sub two" is entered like a step.
  EXPECT_EQ(run.StopLines(), (Lines{0, 1, 2, 6, 7}));
  EXPECT_EQ(run.Stops()[3]["call"].number, 1);
  EXPECT_EQ(run.UserOutput(), (Texts{"in sub one", "in sub two"}));
}

TEST_F(E2eTest, ACountedBreakpointStopsAtEveryThirdPass) {
  const Session run = Debug(Batch("loop_count.bat"), "break 3 3\nrun\nrun\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.StopLines(), (Lines{3, 3, 6}));
  const std::vector<Json> stops = run.Stops();
  EXPECT_EQ(stops[0]["reason"].number, 3);
  EXPECT_EQ(Global(stops[0], "n"), "n=2") << "before the third increment";
  EXPECT_EQ(Global(stops[1], "n"), "n=5");
  EXPECT_EQ(stops[2]["status"].text, kEndOfFile);
  EXPECT_EQ(run.UserOutput(), (Texts{"n=7"}));
}

TEST_F(E2eTest, GotoLineToACountedBreakpointStopsAtTheFirstPass) {
  const Session run = Debug(Batch("loop_count.bat"), "break 3 3\ngoto 3\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.StopLines(), (Lines{3, 3}));
  // A breakpoint comes before the goto target among the stop reasons.
  EXPECT_EQ(run.Stops()[0]["reason"].number, 3);
  EXPECT_EQ(Global(run.Stops()[0], "n"), "n=0");
  // The breakpoint counts on from there: its third pass comes with n=3.
  EXPECT_EQ(run.Stops()[1]["reason"].number, 3);
}

TEST_F(E2eTest, GotoLineIgnoringBreakpointsPassesThemAndExecuteRestoresThem) {
  const Session run = Debug(Batch("loop_count.bat"), "break 3\ngoto! 5\nreset\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.StopLines(), (Lines{5, 3}));
  EXPECT_EQ(Global(run.Stops()[0], "n"), "n=7");
  EXPECT_EQ(run.Stops()[0]["reason"].number, 2);
  EXPECT_EQ(run.Stops()[1]["reason"].number, 3);
}

TEST_F(E2eTest, ConditionalBreakpointSeesTheForVariable) {
  const Session run = Debug(Batch("for_items.bat"), "break 2 if %%i==c\nrun\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  ASSERT_EQ(run.StopLines(), (Lines{2, 5}));
  const Json stop = run.Stops()[0];
  EXPECT_EQ(stop["bracket"].number, 1);
  EXPECT_TRUE(Contains(stop["locals"].Texts(), "i=c")) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"item a", "item b", "item c", "item d", "after"}));
}

TEST_F(E2eTest, ConditionalBreakpointWithACountCountsOnlyWhenTheConditionHolds) {
  const Session run = Debug(Batch("loop_count.bat"), "break 3 2 if %n% GEQ 4\nrun\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.StopLines(), (Lines{3, 6}));
  EXPECT_EQ(Global(run.Stops()[0], "n"), "n=5") << "the second pass with n at least 4";
}

TEST_F(E2eTest, ConditionsAndAddedCommandsSeeTheBatchsOwnParameters) {
  const Session run = Debug(Batch("params.bat"),
                            "break 1 if \"%2\"==\"x\"\nbreak 2 if \"%2\"==\"c\"\nrun\n"
                            "add echo seen %~1\nrun\n",
                            {"--params", "\"a b\" c"});
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.StopLines(), (Lines{2, 2, 3})) << "line 1's condition is false";
  EXPECT_TRUE(Contains(run.UserOutput(), "seen a b")) << run.raw;

  // Back from a CALL, they see the caller's parameters again.
  const Session back =
      Debug(Batch("call_params.bat"),
            "break 2 if \"%1\"==\"abc\"\nrun\nadd echo added sees %1\nrun\n", {"--params", "abc"});
  ASSERT_EQ(back.status, 0) << back.raw;
  EXPECT_EQ(back.StopLines(), (Lines{2, 2, 6}));
  EXPECT_TRUE(Contains(back.UserOutput(), "added sees abc")) << back.raw;
}

TEST_F(E2eTest, RefusedBreakpointConditionsSayWhy) {
  const Session run =
      Debug(Batch("loop_count.bat"), "break 3 if n\nbreak 3 0\nbreak 2\nlist 3 3\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const Texts errors = run.Texts("error");
  ASSERT_EQ(errors.size(), 3u) << run.raw;
  EXPECT_NE(errors[0].find("Syntaxerror: Insert Condition for Batch IF-command!"),
            std::string::npos);
  EXPECT_NE(errors[1].find("count"), std::string::npos);
  EXPECT_NE(errors[2].find("line 2"), std::string::npos) << "a label takes no breakpoint";
  EXPECT_FALSE(run.All("line")[0]["breakpoint"].boolean);
}

TEST_F(E2eTest, AConditionThatWouldBreakTheIfLineNeverReachesTheBatch) {
  // Typed, it is refused with what is wrong; stored in the settings file, it
  // is dropped once with a message, and the breakpoint stays.
  const Session typed =
      Debug(Batch("loop_count.bat"), "break 3 1 if ((((( \"%~zzzz\" == ^^^\nrun\n");
  ASSERT_EQ(typed.status, 0) << typed.raw;
  ASSERT_EQ(typed.Texts("error").size(), 1u) << typed.raw;
  EXPECT_NE(typed.Texts("error")[0].find("Syntaxerror: Insert Condition for Batch IF-command! "
                                         "(\"%~\" is not followed"),
            std::string::npos)
      << typed.raw;
  EXPECT_EQ(typed.LastStop()["status"].text, kEndOfFile) << typed.raw;

  Write("loop_count.bat.ini", "[BreakPoint3]\nBreakCount=3\nBreakCond=%n%==1 & echo x\n");
  const Session stored = Debug("loop_count.bat", "run\nrun\nrun\n");
  ASSERT_EQ(stored.status, 0) << stored.raw;
  const Texts messages = stored.Texts("message");
  ASSERT_EQ(messages.size(), 1u) << stored.raw;
  EXPECT_NE(messages[0].find("line 3: %n%==1 & echo x"), std::string::npos) << stored.raw;
  EXPECT_EQ(stored.StopLines(), (Lines{3, 3, 6})) << "the count still holds";
  EXPECT_EQ(stored.LastStop()["status"].text, kEndOfFile);
  const Session again = Debug("loop_count.bat", "run\n");
  EXPECT_TRUE(again.Texts("message").empty()) << again.raw;
}

TEST_F(E2eTest, ASyntaxErrorOfAConditionNamesItsBreakpoint) {
  // The condition passes the check but breaks the IF once the variable
  // turns out empty; the line that ran before is not to blame.
  const Session run = Debug(Batch("loop_count.bat"), "break 3 if %nothing%==1\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const Texts messages = run.Texts("message");
  ASSERT_EQ(messages.size(), 1u) << run.raw;
  EXPECT_NE(messages[0].find("Check the condition of the breakpoint on line 3:\r\n%nothing%==1"),
            std::string::npos)
      << run.raw;
  EXPECT_EQ(run.LastStop()["line"].number, 3);
  EXPECT_EQ(run.LastStop()["reason"].number, 14);

  // A condition that evaluates leaves nothing behind and no error output.
  const Session fine = Debug("loop_count.bat", "break 3 if %n%==4\nrun\nrun\n");
  ASSERT_EQ(fine.status, 0) << fine.raw;
  EXPECT_EQ(fine.StopLines(), (Lines{3, 6}));
  EXPECT_EQ(Global(fine.Stops()[0], "n"), "n=4");
  EXPECT_TRUE(fine.Texts("message").empty()) << fine.raw;
}

TEST_F(E2eTest, AddedCommandStopsAgainAtTheSameLineWithTheNewValue) {
  const Session run =
      Debug(Batch("step_through.bat"), "step\nstep\nadd set count=5\nlog\nstep\nstep\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  ASSERT_EQ(run.StopLines(), (Lines{0, 3, 3, 4, 6}));
  const Json added = run.Stops()[2];
  EXPECT_EQ(added["reason"].number, 6);
  EXPECT_EQ(Global(added, "count"), "count=5");
  EXPECT_TRUE(Contains(added["globalsChanged"].Texts(), "count=5"));
  EXPECT_TRUE(Contains(run.Texts("log"), "Add Cmd \"set count=5\"  /Ln=3")) << run.raw;
  // The batch's own line still runs afterwards.
  EXPECT_EQ(Global(run.Stops()[3], "count"), "count=0");
}

}  // namespace
}  // namespace tarnvelock::e2e

// What a stop shows of the batch's state - depths, per-call parameters,
// variables and their edits, block marks, the event log - and what the
// batch is given: parameters, start directory, start-up command, echo and
// console input.
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Texts = std::vector<std::string>;

std::string Steps(int times) {
  std::string script;
  for (int i = 0; i < times; ++i) script += "step\n";
  return script;
}

TEST_F(E2eTest, SetlocalDepthsAndAMissingEndlocal) {
  const Session run = Debug(Batch("setlocal.bat"), Steps(12));
  ASSERT_EQ(run.status, 0) << run.raw;
  const std::vector<Json> stops = run.Stops();
  ASSERT_GE(stops.size(), 10u) << run.raw;
  std::vector<std::int64_t> depths;
  for (const Json& stop : stops) depths.push_back(stop["local"].number);
  // The subroutine's SETLOCAL is left open; its ENDLOCAL comes with the return.
  EXPECT_EQ(depths, (std::vector<std::int64_t>{0, 0, 0, 1, 1, 1, 2, 2, 1, 0, 0, 0}));
  EXPECT_EQ(stops[8]["error"].text, "Tarnvelock: 1 endlocal missing !");
  EXPECT_EQ(run.Texts("message").size(), 1u);
  EXPECT_EQ(Global(stops[9], "g"), "g=1");
}

TEST_F(E2eTest, CallDepthTwoShowsThatLevelsParametersAndIndentsTheLog) {
  const Session run = Debug(Batch("depth.bat"), "option logreturns on\nbreak 10\nrun\nrun\nlog\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const Json stop = run.Stops()[0];
  EXPECT_EQ(stop["call"].number, 2);
  // JSON carries the values as they are, blanks included.
  EXPECT_EQ(stop["locals"].Texts(), (Texts{"0=:two", "1=\"b c\"", "2=d"}));
  EXPECT_EQ(Global(stop, "v"), "v=b c");
  const Texts log = run.Texts("log");
  EXPECT_TRUE(Contains(log, "call :one a  /Ln=2")) << run.raw;
  EXPECT_TRUE(Contains(log, "    call :two \"b c\" d  /Ln=6"));
  EXPECT_TRUE(Contains(log, "        log: in two d")) << "the batch's own :_dbgLog line";
  EXPECT_EQ(log.front(), std::string(dir_) + "/depth.bat   /Ln=0");
  // The file has the returns as well, each at the depth it returns from.
  const std::string file = Read("depth.bat.log");
  EXPECT_NE(file.find("        log: in two d\r\n        ret  /Ln=11\r\n    ret  /Ln=7\r\n"),
            std::string::npos)
      << file;
}

TEST_F(E2eTest, TheEventLogFileHoldsLineTimesWhenAsked) {
  const Session run = Debug(Batch("loop_count.bat"), "option loglines on\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const std::string log = Read("loop_count.bat.log");
  EXPECT_TRUE(log.starts_with(dir_ + "/loop_count.bat   /Ln=0\r\n")) << log;
  EXPECT_NE(log.find("LineTime="), std::string::npos) << log;
  EXPECT_NE(log.find("  /Ln=5 \r\n"), std::string::npos) << log;
}

TEST_F(E2eTest, EditedGlobalsAndErrorLevelReachTheBatch) {
  const Session run = Debug(Batch("step_through.bat"),
                            "step\nstep\nset count=41\nset nosuch=1\nset ERRORLEVEL=x\nstep\n"
                            "set ERRORLEVEL=4\nstep\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const std::vector<Json> stops = run.Stops();
  ASSERT_EQ(stops.size(), 4u) << run.raw;
  // "set count=0" at line 3 runs after the edit; the new value shows first.
  EXPECT_EQ(run.Texts("error").size(), 1u) << "nosuch is not watched";
  EXPECT_TRUE(Contains(run.Texts("message"), "\"x\" ist kein g\xC3\xBCltiger ERRORLEVEL"));
  EXPECT_EQ(Global(stops[2], "count"), "count=0");
  EXPECT_EQ(Global(stops[3], "ERRORLEVEL"), "ERRORLEVEL=4");
  EXPECT_EQ(stops[3]["error"].text, "") << "set by the person, not by the line";
}

TEST_F(E2eTest, AnEditedGlobalIsSeenByTheNextLine) {
  const Session run = Debug(Batch("block.bat"), "goto 6\nset a=7\nset CD=/\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"in block 1 2", "after 7"}));
  EXPECT_EQ(Global(run.LastStop(), "CD"), "CD=/");
  EXPECT_TRUE(Contains(run.LastStop()["globalsChanged"].Texts(), "a=7"));
}

TEST_F(E2eTest, InsideABlockTheBlockEntryValuesAreShown) {
  const Session run = Debug(Batch("block.bat"), "goto 4\n");
  const Json stop = run.Stops()[0];
  EXPECT_TRUE(Contains(stop["globals"].Texts(), "!a!=2"));
  EXPECT_EQ(stop["localSplit"].number, 1);
  EXPECT_TRUE(Contains(stop["locals"].Texts(), "a=1"));
}

TEST_F(E2eTest, ParametersStartDirectoryAndStartUpCommand) {
  Write("work/keep.txt", "");
  Write("params.bat.ini", "[Run]\nStartDir=" + dir_ + "/work\nStartUp=@set pre=from startup\n");
  const Session run = Debug(Batch("params.bat"), "run\n", {"--params", "\"a b\" c"});
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"first=\"a b\" second=c unquoted=a b",
                                     "where " + dir_ + "/work pre=from startup"}));
  // The parameters are kept with the batch's settings for the next session.
  const Session again = Debug("params.bat", "run\n");
  EXPECT_EQ(again.UserOutput().front(), "first=\"a b\" second=c unquoted=a b") << again.raw;
}

TEST_F(E2eTest, ParametersKeepPercentSignsAndFollowAShiftWithoutGoto) {
  const Session run = Debug(Batch("shift_plain.bat"), "break 3 if \"%1\"==\"c\"\nrun\nrun\n",
                            {"--params", "a%x%b c"});
  ASSERT_EQ(run.status, 0) << run.raw;
  ASSERT_EQ(run.StopLines(), (std::vector<std::int64_t>{3, 4})) << run.raw;
  EXPECT_TRUE(Contains(run.Stops()[0]["locals"].Texts(), "1=c")) << run.raw;
  EXPECT_EQ(run.UserOutput(), (std::vector<std::string>{"first=a%x%b", "second=c"}));
}

TEST_F(E2eTest, EchoStateFollowsTheBatchAndTheEchoCommand) {
  // The debugger starts a batch with echo off unless told otherwise.
  Session run = Debug(Batch("echo_plain.bat"), "step\nstep\n");
  EXPECT_FALSE(run.Stops()[1]["echo"].boolean) << run.raw;

  run = Debug("echo_plain.bat", "option echo on\nstep\nstep\noption echo off\nstep\n");
  ASSERT_EQ(run.Stops().size(), 3u) << run.raw;
  EXPECT_TRUE(run.Stops()[1]["echo"].boolean) << run.raw;
  EXPECT_FALSE(run.Stops()[2]["echo"].boolean) << "switched while stopped";
  EXPECT_TRUE(Contains(run.UserOutput(), "hello"));
}

TEST_F(E2eTest, ConsoleInputReachesPauseAndSetP) {
  // Typed ahead: kept until the batch reads the console.
  Session run = Debug(Batch("input.bat"), "input Ann\nkey\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_TRUE(Contains(run.UserOutput(), "bye")) << run.raw;
  EXPECT_NE(run.raw.find("hello Ann"), std::string::npos);
  EXPECT_EQ(run.LastStop()["reason"].number, 12);

  // Asked for: the run returns when the batch waits, the input goes on.
  run = Debug("input.bat", "run\ninput Bob\nkey\n");
  const std::vector<Json> waits = run.All("input");
  ASSERT_EQ(waits.size(), 2u) << run.raw;
  EXPECT_EQ(waits[0]["line"].number, 1);
  EXPECT_EQ(waits[1]["line"].number, 3);
  EXPECT_NE(run.raw.find("hello Bob"), std::string::npos);
  EXPECT_EQ(run.LastStop()["reason"].number, 12);
}

TEST_F(E2eTest, ALoopThatAsksAgainAtTheSameLineIsSeenEachTime) {
  // Asked for, one answer after each question.
  Session run = Debug(Batch("input_loop.bat"), "run\ninput one\ninput two\ninput three\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  std::vector<std::int64_t> lines;
  for (const Json& wait : run.All("input")) lines.push_back(wait["line"].number);
  EXPECT_EQ(lines, (std::vector<std::int64_t>{4, 4, 4})) << run.raw;
  EXPECT_EQ(run.LastStop()["reason"].number, 12);

  // Typed ahead, the answers are handed out one per question.
  run = Debug("input_loop.bat", "input one\ninput two\ninput three\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_TRUE(run.All("input").empty()) << run.raw;
  EXPECT_NE(run.raw.find("got two"), std::string::npos);
  EXPECT_TRUE(Contains(run.UserOutput(), "done")) << run.raw;
}

}  // namespace
}  // namespace tarnvelock::e2e

// What a person at the terminal reaches for: help per command, one variable,
// the call levels, running to the end of a call, the breakpoint list, the
// legend of a listing, options at a stop, the batch's output alone, and text
// without the terminal's doubled line ends.
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Texts = std::vector<std::string>;

TEST_F(E2eTest, HelpForOneCommandGivesItsArgumentsAndAnExample) {
  const Session run = Debug(Batch("depth.bat"), "help break\nhelp nosuch\nhelp\n");
  const Texts help = run.Texts("help");
  ASSERT_EQ(help.size(), 2u) << run.raw;
  EXPECT_TRUE(help[0].starts_with("break N [COUNT] [if CONDITION]\n")) << help[0];
  EXPECT_NE(help[0].find("\n  COUNT "), std::string::npos) << help[0];
  EXPECT_NE(help[0].find("\nexample: break "), std::string::npos) << help[0];
  for (const char* command : {"print NAME", "backtrace", "finish", "info breakpoints"}) {
    EXPECT_NE(help[1].find(command), std::string::npos) << command;
  }
  EXPECT_EQ(run.Texts("error"), (Texts{"help: no command \"nosuch\""}));
}

TEST_F(E2eTest, PrintShowsAnyVariableOfTheStoppedBatch) {
  const std::string batch =
      Write("print.bat", "@echo off\nset \"v=a b & c\"\nfor %%f in (x) do set w=%%f\necho end\n");
  const Session run = Debug(batch, "goto 3\nprint v\nprint PATH\nprint nosuch\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const std::vector<Json> printed = run.All("print");
  ASSERT_EQ(printed.size(), 3u) << run.raw;
  EXPECT_EQ(printed[0]["value"].text, "a b & c");
  EXPECT_EQ(printed[1]["value"].text, std::getenv("PATH")) << "not a watched name";
  EXPECT_FALSE(printed[2]["defined"].boolean);
  // The batch is still where it was and runs on as before.
  EXPECT_EQ(run.Stops().size(), 2u) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"end"}));
}

TEST_F(E2eTest, BacktraceAndFinishFollowTheCallLevels) {
  const Session run = Debug(Batch("depth.bat"), "break 10\nrun\nbacktrace\nfinish\nfinish\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const std::vector<Json> traces = run.All("backtrace");
  ASSERT_EQ(traces.size(), 1u) << run.raw;
  const std::vector<Json>& frames = traces[0]["frames"].items;
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0]["line"].number, 10);
  EXPECT_EQ(frames[0]["target"].text, ":two");
  EXPECT_EQ(frames[0]["arguments"].Texts(), (Texts{"\"b c\"", "d"}));
  EXPECT_EQ(frames[1]["line"].number, 6) << "the CALL of :two";
  EXPECT_EQ(frames[1]["target"].text, ":one");
  EXPECT_EQ(frames[2]["line"].number, 2);
  // Each finish reports one stop, a level further out.
  const std::vector<Json> stops = run.Stops();
  ASSERT_EQ(stops.size(), 3u) << run.raw;
  EXPECT_EQ(stops[1]["call"].number, 1);
  EXPECT_EQ(stops[1]["line"].number, 7);
  EXPECT_EQ(stops[2]["call"].number, 0);
  EXPECT_EQ(stops[2]["line"].number, 3);
}

TEST_F(E2eTest, InfoBreakpointsListsCountsConditionsAndHits) {
  const Session run =
      Debug(Batch("loop_count.bat"), "break 3 2\nbreak 4 if %n%==5\nrun\nrun\ninfo breakpoints\n");
  const std::vector<Json> rows = run.All("breakpoint");
  ASSERT_EQ(rows.size(), 2u) << run.raw;
  EXPECT_EQ(rows[0]["line"].number, 3);
  EXPECT_EQ(rows[0]["count"].number, 2);
  EXPECT_EQ(rows[1]["condition"].text, "%n%==5");
  EXPECT_EQ(rows[0]["hits"].number + rows[1]["hits"].number, 2);
}

TEST_F(E2eTest, OptionsAtAStopAndTheReasonWhenNot) {
  const Session run = Debug(Batch("depth.bat"), "step\noption logadds on\noption enablebreak on\n");
  EXPECT_EQ(run.Texts("error"),
            (Texts{"option: not now: the batch is generated with or without the break test "
                   "(reset first)"}))
      << run.raw;
}

TEST_F(E2eTest, TextForPeopleHasPlainLineEndsALegendAndNoBannerWhenQuiet) {
  const std::string batch = Batch("step_through.bat");
  Write("plain.txt", "break 3\nrun\nlist 2 4\nrun\n", false);
  const auto plain = [&](const std::string& extra) {
    std::vector<std::string> arguments{"--poll-ms", "10",       "--timeout",
                                       "20",        "--script", "plain.txt"};
    if (!extra.empty()) arguments.push_back(extra);
    arguments.push_back(batch);
    return Run(TARNVELOCK_CLI, arguments, DebuggerSettings(dir_));
  };
  Session run = plain("");
  EXPECT_EQ(run.raw.find('\r'), std::string::npos) << run.raw;
  EXPECT_NE(run.raw.find("Tarnvelock  Version"), std::string::npos);
  EXPECT_NE(run.raw.find("     marks: > execution line, B breakpoint\n"), std::string::npos)
      << run.raw;
  EXPECT_NE(run.raw.find("   exit code 0\n"), std::string::npos) << run.raw;

  run = plain("--quiet");
  EXPECT_EQ(run.raw.find("Tarnvelock  Version"), std::string::npos) << run.raw;
  EXPECT_EQ(run.raw.find("No Startup-Command defined"), std::string::npos) << run.raw;
  EXPECT_NE(run.raw.find("count is 2\n"), std::string::npos) << run.raw;
}

}  // namespace
}  // namespace tarnvelock::e2e

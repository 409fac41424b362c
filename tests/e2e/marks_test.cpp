// Line marks that change how the batch runs (ignore, no debug, echo), the
// listing that shows them, the text output for people and the exit
// statuses of the program.
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Lines = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

TEST_F(E2eTest, IgnoredUndebuggedAndEchoedLines) {
  // step_through.bat: 3 "set count=0", 6 "set /a count+=1", 9 "echo done".
  const Session run =
      Debug(Batch("step_through.bat"), "ignore 9\nnodebug 6\necho 3\nlist 3 9\nlist 14 14\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  const std::vector<Json> lines = run.All("line");
  ASSERT_EQ(lines.size(), 8u) << run.raw;
  EXPECT_TRUE(lines[0]["echo"].boolean);
  EXPECT_TRUE(lines[3]["nodebug"].boolean);
  EXPECT_TRUE(lines[6]["ignore"].boolean);
  EXPECT_EQ(lines[7]["text"].text, "<end of file>");
  EXPECT_FALSE(lines[7]["ignore"].boolean) << "the end of the file carries no marks";
}

TEST_F(E2eTest, MarkedLinesRunAsMarked) {
  std::string steps;
  for (int i = 0; i < 10; ++i) steps += "step\n";
  const Session run = Debug(Batch("step_through.bat"), "ignore 9\nnodebug 6\n" + steps);
  ASSERT_EQ(run.status, 0) << run.raw;
  // No stop at the undebugged line 6, and the ignored echo prints nothing.
  EXPECT_EQ(run.StopLines(), (Lines{0, 3, 4, 7, 7, 8, 12, 13, 10, 14}));
  EXPECT_EQ(run.UserOutput(), (Texts{"count is 2"}));
  // Marks need a batch that is not running.
  const Session refused = Debug("step_through.bat", "step\nignore 4\n");
  EXPECT_EQ(refused.Texts("error").size(), 1u) << refused.raw;
}

TEST_F(E2eTest, PlainOutputShowsTheStopForPeople) {
  Batch("step_through.bat");
  Write("plain.txt", "break 3\nrun\nhelp\n", false);
  const Session run =
      Run(TARNVELOCK_CLI,
          {"--poll-ms", "10", "--timeout", "20", "--script", "plain.txt", "step_through.bat"},
          DebuggerSettings(dir_));
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_NE(run.raw.find("-> 3 (breakpoint): set count=0\n   Ready to execute next Line(s)\n"
                         "   Call = 0   Local = 0   ( = 0   echo off\n"),
            std::string::npos)
      << run.raw;
  EXPECT_NE(run.raw.find("  global   CD=" + dir_ + "\n"), std::string::npos) << run.raw;
  EXPECT_NE(run.raw.find("break N [COUNT] [if CONDITION]"), std::string::npos);
  EXPECT_TRUE(run.events.empty()) << "no JSON without --json";
}

TEST_F(E2eTest, ExitStatusesOfTheProgram) {
  EXPECT_EQ(Run(TARNVELOCK_CLI, {"--json"}, Settings("")).status, 64);
  EXPECT_EQ(Run(TARNVELOCK_CLI, {"--poll-ms", "0", "x.bat"}, Settings("")).status, 64);
  EXPECT_EQ(Run(TARNVELOCK_CLI, {"missing.bat"}, DebuggerSettings(dir_)).status, 1);
  Batch("loop_count.bat");
  EXPECT_EQ(
      Run(TARNVELOCK_CLI, {"--script", "nothing.txt", "loop_count.bat"}, Settings(dir_)).status, 1);
  // A bad command is reported and the session goes on.
  const Session run = Debug("loop_count.bat", "jump 3\nstep\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.Texts("error").size(), 1u);
  EXPECT_EQ(run.Stops().size(), 1u);
}

}  // namespace
}  // namespace tarnvelock::e2e

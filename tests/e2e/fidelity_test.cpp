// What the batch does and prints under the debugger is what it does without
// it: values edited at a stop arrive as typed, every error line is shown
// once, SETLOCAL bookkeeping reports no error that is not there, the
// breakpoints the batch holds are the ones the person sees, a batch that
// calls itself stays one run, and one that looks for files beside itself is
// told how to find them.
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Texts = std::vector<std::string>;

constexpr char kProject[] =
    "@echo off\n"
    "set PROJECT=x\n"
    "echo set\n"
    "echo done\n";

TEST_F(E2eTest, AnEditedValueIsStoredAsTypedNotRun) {
  const std::string batch = Write("project.bat", kProject);
  for (const std::string& value :
       {std::string("my proj & echo INJECTED"), std::string("50% off | \"quoted\" <in> ^caret"),
        std::string("bang! and ^ caret! %PATH%"), std::string("trailing blanks  ")}) {
    const Session run =
        Debug(batch, "option blanks off\nbreak 2\nrun\nset PROJECT=" + value + "\nstep\nrun\n");
    ASSERT_EQ(run.status, 0) << run.raw;
    ASSERT_EQ(run.Stops().size(), 3u) << value << "\n" << run.raw;
    EXPECT_EQ(Global(run.Stops()[1], "PROJECT"), "PROJECT=" + value) << run.raw;
    EXPECT_EQ(run.UserOutput(), (Texts{"set", "done"})) << value;
  }
  // The current directory too.
  std::filesystem::create_directories(dir_ + "/a&b (c)");
  const Session run = Debug(batch, "break 2\nrun\nset CD=" + dir_ + "/a&b (c)\nstep\n");
  EXPECT_EQ(Global(run.Stops()[1], "CD"), "CD=" + dir_ + "/a&b (c)") << run.raw;
}

constexpr char kErrorLines[] =
    "@echo off\n"
    "(echo block err 1& echo block err 2) 1>&2\n"
    "echo three 1>&2& echo four 1>&2& echo five 1>&2\n"
    "setlocal\n"
    "echo usage line 1>&2\n"
    "echo after\n";

TEST_F(E2eTest, EveryErrorLineIsShownOnceInOrder) {
  const Session run = Debug(Write("errors.bat", kErrorLines), "option stoponerror off\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  Texts errors, output;
  for (const Json& event : run.All("output")) {
    (event["stream"].text == "stderr" ? errors : output).push_back(event["text"].text);
  }
  EXPECT_EQ(errors,
            (Texts{"block err 1", "block err 2", "three ", "four ", "five ", "usage line "}))
      << run.raw;
  EXPECT_EQ(output.back(), "after") << run.raw;
  EXPECT_EQ(run.UserOutput().size(), 7u) << "nothing else, nothing twice:\n" << run.raw;
}

TEST_F(E2eTest, DisablingDelayedExpansionIsNoEndlocalError) {
  const Session run = Debug(Write("disable.bat",
                                  "@echo off\n"
                                  "setlocal DisableDelayedExpansion\n"
                                  "set X=1\n"
                                  "endlocal\n"
                                  "echo done\n"),
                            "run\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  // Only the warning at load.
  EXPECT_EQ(run.Texts("message"), (Texts{"DisableDelayedExpansion in Zeile 1 nicht erlaubt!"}));
  EXPECT_EQ(run.LastStop()["reason"].number, 12) << run.raw;
  EXPECT_EQ(run.LastStop()["error"].text, "");
  EXPECT_EQ(run.UserOutput(), (Texts{"done"}));
}

TEST_F(E2eTest, ABreakpointClearedAtAnotherLineIsGoneForTheBatchToo) {
  const std::string batch = Batch("loop_count.bat");  // line 3 "set /a n+=1", 7 passes
  const Session run = Debug(batch, "break 3\nrun\nstep\nclear 3\nrun\nrun\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_TRUE(run.Texts("message").empty()) << run.raw;
  ASSERT_EQ(run.Stops().size(), 3u) << run.raw;
  EXPECT_EQ(run.Stops()[2]["reason"].number, 12);
  // And one set at another line is there as well.
  const Session set = Debug(batch, "break 3\nrun\nstep\nclear 3\nbreak 5\nrun\n");
  EXPECT_EQ(set.Stops()[2]["line"].number, 5) << set.raw;
  EXPECT_EQ(set.Stops()[2]["reason"].number, 3);
}

constexpr char kSelfCall[] =
    "@echo off\n"
    "if \"%1\"==\"worker\" goto worker\n"
    "echo outer start\n"
    "call \"%~f0\" worker\n"
    "echo outer end %errorlevel%\n"
    "goto :eof\n"
    ":worker\n"
    "echo inner %1\n"
    "exit /b 2\n";

TEST_F(E2eTest, ABatchThatCallsItselfIsOneRunWithANestedLevel) {
  const std::string batch = Write("self.bat", kSelfCall);
  Session run = Debug(batch, "option stoponerror off\nrun\n");
  ASSERT_EQ(run.status, 2) << "the inner copy's exit code stayed\n" << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"outer start", "inner worker", "outer end 2"})) << run.raw;
  EXPECT_EQ(run.LastStop()["reason"].number, 12);

  run = Debug(batch, "break 7\nrun\nrun\nrun\n");
  ASSERT_GE(run.Stops().size(), 1u) << run.raw;
  EXPECT_EQ(run.Stops()[0]["line"].number, 7);
  EXPECT_EQ(run.Stops()[0]["call"].number, 1);
  EXPECT_EQ(run.Stops()[0]["locals"].Texts()[1], "1=worker");
}

TEST_F(E2eTest, ABatchThatReadsFilesBesideItselfIsToldAboutInPlace) {
  Write("data.txt", "data line\n");
  const std::string batch = Write("beside.bat", "@echo off\ntype \"%~dp0data.txt\"\n");
  Session run = Debug(batch, "quit\n");
  const Texts notes = run.Texts("note");
  ASSERT_EQ(notes.size(), 1u) << run.raw;
  EXPECT_NE(notes[0].find("--in-place"), std::string::npos) << notes[0];
  EXPECT_NE(notes[0].find("Enable %0"), std::string::npos) << notes[0];

  run = Debug(batch, "run\n", {"--in-place"});
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.UserOutput(), (Texts{"data line"})) << run.raw;
  EXPECT_EQ(Read("beside.bat"), "@echo off\r\ntype \"%~dp0data.txt\"\r\n") << "put back";
  EXPECT_EQ(Read("beside.bat.ini").find("Prozent0=1"), std::string::npos)
      << "only for the session:\n"
      << Read("beside.bat.ini");

  // No word for a batch that does not refer to itself.
  EXPECT_TRUE(Debug(Write("plain.bat", "@echo off\necho hi\n"), "quit\n").Texts("note").empty());
}

}  // namespace
}  // namespace tarnvelock::e2e

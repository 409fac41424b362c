// tarnvelock-cli's inspecting modes run as a program: the analysis as JSON
// for the line kinds, continuations, PAUSE-like lines and trailing REMs the
// debugger must recognise, the exit statuses, and the instrumented batch
// (whole, byte for byte, with every setting given by a switch).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/golden/whole/first_example_golden.h"
#include "tests/support/program_run.h"
#include "tests/support/temp_tree.h"

namespace {

using tarnvelock::test::ProgramRun;
using Arguments = std::vector<std::string>;

// Runs the CLI with arguments; stderr is dropped unless merged is set.
ProgramRun RunCli(const Arguments& arguments, bool merged = false) {
  tarnvelock::test::RunSettings settings;
  settings.merge_stderr = merged;
  return tarnvelock::test::RunProgram(TARNVELOCK_CLI, arguments, settings);
}

class CliProgramTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string Path(const std::string& name) const { return (tree_.path() / name).string(); }

  // "/tmp/tarnvelock-cli-XXXXXX" on POSIX, as long as the golden file's name.
  tarnvelock::test::TempTree tree_{"tarnvelock-cli-", Base()};
  const std::string dir_ = tree_.native();

 private:
  static std::filesystem::path Base() {
#ifdef _WIN32
    return std::filesystem::temp_directory_path();
#else
    return "/tmp";
#endif
  }
};

// text as a JSON string's contents.
std::string JsonText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    escaped += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
  }
  return escaped;
}

// One expected line of the analysis JSON.
std::string Line(int index, const char* kind, const std::string& text, int rem_pos = 0,
                 bool pause = false, bool concat = false) {
  return "{\"index\":" + std::to_string(index) + ",\"kind\":\"" + kind +
         "\",\"concat\":" + (concat ? "true" : "false") +
         ",\"pause\":" + (pause ? "true" : "false") + ",\"remPos\":" + std::to_string(rem_pos) +
         ",\"text\":\"" + JsonText(text) + "\"}";
}

TEST_F(CliProgramTest, AnalysisJsonCoversTheLineKindsAndFindings) {
  const std::string batch =
      Write("kinds.bat",
            "@@echo x\r\n@rem x\r\n)\r\n) else (\r\n) & echo x\r\n(echo x\r\n) rem done\r\n:\r\n"
            ":loop\r\n: loop\r\n:_dbgTestX\r\n:my-label\r\necho a ^\r\nb\r\nset /a n+=1\r\n"
            "set \"x=1\"\r\nset y\r\nset 1x=2\r\nset /p name=Name?\r\npause\r\nexit /b 3\r\n"
            "if x==y exit\r\necho pause\r\necho x & rem y\r\n    echo x & rem y\r\n::note\r\n"
            "\r\nshift\r\ngoto x\r\n");
  const ProgramRun result = RunCli({"--analyse", "--json", batch});
  ASSERT_EQ(result.status, 0);
  const std::string expected =
      "{\"lines\":[" + Line(0, "remNoRem", "@@echo x") + "," + Line(1, "remREM", "@rem x") + "," +
      Line(2, "remKlammer", ")") + "," + Line(3, "remKlammer", ") else (") + "," +
      Line(4, "remNoRem", ") & echo x") + "," + Line(5, "remNoRem", "(echo x") + "," +
      Line(6, "remKlammer", ") rem done") + "," + Line(7, "remREMDo", ":") + "," +
      Line(8, "remLabel", ":loop") + "," + Line(9, "remLabel", ": loop") + "," +
      Line(10, "remLabel", ":_dbgTestX") + "," + Line(11, "remLabel", ":my-label") + "," +
      Line(12, "remNoRem", "echo a ^") + "," + Line(13, "remNoRem", "b", 0, false, true) + "," +
      Line(14, "remNoRem", "set /a n+=1") + "," + Line(15, "remNoRem", "set \"x=1\"") + "," +
      Line(16, "remNoRem", "set y") + "," + Line(17, "remNoRem", "set 1x=2") + "," +
      Line(18, "remNoRem", "set /p name=Name?", 0, true) + "," +
      Line(19, "remNoRem", "pause", 0, true) + "," + Line(20, "remNoRem", "exit /b 3", 0, true) +
      "," + Line(21, "remNoRem", "if x==y exit", 0, true) + "," +
      Line(22, "remNoRem", "echo pause") + "," + Line(23, "remNoRem", "echo x & rem y", 9) + "," +
      Line(24, "remNoRem", "    echo x & rem y", 13) + "," + Line(25, "remREMDo", "::note") + "," +
      Line(26, "remEmpty", "") + "," + Line(27, "remNoRem", "shift") + "," +
      Line(28, "remNoRem", "goto x") + "," + Line(29, "remNoRem", "<end of file>") +
      "],\"globalNames\":[\"n\",\"name\",\"x\"],\"navigation\":[{\"text\":\"" + JsonText(batch) +
      "\",\"line\":0},{\"text\":\":loop\",\"line\":8},{\"text\":\":loop\",\"line\":9},"
      "{\"text\":\":my\",\"line\":11}],\"shiftGoto\":true}\n";
  EXPECT_EQ(result.output, expected);
}

TEST_F(CliProgramTest, ExitStatusTellsMissingFromRejected) {
  const ProgramRun missing = RunCli({"--analyse", Path("none.bat")}, true);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("File " + Path("none.bat") + " not found!"), std::string::npos);

  const std::string rejected = Write("bad.bat", "@echo off\r\nset _dbgX=1\r\n");
  const ProgramRun result = RunCli({"--analyse", "--json", rejected}, true);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.output, "Variable _dbg... im Debugger nicht erlaubt!\n");

  EXPECT_EQ(RunCli({"--analyse"}).status, 64);
  EXPECT_EQ(RunCli({"--bogus"}).status, 64);
}

TEST_F(CliProgramTest, FilesThatAreNoBatchAreRefusedWithTheReason) {
  const ProgramRun directory = RunCli({"--analyse", dir_}, true);
  EXPECT_EQ(directory.status, 2);
  EXPECT_NE(directory.output.find(dir_ + " is a directory"), std::string::npos) << directory.output;

  // UTF-16 with and without its byte-order mark: the interpreter would not
  // run it either, so it is not read as bytes with NULs in every line.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("@echo off\r\necho x\r\n")) utf16 += std::string{c, '\0'};
  for (const std::string& bytes : {utf16, utf16.substr(2)}) {
    const std::string batch = Write("wide.bat", bytes);
    const ProgramRun result = RunCli({"--analyse", batch}, true);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("must be saved as 8-bit text"), std::string::npos)
        << result.output;
  }
}

TEST_F(CliProgramTest, ABatchLeftInThePercentZeroModeSaysWhereItsTextIs) {
  // A front end killed while %0 was enabled leaves the instrumented batch
  // under the batch's name and the user's text beside it.
  const std::string batch = Write("left.bat", "@echo off\r\necho mine\r\n");
  const ProgramRun instrumented = RunCli({"--instrument", batch});
  ASSERT_EQ(instrumented.status, 0);
  std::filesystem::rename(batch, batch + ".org");
  Write("left.bat", instrumented.output);
  for (const char* mode : {"--analyse", "--instrument"}) {
    const ProgramRun result = RunCli({mode, batch}, true);
    EXPECT_EQ(result.status, 2) << mode;
    EXPECT_NE(result.output.find(batch + ".org"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("opening the batch in the debugger puts it back"),
              std::string::npos)
        << result.output;
  }
  EXPECT_EQ(Read(batch + ".org"), "@echo off\r\necho mine\r\n") << "inspecting moves nothing";
}

TEST_F(CliProgramTest, InstrumentWritesTheRewrittenLinesInsideTheLayout) {
  const std::string golden = std::string(TARNVELOCK_SOURCE_DIR) + "/tests/golden/per_line/";
  const std::string batch = Write("for_block.bat", Read(golden + "for_block.bat"));
  const std::string temp = std::filesystem::temp_directory_path().string();
  const ProgramRun result = RunCli({"--instrument", batch, "--tmp", temp});
  ASSERT_EQ(result.status, 0);
  EXPECT_TRUE(result.output.starts_with("@if .%1==.%_dbg% call :%_dbg% -2 %0\r\n"));
  EXPECT_NE(result.output.find(Read(golden + "for_block.expected")), std::string::npos)
      << "the per-line section appears unchanged in the whole file";
  EXPECT_NE(result.output.find("\r\n@goto :eof\r\n"), std::string::npos);

  const std::string output = Path("out.cmd");
  ASSERT_EQ(RunCli({"--instrument", batch, "--tmp", temp, "-o", output}).status, 0);
  EXPECT_EQ(Read(output), result.output) << "-o writes exactly what stdout shows";
}

TEST_F(CliProgramTest, InstrumentNeverWritesOverTheBatchsOwnText) {
  const std::string text = "@echo off\r\necho mine\r\n";
  const std::string batch = Write("mine.bat", text);
  Write("mine.bat.org", text);
  std::vector<std::string> outputs = {batch, batch + ".org", Path("./mine.bat")};
#ifndef _WIN32
  // Links to the batch are the batch too (Windows wants rights for them).
  std::filesystem::create_symlink(batch, Path("link.cmd"));
  std::filesystem::create_hard_link(batch, Path("hard.cmd"));
  outputs.push_back(Path("link.cmd"));
  outputs.push_back(Path("hard.cmd"));
#endif
  for (const std::string& output : outputs) {
    const ProgramRun result = RunCli({"--instrument", batch, "-o", output}, true);
    EXPECT_EQ(result.status, 2) << output;
    EXPECT_NE(result.output.find("over the batch's own text"), std::string::npos) << result.output;
  }
  EXPECT_EQ(Read(batch), text);
  EXPECT_EQ(Read(batch + ".org"), text);
}

TEST_F(CliProgramTest, InstrumentAppliesTheSettingsFileUnlessTold) {
  const std::string batch = Write("job.bat", "@echo off\r\necho one\r\n");
  Write("job.bat.ini",
        "[Run]\r\nEnableBreak=1\r\nParameters=\xC3\x9E"
        "a b\xC3\x9E\r\n");
  const ProgramRun with = RunCli({"--instrument", batch});
  ASSERT_EQ(with.status, 0);
  EXPECT_NE(with.output.find("_dbgDoBreak"), std::string::npos);
  EXPECT_NE(with.output.find("*  Parameter   \"a b\""), std::string::npos);

  const ProgramRun without = RunCli({"--instrument", batch, "--no-settings", "--params", "x"});
  EXPECT_EQ(without.output.find("if exist \"%_dbgTmp%_dbgDoBreak\""), std::string::npos);
  EXPECT_EQ(without.output.find("if exist %_dbgTmp%_dbgDoBreak"), std::string::npos);
  EXPECT_NE(without.output.find("*  Parameter   x "), std::string::npos);
  EXPECT_FALSE(std::ifstream(batch + ".org").good()) << "inspecting moves no file";

  const ProgramRun startup = RunCli({"--instrument", batch, "--startup", "set LEVEL=3"});
  EXPECT_NE(startup.output.find("\r\nset LEVEL=3\r\n"), std::string::npos);
  EXPECT_NE(startup.output.find("@echo LEVEL=!LEVEL!\r\n"), std::string::npos)
      << "a variable the start-up command sets is watched";
}

TEST_F(CliProgramTest, InstrumentWithEverySwitchGivesTheExpectedFile) {
  namespace golden = tarnvelock::first_example;
#ifdef _WIN32
  GTEST_SKIP() << "the expected file holds POSIX paths";
#endif
  // The banner pads the batch's path, so the path must be as long as the
  // expected file's; only the directory's random part differs.
  ASSERT_EQ(dir_.size(), golden::kBatchDir.size());
  const std::string batch = Write("example.bat", golden::ReadBytes(golden::kBatchFile));
  ASSERT_EQ(batch.size(), golden::kBatchPath.size());
  const ProgramRun result = RunCli(
      {"--instrument", batch, "--enable-break", "--log-calls", "--log-returns", "--log-lines",
       "--echo-on", "--params", std::string(golden::kParameters), "--start-dir",
       std::string(golden::kStartDir), "--startup", std::string(golden::kStartUp), "--tmp",
       std::string(golden::kTempBase), "--no-settings"});
  ASSERT_EQ(result.status, 0);

  std::string expected = golden::ReadBytes(golden::kExpectedFile);
  const size_t at = expected.find(golden::kBatchDir);
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, dir_.size(), dir_);
  EXPECT_TRUE(result.output == expected) << golden::FirstDifference(expected, result.output);
}

}  // namespace

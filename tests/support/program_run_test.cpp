// RunProgram as the tests use it: the input, environment and directory it
// is given reach the program, its output and exit code come back, and its
// error output goes where the settings say.
#include "tests/support/program_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/environment.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock::test {
namespace {

class ProgramRunTest : public testing::Test {
 protected:
  void SetUp() override {
    Write("probe.bat",
          "@echo off\r\n"
          "set /p line=\r\n"
          "echo %line% %probe% %cd%\r\n"
          "if defined unset_probe (echo set) else (echo unset)\r\n"
          "echo to error 1>&2\r\n"
          "exit /b %1\r\n");
    ProcessEnvironment().Set(L"unset_probe", L"inherited");
  }
  void TearDown() override { ProcessEnvironment().Unset(L"unset_probe"); }

  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (tree_.path() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(tree_.path() / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  ProgramRun Probe(const RunSettings& settings, const std::string& code = "3") {
    return RunProgram(TARNVELOCK_CMD, {"/c", "probe.bat", code}, settings);
  }
  RunSettings InTree() const {
    RunSettings settings;
    settings.directory = tree_.native();
    return settings;
  }

  TempTree tree_{"tarnvelock-run-"};
};

TEST_F(ProgramRunTest, InputEnvironmentAndDirectoryReachTheProgram) {
  RunSettings settings = InTree();
  settings.input_file = Write("typed.txt", "typed\r\n");
  settings.set_environment = {"probe=given"};
  settings.unset_environment = {"unset_probe"};
  const ProgramRun run = Probe(settings);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.output,
            "typed given " + std::filesystem::canonical(tree_.path()).string() + "\r\nunset\r\n");

  const ProgramRun inherited = Probe(InTree(), "0");
  EXPECT_EQ(inherited.status, 0);
  EXPECT_NE(inherited.output.find("\r\nset\r\n"), std::string::npos) << inherited.output;
}

TEST_F(ProgramRunTest, ErrorOutputIsDroppedMergedOrAddedToAFile) {
  EXPECT_EQ(Probe(InTree()).output.find("to error"), std::string::npos);

  RunSettings merged = InTree();
  merged.merge_stderr = true;
  EXPECT_NE(Probe(merged).output.find("to error"), std::string::npos);

  RunSettings to_files = InTree();
  to_files.output_file = (tree_.path() / "out.txt").string();
  to_files.error_file = Write("err.txt", "before\r\n");
  const ProgramRun run = Probe(to_files);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.output, "") << "nothing is captured when the output goes to a file";
  EXPECT_NE(Read("out.txt").find("\r\nset\r\n"), std::string::npos) << Read("out.txt");
  const std::string error = Read("err.txt");
  EXPECT_TRUE(error.starts_with("before\r\nto error")) << error;
}

TEST_F(ProgramRunTest, ExitCodesBeyondABytePassWhereTheSystemKeepsThem) {
  const int status = Probe(InTree(), "300").status;
  // POSIX keeps the low eight bits of a code, Windows all of it.
  EXPECT_TRUE(status == 300 || status == (300 & 0xff)) << status;
  EXPECT_EQ(RunProgram((tree_.path() / "missing").string(), {}).status, -1);
}

}  // namespace
}  // namespace tarnvelock::test

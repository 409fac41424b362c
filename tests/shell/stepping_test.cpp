// Plays the debugger's part in single-step mode: instruments a batch with
// tarnvelock-cli, starts the interpreter the way the launcher does ("/c", the
// quoted file, "_dbg", the debugger's variables set), and at every stop reads
// the current line, deletes the stop signal file and sends one key. The lines
// written to "_dbgZeile.txt" are the lines the run visits, in order.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_run.h"
#include "tests/support/temp_tree.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SteppedRun {
  std::vector<std::string> visited;  // the current line at each stop
  std::vector<std::string> signals;  // the stop signal file at each stop
};

class SteppingTest : public testing::Test {
 protected:
  // The interpreter, if it still runs, is ended before its directory goes.
  void TearDown() override { child_.reset(); }

  // Instruments tests/golden/per_line/<name>.bat into the temporary directory.
  fs::path Instrument(const std::string& name) {
    fs::path source = fs::path(TARNVELOCK_SOURCE_DIR) / "tests/golden/per_line" / (name + ".bat");
    fs::copy_file(source, temp_ / (name + ".bat"));
    fs::path target = temp_ / (name + ".cmd");
    EXPECT_EQ(0, tarnvelock::test::RunProgram(
                     TARNVELOCK_CLI, {"--instrument", (temp_ / (name + ".bat")).string(), "-o",
                                      target.string(), "--tmp", tmp_, "--no-settings"})
                     .status);
    return target;
  }

  SteppedRun Step(const fs::path& batch, const std::string& parameters) {
    std::ofstream(temp_ / "_dbgBreaks.txt", std::ios::binary) << "\r\n";  // empty: single step
    std::ofstream(temp_ / "_dbgError.txt", std::ios::binary).close();
    // Keys come from the test, the console is a file, and error output is
    // added to the debugger's error file.
    tarnvelock::test::RunSettings settings;
    settings.directory = temp_.string();
    settings.input_from_test = true;
    settings.output_file = (temp_ / "console.txt").string();
    settings.error_file = (temp_ / "_dbgError.txt").string();
    settings.set_environment = {
        "Tarnvelock=1.1", "_dbgTmp=" + tmp_,      "_dbgErr=" + tmp_ + "_dbgError.txt",
        "_dbg=_dbg",      "_dbgPA=" + parameters, "_dbgLog=" + tmp_ + "run.log"};
    child_ = std::make_unique<tarnvelock::test::RunningProgram>(
        SHELL_PROGRAM, std::vector<std::string>{"/c", "\"" + batch.string() + "\"", "_dbg"},
        settings);
    EXPECT_TRUE(child_->started());
    SteppedRun run;
    fs::path signal = temp_ / "_dbgSema.txt";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      if (!fs::exists(signal)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        continue;
      }
      // The batch writes the seven lines of the signal last; wait until all are there.
      std::string content;
      for (int tries = 0; tries < 1000; ++tries) {
        content = ReadFile(signal);
        if (std::count(content.begin(), content.end(), '\n') == 7) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      std::string line = ReadFile(temp_ / "_dbgZeile.txt");
      run.visited.push_back(line.substr(0, line.find_first_of(" \r\n")));
      run.signals.push_back(content);
      fs::remove(signal);
      EXPECT_TRUE(child_->Send(" "));
      if (run.visited.back() == "-1") break;
    }
    return run;
  }

  tarnvelock::test::TempTree tree_{"tarnvelock-stepping-"};
  const fs::path temp_ = tree_.path();
  const std::string tmp_ = temp_.string() + "/";
  std::unique_ptr<tarnvelock::test::RunningProgram> child_;
};

// for %%a in (1 2) do (
//   call :show %%a
// )
TEST_F(SteppingTest, LoopCallingAMissingLabel) {
  SteppedRun run = Step(Instrument("for_block"), "");
  EXPECT_EQ((std::vector<std::string>{"0", "1", "1", "-1"}), run.visited);
  ASSERT_EQ(4u, run.signals.size());
  // Call depth, echo state, ERRORLEVEL, bracket depth, SETLOCAL count, reason,
  // ERRORLEVEL at the check before.
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n0\r\n0\r\n1\r\n0\r\n", run.signals[0]);
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n1\r\n0\r\n1\r\n0\r\n", run.signals[1]);
  EXPECT_EQ("0\r\nECHO is off.\r\n1\r\n1\r\n0\r\n1\r\n0\r\n", run.signals[2]);
  EXPECT_EQ("0\r\nECHO is off.\r\n1\r\n0\r\n0\r\n12\r\n0\r\n", run.signals[3]);
  std::string missing = "The system cannot find the batch label specified - show\r\n";
  EXPECT_EQ(missing + missing, ReadFile(temp_ / "_dbgError.txt"));
  EXPECT_EQ("0=:show\r\n1=2\r\n", ReadFile(temp_ / "_dbgAktPara1.txt"));
}

//  0 :loop              4   setlocal         8 shift
//  1 if "%1"=="" (      5   echo %1          9 goto loop
//  2   goto end         6   endlocal        10 :end
//  3 ) else (           7 )                 11 exit /b 0
TEST_F(SteppingTest, ParameterLoopWithShiftSetlocalAndEndlocal) {
  SteppedRun run = Step(Instrument("shift_goto"), "x y");
  EXPECT_EQ((std::vector<std::string>{"1", "4", "5", "6", "8", "9", "1", "4", "5", "6", "8", "9",
                                      "1", "2", "11", "-1"}),
            run.visited);
  ASSERT_EQ(16u, run.signals.size());
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n1\r\n1\r\n1\r\n0\r\n", run.signals[2]);  // after SETLOCAL
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n0\r\n0\r\n1\r\n0\r\n", run.signals[4]);  // after ENDLOCAL
  // After the second SHIFT the parameter file shows what is left: %0 is y.
  EXPECT_EQ("0=y\r\n", ReadFile(temp_ / "_dbgAktPara0.txt"));
  EXPECT_EQ("", ReadFile(temp_ / "_dbgError.txt"));
  EXPECT_NE(std::string::npos, ReadFile(temp_ / "console.txt").find("\r\nx\r\ny\r\n"));
}

}  // namespace

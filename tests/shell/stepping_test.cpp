// Plays the debugger's part against an instrumented batch: data/
// instrumented_loop.cmd is the debugger's rewrite of this user batch, run
// with the parameters "x y":
//
//   0 :loop             4   setlocal          8 shift
//   1 if "%1"=="" (     5   echo %1           9 goto loop
//   2   goto end        6   endlocal         10 :end
//   3 ) else (          7 )                  11 exit /b 0
//
// The test starts the interpreter the way the launcher does ("/c", the
// quoted file, "_dbg"), waits for each stop signal file, reads the current
// line, deletes the signal and sends one key, as the debugger does in
// single-step mode, and checks the lines visited.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SteppingTest : public testing::Test {
 protected:
  void SetUp() override {
    temp_ = fs::temp_directory_path() / ("tarnvelock-stepping-" + std::to_string(getpid()));
    fs::remove_all(temp_);
    fs::create_directories(temp_);
    fs::copy_file(fs::path(TARNVELOCK_SOURCE_DIR) / "tests/shell/data/instrumented_loop.cmd",
                  temp_ / "loop.cmd");
    std::ofstream(temp_ / "_dbgBreaks.txt", std::ios::binary) << "\r\n";  // single step
    std::ofstream(temp_ / "_dbgError.txt", std::ios::binary).close();
  }
  void TearDown() override {
    if (child_ > 0) {
      kill(-child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    fs::remove_all(temp_);
  }

  // Starts the interpreter in a process group of its own; returns the
  // write end of its standard input.
  int Start() {
    int keys[2];
    EXPECT_EQ(0, pipe(keys));
    std::string tmp = temp_.string() + "/";
    child_ = fork();
    if (child_ == 0) {
      setpgid(0, 0);
      dup2(keys[0], 0);
      close(keys[0]);
      close(keys[1]);
      if (chdir(temp_.c_str()) != 0) _exit(126);
      std::freopen((temp_ / "console.txt").c_str(), "wb", stdout);
      std::freopen((temp_ / "_dbgError.txt").c_str(), "ab", stderr);
      setenv("_dbgTmp", tmp.c_str(), 1);
      setenv("_dbgErr", (tmp + "_dbgError.txt").c_str(), 1);
      setenv("_dbg", "_dbg", 1);
      setenv("_dbgPA", "x y", 1);
      setenv("_dbgLog", (tmp + "loop.log").c_str(), 1);
      std::string file = "\"" + tmp + "loop.cmd\"";
      execl(SHELL_PROGRAM, SHELL_PROGRAM, "/c", file.c_str(), "_dbg", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(keys[0]);
    return keys[1];
  }

  fs::path temp_;
  pid_t child_ = -1;
};

TEST_F(SteppingTest, SingleStepVisitsEveryLineInOrder) {
  int keys = Start();
  std::vector<std::string> visited;
  std::vector<std::string> signals;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  fs::path signal = temp_ / "_dbgSema.txt";
  while (std::chrono::steady_clock::now() < deadline) {
    if (!fs::exists(signal)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      continue;
    }
    // The signal is written last, by one echo per line; wait until complete.
    std::string content;
    for (int tries = 0; tries < 500; ++tries) {
      content = ReadFile(signal);
      if (std::count(content.begin(), content.end(), '\n') == 6) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::string line = ReadFile(temp_ / "_dbgZeile.txt");
    visited.push_back(line.substr(0, line.find_first_of(" \r\n")));
    signals.push_back(content);
    fs::remove(signal);
    ASSERT_EQ(1, write(keys, " ", 1));
    if (visited.back() == "-1") break;
  }
  close(keys);
  EXPECT_EQ((std::vector<std::string>{"1", "4", "5", "6", "8", "9", "1", "4", "5", "6", "8", "9",
                                      "1", "2", "11", "-1"}),
            visited);
  ASSERT_EQ(16u, signals.size());
  // Call depth, echo state, ERRORLEVEL, bracket depth, SETLOCAL count, reason.
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n0\r\n0\r\n1\r\n", signals[0]);
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n1\r\n1\r\n1\r\n", signals[2]);
  EXPECT_EQ("0\r\nECHO is off.\r\n0\r\n0\r\n0\r\n12\r\n", signals[15]);
  // After the second SHIFT the parameter file shows what is left: %0 is y.
  EXPECT_EQ("0=y\r\n", ReadFile(temp_ / "_dbgAktPara0.txt"));
  EXPECT_EQ("", ReadFile(temp_ / "_dbgError.txt"));
  std::string console = ReadFile(temp_ / "console.txt");
  EXPECT_NE(std::string::npos, console.find("\r\nx\r\ny\r\n")) << console;
}

}  // namespace

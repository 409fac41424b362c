// Real child processes under /bin/sh: what reaches the console, what reaches
// the stderr file, waking by one byte, and that nothing outlives its owner -
// not even when the owner is killed.
#include "platform/console_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/code_page.h"
#include "tests/support/orphan_reaper.h"

namespace tarnvelock {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// True when pid has ended; a zombie whose parent is gone counts as ended.
bool ProcessGone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return ::kill(pid, 0) != 0 && errno == ESRCH;
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t paren = text.rfind(')');
  return paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] == 'Z';
}

bool WaitUntilGone(pid_t pid) {
  const auto deadline = Clock::now() + 5s;
  while (!ProcessGone(pid)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

class ConsoleProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarnvelock-console-XXXXXX";
    dir_ = ::mkdtemp(pattern);
  }
  void TearDown() override {
    // Whatever a failed test left running must not outlive it.
    reaper_.ReapAll();
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  static ProcessRequest Shell(const std::string& script) {
    ProcessRequest request;
    request.program = L"sh";
    request.arguments = {L"-c", FromUtf8(script)};
    request.title = L"test";
    return request;
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string ReadText(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  // Collects console output until it contains needle or five seconds pass.
  static std::string ReadUntil(ConsoleProcess& process, std::string& output,
                               const std::string& needle) {
    const auto deadline = Clock::now() + 5s;
    while (output.find(needle) == std::string::npos && Clock::now() < deadline) {
      output += process.ReadOutput();
      std::this_thread::sleep_for(5ms);
    }
    return output;
  }

  static bool WaitForEnd(ConsoleProcess& process) {
    const auto deadline = Clock::now() + 5s;
    while (process.IsRunning()) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }

  // Reads the two pids "leader grandchild" that a script printed.
  void ParsePids(const std::string& text, pid_t* leader, pid_t* grandchild) {
    std::istringstream in(text);
    in >> *leader >> *grandchild;
    reaper_.KillLater(*grandchild);
  }

  std::string dir_;
  OrphanReaper reaper_;
  ProcessStarter& starter_ = SystemProcessStarter();
};

TEST_F(ConsoleProcessTest, ConsoleShowsOutputAndTheFileGetsStandardError) {
  {
    std::ofstream old(Path("err.txt"));
    old << "left from an earlier run";
  }
  ProcessRequest request = Shell("echo out; echo problem >&2; exit 3");
  request.stderr_path = FromUtf8(Path("err.txt"));
  ConsoleStart start = starter_.StartConsole(request);
  ASSERT_EQ(start.error, 0);
  ASSERT_TRUE(start.process);
  EXPECT_EQ(start.process->Title(), L"test");

  std::string output;
  ReadUntil(*start.process, output, "out\r\n");
  ASSERT_TRUE(WaitForEnd(*start.process));
  output += start.process->ReadOutput();
  EXPECT_EQ(output, "out\r\n");
  EXPECT_EQ(start.process->ExitCode(), 3);
  EXPECT_EQ(ReadText("err.txt"), "problem\n");
  EXPECT_FALSE(start.process->WindowRect());
}

TEST_F(ConsoleProcessTest, OneByteWakesAReaderAndTypedLinesArrive) {
  ConsoleStart start = starter_.StartConsole(
      Shell("echo ready; head -c 1 >/dev/null; echo woke; read line; echo \"got $line\""));
  ASSERT_TRUE(start.process);
  ConsoleProcess& process = *start.process;
  std::string output;
  ReadUntil(process, output, "ready\r\n");
  std::this_thread::sleep_for(100ms);
  output += process.ReadOutput();
  EXPECT_EQ(output, "ready\r\n") << "the reader must wait for its key";
  EXPECT_TRUE(process.IsRunning());

  ASSERT_TRUE(process.WriteInput(" "));
  ReadUntil(process, output, "woke\r\n");
  ASSERT_TRUE(process.WriteInput("some text\r"));
  ReadUntil(process, output, "got some text\r\n");
  ASSERT_TRUE(WaitForEnd(process));
  // The blank and the typed text are not echoed: the console shows only
  // what the child wrote.
  EXPECT_EQ(output, "ready\r\nwoke\r\ngot some text\r\n");
  EXPECT_EQ(process.ExitCode(), 0);
}

TEST_F(ConsoleProcessTest, TerminateEndsTheGroupAndReapsTheLeader) {
  ConsoleStart start = starter_.StartConsole(Shell("sleep 300 & echo \"$$ $!\"; wait"));
  ASSERT_TRUE(start.process);
  std::string output;
  ReadUntil(*start.process, output, "\r\n");
  pid_t leader = 0;
  pid_t grandchild = 0;
  ParsePids(output, &leader, &grandchild);
  ASSERT_GT(grandchild, 0) << output;
  EXPECT_TRUE(start.process->IsRunning());

  start.process->Terminate();
  EXPECT_FALSE(start.process->IsRunning());
  EXPECT_EQ(start.process->ExitCode(), 128 + SIGKILL);
  EXPECT_EQ(::waitpid(leader, nullptr, WNOHANG), -1) << "the leader must be reaped, no zombie";
  EXPECT_TRUE(WaitUntilGone(grandchild));
  EXPECT_FALSE(start.process->WriteInput(" "));
  start.process->Terminate();  // a second time is harmless
}

TEST_F(ConsoleProcessTest, DestroyingTheProcessObjectEndsTheGroup) {
  ConsoleStart start = starter_.StartConsole(Shell("sleep 300 & echo \"$$ $!\"; wait"));
  ASSERT_TRUE(start.process);
  std::string output;
  ReadUntil(*start.process, output, "\r\n");
  pid_t leader = 0;
  pid_t grandchild = 0;
  ParsePids(output, &leader, &grandchild);
  start.process.reset();
  EXPECT_EQ(::waitpid(leader, nullptr, WNOHANG), -1);
  EXPECT_TRUE(WaitUntilGone(grandchild));
}

TEST_F(ConsoleProcessTest, AKilledOwnerLeavesNoProcessBehind) {
  const std::string pid_file = Path("pids");
  const pid_t owner = ::fork();
  ASSERT_GE(owner, 0);
  if (owner == 0) {
    ConsoleStart start = SystemProcessStarter().StartConsole(
        Shell("sleep 300 & echo \"$$ $!\" > '" + pid_file + ".new'; mv '" + pid_file + ".new' '" +
              pid_file + "'; wait"));
    for (;;) ::pause();
  }
  reaper_.KillLater(owner);
  const auto deadline = Clock::now() + 5s;
  while (ReadText("pids").empty() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  pid_t leader = 0;
  pid_t grandchild = 0;
  ParsePids(ReadText("pids"), &leader, &grandchild);
  reaper_.KillLater(leader);
  ASSERT_GT(grandchild, 0);

  ASSERT_EQ(::kill(owner, SIGKILL), 0);
  ASSERT_EQ(::waitpid(owner, nullptr, 0), owner);
  EXPECT_TRUE(WaitUntilGone(leader)) << "the interpreter outlived the debugger";
  EXPECT_TRUE(WaitUntilGone(grandchild)) << "a process of the batch outlived the debugger";
}

TEST_F(ConsoleProcessTest, OnlyTheStandardDescriptorsReachTheChild) {
  const int leaked = ::open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(leaked, 0);
  ASSERT_EQ(::dup2(leaked, 57), 57);
  ::close(leaked);
  ConsoleStart start = starter_.StartConsole(
      Shell("for fd in 3 57; do [ -e /proc/$$/fd/$fd ] && echo \"open $fd\"; done; echo done"));
  ::close(57);
  ASSERT_TRUE(start.process);
  std::string output;
  ReadUntil(*start.process, output, "done\r\n");
  EXPECT_EQ(output, "done\r\n");
}

TEST_F(ConsoleProcessTest, StartFailuresReportTheSystemError) {
  const std::string plain = Path("plain");
  { std::ofstream(plain) << "not a program"; }
  ProcessRequest missing;
  missing.program = L"no-such-program-anywhere";
  ProcessRequest denied;
  denied.program = FromUtf8(plain);

  for (const ProcessRequest& request : {missing, denied}) {
    const int expected = request.program == missing.program ? ENOENT : EACCES;
    ConsoleStart start = starter_.StartConsole(request);
    EXPECT_EQ(start.error, expected);
    EXPECT_FALSE(start.process);
    EXPECT_EQ(starter_.RunAndWait(request).error, expected);
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a failed start left a child";
    EXPECT_EQ(starter_.StartDetached(request), expected);
  }
}

TEST_F(ConsoleProcessTest, RunAndWaitReturnsTheExitCodeWithoutAConsole) {
  ProcessRequest request =
      Shell("read line; echo \"in=$line\"; [ -t 0 ] && echo tty >&2; echo problem >&2; exit 4");
  request.stderr_path = FromUtf8(Path("err.txt"));
  const WaitedRun run = starter_.RunAndWait(request);
  EXPECT_EQ(run.error, 0);
  EXPECT_EQ(run.exit_code, 4);
  EXPECT_EQ(ReadText("err.txt"), "problem\n");
}

TEST_F(ConsoleProcessTest, ADetachedProcessIsNobodysZombieHere) {
  ProcessRequest request = Shell("echo problem >&2; echo $$ > '" + Path("pid.new") + "'; mv '" +
                                 Path("pid.new") + "' '" + Path("pid") + "'");
  request.stderr_path = FromUtf8(Path("err.txt"));
  ASSERT_EQ(starter_.StartDetached(request), 0);
  const auto deadline = Clock::now() + 5s;
  while (ReadText("pid").empty() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  const pid_t program = std::atoi(ReadText("pid").c_str());
  ASSERT_GT(program, 0);
  reaper_.KillLater(program);
  EXPECT_TRUE(WaitUntilGone(program));
  // The program is an orphan from the start; only the reaper of this test
  // may have adopted it. The process in between has been waited for.
  pid_t child;
  while ((child = ::waitpid(-1, nullptr, WNOHANG)) > 0) EXPECT_EQ(child, program);
  EXPECT_EQ(ReadText("err.txt"), "problem\n");
}

}  // namespace
}  // namespace tarnvelock

// Real child processes under /bin/sh: what reaches the console, what reaches
// the stderr file, waking by one byte, and that nothing outlives its owner -
// not even when the owner is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/code_page.h"
#include "platform/console_process.h"

namespace tarnvelock {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Polls done() for up to five seconds.
template <typename Done>
bool Eventually(Done done) {
  const auto deadline = Clock::now() + 5s;
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

// True when pid has ended; a zombie counts as ended.
bool ProcessGone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return ::kill(pid, 0) != 0 && errno == ESRCH;
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t paren = text.rfind(')');
  return paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] == 'Z';
}

class ConsoleProcessTest : public testing::Test {
 protected:
  // The test adopts the orphans of the trees it kills and reaps them at the
  // end, so none lingers as a zombie where init does not reap.
  void SetUp() override {
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    char pattern[] = "/tmp/tarnvelock-console-XXXXXX";
    dir_ = ::mkdtemp(pattern);
  }
  void TearDown() override {
    for (pid_t pid : doomed_) ::kill(pid, SIGKILL);
    Eventually([] { return ::waitpid(-1, nullptr, WNOHANG) < 0; });
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
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

  // Collects console output into output until it holds needle.
  static void ReadUntil(ConsoleProcess& process, std::string& output, const std::string& needle) {
    Eventually([&] {
      output += process.ReadOutput();
      return output.find(needle) != std::string::npos;
    });
  }

  // Starts a script that prints "leader grandchild" pids and waits; the
  // grandchild is killed at the end in any case.
  std::unique_ptr<ConsoleProcess> StartTree(pid_t* leader, pid_t* grandchild) {
    ConsoleStart start = starter_.StartConsole(Shell("sleep 300 & echo \"$$ $!\"; wait"));
    std::string output;
    if (start.process) ReadUntil(*start.process, output, "\r\n");
    std::istringstream(output) >> *leader >> *grandchild;
    doomed_.push_back(*grandchild);
    return std::move(start.process);
  }

  std::string dir_;
  std::vector<pid_t> doomed_;
  ProcessStarter& starter_ = SystemProcessStarter();
};

TEST_F(ConsoleProcessTest, ConsoleShowsOutputAndTheFileGetsStandardError) {
  std::ofstream(Path("err.txt")) << "left from an earlier run";
  ProcessRequest request = Shell("echo out; echo problem >&2; exit 3");
  request.stderr_path = FromUtf8(Path("err.txt"));
  ConsoleStart start = starter_.StartConsole(request);
  ASSERT_EQ(start.error, 0);
  ASSERT_TRUE(start.process);
  EXPECT_EQ(start.process->Title(), L"test");

  std::string output;
  ReadUntil(*start.process, output, "out\r\n");
  ASSERT_TRUE(Eventually([&] { return !start.process->IsRunning(); }));
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
  ASSERT_TRUE(Eventually([&] { return !process.IsRunning(); }));
  // Neither the blank nor the typed text is echoed: the console shows only
  // what the child wrote.
  EXPECT_EQ(output, "ready\r\nwoke\r\ngot some text\r\n");
  EXPECT_EQ(process.ExitCode(), 0);
}

TEST_F(ConsoleProcessTest, TerminateAndDestructionEndTheGroupAndReapTheLeader) {
  for (const bool destroy : {false, true}) {
    pid_t leader = 0;
    pid_t grandchild = 0;
    std::unique_ptr<ConsoleProcess> process = StartTree(&leader, &grandchild);
    ASSERT_TRUE(process);
    ASSERT_GT(grandchild, 0);
    EXPECT_TRUE(process->IsRunning());
    if (destroy) {
      process.reset();
    } else {
      process->Terminate();
      EXPECT_FALSE(process->IsRunning());
      EXPECT_EQ(process->ExitCode(), 128 + SIGKILL);
      EXPECT_FALSE(process->WriteInput(" "));
      process->Terminate();  // a second time is harmless
    }
    EXPECT_EQ(::waitpid(leader, nullptr, WNOHANG), -1) << "the leader must be reaped";
    EXPECT_TRUE(Eventually([=] { return ProcessGone(grandchild); })) << destroy;
  }
}

TEST_F(ConsoleProcessTest, AKilledOwnerLeavesNoProcessBehind) {
  const pid_t owner = ::fork();
  ASSERT_GE(owner, 0);
  if (owner == 0) {
    pid_t leader = 0;
    pid_t grandchild = 0;
    const std::unique_ptr<ConsoleProcess> process = StartTree(&leader, &grandchild);
    std::ofstream(Path("pids.new")) << leader << ' ' << grandchild;
    std::rename(Path("pids.new").c_str(), Path("pids").c_str());
    for (;;) ::pause();
  }
  doomed_.push_back(owner);
  ASSERT_TRUE(Eventually([&] { return !ReadText("pids").empty(); }));
  pid_t leader = 0;
  pid_t grandchild = 0;
  std::istringstream(ReadText("pids")) >> leader >> grandchild;
  doomed_.insert(doomed_.end(), {leader, grandchild});
  ASSERT_GT(grandchild, 0);

  ASSERT_EQ(::kill(owner, SIGKILL), 0);
  ASSERT_EQ(::waitpid(owner, nullptr, 0), owner);
  EXPECT_TRUE(Eventually([=] { return ProcessGone(leader); })) << "the interpreter survived";
  EXPECT_TRUE(Eventually([=] { return ProcessGone(grandchild); })) << "a batch's child survived";
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
  std::ofstream(plain) << "not a program";
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
      Shell("read line; [ -t 0 ] && echo tty >&2; echo problem >&2; sleep 0.1; exit 4");
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
  ASSERT_TRUE(Eventually([&] { return !ReadText("pid").empty(); }));
  const pid_t program = std::atoi(ReadText("pid").c_str());
  doomed_.push_back(program);
  EXPECT_TRUE(Eventually([=] { return ProcessGone(program); }));
  // The program is an orphan from the start; only this test's reaper may
  // have adopted it. The process in between has been waited for.
  pid_t child;
  while ((child = ::waitpid(-1, nullptr, WNOHANG)) > 0) EXPECT_EQ(child, program);
  EXPECT_EQ(ReadText("err.txt"), "problem\n");
}

}  // namespace
}  // namespace tarnvelock

// The launcher driving real processes: a shell script stands in for the
// interpreter, so these tests show what the real one receives - its
// arguments, the stderr file in the working directory, the wake-up key - and
// that Reset and the end of the debugger leave nothing of the run behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/run/launcher.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "tests/support/orphan_reaper.h"

namespace tarnvelock {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Shows its arguments, writes to standard error, starts a child of its own
// and waits for one key, as a batch waits at a stop.
constexpr char kStandIn[] =
    "#!/bin/sh\n"
    "echo \"args:$1|$2|$3\"\n"
    "echo 'to stderr' >&2\n"
    "sleep 300 &\n"
    "echo \"child $!\"\n"
    "head -c 1 >/dev/null\n"
    "echo woke\n"
    "wait\n";

// The help: records its arguments a little later, so that returning early
// would show.
constexpr char kHelpStandIn[] =
    "#!/bin/sh\n"
    "sleep 0.2\n"
    "echo \"$*\" > help-args\n";

class NoView final : public LauncherView {
 public:
  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  bool Confirm(const std::wstring&) override { return true; }
  void ShowStatus(const std::wstring&) override {}
  std::vector<std::wstring> messages;
};

bool Gone(pid_t pid) {
  if (::kill(pid, 0) != 0) return true;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t paren = text.rfind(')');
  return paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] == 'Z';
}

bool WaitUntilGone(pid_t pid) {
  const auto deadline = Clock::now() + 5s;
  while (!Gone(pid)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

class LauncherProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarnvelock-launch-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    old_dir_ = cwd;
    ASSERT_EQ(::chdir(dir_.c_str()), 0);
    old_com_spec_ = ProcessEnvironment().Get(L"ComSpec");
  }

  void TearDown() override {
    launcher_.reset();
    reaper_.ReapAll();
    if (old_com_spec_) {
      ProcessEnvironment().Set(L"ComSpec", *old_com_spec_);
    } else {
      ProcessEnvironment().Unset(L"ComSpec");
    }
    EXPECT_EQ(::chdir(old_dir_.c_str()), 0);
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  void Interpreter(const char* script) {
    const std::string path = dir_ + "/stand-in cmd";
    std::ofstream(path) << script;
    ::chmod(path.c_str(), 0755);
    ProcessEnvironment().Set(L"ComSpec", FromUtf8(path));
    launcher_ = std::make_unique<Launcher>(
        SystemProcessStarter(), ProcessEnvironment(), view_, [] { return IoStatus(); },
        L"/nowhere");
    launcher_->SetConsoleSink([this](std::string_view bytes) { shown_ += bytes; });
  }

  void ShowUntil(const std::string& needle) {
    const auto deadline = Clock::now() + 5s;
    while (shown_.find(needle) == std::string::npos && Clock::now() < deadline) {
      launcher_->DrainConsole();
      std::this_thread::sleep_for(5ms);
    }
  }

  // The pid of the stand-in's own child, once the console has shown it.
  pid_t ShownChild() {
    const auto deadline = Clock::now() + 5s;
    size_t at;
    while (((at = shown_.find("child ")) == std::string::npos ||
            shown_.find("\r\n", at) == std::string::npos) &&
           Clock::now() < deadline) {
      launcher_->DrainConsole();
      std::this_thread::sleep_for(5ms);
    }
    if (at == std::string::npos) return 0;
    const pid_t child = std::atoi(shown_.c_str() + at + 6);
    reaper_.KillLater(child);
    return child;
  }

  std::string ReadText(const std::string& name) const {
    std::ifstream in(dir_ + "/" + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::string dir_;
  std::string old_dir_;
  std::optional<std::wstring> old_com_spec_;
  NoView view_;
  std::unique_ptr<Launcher> launcher_;
  std::string shown_;
  OrphanReaper reaper_;
};

TEST_F(LauncherProcessTest, TheInterpreterRunsTheBatchOnTheConsoleAndWakesByOneKey) {
  Interpreter(kStandIn);
  const std::wstring batch = FromUtf8(dir_ + "/my batch.bat");
  ASSERT_TRUE(launcher_->StartOrResume(batch));
  ASSERT_GT(ShownChild(), 0) << shown_;
  EXPECT_EQ(shown_.rfind("args:/c|" + dir_ + "/my batch.bat|_dbg\r\n", 0), 0u) << shown_;
  EXPECT_EQ(ReadText("_dbgError.txt"), "to stderr\n")
      << "the stderr file is the working directory's";

  EXPECT_TRUE(launcher_->StartOrResume(batch));
  ShowUntil("woke\r\n");
  EXPECT_NE(shown_.find("woke\r\n"), std::string::npos);
  EXPECT_TRUE(launcher_->IsRunning());
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(LauncherProcessTest, ResetAndTheEndOfTheDebuggerLeaveNothingOfTheRun) {
  Interpreter(kStandIn);
  for (bool by_reset : {true, false}) {
    shown_.clear();
    ASSERT_TRUE(launcher_->StartOrResume(FromUtf8(dir_ + "/x.bat")));
    const pid_t child = ShownChild();
    ASSERT_GT(child, 0) << shown_;
    if (by_reset) {
      EXPECT_FALSE(launcher_->CloseConsole()) << "a terminal has no window place";
      EXPECT_FALSE(launcher_->IsRunning());
    } else {
      launcher_.reset();
    }
    EXPECT_TRUE(WaitUntilGone(child)) << (by_reset ? "after Reset" : "after the end");
  }
}

TEST_F(LauncherProcessTest, HelpReturnsOnlyWhenTheHelpProcessHasEnded) {
  Interpreter(kHelpStandIn);
  launcher_->RunHelp(L"for");
  EXPECT_EQ(ReadText("help-args"), "/c chcp 1252&help for>_dbgHelp.txt\n");
  EXPECT_TRUE(view_.messages.empty());
}

}  // namespace
}  // namespace tarnvelock

// The launcher against a recording process starter: what it starts with
// which arguments, when it only wakes, what the user is told, and that every
// console it started ends with it.
#include "core/run/launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/run/null_run_view.h"
#include "platform/file_system.h"
#include "platform/virtual_environment.h"

namespace tarnvelock {
namespace {

using testing::ElementsAre;

// Everything the fakes saw, in order.
struct Record {
  std::vector<std::wstring> events;  // "prepare", "console", "wait", "detached", "terminate"
  std::vector<ProcessRequest> requests;
  std::string input;           // bytes typed into the console
  std::string pending_output;  // what the console shows at the next read
  bool running = true;
  int error = 0;  // the error the next start fails with
  std::optional<ConsoleRect> rect;
};

class FakeConsole final : public ConsoleProcess {
 public:
  FakeConsole(Record& record, std::wstring title) : record_(record), title_(std::move(title)) {}
  ~FakeConsole() override { Terminate(); }
  const std::wstring& Title() const override { return title_; }
  bool WriteInput(std::string_view bytes) override {
    record_.input += bytes;
    return true;
  }
  std::string ReadOutput() override { return std::exchange(record_.pending_output, {}); }
  bool IsRunning() override { return !terminated_ && record_.running; }
  std::optional<int> ExitCode() override { return std::nullopt; }
  std::optional<ConsoleRect> WindowRect() const override { return record_.rect; }
  void Terminate() override {
    if (terminated_) return;
    terminated_ = true;
    record_.events.push_back(L"terminate");
  }

 private:
  Record& record_;
  std::wstring title_;
  bool terminated_ = false;
};

class FakeStarter final : public ProcessStarter {
 public:
  explicit FakeStarter(Record& record) : record_(record) {}
  ConsoleStart StartConsole(const ProcessRequest& request) override {
    Note(L"console", request);
    ConsoleStart start;
    start.error = record_.error;
    if (start.error == 0) start.process = std::make_unique<FakeConsole>(record_, request.title);
    return start;
  }
  WaitedRun RunAndWait(const ProcessRequest& request) override {
    Note(L"wait", request);
    return {record_.error == 0 ? 7 : 0, record_.error};
  }
  int StartDetached(const ProcessRequest& request) override {
    Note(L"detached", request);
    return record_.error;
  }

 private:
  void Note(const std::wstring& kind, const ProcessRequest& request) {
    record_.events.push_back(kind);
    record_.requests.push_back(request);
  }
  Record& record_;
};

class RecordingView final : public NullRunView {
 public:
  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  void ShowStatus(const std::wstring& text) override { statuses.push_back(text); }
  std::vector<std::wstring> messages;
  std::vector<std::wstring> statuses;
};

constexpr wchar_t kBatch[] = L"/tmp/_dbgTmp/my batch.bat";

class LauncherTest : public testing::Test {
 protected:
  LauncherTest() { environment_.values[L"ComSpec"] = L"/opt/cmd"; }

  Launcher& MakeLauncher() {
    launcher_ = std::make_unique<Launcher>(
        starter_, environment_, view_,
        [this] {
          record_.events.push_back(L"prepare");
          return prepare_result_;
        },
        L"/usr/lib/tarnvelock");
    return *launcher_;
  }

  Record record_;
  FakeStarter starter_{record_};
  VirtualEnvironment environment_;
  RecordingView view_;
  IoStatus prepare_result_;
  std::unique_ptr<Launcher> launcher_;
};

TEST_F(LauncherTest, TheInterpreterIsComSpecElseTheBundledOneWhichBecomesComSpec) {
  EXPECT_EQ(MakeLauncher().ComSpecPath(), L"/opt/cmd");
  EXPECT_EQ(environment_.values[L"ComSpec"], L"/opt/cmd");

  for (const wchar_t* unset : {L"", L"gone"}) {
    if (std::wstring(unset) == L"gone") {
      environment_.values.erase(L"ComSpec");
    } else {
      environment_.values[L"ComSpec"] = unset;
    }
    // The bundled one is joined to the program's directory as this system joins paths.
    const std::wstring bundled =
        L"/usr/lib/tarnvelock" + std::wstring(1, PathSeparator()) + L"tarnvelock-cmd";
    EXPECT_EQ(MakeLauncher().ComSpecPath(), bundled);
    EXPECT_EQ(environment_.values[L"ComSpec"], bundled);
  }
}

TEST_F(LauncherTest, FirstRunCommandStartsTheInterpreterLaterOnesOnlyWake) {
  Launcher& launcher = MakeLauncher();
  EXPECT_FALSE(launcher.FindConsole());
  ASSERT_TRUE(launcher.StartOrResume(kBatch));

  EXPECT_THAT(record_.events, ElementsAre(L"prepare", L"console"));
  const ProcessRequest& request = record_.requests.at(0);
  EXPECT_EQ(request.program, L"/opt/cmd");
  EXPECT_THAT(request.arguments, ElementsAre(L"/c", kBatch, L"_dbg"));
  EXPECT_EQ(request.title, kBatch);
  EXPECT_EQ(request.stderr_path, L"_dbgError.txt");
  EXPECT_EQ(request.show, ConsoleShow::NoActivate);
  EXPECT_THAT(view_.statuses, ElementsAre(L"Wait for cmd-Handle ..."));
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(launcher.ConsoleTitle(), kBatch);
  EXPECT_TRUE(launcher.FindConsole());
  EXPECT_TRUE(launcher.IsRunning());
  EXPECT_EQ(record_.input, "");

  // Two run commands in a row: two blanks, nothing prepared or started again.
  EXPECT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_EQ(record_.input, "  ");
  EXPECT_EQ(record_.events.size(), 2u);
}

TEST_F(LauncherTest, ARefusedPreparationStartsNothing) {
  prepare_result_ = IoStatus::Failure(L"Tmp-File blocked. Please Restart Computer!");
  Launcher& launcher = MakeLauncher();
  EXPECT_FALSE(launcher.StartOrResume(kBatch));
  EXPECT_THAT(record_.events, ElementsAre(L"prepare"));
  EXPECT_THAT(view_.messages, ElementsAre(L"Tmp-File blocked. Please Restart Computer!"));
  EXPECT_FALSE(launcher.IsRunning());
  EXPECT_FALSE(launcher.FindConsole());
}

TEST_F(LauncherTest, AFailedCreationIsReportedAndLeftToTheFirstPoll) {
  record_.error = 2;
  Launcher& launcher = MakeLauncher();
  EXPECT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_THAT(view_.messages, ElementsAre(L"System-Error 2"));
  EXPECT_TRUE(view_.statuses.empty());
  EXPECT_FALSE(launcher.IsRunning());
  EXPECT_FALSE(launcher.FindConsole());
  EXPECT_FALSE(launcher.CloseConsole());

  // Nothing to wake: the next run command starts afresh.
  record_.error = 0;
  EXPECT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_THAT(record_.events, ElementsAre(L"prepare", L"console", L"prepare", L"console"));
  EXPECT_EQ(record_.input, "");
}

TEST_F(LauncherTest, CloseShowsTheLastOutputEndsTheProcessAndAllowsAFreshStart) {
  std::string shown;
  Launcher& launcher = MakeLauncher();
  launcher.SetConsoleSink([&shown](std::string_view bytes) { shown += bytes; });
  EXPECT_FALSE(launcher.TypeIntoConsole("abc\r"));
  ASSERT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_TRUE(launcher.TypeIntoConsole("abc\r"));
  record_.pending_output = "first\r\n";
  launcher.DrainConsole();
  launcher.DrainConsole();
  EXPECT_EQ(shown, "first\r\n");

  record_.running = false;
  EXPECT_FALSE(launcher.IsRunning()) << "an ended process is no longer running";
  EXPECT_TRUE(launcher.FindConsole()) << "but its console stays until it is closed";

  record_.pending_output = "last words\r\n";
  record_.rect = ConsoleRect{10, 20, 650, 420};
  const std::optional<ConsoleRect> rect = launcher.CloseConsole();
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->left, 10);
  EXPECT_EQ(rect->top, 20);
  EXPECT_EQ(shown, "first\r\nlast words\r\n");
  EXPECT_THAT(record_.events, ElementsAre(L"prepare", L"console", L"terminate"));
  EXPECT_FALSE(launcher.FindConsole());
  EXPECT_FALSE(launcher.CloseConsole());

  record_.running = true;
  EXPECT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_EQ(record_.events.back(), L"console");
  EXPECT_EQ(record_.input, "abc\r") << "a fresh start is not woken";
}

TEST_F(LauncherTest, AConsoleClosedByHandIsNotStartedAgainByTheNextRunCommand) {
  Launcher& launcher = MakeLauncher();
  ASSERT_TRUE(launcher.StartOrResume(kBatch));
  launcher.EndConsoleProcess();
  record_.running = false;
  EXPECT_FALSE(launcher.IsRunning());
  // The batch waited at a stop: waking it must not run it afresh from its start.
  EXPECT_TRUE(launcher.StartOrResume(kBatch));
  EXPECT_THAT(record_.events, ElementsAre(L"prepare", L"console", L"terminate"));
}

TEST_F(LauncherTest, TheConsoleEndsWithTheLauncher) {
  ASSERT_TRUE(MakeLauncher().StartOrResume(kBatch));
  launcher_.reset();
  EXPECT_EQ(record_.events.back(), L"terminate");
}

TEST_F(LauncherTest, HelpRunsHiddenAndWaitsAndSparesTheStderrFileOfARun) {
  Launcher& launcher = MakeLauncher();
  launcher.RunHelp(L"for");
  ASSERT_THAT(record_.events, ElementsAre(L"wait"));
  const ProcessRequest& help = record_.requests.at(0);
  EXPECT_EQ(help.program, L"/opt/cmd");
  EXPECT_THAT(help.arguments, ElementsAre(L"/c", L"chcp", L"1252&help", L"for>_dbgHelp.txt"));
  EXPECT_EQ(help.title, L"Help");
  EXPECT_EQ(help.show, ConsoleShow::Hidden);
  EXPECT_EQ(help.stderr_path, L"_dbgError.txt");

  ASSERT_TRUE(launcher.StartOrResume(kBatch));
  launcher.RunHelp(L"if");
  EXPECT_EQ(record_.requests.back().stderr_path, L"") << "a running batch still writes that file";
  EXPECT_TRUE(launcher.IsRunning()) << "the help must not touch the run";

  EXPECT_EQ(launcher.StartProcess(L"t", L"/bin/tool", L"a", false, true, ConsoleShow::Hidden), 7)
      << "a waited start gives the exit code";
}

TEST_F(LauncherTest, TheEditorLivesOnByItself) {
  Launcher& launcher = MakeLauncher();
  EXPECT_EQ(launcher.StartEditor(L"gedit +12 \"/home/ann/my batch.bat\""), 0);
  ASSERT_THAT(record_.events, ElementsAre(L"detached"));
  const ProcessRequest& editor = record_.requests.at(0);
  EXPECT_EQ(editor.program, L"gedit");
  EXPECT_THAT(editor.arguments, ElementsAre(L"+12", L"/home/ann/my batch.bat"));
  EXPECT_EQ(editor.title, L"Edit");
  EXPECT_EQ(editor.show, ConsoleShow::Normal);

  record_.error = 2;
  EXPECT_EQ(launcher.StartEditor(L"nowhere %n"), -1);
  EXPECT_THAT(view_.messages, ElementsAre(L"System-Error 2"));
}

}  // namespace
}  // namespace tarnvelock

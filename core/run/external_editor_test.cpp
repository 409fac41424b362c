// The external editor's command line for the templates people write, and
// what the person is told when it cannot be started.
#include "core/run/external_editor.h"

#include <gtest/gtest.h>

#include "core/run/launcher.h"
#include "core/run/null_run_view.h"
#include "platform/virtual_environment.h"

namespace tarnvelock {
namespace {

TEST(ExternalEditorCommandTest, FillsInTheQuotedFileAndTheOneBasedLine) {
  const EditorTarget line10{L"C:\\jobs\\my job.bat", 10};
  EXPECT_EQ(ExternalEditorCommand(L"notepad.exe %n", line10),
            L"notepad.exe \"C:\\jobs\\my job.bat\"");
  EXPECT_EQ(ExternalEditorCommand(L"ed -n%z %n +%z", line10),
            L"ed -n11 \"C:\\jobs\\my job.bat\" +11");
  EXPECT_EQ(ExternalEditorCommand(L"ed %N %Z", line10), L"ed %N %Z") << "case-sensitive";
  EXPECT_EQ(ExternalEditorCommand(L"ed %n", EditorTarget{L"/x/100%zero.bat", 0}),
            L"ed \"/x/100%zero.bat\"")
      << "a %z inside the path is part of the name";
  EXPECT_EQ(ExternalEditorCommand(L"ed %%n", line10), L"ed %\"C:\\jobs\\my job.bat\"");
}

TEST(ExternalEditorCommandTest, WithoutADocumentTheEditorStartsWithNoFile) {
  EXPECT_EQ(ExternalEditorCommand(L"notepad.exe %n", std::nullopt), L"notepad.exe");
  EXPECT_EQ(ExternalEditorCommand(L"code -g %n:%z", std::nullopt), L"code -g");
  EXPECT_EQ(ExternalEditorCommand(L"notepad.exe", std::nullopt), L"");
  EXPECT_EQ(ExternalEditorCommand(L"%n", std::nullopt), L"");
  EXPECT_EQ(ExternalEditorCommand(L"notepad.exe %N", std::nullopt), L"");
}

class NoStarter final : public ProcessStarter {
 public:
  ConsoleStart StartConsole(const ProcessRequest&) override { return {}; }
  WaitedRun RunAndWait(const ProcessRequest&) override { return {}; }
  int StartDetached(const ProcessRequest& request) override {
    started.push_back(request.program);
    return error;
  }
  std::vector<std::wstring> started;
  int error = 0;
};

class MessageView final : public NullRunView {
 public:
  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  std::vector<std::wstring> messages;
};

TEST(ActionCallEditorExecuteTest, AFailedStartShowsTheCommandAfterTheLaunchersMessage) {
  NoStarter starter;
  VirtualEnvironment environment;
  MessageView view;
  Launcher launcher(
      starter, environment, view, [] { return IoStatus(); }, L"/opt/t");

  ActionCallEditorExecute(launcher, view, L"gedit +%z %n", EditorTarget{L"/b/job.bat", 4});
  EXPECT_EQ(starter.started, std::vector<std::wstring>{L"gedit"});
  EXPECT_TRUE(view.messages.empty());

  starter.error = 2;
  ActionCallEditorExecute(launcher, view, L"gedit +%z %n", EditorTarget{L"/b/job.bat", 4});
  EXPECT_EQ(view.messages, (std::vector<std::wstring>{
                               L"System-Error 2",
                               L" Error starting Editor by command\n\ngedit +5 \"/b/job.bat\""}));

  // A template without "%n" and no document: nothing to start.
  view.messages.clear();
  ActionCallEditorExecute(launcher, view, L"gedit", std::nullopt);
  EXPECT_EQ(starter.started.size(), 2u);
  EXPECT_EQ(view.messages, std::vector<std::wstring>{L" Error starting Editor by command\n\n"});
}

}  // namespace
}  // namespace tarnvelock

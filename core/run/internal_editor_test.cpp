// The internal editor's round trip over a document on a virtual disk: what
// it saves, what leaving it reloads, which marks survive, which commands it
// switches, and that the %0 mode never loses the user's text on the way.
#include "core/run/internal_editor.h"

#include <gtest/gtest.h>

#include "core/document/document_test_fakes.h"
#include "core/instrument/line_analysis.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

using enum Command;

constexpr std::string_view kJob = "@echo off\r\n:start\r\necho one\r\necho two\r\n";
constexpr std::wstring_view kJobText = L"@echo off\n:start\necho one\necho two";
constexpr std::string_view kInstrumented =
    "@if .%1==.%_dbg% call :%_dbg% -2 %0\r\n@setlocal enabledelayedexpansion\r\n";

class InternalEditorTest : public ::testing::Test {
 protected:
  InternalEditorTest()
      : scanner_(view_),
        document_(fs_, code_pages_, env_, LoadAnalysisOf(scanner_), view_, view_, L"/tmp/_dbgTmp/"),
        editor_(document_, commands_) {
    fs_.Create(L"/tmp/_dbgTmp/.keep", "");
    fs_.Create(L"/b/job.bat", kJob);
  }

  DebugDocument& doc() { return document_.document(); }
  std::wstring Line(std::int32_t i) { return doc().Items.at(static_cast<size_t>(i)).text; }
  void SetProzent0(bool on) {
    doc().Options.Prozent0 = on;
    document_.MenuItemSettingsEnableProzent0Click();
  }

  VirtualFileSystem fs_;
  TestCodePages code_pages_;
  VirtualEnvironment env_;
  RecordingDocumentView view_;
  LineScanner scanner_;
  DocumentController document_;
  CommandStates commands_;
  InternalEditor editor_;
};

TEST_F(InternalEditorTest, EditSaveAndLeaveKeepsTheMarksOnTheirLines) {
  document_.OpenDocument(L"/b/job.bat");
  doc().Records[2].BreakPoint = true;
  doc().Records[3].EchoZeile = true;
  view_.run_state = RunState::Stopped;  // a run in progress ends first

  const std::wstring text = editor_.Open();
  EXPECT_EQ(text, kJobText);
  EXPECT_TRUE(editor_.IsOpen());
  EXPECT_EQ(view_.resets, 2);
  EXPECT_EQ(view_.run_state, RunState::NoFile);
  EXPECT_FALSE(doc().Loaded());
  for (Command off : {ActionFileNew, ActionFileOpen, ActionCallEditor, ActionBearbeitenLineNumbers,
                      ActionStartEditBreakPoint}) {
    EXPECT_FALSE(commands_.Enabled(off));
  }
  EXPECT_TRUE(commands_.Enabled(ActionFileSave));
  EXPECT_TRUE(commands_.Enabled(ActionFileSaveAs));

  // A line inserted at the top, one typed line break at the end.
  ASSERT_TRUE(editor_.Save(L"/b/job.bat", L"rem new\n" + text + L"\n"));
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), "rem new\r\n" + std::string(kJob));
  editor_.Leave();
  EXPECT_FALSE(editor_.IsOpen());
  EXPECT_EQ(view_.run_state, RunState::Ready);
  EXPECT_EQ(doc().MaxCurZeile, 5);
  EXPECT_EQ(Line(0), L"rem new");
  EXPECT_TRUE(doc().Records[3].BreakPoint);
  EXPECT_TRUE(doc().Records[4].EchoZeile);
  EXPECT_FALSE(doc().Records[2].BreakPoint);
  EXPECT_TRUE(commands_.Enabled(ActionFileOpen));
  EXPECT_TRUE(commands_.Enabled(ActionCallEditor));
  EXPECT_FALSE(commands_.Enabled(ActionFileSave));
  EXPECT_FALSE(commands_.Enabled(ActionFileSaveAs));
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(InternalEditorTest, SaveAsElsewhereThenLeaveReloadsTheBatchItself) {
  document_.OpenDocument(L"/b/job.bat");
  doc().Records[2].BreakPoint = true;
  const std::wstring text = editor_.Open();
  ASSERT_TRUE(editor_.Save(L"/b/copy.bat", text + L"\necho three"));
  editor_.Leave();
  EXPECT_EQ(fs_.Contents(L"/b/copy.bat"), std::string(kJob) + "echo three\r\n");
  EXPECT_EQ(doc().BatchPath, L"/b/job.bat");
  EXPECT_EQ(doc().MaxCurZeile, 4);
  EXPECT_TRUE(doc().Records[2].BreakPoint);

  // Leaving without a change reloads as well; the text is the same.
  editor_.Open();
  editor_.Leave();
  EXPECT_EQ(view_.loads, 3);
  EXPECT_TRUE(doc().Records[2].BreakPoint);
}

TEST_F(InternalEditorTest, SavingUsesTheBatchsCodePage) {
  fs_.Create(L"/b/job.bat.ini", "[Run]\r\nFormatAnsi=1\r\n");
  document_.OpenDocument(L"/b/job.bat");
  ASSERT_EQ(doc().Encoding, CodePage::Ansi);
  editor_.Open();
  ASSERT_TRUE(editor_.Save(L"/b/job.bat", L"echo \u00E4\u20AC\r\n\r\necho b"));
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), "echo \xE4?\r\n\r\necho b\r\n");
  ASSERT_TRUE(editor_.Save(L"/b/empty.bat", L""));
  EXPECT_EQ(fs_.Contents(L"/b/empty.bat"), "");
}

TEST_F(InternalEditorTest, ABatchRemovedWhileEditingLeavesNoDocument) {
  document_.OpenDocument(L"/b/job.bat");
  editor_.Open();
  ASSERT_TRUE(fs_.RemoveFile(L"/b/job.bat"));
  editor_.Leave();
  EXPECT_EQ(view_.messages, std::vector<std::wstring>{L"ERROR:\n\nFile /b/job.bat not found!"});
  EXPECT_FALSE(doc().Loaded());
  EXPECT_EQ(doc().BatchPath, L"");
  EXPECT_EQ(doc().FileTime, 0);
  EXPECT_EQ(view_.run_state, RunState::NoFile);
  EXPECT_TRUE(commands_.Enabled(ActionFileOpen));
}

TEST_F(InternalEditorTest, WithoutADocumentTheEditorWritesANewBatch) {
  EXPECT_EQ(editor_.Open(), L"");
  editor_.Leave();  // nothing written, nothing to load, nothing to complain about
  EXPECT_FALSE(doc().Loaded());
  EXPECT_TRUE(view_.messages.empty());

  editor_.Open();
  ASSERT_TRUE(editor_.Save(L"/b/new.bat", L"@echo off\necho hello"));
  editor_.Leave();
  EXPECT_EQ(doc().BatchPath, L"/b/new.bat");
  EXPECT_EQ(Line(1), L"echo hello");
  EXPECT_EQ(view_.run_state, RunState::Ready);
}

TEST_F(InternalEditorTest, UnderProzent0EveryPathKeepsTheUsersText) {
  document_.OpenDocument(L"/b/job.bat");
  SetProzent0(true);
  doc().Records[3].BreakPoint = true;
  fs_.Create(L"/b/job.bat", kInstrumented);  // a run wrote the instrumented batch

  // Leaving without saving reloads the user's text, not the instrumented one.
  EXPECT_EQ(editor_.Open(), kJobText);
  editor_.Leave();
  EXPECT_EQ(Line(0), L"@echo off");
  EXPECT_TRUE(doc().Records[3].BreakPoint);

  // Saving under the batch's name goes to the moved-aside text; a later run
  // would overwrite the batch's name with the instrumented batch again.
  std::wstring text = editor_.Open();
  ASSERT_TRUE(editor_.Save(L"/b/job.bat", L"rem top\n" + text));
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kInstrumented);
  EXPECT_EQ(fs_.Contents(L"/b/job.bat.org"), "rem top\r\n" + std::string(kJob));
  editor_.Leave();
  EXPECT_EQ(Line(0), L"rem top");
  EXPECT_TRUE(doc().Records[4].BreakPoint);

  // Switching the mode off afterwards puts the edited text under its name.
  SetProzent0(false);
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), "rem top\r\n" + std::string(kJob));
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));

  // Program end with the editor open still puts the batch back.
  SetProzent0(true);
  fs_.Create(L"/b/job.bat", kInstrumented);
  editor_.Open();
  document_.CloseAtExit();
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), "rem top\r\n" + std::string(kJob));
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));
  EXPECT_TRUE(view_.messages.empty());
}

}  // namespace
}  // namespace tarnvelock

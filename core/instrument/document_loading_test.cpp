// The document controller together with the analysis every load runs: how
// a batch is opened, reloaded, switched into the %0 mode and closed.
#include <gtest/gtest.h>

#include "core/document/document_controller.h"
#include "core/document/document_test_fakes.h"
#include "core/instrument/line_analysis.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

constexpr std::string_view kJob = "@echo off\r\n:start\r\necho one\r\necho two\r\n";
constexpr std::string_view kInstrumented =
    "@if .%1==.%_dbg% call :%_dbg% -2 %0\r\n@setlocal enabledelayedexpansion\r\n";

class DocumentControllerTest : public ::testing::Test {
 protected:
  DocumentControllerTest()
      : scanner_(view_),
        controller_(fs_, code_pages_, env_, LoadAnalysisOf(scanner_), view_, view_,
                    L"/tmp/_dbgTmp/") {
    fs_.Create(L"/tmp/_dbgTmp/.keep", "");
  }

  DebugDocument& doc() { return controller_.document(); }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> texts;
    for (const DocumentLine& line : controller_.document().Items) texts.push_back(line.text);
    return texts;
  }
  void Open(const std::wstring& path) { controller_.OpenDocument(path); }
  void SetProzent0(bool on) {
    doc().Options.Prozent0 = on;
    controller_.MenuItemSettingsEnableProzent0Click();
  }

  VirtualFileSystem fs_;
  TestCodePages code_pages_;
  VirtualEnvironment env_;
  RecordingDocumentView view_;
  LineScanner scanner_;
  DocumentController controller_;
};

TEST_F(DocumentControllerTest, NewDocumentSetsItsPathsAndLines) {
  fs_.Create(L"/b/my dir/job.bat", kJob);
  Open(L"/b/my dir/job.bat");
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(doc().BatchPath, L"/b/my dir/job.bat");
  EXPECT_EQ(doc().SourcePath, doc().BatchPath);
  EXPECT_EQ(doc().BatchDir, L"/b/my dir/");
  EXPECT_EQ(doc().StartDir, L"/b/my dir/");
  EXPECT_EQ(doc().IniPath, L"/b/my dir/job.bat.ini");
  EXPECT_EQ(doc().LogArg, L"\"/b/my dir/job.bat.log\"");
  EXPECT_EQ(env_.values[L"_dbgLog"], doc().LogArg);
  EXPECT_EQ(doc().InstrumentedPath, L"/tmp/_dbgTmp/job.bat");
  EXPECT_EQ(view_.caption, L"Tarnvelock  Version 1.1  ---  /b/my dir/job.bat");
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"@echo off", L":start", L"echo one", L"echo two",
                                                L"<end of file>"}));
  EXPECT_EQ(doc().MaxCurZeile, 4);
  ASSERT_EQ(doc().Records.size(), 5u);
  EXPECT_TRUE(doc().Records[4].IgnoreZeile);
  EXPECT_EQ(doc().Records[1].RemZeile, remLabel);  // scanned
  EXPECT_TRUE(doc().InstrumentStale);
  EXPECT_NE(doc().FileTime, 0);
  EXPECT_EQ(view_.run_state, RunState::Ready);
  EXPECT_EQ(view_.resets, 1);
  EXPECT_EQ(view_.loads, 1);
  EXPECT_STREQ(doc().LineNrFormat(), "%2d  ");
}

TEST_F(DocumentControllerTest, InspectingLoadChangesNoFileAndMaySkipTheSettings) {
  fs_.Create(L"/b/job.bat", kJob);
  fs_.Create(L"/b/job.bat.ini", "[Main]\r\nProzent0=1\r\n[BreakPoint2]\r\nBreakCount=3\r\n");
  controller_.set_load_policy({.ReadSettings = true, .ChangeFiles = false});
  Open(L"/b/job.bat");
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kJob) << "the %0 mode must not move the batch";
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));
  EXPECT_TRUE(doc().Records[2].BreakPoint);

  controller_.UnloadDocument();
  controller_.set_load_policy({.ReadSettings = false, .ChangeFiles = false});
  Open(L"/b/job.bat");
  EXPECT_FALSE(doc().Records[2].BreakPoint);
}

TEST_F(DocumentControllerTest, LineCountsAndNumberFormat) {
  std::string lines99;
  for (int i = 0; i < 99; ++i) lines99 += "echo\r\n";
  const struct {
    std::string content;
    std::int32_t count;
    const char* format;
  } cases[] = {{"", 0, "%2d  "},           {"a\r\nb", 2, "%2d  "},
               {"a\r\nb\r\n", 2, "%2d  "}, {"a\rb\r", 2, "%2d  "},
               {lines99, 99, "%2d  "},     {lines99 + "x", 100, "%3d  "},
               {"\r\n", 1, "%2d  "},       {std::string(1 << 20, 'x'), 1, "%2d  "}};
  for (const auto& c : cases) {
    fs_.Create(L"/b/t.bat", c.content);
    Open(L"/b/t.bat");
    EXPECT_EQ(doc().MaxCurZeile, c.count) << c.content.substr(0, 20);
    EXPECT_STREQ(doc().LineNrFormat(), c.format);
    EXPECT_EQ(doc().Items.back().text, L"<end of file>");
    controller_.ActionFileCloseExecute();
  }
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(DocumentControllerTest, BadInputIsReportedAndNothingStaysHalfLoaded) {
  Open(L"/b/none.bat");
  ASSERT_TRUE(fs_.CreateDirectory(L"/b"));
  ASSERT_TRUE(fs_.CreateDirectory(L"/b/dir.bat"));
  Open(L"/b/dir.bat");
  fs_.Create(L"/b/locked.bat", "echo\r\n");
  fs_.MakeInaccessible(L"/b/locked.bat");
  Open(L"/b/locked.bat");
  ASSERT_EQ(view_.messages.size(), 3u);
  EXPECT_EQ(view_.messages[0], L"ERROR:\n\nFile /b/none.bat not found!");
  EXPECT_EQ(view_.messages[1], L"ERROR:\n\n/b/dir.bat is a directory, not a batch file.");
  EXPECT_EQ(view_.messages[2], L"Cannot open \"/b/locked.bat\": Permission denied.");
  EXPECT_FALSE(doc().Loaded());
  EXPECT_TRUE(doc().BatchPath.empty());
  EXPECT_EQ(view_.run_state, RunState::NoFile);

  fs_.Create(L"/b/binary.bat", std::string("MZ\0\0\x0E\x01\r\n\x0E", 10));
  Open(L"/b/binary.bat");
  EXPECT_EQ(doc().MaxCurZeile, 2);
  EXPECT_EQ(doc().Items[0].text, std::wstring(L"MZ\0\0\x0E\x01", 6));
}

TEST_F(DocumentControllerTest, RunInProgressAsksBeforeLoading) {
  fs_.Create(L"/b/a.bat", "echo a\r\n");
  fs_.Create(L"/b/b.bat", "echo b\r\n");
  Open(L"/b/a.bat");
  view_.run_state = RunState::Stopped;
  view_.confirm_reply = false;
  Open(L"/b/b.bat");
  EXPECT_EQ(view_.messages, (std::vector<std::wstring>{L"Exit and load new file?"}));
  EXPECT_EQ(doc().BatchPath, L"/b/a.bat");
  EXPECT_EQ(view_.run_state, RunState::Stopped);

  view_.confirm_reply = true;
  Open(L"/b/b.bat");
  EXPECT_EQ(doc().BatchPath, L"/b/b.bat");
  EXPECT_EQ(view_.ended_processes, 1);
  EXPECT_TRUE(fs_.FileExists(L"/b/a.bat.ini"));  // a was closed
  EXPECT_EQ(view_.run_state, RunState::Ready);
}

TEST_F(DocumentControllerTest, OutsideChangeReloadsAndMarksFollowTheirLines) {
  fs_.Create(L"/b/job.bat", kJob);
  Open(L"/b/job.bat");
  doc().Records[3].BreakPoint = true;
  controller_.ApplicationEventsActivate();
  EXPECT_EQ(view_.loads, 1);  // unchanged file: no reload

  fs_.Create(L"/b/job.bat", "rem added\r\n" + std::string(kJob));
  view_.cursor = 2;
  controller_.ApplicationEventsActivate();
  EXPECT_EQ(view_.loads, 2);
  EXPECT_EQ(doc().MaxCurZeile, 5);
  EXPECT_FALSE(doc().Records[3].BreakPoint);
  EXPECT_TRUE(doc().Records[4].BreakPoint);
  EXPECT_EQ(view_.resets, 2);

  EXPECT_TRUE(fs_.RemoveFile(L"/b/job.bat"));
  controller_.ApplicationEventsActivate();
  EXPECT_EQ(view_.messages, (std::vector<std::wstring>{L"ERROR:\n\nFile /b/job.bat not found!"}));
  EXPECT_TRUE(doc().Loaded());
}

TEST_F(DocumentControllerTest, CloseWritesSettingsRemovesRunFilesAndReopenRestoresMarks) {
  fs_.Create(L"/b/job.bat", kJob);
  Open(L"/b/job.bat");
  doc().Records[2].BreakPoint = true;
  doc().Records[2].BreakCount = 2;
  doc().Records[3].Navigation = true;
  doc().Records[1].Navigation = true;  // the label is listed by the scan already
  doc().Records[0].IgnoreZeile = true;
  fs_.Create(L"/tmp/_dbgTmp/_dbgError.txt", "x");
  fs_.Create(doc().InstrumentedPath, "instrumented");
  controller_.ActionFileCloseExecute();

  EXPECT_FALSE(doc().Loaded());
  EXPECT_TRUE(doc().BatchPath.empty());
  EXPECT_EQ(view_.caption, L"Tarnvelock  Version 1.1");
  EXPECT_EQ(view_.run_state, RunState::NoFile);
  EXPECT_FALSE(fs_.FileExists(L"/tmp/_dbgTmp/_dbgError.txt"));
  EXPECT_FALSE(fs_.FileExists(L"/tmp/_dbgTmp/job.bat"));
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kJob);

  Open(L"/b/job.bat");
  EXPECT_TRUE(doc().Records[0].IgnoreZeile);
  EXPECT_TRUE(doc().Records[2].BreakPoint);
  EXPECT_EQ(doc().Records[2].BreakCount, 2);
  EXPECT_TRUE(doc().Records[3].Navigation);
  EXPECT_FALSE(doc().Records[1].Navigation);
  ASSERT_EQ(doc().NavigationList.size(), 3u);
  EXPECT_EQ(doc().NavigationList[1].text, L":start");
  EXPECT_EQ(doc().NavigationList[2].text, L"echo two");
  EXPECT_EQ(doc().NavigationList[2].line, 3);
}

TEST_F(DocumentControllerTest, CodePageSwitchRereadsTextAndKeepsRecords) {
  fs_.Create(L"/b/job.bat", "echo \xE4\r\necho b\r\n");
  Open(L"/b/job.bat");
  EXPECT_EQ(doc().Items[0].text, L"echo \uFFFD");
  doc().Records[1].BreakPoint = true;
  doc().Options.FormatAnsi = true;
  controller_.MenuItemSettingsFormatAnsiClick();
  EXPECT_EQ(doc().Items[0].text, L"echo \u00E4");
  EXPECT_EQ(doc().Items[0].hash, LineHash(L"echo \u00E4"));
  EXPECT_EQ(doc().MaxCurZeile, 2);
  EXPECT_TRUE(doc().Records[1].BreakPoint);

  controller_.ActionFileCloseExecute();
  EXPECT_FALSE(doc().Options.FormatAnsi);
  EXPECT_EQ(doc().Encoding, CodePage::Oem);
  Open(L"/b/job.bat");  // the settings file says ANSI
  EXPECT_EQ(doc().Items[0].text, L"echo \u00E4");
  EXPECT_TRUE(doc().Options.FormatAnsi);
}

TEST_F(DocumentControllerTest, Prozent0MovesTheBatchAsideAndCloseMovesItBack) {
  fs_.Create(L"/b/job.bat", kJob);
  Open(L"/b/job.bat");
  SetProzent0(true);
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat"));
  EXPECT_EQ(fs_.Contents(L"/b/job.bat.org"), kJob);
  EXPECT_EQ(doc().SourcePath, L"/b/job.bat.org");
  EXPECT_EQ(doc().InstrumentedPath, L"/b/job.bat");
  EXPECT_EQ(controller_.EditorFilePath(), L"/b/job.bat.org");

  fs_.Create(L"/b/job.bat", kInstrumented);  // a run
  controller_.ActionFileCloseExecute();
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kJob);
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));
  EXPECT_TRUE(doc().Options.Prozent0);  // stays checked

  Open(L"/b/job.bat");  // the settings file turns the mode on again
  EXPECT_EQ(doc().SourcePath, L"/b/job.bat.org");
  EXPECT_EQ(Texts()[0], L"@echo off");
  const std::string edited = "rem edited\r\n" + std::string(kJob);
  fs_.Create(L"/b/job.bat.org", edited);  // saved by the external editor
  controller_.ApplicationEventsActivate();
  EXPECT_EQ(Texts()[0], L"rem edited");
  SetProzent0(false);
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), edited);
  EXPECT_EQ(doc().InstrumentedPath, L"/tmp/_dbgTmp/job.bat");
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(DocumentControllerTest, Prozent0WarnsAboutFilesItReplaces) {
  fs_.Create(L"/b/job.txt", kJob);
  fs_.Create(L"/b/job.txt.org", "old copy");
  fs_.Create(L"/b/job.CMD", "someone's");
  Open(L"/b/job.txt");
  EXPECT_EQ(doc().InstrumentedPath, L"/tmp/_dbgTmp/job.CMD");
  SetProzent0(true);
  EXPECT_EQ(view_.messages, (std::vector<std::wstring>{
                                L"WARNUNG:\nDatei \"/b/job.txt.org\" wird gleich gelöscht!",
                                L"WARNUNG:\nDatei \"/b/job.CMD\" wird bei Batch-Start gelöscht!"}));
  EXPECT_EQ(fs_.Contents(L"/b/job.txt.org"), kJob);
  EXPECT_EQ(doc().InstrumentedPath, L"/b/job.CMD");
}

TEST_F(DocumentControllerTest, Prozent0ThatCannotMoveTheBatchStaysOff) {
  fs_.Create(L"/b/job.bat", kJob);
  Open(L"/b/job.bat");
  fs_.MakeInaccessible(L"/b/job.bat.org");
  SetProzent0(true);
  EXPECT_EQ(view_.messages.size(), 1u);
  EXPECT_FALSE(doc().Options.Prozent0);
  EXPECT_EQ(doc().SourcePath, L"/b/job.bat");
  EXPECT_EQ(doc().InstrumentedPath, L"/tmp/_dbgTmp/job.bat");
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kJob);
}

TEST_F(DocumentControllerTest, RejectedScanPutsTheMovedBatchBack) {
  fs_.Create(L"/b/job.bat", "set _dbgX=1\r\n");
  fs_.Create(L"/b/job.bat.ini", "[Main]\r\nProzent0=1\r\n");
  Open(L"/b/job.bat");
  EXPECT_FALSE(doc().Loaded());
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), "set _dbgX=1\r\n");
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));
  EXPECT_EQ(view_.run_state, RunState::NoFile);
}

TEST_F(DocumentControllerTest, CodePageSwitchUnderProzent0ReadsTheUsersText) {
  fs_.Create(L"/b/job.bat", kJob);
  Open(L"/b/job.bat");
  SetProzent0(true);
  fs_.Create(L"/b/job.bat", kInstrumented);  // a run
  doc().Options.FormatAnsi = true;
  controller_.MenuItemSettingsFormatAnsiClick();
  EXPECT_EQ(Texts()[0], L"@echo off");
  EXPECT_EQ(doc().MaxCurZeile, 4);
}

TEST_F(DocumentControllerTest, InternalEditorUnderProzent0EditsTheUsersTextAndKeepsMarks) {
  fs_.Create(L"/b/job.bat", kJob);
  Open(L"/b/job.bat");
  SetProzent0(true);
  fs_.Create(L"/b/job.bat", kInstrumented);  // a run
  doc().Records[2].BreakPoint = true;

  std::vector<std::wstring> lines = controller_.BeginInternalEdit();
  EXPECT_EQ(lines.size(), 4u);
  EXPECT_EQ(view_.run_state, RunState::NoFile);
  EXPECT_FALSE(doc().Loaded());
  controller_.ApplicationEventsActivate();  // no reload while editing
  EXPECT_EQ(view_.loads, 1);

  lines.insert(lines.begin(), L"rem new");
  // The batch's own name means its moved-aside text, not the instrumented batch.
  ASSERT_TRUE(controller_.SaveEditorText(L"/b/job.bat", lines));
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kInstrumented);
  controller_.EndInternalEdit();
  EXPECT_EQ(Texts()[0], L"rem new");
  EXPECT_EQ(doc().MaxCurZeile, 5);
  EXPECT_TRUE(doc().Records[3].BreakPoint);
  EXPECT_EQ(view_.run_state, RunState::Ready);
  EXPECT_EQ(fs_.Contents(L"/b/job.bat.org"), "rem new\r\n" + std::string(kJob));

  // Leaving without saving after another run loads the user's text again.
  fs_.Create(L"/b/job.bat", kInstrumented);
  controller_.BeginInternalEdit();
  controller_.EndInternalEdit();
  EXPECT_EQ(Texts()[0], L"rem new");
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(DocumentControllerTest, LeavingTheEditorStateWithoutCloseStillPutsTheBatchBack) {
  fs_.Create(L"/b/job.bat", kJob);
  fs_.Create(L"/b/other.bat", "echo other\r\n");
  Open(L"/b/job.bat");
  SetProzent0(true);
  controller_.BeginInternalEdit();
  Open(L"/b/other.bat");  // handed over by a second instance
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kJob);
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));
  EXPECT_EQ(doc().BatchPath, L"/b/other.bat");
  controller_.ActionFileCloseExecute();

  // Program end while the editor is open.
  Open(L"/b/job.bat");
  SetProzent0(true);
  fs_.Create(L"/b/job.bat", kInstrumented);
  controller_.BeginInternalEdit();
  controller_.CloseAtExit();
  EXPECT_EQ(fs_.Contents(L"/b/job.bat"), kJob);
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.org"));
  EXPECT_FALSE(fs_.FileExists(L"/b/job.bat.ini"));  // the marks are not in memory
}

TEST_F(DocumentControllerTest, BatchLeftMovedAsideByAnEarlierSessionIsPutBack) {
  fs_.Create(L"/b/job.bat", kInstrumented);
  fs_.Create(L"/b/job.bat.org", kJob);
  fs_.Create(L"/b/job.bat.ini", "[Main]\r\nProzent0=1\r\n");
  Open(L"/b/job.bat");
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_NE(view_.messages[0].find(L"/b/job.bat.org"), std::wstring::npos);
  EXPECT_EQ(Texts()[0], L"@echo off");
  EXPECT_EQ(fs_.Contents(L"/b/job.bat.org"), kJob);  // moved aside again by the mode

  // Left before its first run: only the moved-aside text exists.
  controller_.CloseAtExit();
  fs_.Create(L"/b/solo.bat.org", kJob);
  Open(L"/b/solo.bat");
  EXPECT_EQ(Texts()[0], L"@echo off");
  EXPECT_EQ(fs_.Contents(L"/b/solo.bat"), kJob);

  // A batch of the user's own beside a stale ".org" is left as it is.
  controller_.ActionFileCloseExecute();
  fs_.Create(L"/b/solo.bat.org", "older text");
  Open(L"/b/solo.bat");
  EXPECT_EQ(view_.messages.size(), 2u);  // the two put back above
  EXPECT_EQ(fs_.Contents(L"/b/solo.bat.org"), "older text");
  EXPECT_EQ(doc().SourcePath, L"/b/solo.bat");
}

}  // namespace
}  // namespace tarnvelock

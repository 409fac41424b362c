// EventLog against an in-memory disk: the start line, the transient stop
// entry, reloads with the "LineTime=" filter, clicks, and edits written back.
#include "core/run/event_log.h"

#include <gtest/gtest.h>

#include "core/run/pane_fakes_for_tests.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

using Lines = std::vector<std::wstring>;

class EventLogTest : public ::testing::Test {
 protected:
  EventLogTest() {
    doc.BatchPath = L"/b/job.bat";
    doc.LogPath = L"/b/job.bat.log";
    EXPECT_TRUE(disk.CreateDirectory(L"/b"));
  }
  // The batch appends to the log while it runs.
  void BatchWrites(const std::string& bytes) { EXPECT_TRUE(disk.AppendFile(doc.LogPath, bytes)); }

  DebugDocument doc;
  VirtualFileSystem disk;
  Utf8CodePages codePages;
  ScriptedPromptView view;
  EventLog log{doc, disk, codePages, view};
};

TEST_F(EventLogTest, StartLineReplacesTheOldLogWithoutAReload) {
  disk.Create(doc.LogPath, "old run\r\n");
  log.StartLog(StartLineText(doc.BatchPath, L"a b"));
  EXPECT_EQ(disk.Contents(doc.LogPath), "/b/job.bat a b  /Ln=0\r\n");
  EXPECT_EQ(log.Entries(), Lines{L"/b/job.bat a b  /Ln=0"});
  EXPECT_FALSE(log.ReloadLogIfChanged());
}

TEST_F(EventLogTest, TransientStopEntry) {
  log.StartLog(StartLineText(doc.BatchPath, L""));
  log.ShowStopEntry(StopEntryText(3));
  log.ShowStopEntry(StopEntryText(4));
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"actual Line  /Ln=4"}));
  EXPECT_TRUE(log.TransientLogTail());

  // A line of the debugger's own takes the position entry's place.
  log.AppendLogLine(L"Err=1: x  /Ln=4");
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"Err=1: x  /Ln=4"}));
  EXPECT_FALSE(log.TransientLogTail());
  log.ShowStopEntry(StopEntryText(5));

  // The batch wrote in between: the next stop entry follows its line.
  BatchWrites("Call :sub  /Ln=5\r\n");
  EXPECT_TRUE(log.ReloadLogIfChanged());
  log.ShowStopEntry(StopEntryText(9));
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"Err=1: x  /Ln=4", L"Call :sub  /Ln=5",
                                  L"actual Line  /Ln=9"}));
  EXPECT_EQ(log.Selected(), 3);
  EXPECT_EQ(disk.Contents(doc.LogPath),
            "/b/job.bat   /Ln=0\r\nErr=1: x  /Ln=4\r\nCall :sub  /Ln=5\r\n");
}

TEST_F(EventLogTest, OwnLineAfterUnseenBatchLines) {
  log.StartLog(StartLineText(doc.BatchPath, L""));
  BatchWrites("from batch\r\n");
  log.AppendLogLine(L"exit  /Ln=2");
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"from batch", L"exit  /Ln=2"}));
  EXPECT_FALSE(log.ReloadLogIfChanged());

  // A line for the file alone reaches the pane with the next poll.
  log.AppendLogFile(L"Add Cmd \"set x=1\"  /Ln=2");
  EXPECT_EQ(log.Entries().size(), 3u);
  EXPECT_TRUE(log.ReloadLogIfChanged());
  EXPECT_EQ(log.Entries().back(), L"Add Cmd \"set x=1\"  /Ln=2");
}

TEST_F(EventLogTest, LineTimeFilter) {
  doc.Options.LogLines = true;
  doc.Options.LogLinesShow = false;
  log.StartLog(StartLineText(doc.BatchPath, L""));
  BatchWrites("LineTime=1 12:00  /Ln=1\r\nCall :x  /Ln=1\r\nLineTime=2 12:01  /Ln=2\r\n");
  log.ReloadLogIfChanged();
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"Call :x  /Ln=1"}));
  EXPECT_EQ(log.Selected(), 1);

  log.SetShowLineTimes(true);
  EXPECT_EQ(log.Entries().size(), 4u);
  log.SetShowLineTimes(false);
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"Call :x  /Ln=1"}));

  // Editing the shown lines keeps the hidden ones in the file.
  log.Click(1);
  view.WillAnswer(L"Call :y  /Ln=1");
  log.EditLine();
  EXPECT_EQ(disk.Contents(doc.LogPath),
            "/b/job.bat   /Ln=0\r\nLineTime=1 12:00  /Ln=1\r\nCall :y  /Ln=1\r\n"
            "LineTime=2 12:01  /Ln=2\r\n");
}

TEST_F(EventLogTest, UnreadableFileLeavesThePaneAndIsNotRetriedUntilItChanges) {
  log.StartLog(StartLineText(doc.BatchPath, L""));
  log.ShowStopEntry(StopEntryText(1));
  BatchWrites("x\r\n");
  disk.MakeInaccessible(doc.LogPath);
  EXPECT_TRUE(log.ReloadLogIfChanged());
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"actual Line  /Ln=1"}));
  EXPECT_TRUE(log.TransientLogTail());
  EXPECT_FALSE(log.ReloadLogIfChanged());
}

TEST_F(EventLogTest, ClickNamesTheLine) {
  disk.Create(doc.LogPath,
              "        Call :sub a  /Ln=17\r\nLine  /Ln=1234\r\nplain text\r\nAdd Cmd \"echo  "
              "/Ln=5\"  /Ln=8\r\n");
  log.ReloadLog();
  LogClick click = log.Click(0);
  EXPECT_EQ(click.StatusText, L"Call :sub a");
  EXPECT_EQ(click.Line, 17);
  EXPECT_TRUE(click.TakeFocus);
  EXPECT_EQ(log.Click(1).Line, 1234);
  click = log.Click(2);
  EXPECT_EQ(click.StatusText, L"plain text");
  EXPECT_FALSE(click.Line);
  EXPECT_FALSE(click.TakeFocus);
  EXPECT_EQ(log.Click(3).Line, 8);
}

TEST_F(EventLogTest, EditsAreStoredWithoutThePositionEntry) {
  log.StartLog(StartLineText(doc.BatchPath, L""));
  BatchWrites("one\r\ntwo\r\n");
  log.ReloadLogIfChanged();
  log.ShowStopEntry(StopEntryText(2));

  log.Click(1);
  view.WillAnswer(L"added");
  log.AddLine();
  EXPECT_EQ(view.requests.back().Caption, L"Add Log");
  EXPECT_EQ(view.requests.back().Initial, L"one");
  log.Click(0);
  log.DeleteLine();  // the first entry stays
  log.Click(3);
  log.DeleteLine();
  EXPECT_EQ(log.Entries(), (Lines{L"/b/job.bat   /Ln=0", L"one", L"added", L"actual Line  /Ln=2"}));

  // The batch appended meanwhile: its line survives the write-back.
  BatchWrites("three\r\n");
  log.Click(1);
  view.WillAnswer(std::nullopt);  // cancelled: no change
  log.EditLine();
  view.WillAnswer(L"ONE");
  log.EditLine();
  EXPECT_EQ(disk.Contents(doc.LogPath), "/b/job.bat   /Ln=0\r\nONE\r\nadded\r\nthree\r\n");
  EXPECT_FALSE(log.ReloadLogIfChanged());
}

TEST_F(EventLogTest, NothingIsWrittenWhileThePaneShowsNoLog) {
  disk.Create(doc.LogPath, "kept\r\n");
  log.Clear();
  view.WillAnswer(L"x");
  log.AddLine();
  EXPECT_EQ(disk.Contents(doc.LogPath), "kept\r\n");
}

}  // namespace
}  // namespace tarnvelock

// Track windows: the file a pane value names, the cascade of new windows,
// and a tracked file that appears, changes, cannot be read and goes away.
#include "core/run/track_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/run/pane_fakes_for_tests.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

using ::testing::ElementsAre;
using Change = TrackedFile::Change;

TEST(TrackFileNameTest, QuotesBulletsAndRelativeNames) {
  const std::wstring plain = TrackFileName(L"/w/my log.txt", L"/w", L'/');
  EXPECT_EQ(plain, L"/w/my log.txt");
  EXPECT_EQ(TrackFileName(L"\"/w/my\u2022log.txt\"", L"/w", L'/'), plain)
      << "quoted, with blanks shown as bullets";
  EXPECT_EQ(TrackFileName(L"\"a \"\"b\"\".txt\"", L"/w", L'/'), L"/w/a \"b\".txt");
  EXPECT_EQ(TrackFileName(L"out\\x.txt", L"/w/", L'/'), L"/w/out/x.txt");
  EXPECT_EQ(TrackFileName(L"\"", L"/w", L'/'), L"/w/\"") << "a lone quote is no pair";
  EXPECT_EQ(TrackFileName(L"", L"/w", L'/'), L"");
}

TEST(TrackFileNameTest, WindowsNamesTakeTheDriveOfTheCurrentDirectory) {
  EXPECT_EQ(TrackFileName(L"\\logs\\a.txt", L"D:\\work", L'\\'), L"D:\\logs\\a.txt");
  EXPECT_EQ(TrackFileName(L"a.txt", L"D:\\work", L'\\'), L"D:\\work\\a.txt");
  EXPECT_EQ(TrackFileName(L"C:\\x\\a.txt", L"D:\\work", L'\\'), L"C:\\x\\a.txt");
  EXPECT_EQ(TrackFileName(L"\\\\srv\\share\\a.txt", L"D:\\work", L'\\'), L"\\\\srv\\share\\a.txt");
}

TEST(TrackBaseDirectoryTest, TheCdEntryInAnyDisplayForm) {
  VariablePane pane;
  EXPECT_EQ(TrackBaseDirectory(pane, L"/start"), L"/start");
  pane.Entries = {{L"CD=/my\u2022dir"}, {L"ERRORLEVEL=0"}};
  EXPECT_EQ(TrackBaseDirectory(pane, L"/start"), L"/my dir");
  pane.Entries[0].Text = L"%CD%=/w";
  EXPECT_EQ(TrackBaseDirectory(pane, L"/start"), L"/w");
  pane.Entries[0].Text = L"PATH=/bin";
  EXPECT_EQ(TrackBaseDirectory(pane, L"/start"), L"/start") << "the environment of NoFile";
}

class ResolveTrackFileTest : public ::testing::Test {
 protected:
  VirtualFileSystem disk;
  ScriptedPromptView view;
};

TEST_F(ResolveTrackFileTest, AnExistingFileOpensWithoutAQuestion) {
  disk.Create(L"/w/log.txt", "x");
  EXPECT_EQ(ResolveTrackFile(L"log.txt", L"/w", disk, view), L"/w/log.txt");
  EXPECT_TRUE(view.requests.empty());
}

TEST_F(ResolveTrackFileTest, AMissingOrEmptyNameIsConfirmedOrCancelled) {
  view.WillAnswer(L"later.txt");
  EXPECT_EQ(ResolveTrackFile(L"\"later.txt\"", L"/w", disk, view), L"/w/later.txt")
      << "a file that does not exist yet still gets its window";
  ASSERT_EQ(view.requests.size(), 1u);
  EXPECT_EQ(view.requests[0].Caption, L"Tracking");
  EXPECT_EQ(view.requests[0].Prompt, L"Filename");
  EXPECT_EQ(view.requests[0].Initial, L"/w/later.txt");

  view.WillAnswer(L"sub/out.txt");
  EXPECT_EQ(ResolveTrackFile(L"", L"/w", disk, view), L"/w/sub/out.txt")
      << "an empty value always asks; a typed name is the batch's";
  EXPECT_EQ(view.requests.back().Initial, L"");

  view.WillAnswer(std::nullopt);
  EXPECT_EQ(ResolveTrackFile(L"gone.txt", L"/w", disk, view), std::nullopt);
  view.WillAnswer(L"");
  EXPECT_EQ(ResolveTrackFile(L"gone.txt", L"/w", disk, view), std::nullopt);
}

TEST(PlaceTrackWindowTest, WindowsCascadeFromAboveTheMainWindow) {
  const TrackPlacement first = PlaceTrackWindow(300, 111, std::nullopt);
  EXPECT_EQ(first.Left, 150);
  EXPECT_EQ(first.Top, 71);
  EXPECT_EQ(PlaceTrackWindow(300, 111, first.Top).Top, 111);
  EXPECT_EQ(PlaceTrackWindow(150, 20, std::nullopt).Left, 0);
  EXPECT_EQ(PlaceTrackWindow(100, 20, std::nullopt).Left, 0);
  EXPECT_EQ(PlaceTrackWindow(100, 20, std::nullopt).Top, -20);
}

TEST(TrackedFileTest, AppearsChangesIsUnreadableAndGoesAway) {
  VirtualFileSystem disk;
  Utf8CodePages pages;
  TrackedFile file(disk, pages, L"/w/out.txt");
  EXPECT_EQ(file.Update(), Change::Missing);
  EXPECT_TRUE(file.Missing());
  EXPECT_EQ(file.Update(), Change::None) << "still missing: nothing to draw";

  disk.Create(L"/w/out.txt", "one\r\ntwo\r\n");
  EXPECT_EQ(file.Update(), Change::Loaded);
  EXPECT_FALSE(file.Missing());
  EXPECT_THAT(file.Lines(), ElementsAre(L"one", L"two"));
  EXPECT_EQ(file.Update(), Change::None) << "unchanged: not read again";

  ASSERT_TRUE(disk.AppendFile(L"/w/out.txt", "th\xC3\xA9\r\n"));
  EXPECT_EQ(file.Update(), Change::Loaded);
  EXPECT_THAT(file.Lines(), ElementsAre(L"one", L"two", L"th\u00e9"));

  disk.RemoveTree(L"/w");
  EXPECT_EQ(file.Update(), Change::Missing);
  EXPECT_TRUE(file.Lines().empty());
  disk.Create(L"/w/out.txt", "again\r\n");
  EXPECT_EQ(file.Update(), Change::Loaded);
  EXPECT_THAT(file.Lines(), ElementsAre(L"again"));

  ASSERT_TRUE(disk.AppendFile(L"/w/out.txt", "blocked\r\n"));
  disk.MakeInaccessible(L"/w/out.txt");
  EXPECT_EQ(file.Update(), Change::None);
  EXPECT_THAT(file.Lines(), ElementsAre(L"again")) << "an unreadable file keeps what was shown";
  EXPECT_FALSE(file.Missing());
}

}  // namespace
}  // namespace tarnvelock

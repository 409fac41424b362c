// The help for a batch command: which word the cursor line gives, when the
// person is asked, what reaches the interpreter, and what the help window
// receives - heading and capture, or "Help not found".
#include "core/run/command_help.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/document/document_text.h"
#include "core/run/pane_fakes_for_tests.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

using ::testing::ElementsAre;
using Outcome = CommandHelp::Outcome;

DebugDocument DocumentOf(std::wstring_view text) {
  DebugDocument doc;
  doc.Items = SplitDocumentLines(text);
  doc.MaxCurZeile = static_cast<std::int32_t>(doc.Items.size()) - 1;
  return doc;
}

TEST(HelpWordOfLineTest, TheCursorLineGivesItsCommandWordOrNone) {
  const DebugDocument doc = DocumentOf(
      L"@echo off\r\n:start\r\n(set x=1)\r\n%cmd% /c\r\n"
      L"  xcopy a b ^\r\n");
  EXPECT_EQ(HelpWordOfLine(doc, 0), L"echo");
  EXPECT_EQ(HelpWordOfLine(doc, 1), L"") << "a label";
  EXPECT_EQ(HelpWordOfLine(doc, 2), L"") << "a bracket";
  EXPECT_EQ(HelpWordOfLine(doc, 3), L"") << "a variable";
  EXPECT_EQ(HelpWordOfLine(doc, 4), L"xcopy") << "a caret at the end is no error here";
  EXPECT_EQ(HelpWordOfLine(doc, doc.MaxCurZeile), L"SET") << "the sentinel";
  EXPECT_EQ(HelpWordOfLine(doc, -1), L"SET");
  EXPECT_EQ(HelpWordOfLine(DebugDocument(), 0), L"SET") << "no document";
}

TEST(HelpHeaderLinesTest, FourLinesNameTheWord) {
  EXPECT_THAT(
      HelpHeaderLines(L"for"),
      ElementsAre(L"", L"          Help for Batch-Command  \"for\"",
                  L"=================================================================", L""));
}

class CommandHelpTest : public ::testing::Test {
 protected:
  CommandHelp::Result Help(std::wstring word, bool ask) {
    CommandHelp help(
        disk, pages, view,
        [this](const std::wstring& w) {
          asked.push_back(w);
          if (!capture.empty()) disk.Create(L"/tmp/_dbgHelp.txt", capture);
        },
        L"/tmp/_dbgHelp.txt");
    return help.ForWord(std::move(word), ask);
  }

  VirtualFileSystem disk;
  Utf8CodePages pages;
  ScriptedPromptView view;
  std::vector<std::wstring> asked;
  std::string capture;
};

TEST_F(CommandHelpTest, TheCapturedHelpFollowsTheHeadingAndIsDeleted) {
  capture = "Sets a variable.\r\n\r\nSET [name=[value]]\r\n";
  const CommandHelp::Result result = Help(L"set", false);
  EXPECT_TRUE(view.requests.empty()) << "the word of the line needs no question";
  EXPECT_THAT(asked, ElementsAre(L"set"));
  ASSERT_EQ(result.What, Outcome::Found);
  ASSERT_EQ(result.Lines.size(), 7u);
  EXPECT_EQ(result.Lines[1], L"          Help for Batch-Command  \"set\"");
  EXPECT_EQ(result.Lines[4], L"Sets a variable.");
  EXPECT_EQ(result.Lines[6], L"SET [name=[value]]");
  EXPECT_FALSE(disk.FileExists(L"/tmp/_dbgHelp.txt"));
}

TEST_F(CommandHelpTest, AskingOffersTheWordAndTakesOnlyTheFirstWordOfTheAnswer) {
  capture = "help\r\n";
  view.WillAnswer(L"  if /? & del *");
  const CommandHelp::Result result = Help(L"SET", true);
  ASSERT_EQ(view.requests.size(), 1u);
  EXPECT_EQ(view.requests[0].Caption, L"Help for Batch-Command");
  EXPECT_EQ(view.requests[0].Prompt, L" Which command do you need help for:");
  EXPECT_EQ(view.requests[0].Initial, L"SET");
  EXPECT_THAT(asked, ElementsAre(L"if"));
  EXPECT_EQ(result.What, Outcome::Found);
}

TEST_F(CommandHelpTest, AnEmptyWordAsksAndCancelOrANonWordShowsNothing) {
  capture = "help\r\n";
  view.WillAnswer(std::nullopt);
  EXPECT_EQ(Help(L"", false).What, Outcome::Nothing);
  EXPECT_EQ(view.requests.size(), 1u) << "an empty word is always asked for";
  view.WillAnswer(L"2x");
  EXPECT_EQ(Help(L"", false).What, Outcome::Nothing);
  view.WillAnswer(L"");
  EXPECT_EQ(Help(L"echo", true).What, Outcome::Nothing);
  EXPECT_TRUE(asked.empty()) << "the interpreter is not started";
}

TEST_F(CommandHelpTest, NoCaptureIsHelpNotFoundAndAStaleCaptureDoesNotCount) {
  disk.Create(L"/tmp/_dbgHelp.txt", "left from before\r\n");
  EXPECT_EQ(Help(L"dir", false).What, Outcome::NotFound);
  EXPECT_THAT(asked, ElementsAre(L"dir"));
}

TEST_F(CommandHelpTest, HelpFilesAreReadByTheirByteOrderMark) {
  disk.Create(L"/a.txt",
              "\xEF\xBB\xBF"
              "caf\xC3\xA9\r\nline two");
  disk.Create(L"/b.txt", std::string("\xFF\xFEO\0K\0\r\0\n\0", 10));
  EXPECT_THAT(*ReadHelpFile(disk, pages, L"/a.txt"), ElementsAre(L"caf\u00e9", L"line two"));
  EXPECT_THAT(*ReadHelpFile(disk, pages, L"/b.txt"), ElementsAre(L"OK"));
  EXPECT_FALSE(ReadHelpFile(disk, pages, L"/none.txt"));
}

}  // namespace
}  // namespace tarnvelock

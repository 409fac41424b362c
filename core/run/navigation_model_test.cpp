// NavigationModel: the entry that follows the cursor, and the edits of the
// list with the line marks the settings file keeps.
#include "core/run/navigation_model.h"

#include <gtest/gtest.h>

#include "core/run/pane_fakes_for_tests.h"

namespace tarnvelock {
namespace {

class NavigationModelTest : public ::testing::Test {
 protected:
  NavigationModelTest() {
    for (const wchar_t* line : {L"@echo off", L":start", L"echo a", L"echo b", L":end"}) {
      doc.Items.push_back({line});
    }
    doc.Items.push_back({std::wstring(kEndOfFileLine)});
    doc.Records.resize(doc.Items.size());
    doc.MaxCurZeile = 5;
    doc.NavigationList = {{L"/b/job.bat", 0}, {L":start", 1}, {L":end", 4}};
  }

  DebugDocument doc;
  ScriptedPromptView view;
  NavigationModel navigation{doc, view};
};

TEST_F(NavigationModelTest, SelectionFollowsTheCursorInReady) {
  navigation.SyncNavigation(3, RunState::Ready);
  EXPECT_EQ(navigation.Selected(), 1);
  navigation.SyncNavigation(4, RunState::Ready);
  EXPECT_EQ(navigation.Selected(), 2);
  navigation.SyncNavigation(0, RunState::Ready);
  EXPECT_EQ(navigation.Selected(), 0);
  navigation.SyncNavigation(4, RunState::Stopped);
  EXPECT_EQ(navigation.Selected(), 0);

  // On "<end of file>" the view comes back where it was left.
  navigation.RememberTop(2);
  EXPECT_EQ(navigation.Enter(5), 2);
  EXPECT_EQ(navigation.Enter(2), std::nullopt);
  EXPECT_EQ(navigation.Selected(), 1);
}

TEST_F(NavigationModelTest, AddingAndDeletingMarkTheLine) {
  navigation.Click(1);
  navigation.AddToNavigation(3);
  EXPECT_EQ(navigation.Selected(), 2);
  EXPECT_EQ(doc.NavigationList[2].text, L"echo b");
  EXPECT_EQ(doc.NavigationList[2].line, 3);
  EXPECT_TRUE(doc.Records[3].Navigation);
  navigation.AddToNavigation(5);  // "<end of file>"
  EXPECT_EQ(doc.NavigationList.size(), 4u);

  navigation.Click(2);
  navigation.DeleteLine();
  EXPECT_FALSE(doc.Records[3].Navigation);
  EXPECT_EQ(doc.NavigationList.size(), 3u);
  navigation.Click(0);
  navigation.DeleteLine();  // the batch itself stays
  EXPECT_EQ(doc.NavigationList.size(), 3u);
}

TEST_F(NavigationModelTest, EditKeepsTheLine) {
  EXPECT_EQ(navigation.Click(2), 4);
  view.WillAnswer(L"the end");
  navigation.EditLine();
  EXPECT_EQ(view.requests.back().Prompt, L"Change to:");
  EXPECT_EQ(doc.NavigationList[2].text, L"the end");
  EXPECT_EQ(doc.NavigationList[2].line, 4);
}

}  // namespace
}  // namespace tarnvelock

#include "core/document/startup_settings.h"

#include <gtest/gtest.h>

#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

class StartupSettingsTest : public ::testing::Test {
 protected:
  StartupSettingsTest() {
    fs_.Create(L"/b/job.bat", "echo\r\n");
    fs_.Create(L"/work/x.txt", "");
    doc_.BatchDir = doc_.StartDir = L"/b/";
    doc_.StartUp = L"cls";
    doc_.Options.Parameters = L"a";
  }
  StartupChoice Unchanged() const { return {doc_.StartDir, doc_.Options.Parameters, doc_.StartUp}; }

  VirtualFileSystem fs_;
  DebugDocument doc_;
  StartupHistories histories_;
};

TEST_F(StartupSettingsTest, UnchangedValuesChangeNothingEvenWhenTheDirectoryIsGone) {
  doc_.StartDir = L"/gone/";
  const StartupOutcome outcome = ApplyStartupSettings(doc_, fs_, Unchanged(), histories_);
  EXPECT_FALSE(outcome.StartDirChanged || outcome.ParametersChanged || outcome.StartUpChanged);
  EXPECT_TRUE(outcome.Message.empty());
  EXPECT_EQ(doc_.StartDir, L"/gone/");
  EXPECT_TRUE(histories_.Dir.empty());
  EXPECT_FALSE(doc_.InstrumentStale);
}

TEST_F(StartupSettingsTest, NewValuesAreTakenWithTheirHistoriesAndANewHeader) {
  StartupChoice choice{L"/work", L"\"x y\" z", L"echo %*"};
  const StartupOutcome outcome = ApplyStartupSettings(doc_, fs_, choice, histories_);
  EXPECT_TRUE(outcome.StartDirChanged && outcome.ParametersChanged && outcome.StartUpChanged);
  EXPECT_EQ(doc_.StartDir, L"/work");
  EXPECT_EQ(doc_.Options.Parameters, L"\"x y\" z");
  EXPECT_EQ(doc_.StartUp, L"echo %*");
  EXPECT_EQ(histories_.Dir, std::vector<std::wstring>{L"/work"});
  EXPECT_EQ(histories_.Cmd, (std::vector<std::wstring>{L"echo %*", L"cls", L"echo off"}));
  EXPECT_TRUE(doc_.InstrumentStale);
}

TEST_F(StartupSettingsTest, AMissingDirectoryIsRefusedAloneAndParametersNeedNoNewHeader) {
  StartupChoice choice = Unchanged();
  choice.Dir = L"/nowhere";
  choice.Parameters = L"b";
  const StartupOutcome outcome = ApplyStartupSettings(doc_, fs_, choice, histories_);
  EXPECT_EQ(outcome.Message, L"Directory /nowhere not found!");
  EXPECT_EQ(doc_.StartDir, L"/b/");
  EXPECT_TRUE(histories_.Dir.empty());
  EXPECT_EQ(doc_.Options.Parameters, L"b");
  EXPECT_FALSE(doc_.InstrumentStale);  // the parameters reach the batch at every start
}

TEST(CommandEchoTest, ButtonFollowsTheCommandAndSwitchesItsAt) {
  EXPECT_FALSE(EchoButtonFor(L"").Enabled);
  EXPECT_FALSE(EchoButtonFor(L"").Down);
  EXPECT_TRUE(EchoButtonFor(L"cls").Enabled);
  EXPECT_FALSE(EchoButtonFor(L"cls").Down);
  EXPECT_TRUE(EchoButtonFor(L"@cls").Down);
  EXPECT_EQ(WithCommandEcho(L"@@cls", false), L"cls");
  EXPECT_EQ(WithCommandEcho(L"@@", false), L"");
  EXPECT_EQ(WithCommandEcho(L"cls", true), L"@cls");
  EXPECT_EQ(WithCommandEcho(L"@cls", true), L"@cls");
}

TEST(ParameterForFileTest, NameWithoutDirectoryQuotedOnlyForABlankAfterItsStart) {
  EXPECT_EQ(ParameterForFile(L"/work/my file.txt"), L"\"my file.txt\"");
  EXPECT_EQ(ParameterForFile(L"C:\\data\\plain.txt"), L"plain.txt");
  EXPECT_EQ(ParameterForFile(L"/work/ lead.txt"), L" lead.txt");
}

}  // namespace
}  // namespace tarnvelock

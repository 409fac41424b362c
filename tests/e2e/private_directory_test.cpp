// The exchange directory as a hostile neighbour or a second session meets
// it: files planted in a leftover directory are never used, another
// account's directory blocks nobody, and two sessions of one user run side
// by side without touching each other's files.
#include <memory>

#include "platform/code_page.h"
#include "platform/user_account.h"
#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

using Lines = std::vector<std::int64_t>;

constexpr char kEndOfFile[] = "Reached <end of file>  -  Press F2 for Reset.";

class PrivateDirectoryTest : public E2eTest {
 protected:
  // The private base the debugger uses with TMPDIR set to the test directory.
  std::string OwnBase() const { return dir_ + "/tarnvelock-" + ToUtf8(AccountId()); }

  // Makes dir as the debugger would make it: open to this user alone.
  static bool MakePrivate(const std::string& dir) {
    std::error_code error;
    if (!std::filesystem::create_directory(dir, error)) return false;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    return !error;
  }
  static bool GiveAway(const std::string& dir) { return GiveToAnotherAccount(FromUtf8(dir)).ok(); }

  // Plants, in dir, an action file that would leave a trace and links that
  // would make the batch overwrite victim.txt.
  void Plant(const std::string& dir) {
    std::filesystem::create_directories(dir);
    Write(dir.substr(dir_.size() + 1) + "/_dbgActions.cmd",
          "@echo planted>\"" + dir_ + "/trace.txt\"\n");
    for (const char* name : {"_dbgZeile.txt", "_dbgLast.txt", "_dbgSema.txt"}) {
      std::error_code error;
      std::filesystem::create_symlink(dir_ + "/victim.txt", dir + "/" + name, error);
      ASSERT_FALSE(error) << error.message();
    }
  }
};

TEST_F(PrivateDirectoryTest, FilesPlantedInALeftoverDirectoryAreNeverUsed) {
  Write("victim.txt", "precious\n");
  ASSERT_TRUE(MakePrivate(OwnBase()));
  // Where earlier versions kept the directory, and where this one does.
  Plant(dir_ + "/_dbgTmp");
  Plant(OwnBase() + "/_dbgTmp");
  const Session run = Debug(Batch("loop_count.bat"), "run\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.LastStop()["status"].text, kEndOfFile) << run.raw;
  EXPECT_EQ(Read("victim.txt"), "precious\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/trace.txt")) << "the planted action file ran";
}

TEST_F(PrivateDirectoryTest, AnotherAccountsDirectoryBlocksNobody) {
  if (!MayChangeOwners()) GTEST_SKIP() << "making a directory of another account needs root";
  // The fixed name of earlier versions, taken by another account.
  ASSERT_TRUE(MakePrivate(dir_ + "/_dbgTmp"));
  ASSERT_TRUE(GiveAway(dir_ + "/_dbgTmp"));
  const Session run = Debug(Batch("loop_count.bat"), "run\n");
  ASSERT_EQ(run.status, 0) << run.raw;
  EXPECT_EQ(run.LastStop()["status"].text, kEndOfFile) << run.raw;

  // A private base that another account owns is refused with the reason.
  ASSERT_TRUE(std::filesystem::is_directory(OwnBase()));
  ASSERT_TRUE(GiveAway(OwnBase()));
  const Session refused = Debug("loop_count.bat", "run\n");
  EXPECT_EQ(refused.status, 2) << refused.raw;
  EXPECT_NE(refused.raw.find("belongs to another user"), std::string::npos) << refused.raw;
}

TEST_F(PrivateDirectoryTest, TwoSessionsOfOneUserRunSideBySide) {
  // Each batch stops at every line and keeps a value of its own; a shared
  // directory would mix their stops and run the other's action files.
  std::string batch = "@echo off\n";
  for (int i = 0; i < 12; ++i) batch += "set /a n+=1\n";
  batch += "echo %who% %n%\n";
  Write("a.bat", batch);
  Write("b.bat", batch);
  std::string script;
  for (int i = 0; i < 15; ++i) script += "step\n";
  Write("script_a.txt", script, false);
  Write("script_b.txt", script, false);
  Write("a.bat.ini", "[Run]\r\nStartUp=@set who=A\r\n");
  Write("b.bat.ini", "[Run]\r\nStartUp=@set who=B\r\n");
  {
    std::vector<std::unique_ptr<test::RunningProgram>> sessions;
    for (const std::string name : {"a", "b"}) {
      test::RunSettings settings = DebuggerSettings(dir_);
      settings.output_file = dir_ + "/" + name + ".out";
      sessions.push_back(std::make_unique<test::RunningProgram>(
          TARNVELOCK_CLI,
          std::vector<std::string>{"--json", "--poll-ms", "5", "--timeout", "30", "--script",
                                   "script_" + name + ".txt", name + ".bat"},
          settings));
      started_.push_back(sessions.back()->id());
    }
    for (const auto& session : sessions) session->Finish();
  }
  for (const char* name : {"a", "b"}) {
    const Session run = Parse({0, Read(std::string(name) + ".out")});
    const std::vector<std::int64_t> lines = run.StopLines();
    ASSERT_EQ(lines.size(), 15u) << run.raw;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(lines[static_cast<size_t>(i)], i) << run.raw;
    EXPECT_EQ(run.LastStop()["status"].text, kEndOfFile) << run.raw;
    EXPECT_TRUE(run.Texts("error").empty()) << run.raw;
    const std::string who = std::string(name) == "a" ? "A" : "B";
    EXPECT_EQ(run.UserOutput().back(), who + " 12") << run.raw;
  }
  EXPECT_TRUE(std::filesystem::is_directory(OwnBase() + "/_dbgTmp"));
  EXPECT_TRUE(std::filesystem::is_directory(OwnBase() + "/_dbgTmp2"));
}

}  // namespace
}  // namespace tarnvelock::e2e

// The private temporary directory must never be one that another account can
// plant files in.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/temp_dir.h"
#include "platform/user_account.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

class TempDirTest : public testing::Test {
 protected:
  test::TempTree tree_{"tarnvelock-tmp-", "/tmp"};
  const std::string base_ = tree_.native();
};

TEST_F(TempDirTest, CreatesAMissingDirectoryPrivately) {
  const std::string dir = base_ + "/_dbgTmp";
  ASSERT_TRUE(EnsurePrivateDirectory(FromUtf8(dir + "/")));
  struct stat st;
  ASSERT_EQ(::lstat(dir.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_TRUE(EnsurePrivateDirectory(FromUtf8(dir))) << "an existing own directory is fine";
}

TEST_F(TempDirTest, RefusesADirectoryOthersCanWriteTo) {
  // Making it private afterwards would not undo what others put inside.
  const std::string dir = base_ + "/open";
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
  const IoStatus status = EnsurePrivateDirectory(FromUtf8(dir));
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find(L"others can write to it"), std::wstring::npos);
  ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
  EXPECT_TRUE(EnsurePrivateDirectory(FromUtf8(dir))) << "readable by others is no danger";
}

TEST_F(TempDirTest, RecreatingEmptiesWhatWasPlantedWithoutFollowingLinks) {
  const std::string victim = base_ + "/victim.txt";
  std::FILE* f = std::fopen(victim.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("precious", f);
  std::fclose(f);
  const std::string elsewhere = base_ + "/elsewhere";
  ASSERT_EQ(::mkdir(elsewhere.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir((elsewhere + "/keep").c_str(), 0700), 0);

  const std::string dir = base_ + "/_dbgTmp";
  ASSERT_EQ(::mkdir(dir.c_str(), 0777), 0);
  ASSERT_EQ(::mkdir((dir + "/sub").c_str(), 0700), 0);
  ASSERT_EQ(::symlink(victim.c_str(), (dir + "/_dbgZeile.txt").c_str()), 0);
  ASSERT_EQ(::symlink(elsewhere.c_str(), (dir + "/sub/link").c_str()), 0);
  f = std::fopen((dir + "/_dbgActions.cmd").c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  ASSERT_TRUE(RecreatePrivateDirectory(FromUtf8(dir + "/")));
  struct stat st;
  ASSERT_EQ(::lstat(dir.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_NE(::lstat((dir + "/_dbgActions.cmd").c_str(), &st), 0);
  EXPECT_NE(::lstat((dir + "/_dbgZeile.txt").c_str(), &st), 0);
  EXPECT_NE(::lstat((dir + "/sub").c_str(), &st), 0);
  EXPECT_EQ(::lstat(victim.c_str(), &st), 0) << "the link is removed, not its target";
  EXPECT_EQ(::lstat((elsewhere + "/keep").c_str(), &st), 0);

  // A symbolic link in the place of the directory is replaced, not entered.
  const std::string linked = base_ + "/_dbgTmp2";
  ASSERT_EQ(::symlink(elsewhere.c_str(), linked.c_str()), 0);
  ASSERT_TRUE(RecreatePrivateDirectory(FromUtf8(linked)));
  ASSERT_EQ(::lstat(linked.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(::lstat((elsewhere + "/keep").c_str(), &st), 0);
}

TEST_F(TempDirTest, RefusesSymbolicLinksAndFiles) {
  const std::string target = base_ + "/target";
  const std::string link = base_ + "/link";
  ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  const IoStatus linked = EnsurePrivateDirectory(FromUtf8(link));
  EXPECT_FALSE(linked);
  EXPECT_NE(linked.message().find(L"symbolic link"), std::wstring::npos);

  const std::string file = base_ + "/file";
  FILE* f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_FALSE(EnsurePrivateDirectory(FromUtf8(file)));
}

TEST_F(TempDirTest, RefusesADirectoryOfAnotherUser) {
  if (!MayChangeOwners()) GTEST_SKIP() << "changing the owner needs root";
  const std::string dir = base_ + "/foreign";
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  ASSERT_TRUE(GiveToAnotherAccount(FromUtf8(dir)));
  const IoStatus status = EnsurePrivateDirectory(FromUtf8(dir));
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find(L"another user"), std::wstring::npos);
}

// Sets an environment variable for the life of the object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* saved = std::getenv(name)) saved_ = saved;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (saved_) {
      ::setenv(name_, saved_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(SystemTempBaseTest, RuntimeDirectoryElseAnOwnDirectoryInTmpdirOrTmp) {
  ScopedVariable tmpdir("TMPDIR", "/var/tmp");
  ScopedVariable runtime("XDG_RUNTIME_DIR", "/run/user/1000");
  EXPECT_EQ(SystemTempBase(), L"/run/user/1000/");
  const std::wstring own = L"tarnvelock-" + std::to_wstring(::geteuid()) + L"/";
  ::setenv("XDG_RUNTIME_DIR", "run/user", 1);
  EXPECT_EQ(SystemTempBase(), L"/var/tmp/" + own) << "a relative runtime directory is not trusted";
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SystemTempBase(), L"/var/tmp/" + own);
  ::setenv("TMPDIR", "relative", 1);
  EXPECT_EQ(SystemTempBase(), L"/tmp/" + own);
  ::unsetenv("TMPDIR");
  EXPECT_EQ(SystemTempBase(), L"/tmp/" + own) << "never the shared /tmp itself";
}

}  // namespace
}  // namespace tarnvelock

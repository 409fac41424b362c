// Sessions of one user side by side: each holds a directory of its own, the
// directory of a session that ended is taken over empty, and a directory
// removed under a living session comes back.
#include "core/run/session_directory.h"

#include <gtest/gtest.h>

#include "core/run/virtual_temp_dirs_for_tests.h"

namespace tarnvelock {
namespace {

class SessionDirectoryTest : public testing::Test {
 protected:
  SessionDirectoryTest() { EXPECT_TRUE(disk_.CreateDirectory(L"/base")); }

  VirtualFileSystem disk_;
  VirtualTempDirs temp_dirs_{disk_, L"/base/"};
};

TEST_F(SessionDirectoryTest, SessionsSideBySideKeepApartAndAnEndedOneIsTakenOverEmpty) {
  auto first = std::make_unique<SessionDirectory>(disk_, temp_dirs_.Facility());
  SessionDirectory second(disk_, temp_dirs_.Facility());
  ASSERT_TRUE(first->Claim(L"/base/"));
  ASSERT_TRUE(second.Claim(L"/base/"));
  EXPECT_EQ(first->Path(), L"/base/_dbgTmp/");
  EXPECT_EQ(second.Path(), L"/base/_dbgTmp2/");
  EXPECT_TRUE(temp_dirs_.Locked(L"/base/_dbgTmp.lock"));

  // What the ended session left, or anybody put there, is not trusted.
  disk_.Create(L"/base/_dbgTmp/_dbgActions.cmd", "@echo planted");
  first.reset();
  SessionDirectory third(disk_, temp_dirs_.Facility());
  ASSERT_TRUE(third.Claim(L"/base/"));
  EXPECT_EQ(third.Path(), L"/base/_dbgTmp/");
  EXPECT_TRUE(disk_.DirectoryExists(L"/base/_dbgTmp"));
  EXPECT_FALSE(disk_.FileExists(L"/base/_dbgTmp/_dbgActions.cmd"));
  EXPECT_TRUE(second.Intact()) << "the living session's directory is left alone";
}

TEST_F(SessionDirectoryTest, NoFreeDirectoryIsReported) {
  std::vector<std::unique_ptr<SessionDirectory>> sessions;
  for (int i = 0; i < kMaxSessions; ++i) {
    sessions.push_back(std::make_unique<SessionDirectory>(disk_, temp_dirs_.Facility()));
    ASSERT_TRUE(sessions.back()->Claim(L"/base/"));
  }
  SessionDirectory one_too_many(disk_, temp_dirs_.Facility());
  const IoStatus status = one_too_many.Claim(L"/base/");
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find(L"in use by other sessions"), std::wstring::npos);
  EXPECT_EQ(one_too_many.Path(), L"");
}

TEST_F(SessionDirectoryTest, ARemovedDirectoryIsMadeAgainWithItsLock) {
  SessionDirectory session(disk_, temp_dirs_.Facility());
  ASSERT_TRUE(session.Claim(L"/base/"));
  disk_.RemoveTree(L"/base/_dbgTmp");
  EXPECT_FALSE(session.Intact());
  ASSERT_TRUE(session.Restore());
  EXPECT_TRUE(session.Intact());

  // The whole base gone, lock file included: the lock is taken again, so
  // that no other session can take the same name meanwhile.
  disk_.RemoveTree(L"/base");
  ASSERT_TRUE(session.Restore());
  EXPECT_TRUE(session.Intact());
  EXPECT_TRUE(temp_dirs_.Locked(L"/base/_dbgTmp.lock"));
  SessionDirectory other(disk_, temp_dirs_.Facility());
  ASSERT_TRUE(other.Claim(L"/base/"));
  EXPECT_EQ(other.Path(), L"/base/_dbgTmp2/");
}

}  // namespace
}  // namespace tarnvelock

// The lock by which a session claims its directory: held against other
// processes, given up when the holder ends however it ends, never passed to
// a child, and never taken through a planted link.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/code_page.h"

namespace tarnvelock {
namespace {

class FileLockTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarnvelock-lock-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    path_ = dir_ + "/_dbgTmp.lock";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  // Whether a separate process finds the lock busy.
  bool BusyForAnotherProcess() {
    const pid_t child = ::fork();
    if (child == 0) _exit(TryLockFile(FromUtf8(path_)).busy ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(FileLockTest, HeldAgainstOthersUntilReleased) {
  LockAttempt first = TryLockFile(FromUtf8(path_));
  ASSERT_TRUE(first.lock) << ToUtf8(first.status.message());
  EXPECT_TRUE(first.lock->StillHeld());
  EXPECT_TRUE(BusyForAnotherProcess());
  first.lock.reset();
  EXPECT_FALSE(BusyForAnotherProcess());
}

TEST_F(FileLockTest, AKilledHolderLeavesTheLockFree) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    LockAttempt attempt = TryLockFile(FromUtf8(path_));
    const char c = attempt.lock ? 'y' : 'n';
    (void)::write(ready[1], &c, 1);
    ::pause();
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  EXPECT_TRUE(TryLockFile(FromUtf8(path_)).busy);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_TRUE(TryLockFile(FromUtf8(path_)).lock);
  ::close(ready[0]);
  ::close(ready[1]);
}

TEST_F(FileLockTest, AChildProgramDoesNotInheritTheLock) {
  LockAttempt attempt = TryLockFile(FromUtf8(path_));
  ASSERT_TRUE(attempt.lock);
  // A program that outlives its parent must not keep the parent's claim.
  // The pipe closes when the child has started its program.
  int started[2];
  ASSERT_EQ(::pipe2(started, O_CLOEXEC), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl("/bin/sh", "sh", "-c", "sleep 5", static_cast<char*>(nullptr));
    _exit(127);
  }
  ::close(started[1]);
  char c;
  EXPECT_EQ(::read(started[0], &c, 1), 0);
  ::close(started[0]);
  attempt.lock.reset();
  EXPECT_TRUE(TryLockFile(FromUtf8(path_)).lock);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

TEST_F(FileLockTest, RefusesAPlantedLinkAndNoticesARemovedFile) {
  const std::string target = dir_ + "/target";
  ASSERT_EQ(::symlink(target.c_str(), path_.c_str()), 0);
  LockAttempt linked = TryLockFile(FromUtf8(path_));
  EXPECT_FALSE(linked.lock);
  EXPECT_FALSE(linked.busy);
  EXPECT_FALSE(linked.status.message().empty());
  struct stat st;
  EXPECT_NE(::lstat(target.c_str(), &st), 0) << "nothing is created through the link";

  ASSERT_EQ(::unlink(path_.c_str()), 0);
  LockAttempt attempt = TryLockFile(FromUtf8(path_));
  ASSERT_TRUE(attempt.lock);
  ASSERT_EQ(::unlink(path_.c_str()), 0);
  EXPECT_FALSE(attempt.lock->StillHeld());
}

}  // namespace
}  // namespace tarnvelock

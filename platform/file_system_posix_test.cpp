// The POSIX file system: names pass as UTF-8, moves cross file systems, and
// file times are read at full resolution.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

TEST(SystemFileSystemTest, NonAsciiNamesArePassedAsUtf8) {
  test::TempTree scratch;
  FileSystem& fs = SystemFileSystem();
  ASSERT_TRUE(fs.WriteFile(scratch / L"B\u00E4r \u20AC.bat", "x"));
  struct stat st;
  EXPECT_EQ(::stat((ToUtf8(scratch.wide()) + "/B\xC3\xA4r \xE2\x82\xAC.bat").c_str(), &st), 0);
}

TEST(SystemFileSystemTest, MoveAcrossFileSystemsFallsBackToCopy) {
  struct stat shm, tmp;
  if (::stat("/dev/shm", &shm) != 0 || ::stat("/tmp", &tmp) != 0 || shm.st_dev == tmp.st_dev) {
    GTEST_SKIP() << "no second file system to move to";
  }
  test::TempTree scratch;
  FileSystem& fs = SystemFileSystem();
  const std::wstring target = L"/dev/shm/tarnvelock-move-" + std::to_wstring(::getpid());
  ASSERT_TRUE(fs.WriteFile(scratch / L"a", "payload"));
  ASSERT_TRUE(fs.MoveFile(scratch / L"a", target));
  EXPECT_FALSE(fs.FileExists(scratch / L"a"));
  std::string read;
  ASSERT_TRUE(fs.ReadFile(target, &read));
  EXPECT_EQ(read, "payload");
  ::unlink(ToUtf8(target).c_str());
}

TEST(SystemFileSystemTest, LastWriteTimeFollowsWrites) {
  test::TempTree scratch;
  FileSystem& fs = SystemFileSystem();
  ASSERT_TRUE(fs.WriteFile(scratch / L"t", "1"));
  const std::string native = ToUtf8(scratch / L"t");
  struct timespec times[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, native.c_str(), times, 0), 0);
  EXPECT_EQ(*fs.LastWriteTime(scratch / L"t"), 1000LL * 1'000'000'000);
  ASSERT_TRUE(fs.AppendFile(scratch / L"t", "2"));
  EXPECT_GT(*fs.LastWriteTime(scratch / L"t"), 1000LL * 1'000'000'000);
}

}  // namespace
}  // namespace tarnvelock

// The real file system on a scratch directory, and the virtual one that other
// tests stand on: both must answer the same questions the same way.
#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/code_page.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/tarnvelock-fs-XXXXXX";
    path_ = FromUtf8(::mkdtemp(pattern));
  }
  ~ScratchDir() { std::system(("rm -rf '" + ToUtf8(path_) + "'").c_str()); }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"/" + name; }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Runs the same contract against the real and the virtual file system.
class FileSystemContractTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      fs_ = &SystemFileSystem();
      root_ = scratch_.path();
    } else {
      virtual_ = std::make_unique<VirtualFileSystem>();
      fs_ = virtual_.get();
      root_ = L"/work";
      ASSERT_TRUE(fs_->CreateDirectory(root_));
    }
  }
  std::wstring At(const std::wstring& name) const { return root_ + L"/" + name; }

  ScratchDir scratch_;
  std::unique_ptr<VirtualFileSystem> virtual_;
  FileSystem* fs_ = nullptr;
  std::wstring root_;
};

TEST_P(FileSystemContractTest, WriteAppendReadKeepBytesExactly) {
  const std::string bytes("line\r\n\0\xFF end", 12);
  ASSERT_TRUE(fs_->WriteFile(At(L"a.bat"), bytes));
  ASSERT_TRUE(fs_->AppendFile(At(L"a.bat"), "+"));
  std::string read;
  ASSERT_TRUE(fs_->ReadFile(At(L"a.bat"), &read));
  EXPECT_EQ(read, bytes + "+");
  ASSERT_TRUE(fs_->WriteFile(At(L"a.bat"), "new"));
  ASSERT_TRUE(fs_->ReadFile(At(L"a.bat"), &read));
  EXPECT_EQ(read, "new");
}

TEST_P(FileSystemContractTest, ExistenceDistinguishesFilesAndDirectories) {
  ASSERT_TRUE(fs_->WriteFile(At(L"f"), "x"));
  EXPECT_TRUE(fs_->FileExists(At(L"f")));
  EXPECT_FALSE(fs_->DirectoryExists(At(L"f")));
  EXPECT_TRUE(fs_->DirectoryExists(root_));
  EXPECT_FALSE(fs_->FileExists(root_));
  EXPECT_FALSE(fs_->FileExists(At(L"missing")));
  EXPECT_FALSE(fs_->LastWriteTime(At(L"missing")).has_value());
  EXPECT_TRUE(fs_->LastWriteTime(At(L"f")).has_value());
}

TEST_P(FileSystemContractTest, FailuresCarryAMessageNamingThePath) {
  std::string read;
  IoStatus status = fs_->ReadFile(At(L"missing.bat"), &read);
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find(L"missing.bat"), std::wstring::npos);
  EXPECT_FALSE(fs_->ReadFile(root_, &read)) << "a directory is not a readable file";
  EXPECT_FALSE(fs_->RemoveFile(At(L"missing.bat")));
  EXPECT_FALSE(fs_->WriteFile(At(L"no/such/dir/x"), "x"));
  EXPECT_FALSE(fs_->MoveFile(At(L"missing.bat"), At(L"b")));
}

TEST_P(FileSystemContractTest, MoveReplacesTargetAndCopyKeepsSource) {
  ASSERT_TRUE(fs_->WriteFile(At(L"src"), "source"));
  ASSERT_TRUE(fs_->WriteFile(At(L"dst"), "old"));
  ASSERT_TRUE(fs_->CopyFile(At(L"src"), At(L"copy")));
  ASSERT_TRUE(fs_->MoveFile(At(L"src"), At(L"dst")));
  EXPECT_FALSE(fs_->FileExists(At(L"src")));
  std::string read;
  ASSERT_TRUE(fs_->ReadFile(At(L"dst"), &read));
  EXPECT_EQ(read, "source");
  ASSERT_TRUE(fs_->ReadFile(At(L"copy"), &read));
  EXPECT_EQ(read, "source");
}

TEST_P(FileSystemContractTest, FullPathResolvesRelativeAndDottedPaths) {
  ASSERT_TRUE(fs_->SetCurrentDirectory(root_));
  EXPECT_EQ(fs_->CurrentDirectory(), fs_->FullPath(root_));
  EXPECT_EQ(fs_->FullPath(L"x.bat"), fs_->FullPath(root_) + L"/x.bat");
  EXPECT_EQ(fs_->FullPath(root_ + L"/./sub/../y.cmd"), fs_->FullPath(root_) + L"/y.cmd");
  EXPECT_EQ(fs_->FullPath(root_ + L"\\z.bat"), fs_->FullPath(root_) + L"/z.bat");
}

INSTANTIATE_TEST_SUITE_P(RealAndVirtual, FileSystemContractTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "Real" : "Virtual"; });

TEST(SystemFileSystemTest, NonAsciiNamesArePassedAsUtf8) {
  ScratchDir scratch;
  FileSystem& fs = SystemFileSystem();
  ASSERT_TRUE(fs.WriteFile(scratch / L"B\u00E4r \u20AC.bat", "x"));
  struct stat st;
  EXPECT_EQ(::stat((ToUtf8(scratch.path()) + "/B\xC3\xA4r \xE2\x82\xAC.bat").c_str(), &st), 0);
}

TEST(SystemFileSystemTest, MoveAcrossFileSystemsFallsBackToCopy) {
  struct stat shm, tmp;
  if (::stat("/dev/shm", &shm) != 0 || ::stat("/tmp", &tmp) != 0 || shm.st_dev == tmp.st_dev) {
    GTEST_SKIP() << "no second file system to move to";
  }
  ScratchDir scratch;
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
  ScratchDir scratch;
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

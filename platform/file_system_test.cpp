// The real file system on a scratch directory, and the virtual one that other
// tests stand on: both must answer the same questions the same way.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/code_page.h"
#include "platform/virtual_file_system.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

// Runs the same contract against the real and the virtual file system.
class FileSystemContractTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      fs_ = &SystemFileSystem();
      root_ = scratch_.wide();
    } else {
      virtual_ = std::make_unique<VirtualFileSystem>();
      fs_ = virtual_.get();
      root_ = L"/work";
      ASSERT_TRUE(fs_->CreateDirectory(root_));
    }
  }
  std::wstring At(const std::wstring& name) const { return root_ + Separator() + name; }
  std::wstring Separator() const { return std::wstring(1, GetParam() ? PathSeparator() : L'/'); }

  test::TempTree scratch_;
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
  const std::wstring sep = Separator();
  EXPECT_EQ(fs_->FullPath(L"x.bat"), fs_->FullPath(root_) + sep + L"x.bat");
  EXPECT_EQ(fs_->FullPath(root_ + L"/./sub/../y.cmd"), fs_->FullPath(root_) + sep + L"y.cmd");
  EXPECT_EQ(fs_->FullPath(root_ + L"\\z.bat"), fs_->FullPath(root_) + sep + L"z.bat");
}

INSTANTIATE_TEST_SUITE_P(RealAndVirtual, FileSystemContractTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "Real" : "Virtual"; });

}  // namespace
}  // namespace tarnvelock

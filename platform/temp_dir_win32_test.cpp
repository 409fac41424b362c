// The private temporary directory on Windows: made when missing, kept when
// it is a directory, refused when the name is a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/temp_dir.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

TEST(Win32TempDirTest, TheBaseIsALongAbsolutePathAndTheDirectoryIsMadeOrRefused) {
  const std::wstring base = SystemTempBase();
  ASSERT_GE(base.size(), 3u);
  EXPECT_EQ(base[1], L':');
  EXPECT_EQ(base.back(), L'\\');
  EXPECT_EQ(base.find(L'~'), std::wstring::npos) << "the long form";

  test::TempTree tree;
  const std::wstring dir = tree / L"_dbgTmp";
  ASSERT_TRUE(EnsurePrivateDirectory(dir + L"\\"));
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(dir)));
  EXPECT_TRUE(EnsurePrivateDirectory(dir)) << "an existing own directory is fine";

  const std::wstring file = tree / L"file";
  std::ofstream(std::filesystem::path(file)) << "x";
  const IoStatus refused = EnsurePrivateDirectory(file);
  EXPECT_FALSE(refused);
  EXPECT_NE(refused.message().find(L"not a directory"), std::wstring::npos);
}

}  // namespace
}  // namespace tarnvelock

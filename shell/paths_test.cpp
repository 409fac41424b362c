// Windows-style paths on this system.
#include "shell/paths.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(Paths, NativeAndFullForms) {
  EXPECT_EQ("dir/sub/f.txt", NativePath("dir\\sub/f.txt"));
  EXPECT_EQ("/Work/x", NativePath("C:\\Work\\x"));
  EXPECT_EQ("/dev/null", NativePath("NUL"));
  EXPECT_EQ("/a/c/", FullPath("/a/b/../c/./"));
  EXPECT_EQ("/a/c/", FullPath("\\a\\\\c\\"));
  EXPECT_EQ("/", FullPath("/.."));
  EXPECT_EQ(CurrentDirectory() + "/x", FullPath("x"));
}

TEST(Paths, Wildcards) {
  EXPECT_TRUE(WildcardMatch("*.TXT", "notes.txt"));
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("a?c*", "abcdef"));
  EXPECT_FALSE(WildcardMatch("a?c", "ac"));
  EXPECT_FALSE(WildcardMatch("*.txt", "notes.txt.bak"));
  EXPECT_EQ((std::pair<std::string, std::string>{"dir\\", "*.txt"}), SplitDirectory("dir\\*.txt"));
}

}  // namespace
}  // namespace tarnvelock

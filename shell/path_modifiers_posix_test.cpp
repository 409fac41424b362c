// The "%~" modifiers: path parts, file information and the search of a list.
#include "shell/path_modifiers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>

#include "shell/paths.h"

namespace tarnvelock {
namespace {

namespace fs = std::filesystem;

class PathModifiersTest : public testing::Test {
 protected:
  void SetUp() override {
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    root_ =
        (fs::temp_directory_path() / ("tarnvelock-modifiers-" + std::to_string(stamp))).string();
    fs::create_directories(root_ + "/sub");
    std::ofstream(root_ + "/sub/data.txt", std::ios::binary) << "12345";
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string root_;
};

TEST_F(PathModifiersTest, PartsOfAPath) {
  std::string file = root_ + "/sub/data.txt";
  EXPECT_EQ(file, ApplyPathModifiers("\"" + file + "\"", "f", nullptr));
  EXPECT_EQ(root_ + "/sub/", ApplyPathModifiers(file, "dp", nullptr));
  EXPECT_EQ("data", ApplyPathModifiers(file, "n", nullptr));
  EXPECT_EQ(".txt", ApplyPathModifiers(file, "x", nullptr));
  EXPECT_EQ("data.txt", ApplyPathModifiers(file, "NX", nullptr));
  // Without a drive on this system "d" alone gives nothing.
  EXPECT_EQ("", ApplyPathModifiers(file, "d", nullptr));
  // A leading dot starts the name, not an extension.
  EXPECT_EQ(".profile", ApplyPathModifiers(root_ + "/.profile", "nx", nullptr));
  EXPECT_EQ("", ApplyPathModifiers(root_ + "/.profile", "x", nullptr));
  // A backslash separates as a slash does, and ".." is resolved.
  EXPECT_EQ(file, ApplyPathModifiers(root_ + "\\sub\\..\\sub\\data.txt", "f", nullptr));
}

TEST_F(PathModifiersTest, NoLettersOnlyRemovesTheQuotes) {
  EXPECT_EQ("a b", ApplyPathModifiers("\"a b\"", "", nullptr));
  EXPECT_EQ("plain", ApplyPathModifiers("plain", "", nullptr));
  EXPECT_EQ("", ApplyPathModifiers("\"\"", "f", nullptr));
}

TEST_F(PathModifiersTest, FileInformation) {
  std::string file = root_ + "/sub/data.txt";
  EXPECT_EQ("5", ApplyPathModifiers(file, "z", nullptr));
  EXPECT_EQ("--a------", ApplyPathModifiers(file, "a", nullptr));
  EXPECT_EQ("d--------", ApplyPathModifiers(root_ + "/sub", "a", nullptr));
  // A directory has no size; a missing file has no attributes or size.
  EXPECT_EQ("", ApplyPathModifiers(root_ + "/sub", "z", nullptr));
  EXPECT_EQ("", ApplyPathModifiers(root_ + "/missing", "az", nullptr));
  // Information first, then the path, separated by blanks.
  EXPECT_EQ("5 " + file, ApplyPathModifiers(file, "zf", nullptr));
  std::regex time_form(R"(\d\d/\d\d/\d{4} \d\d:\d\d [AP]M)");
  EXPECT_TRUE(std::regex_match(ApplyPathModifiers(file, "t", nullptr), time_form));
}

TEST_F(PathModifiersTest, SearchesTheDirectoriesOfAList) {
  std::string list = root_ + "/nowhere;" + root_ + "/sub";
  EXPECT_EQ(root_ + "/sub/data.txt", ApplyPathModifiers("data.txt", "", &list));
  EXPECT_EQ("data", ApplyPathModifiers("data.txt", "n", &list));
  EXPECT_EQ("", ApplyPathModifiers("other.txt", "", &list));
  std::string empty;
  EXPECT_EQ("", ApplyPathModifiers("data.txt", "f", &empty));
}

TEST(FileTimeFormat, TwelveHourClockWithTheGivenGap) {
  std::regex dir_form(R"(\d\d/\d\d/\d{4}  (0[1-9]|1[0-2]):[0-5]\d [AP]M)");
  EXPECT_TRUE(std::regex_match(FormatFileTime(fs::file_time_type::clock::now(), "  "), dir_form));
}

}  // namespace
}  // namespace tarnvelock

// Reading a running batch file line by line, and finding its labels.
#include "shell/batch_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace tarnvelock {
namespace {

class BatchFileTest : public testing::Test {
 protected:
  void SetUp() override {
    // Unique among test processes running side by side.
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = (std::filesystem::temp_directory_path() /
             ("tarnvelock-batchfile-" + std::to_string(stamp) + ".bat"))
                .string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& content, std::ios::openmode mode = std::ios::trunc) {
    std::ofstream(path_, std::ios::binary | mode) << content;
  }
  std::string path_;
};

TEST_F(BatchFileTest, LineEnds) {
  Write(
      "one\r\ntwo\nthree\x1A"
      "four\r\n\r\nlast");
  BatchFile file(path_);
  std::uint64_t offset = 0;
  std::vector<std::string> lines;
  while (auto line = file.ReadLine(&offset)) lines.push_back(*line);
  EXPECT_EQ((std::vector<std::string>{"one", "two", "three", "four", "", "last"}), lines);
}

TEST_F(BatchFileTest, ReadsWhatWasAppendedWhileRunning) {
  Write("echo a\r\n");
  BatchFile file(path_);
  std::uint64_t offset = 0;
  ASSERT_TRUE(file.ReadLine(&offset));
  EXPECT_FALSE(file.ReadLine(&offset));
  Write("echo appended\r\n", std::ios::app);
  EXPECT_EQ("echo appended", file.ReadLine(&offset).value_or("<none>"));
}

TEST_F(BatchFileTest, LabelsAreSearchedForwardThenFromTheTop) {
  Write(":dup\r\nline1\r\n  :Target extra\r\nline3\r\n:dup\r\nline5\r\n::comment\r\n");
  BatchFile file(path_);
  std::uint64_t after_first_dup = 6;
  std::uint64_t offset = *file.FindLabel("DUP", after_first_dup);
  EXPECT_EQ("line5", file.ReadLine(&offset).value_or("<none>"));
  offset = *file.FindLabel("dup", offset);  // past the last one: wraps to the top
  EXPECT_EQ("line1", file.ReadLine(&offset).value_or("<none>"));
  offset = *file.FindLabel("target", 0);
  EXPECT_EQ("line3", file.ReadLine(&offset).value_or("<none>"));
  EXPECT_FALSE(file.FindLabel("missing", 0));
  EXPECT_EQ("name", LabelName(" :name rest"));
  EXPECT_EQ("eof", LabelName(":eof"));
}

TEST_F(BatchFileTest, LabelsAfterAtSignsAndBlanks) {
  Write("@   :  dest9>x\r\nafter9\r\n::comment\r\nafter comment\r\n");
  BatchFile file(path_);
  std::uint64_t offset = *file.FindLabel("dest9", 0);
  EXPECT_EQ("after9", file.ReadLine(&offset).value_or("<none>"));
  // A second colon makes the line a comment, not a label named "comment".
  EXPECT_FALSE(file.FindLabel("comment", 0));
  // GOTO ::name looks for the label "name".
  EXPECT_EQ("dest8", LabelName("::dest8"));
}

}  // namespace
}  // namespace tarnvelock

// The process list as the check for leftover interpreters relies on it: a
// program this test starts is listed under its own name as a child of the
// test until it ends, and EndProcess ends one at once.
#include "platform/process_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/program_run.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

class ProcessListTest : public testing::Test {
 protected:
  // An interpreter that waits for a key from the test.
  std::unique_ptr<test::RunningProgram> StartWaiting() {
    test::RunSettings settings;
    settings.directory = tree_.native();
    settings.input_from_test = true;
    return std::make_unique<test::RunningProgram>(
        TARNVELOCK_CMD, std::vector<std::string>{"/c", "pause"}, settings);
  }

  static const ProcessEntry* Find(const std::vector<ProcessEntry>& list, SystemProcessId id) {
    for (const ProcessEntry& entry : list) {
      if (entry.id == id) return &entry;
    }
    return nullptr;
  }

  test::TempTree tree_{"tarnvelock-processes-"};
};

TEST_F(ProcessListTest, AStartedProgramIsListedAsOurChildUntilItEnds) {
  const std::unique_ptr<test::RunningProgram> waiting = StartWaiting();
  ASSERT_TRUE(waiting->started());
  const std::vector<ProcessEntry> running = RunningProcesses();
  EXPECT_NE(Find(running, OwnProcessId()), nullptr);
  const ProcessEntry* entry = Find(running, waiting->id());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->parent, OwnProcessId());
  EXPECT_EQ(std::filesystem::path(entry->name).stem(), "tarnvelock-cmd");
  // Where the system tells them, the arguments and the directory it runs in.
  if (!entry->command_line.empty()) {
    EXPECT_EQ(entry->command_line, std::string(TARNVELOCK_CMD) + " /c pause");
  }
  if (!entry->directory.empty()) {
    EXPECT_EQ(std::filesystem::path(entry->directory), std::filesystem::canonical(tree_.path()));
  }

  EXPECT_TRUE(waiting->Send(" "));
  EXPECT_EQ(waiting->Finish().status, 0);
  EXPECT_EQ(Find(RunningProcesses(), waiting->id()), nullptr) << "an ended program is not listed";
}

TEST_F(ProcessListTest, EndingAProgramEndsItAtOnce) {
  const std::unique_ptr<test::RunningProgram> waiting = StartWaiting();
  ASSERT_TRUE(waiting->started());
  EXPECT_TRUE(EndProcess(waiting->id()));
  EXPECT_NE(waiting->Finish().status, 0) << "it never got its key";
  EXPECT_FALSE(EndProcess(waiting->id())) << "nothing left to end";
}

}  // namespace
}  // namespace tarnvelock

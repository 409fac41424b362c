// The leftover check: an interpreter of the test is found, both through the
// test's tree and as a descendant of the test, one that ends within the
// grace period does not count, and one that runs on does.
#include "tests/support/leftover_processes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/support/program_run.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock::test {
namespace {

bool Holds(const std::vector<SystemProcessId>& ids, SystemProcessId id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class LeftoverProcessesTest : public testing::Test {
 protected:
  TempTree tree_{"tarnvelock-leftover-"};
  // An interpreter in the tree that waits for a key from the test.
  RunningProgram waiting_{TARNVELOCK_CMD, {"/c", "pause"}, [this] {
                            RunSettings settings;
                            settings.directory = tree_.native();
                            settings.input_from_test = true;
                            return settings;
                          }()};
};

TEST_F(LeftoverProcessesTest, AnInterpreterThatEndsInTimeIsNotLeft) {
  ASSERT_TRUE(waiting_.started());
  EXPECT_TRUE(Holds(InterpretersRunning({tree_.path(), {}}), waiting_.id()));
  EXPECT_TRUE(Holds(InterpretersRunning({}), waiting_.id())) << "a child of the test";
  std::thread key([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    waiting_.Send(" ");
  });
  EXPECT_FALSE(Holds(InterpretersLeftRunning({tree_.path(), {}}), waiting_.id()));
  key.join();
  EXPECT_EQ(waiting_.Finish().status, 0);
}

TEST_F(LeftoverProcessesTest, AnInterpreterThatRunsOnIsLeft) {
  ASSERT_TRUE(waiting_.started());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Holds(InterpretersLeftRunning({tree_.path(), {}}), waiting_.id()));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
      << "it had its grace first";
}

}  // namespace
}  // namespace tarnvelock::test

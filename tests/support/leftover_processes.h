// The interpreters a test leaves running. Only the processes of this test
// count, so that tests running side by side (parallel ctest jobs) never see
// each other's: the descendants of this process and of the programs the test
// started, and, where the system tells, those whose command line or working
// directory lies in the test's own tree (an interpreter whose parent ended
// is adopted by another process).
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/process_list.h"

namespace tarnvelock::test {

// The interpreter's program, without the ending a system may add.
inline constexpr std::string_view kInterpreterName = "tarnvelock-cmd";

struct TestProcesses {
  // The test's own directory; empty when it has none.
  std::filesystem::path tree;
  // The programs the test started; they may have ended since.
  std::vector<SystemProcessId> started;
};

// The interpreters of the test that run now.
std::vector<SystemProcessId> InterpretersRunning(const TestProcesses& test);

// Those still running once the ones that are ending have had their moment:
// the list is taken again until it is empty, for about two seconds.
std::vector<SystemProcessId> InterpretersLeftRunning(const TestProcesses& test);

}  // namespace tarnvelock::test

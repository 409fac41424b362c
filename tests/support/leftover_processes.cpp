// The interpreters of a test, found in the system's process list by name,
// by parentage and by the paths they mention.
#include "tests/support/leftover_processes.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <thread>

namespace tarnvelock::test {

namespace {

bool IsInterpreter(const ProcessEntry& process) {
  return std::filesystem::path(process.name).stem() == kInterpreterName;
}

// Whether text names path or something in it (and not merely a longer name
// that starts the same).
bool Mentions(const std::string& text, const std::string& path) {
  for (std::size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + 1)) {
    const std::size_t end = at + path.size();
    if (end == text.size() || std::string_view("/\\ \"'").find(text[end]) != std::string::npos) {
      return true;
    }
  }
  return false;
}

// Whether the process descends from this one or from a program the test
// started, by the parents in the list.
bool DescendsFromTest(const ProcessEntry& process,
                      const std::map<SystemProcessId, SystemProcessId>& parents,
                      const TestProcesses& test) {
  const SystemProcessId self = OwnProcessId();
  SystemProcessId parent = process.parent;
  // A bound on the walk, since ids are reused and a list taken while
  // processes come and go may hold a loop.
  for (int depth = 0; depth < 64 && parent > 0; ++depth) {
    if (parent == self ||
        std::find(test.started.begin(), test.started.end(), parent) != test.started.end()) {
      return true;
    }
    const auto up = parents.find(parent);
    if (up == parents.end()) return false;
    parent = up->second;
  }
  return false;
}

}  // namespace

std::vector<SystemProcessId> InterpretersRunning(const TestProcesses& test) {
  const std::vector<ProcessEntry> processes = RunningProcesses();
  std::map<SystemProcessId, SystemProcessId> parents;
  for (const ProcessEntry& process : processes) parents[process.id] = process.parent;
  const std::string tree = test.tree.string();
  std::vector<SystemProcessId> found;
  for (const ProcessEntry& process : processes) {
    if (!IsInterpreter(process)) continue;
    const bool in_tree = !tree.empty() && (Mentions(process.command_line, tree) ||
                                           Mentions(process.directory, tree));
    if (in_tree || DescendsFromTest(process, parents, test)) found.push_back(process.id);
  }
  return found;
}

std::vector<SystemProcessId> InterpretersLeftRunning(const TestProcesses& test) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  for (;;) {
    std::vector<SystemProcessId> left = InterpretersRunning(test);
    if (left.empty() || std::chrono::steady_clock::now() >= deadline) return left;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace tarnvelock::test

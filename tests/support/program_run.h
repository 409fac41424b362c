// Running a program from a test, on every system through platform/: its
// standard output (and standard error, when asked) is captured, its input is
// the null device, and it runs in a directory and an environment of the
// test's choosing.
#pragma once

#include <string>
#include <vector>

namespace tarnvelock::test {

struct RunSettings {
  // Standard error goes with the output; otherwise it is dropped.
  bool merge_stderr = false;
  // Where the program starts; empty for the test's own directory.
  std::string directory;
  // "NAME=value" entries that replace or add to the test's environment.
  std::vector<std::string> set_environment;
  // Names taken out of it.
  std::vector<std::string> unset_environment;
};

struct ProgramRun {
  // The exit code; -1 when the program could not be started.
  int status = -1;
  std::string output;
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const RunSettings& settings = {});

}  // namespace tarnvelock::test

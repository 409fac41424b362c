// Running a program from a test, on every system through platform/: its
// standard output (and standard error, when asked) is captured or written to
// a file, its input is the null device, a file or what the test sends, and
// it runs in a directory and an environment of the test's choosing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/child_process.h"
#include "platform/process_list.h"

namespace tarnvelock::test {

struct RunSettings {
  // Where the program starts; empty for the test's own directory.
  std::string directory;
  // "NAME=value" entries that replace or add to the test's environment.
  std::vector<std::string> set_environment;
  // Names taken out of it.
  std::vector<std::string> unset_environment;
  // Standard input: the null device, unless a file is named here or the
  // test sends it (RunningProgram::Send).
  std::string input_file;
  bool input_from_test = false;
  // Standard output: captured, unless a file is named here (replaced).
  std::string output_file;
  // Standard error: dropped, unless it goes with the output or is appended
  // to a file named here.
  bool merge_stderr = false;
  std::string error_file;
};

struct ProgramRun {
  // The exit code as the system gives it: all of it on Windows, the low
  // eight bits (128 + the signal when a signal ended it) on POSIX; -1 when
  // the program could not be started.
  int status = -1;
  // What it wrote to the captured output.
  std::string output;
};

// A program that runs while the test goes on. One that still runs when the
// object goes is ended.
class RunningProgram {
 public:
  RunningProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const RunSettings& settings = {});
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();

  bool started() const { return process_ != 0; }
  // The system's number for it; 0 when it could not be started.
  SystemProcessId id() const { return id_; }
  // Writes to its standard input; false when it takes no input from the test.
  bool Send(std::string_view bytes);
  // Ends its input, reads the captured output to its end and waits for it.
  ProgramRun Finish();

 private:
  ProcessId process_ = 0;
  SystemProcessId id_ = 0;
  Descriptor input_ = -1;
  Descriptor output_ = -1;
};

// Runs the program to its end.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const RunSettings& settings = {});

}  // namespace tarnvelock::test

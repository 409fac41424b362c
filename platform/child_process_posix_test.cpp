// Processes and standard handles on POSIX systems.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/child_process.h"

namespace tarnvelock {
namespace {

std::string ReadAll(Descriptor fd) {
  std::string out;
  char buffer[256];
  for (std::size_t got; (got = ReadSome(fd, buffer, sizeof buffer)) > 0;) out.append(buffer, got);
  return out;
}

TEST(Process, ProgramsRunWithArgumentsEnvironmentAndExitCode) {
  PipeEnds pipe = MakePipe();
  Descriptor saved = DuplicateDescriptor(1);
  ReplaceDescriptor(pipe.write, 1);
  auto process = StartProgram("/bin/sh", {"sh", "-c", "echo \"$1 $GREETING\"; exit 3", "sh", "a b"},
                              {"GREETING=hello"});
  ReplaceDescriptor(saved, 1);
  CloseDescriptor(saved);
  CloseDescriptor(pipe.write);
  ASSERT_TRUE(process);
  EXPECT_EQ(3, WaitForProcess(*process));
  EXPECT_EQ("a b hello\n", ReadAll(pipe.read));
  CloseDescriptor(pipe.read);
  EXPECT_FALSE(StartProgram("/nonexistent/program", {"x"}, {}));
}

TEST(Process, ChildInterpreterReturnsItsResult) {
  int value = 7;
  InterpreterChild child;
  child.body = [&value] { return value * 6; };
  EXPECT_EQ(42, WaitForProcess(StartInterpreter(child)));
}

TEST(Process, RedirectionTargets) {
  auto path = std::filesystem::temp_directory_path() / "tarnvelock-process-test.txt";
  auto written = OpenForRedirection(path.string(), OpenMode::Write);
  ASSERT_TRUE(written);
  WriteAll(*written, "one\r\n");
  CloseDescriptor(*written);
  auto appended = OpenForRedirection(path.string(), OpenMode::Append);
  ASSERT_TRUE(appended);
  WriteAll(*appended, "two\r\n");
  CloseDescriptor(*appended);
  auto read = OpenForRedirection(path.string(), OpenMode::Read);
  ASSERT_TRUE(read);
  EXPECT_EQ("one\r\ntwo\r\n", ReadAll(*read));
  CloseDescriptor(*read);
  std::filesystem::remove(path);
  EXPECT_FALSE(OpenForRedirection("/nonexistent/dir/file", OpenMode::Write));
  EXPECT_FALSE(OpenForRedirection(std::filesystem::temp_directory_path().string(), OpenMode::Read));
}

}  // namespace
}  // namespace tarnvelock

// Console processes on Windows under this project's interpreter (Wine's own
// cannot read a console it is given by the classic handle values): the
// console window is found by its title, a posted blank wakes a silent pause,
// standard error reaches its file, and terminating ends a waiting process.
// Needs a display (under Wine: run under xvfb-run).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/console_process.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock {
namespace {

using namespace std::chrono_literals;

template <typename Done>
bool Eventually(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

ProcessRequest Interpreter(const std::wstring& command, const std::wstring& title) {
  ProcessRequest request;
  request.program = std::filesystem::path(TARNVELOCK_CMD).wstring();
  request.arguments = {L"/c", command};
  request.title = title;
  request.show = ConsoleShow::NoActivate;
  return request;
}

TEST(Win32ConsoleProcessTest, APostedBlankWakesAPauseInItsOwnWindow) {
  ConsoleStart start =
      SystemProcessStarter().StartConsole(Interpreter(L"pause >nul", L"tarnvelock pause test"));
  ASSERT_EQ(start.error, 0);
  ASSERT_TRUE(start.process);
  ConsoleProcess& console = *start.process;
  ASSERT_TRUE(console.WindowRect().has_value()) << "the window titled as asked";
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(console.IsRunning()) << "the pause waits";
  ASSERT_TRUE(console.WriteInput(" "));
  EXPECT_TRUE(Eventually([&console] { return !console.IsRunning(); }));
  EXPECT_EQ(console.ExitCode(), 0);
}

TEST(Win32ConsoleProcessTest, StandardErrorGoesToItsFileAndTerminateEndsAWait) {
  test::TempTree tree;
  const std::wstring errors = tree / L"_dbgError.txt";
  ProcessRequest request = Interpreter(L"echo oops 1>&2 & pause >nul", L"tarnvelock stderr test");
  request.stderr_path = errors;
  ConsoleStart start = SystemProcessStarter().StartConsole(request);
  ASSERT_TRUE(start.process);
  ConsoleProcess& console = *start.process;
  const auto text = [&errors] {
    std::ifstream in(std::filesystem::path(errors), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  };
  EXPECT_TRUE(Eventually([&text] { return text().find("oops") != std::string::npos; }));
  EXPECT_TRUE(console.IsRunning());
  console.Terminate();
  EXPECT_FALSE(console.IsRunning());
  EXPECT_EQ(console.ExitCode(), 1);
}

TEST(Win32ConsoleProcessTest, AProgramThatCannotBeFoundIsAnError) {
  ProcessRequest request;
  request.program = L"C:\\no\\such\\program.exe";
  EXPECT_NE(SystemProcessStarter().StartConsole(request).error, 0);
  EXPECT_NE(SystemProcessStarter().RunAndWait(request).error, 0);
}

}  // namespace
}  // namespace tarnvelock

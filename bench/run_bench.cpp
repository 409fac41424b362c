// A debug run through the real interpreter, as tarnvelock-cli drives it:
// (a) the latency of one single step with a 10 ms poll, median of 200 steps
//     through a loop;
// (b) Execute over a 10 000-iteration loop with a three-line body:
//     instrumented lines per second, and the time under the debugger against
//     the time of the same batch run without it.
// The interpreter is the bundled one of the build tree (../shell from here).
#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/bench_support.h"
#include "cli/console_view.h"
#include "core/run/debug_session.h"
#include "platform/code_page.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/temp_dir.h"

using namespace tarnvelock;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPollMs = 10;
constexpr int kSteps = 200;
constexpr int kIterations = 10'000;
constexpr int kBodyLines = 3;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Polls like the command line's loop until the run stops or ends.
void WaitForStop(RunControl& run) {
  while (run.GetRunState() == RunState::Running && run.TimerEnabled()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    run.PollStop();
  }
}

std::wstring WriteBatch(const std::wstring& path, const std::wstring& text) {
  SystemFileSystem().WriteFile(path, SystemCodePages().Encode(text, CodePage::Oem));
  return path;
}

}  // namespace

int main() {
  FileSystem& files = SystemFileSystem();
  const std::wstring dir = SystemTempBase() + L"tarnvelock-run-bench/";
  if (!EnsurePrivateDirectory(dir)) return 1;
  std::wstring own = FromUtf8(OwnExecutablePath());
  own.erase(own.find_last_of(L'/') + 1);
  const std::wstring interpreter_dir = own + L"../shell/";
  ProcessEnvironment().Unset(L"ComSpec");

  const std::wstring loop =
      L"@echo off\r\nset n=0\r\n:loop\r\nset /a n+=1\r\nset /a m=n*2\r\n"
      L"if %n% LSS " +
      std::to_wstring(kIterations) + L" goto loop\r\necho done\r\n";
  const std::wstring batch = WriteBatch(dir + L"loop.bat", loop);

  std::FILE* sink = std::fopen("/dev/null", "w");
  ConsoleView view(OutputFormat::Plain, sink);
  SessionPlatform platform{files, SystemCodePages(), ProcessEnvironment(), SystemProcessStarter()};
  DebugSession session(platform, view, view, AppSettings{}, interpreter_dir);
  if (!session.Start()) return 1;
  session.Document().OpenDocument(batch);
  RunControl& run = session.Run();

  // (a) Single steps.
  std::vector<double> steps;
  for (int i = 0; i <= kSteps; ++i) {
    const auto start = Clock::now();
    run.ActionStartExecuteLineF8Execute();
    WaitForStop(run);
    if (run.GetRunState() != RunState::Stopped) {
      std::fprintf(stderr, "the run did not stop at step %d\n", i);
      return 1;
    }
    if (i > 0) steps.push_back(Seconds(start));  // the first step starts the interpreter
  }
  std::sort(steps.begin(), steps.end());
  std::printf("single step (poll %d ms): median %.1f ms over %d steps\n", kPollMs,
              steps[steps.size() / 2] * 1000, kSteps);
  run.ActionStartResetExecute();

  // (b) Execute to the end, against the batch run directly.
  const auto start = Clock::now();
  run.ActionStartExecuteAllExecute();
  WaitForStop(run);
  const double instrumented = Seconds(start);
  if (run.GetRunState() != RunState::Ended) {
    std::fprintf(stderr, "the run did not end\n");
    return 1;
  }
  run.ActionStartResetExecute();

  ProcessRequest direct;
  direct.program = interpreter_dir + L"tarnvelock-cmd";
  direct.arguments = {L"/c", batch};
  const auto direct_start = Clock::now();
  SystemProcessStarter().RunAndWait(direct);
  const double original = Seconds(direct_start);

  const double lines = static_cast<double>(kIterations) * kBodyLines;
  std::printf("execute %d iterations x %d lines: %.2f s, %.0f instrumented lines/s\n", kIterations,
              kBodyLines, instrumented, lines / instrumented);
  std::printf("without the debugger: %.2f s; ratio instrumented/original %.1f\n", original,
              instrumented / original);
  std::fclose(sink);
  return 0;
}

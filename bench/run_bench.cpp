// A debug run through the real interpreter, as tarnvelock-cli drives it:
// (a) the latency of one single step with a 10 ms poll, median of 200 steps
//     through a loop;
// (b) Execute over a 10 000-iteration loop with a three-line body:
//     instrumented lines per second, and the time under the debugger against
//     the time of the same batch run without it, for the default temporary
//     base and for one on a memory file system.
// The interpreter is the bundled one of the build tree (../shell from here).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "cli/console_view.h"
#include "core/run/debug_session.h"
#include "platform/child_process.h"
#include "platform/code_page.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/file_system.h"
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
  if (const IoStatus written =
          SystemFileSystem().WriteFile(path, SystemCodePages().Encode(text, CodePage::Oem));
      !written) {
    std::fprintf(stderr, "%s\n", ToUtf8(written.message()).c_str());
    std::exit(1);
  }
  return path;
}

// (b) Execute to the end of the loop batch in a new session whose exchange
// files live under the current temporary base; the seconds it took, or a
// negative value when the run did not end.
double ExecuteSeconds(const std::wstring& batch, const std::wstring& interpreter_dir,
                      ConsoleView& view) {
  SessionPlatform platform{SystemFileSystem(), SystemCodePages(), ProcessEnvironment(),
                           SystemProcessStarter()};
  DebugSession session(platform, view, view, AppSettings{}, interpreter_dir);
  if (!session.Start()) return -1;
  session.Document().OpenDocument(batch);
  RunControl& run = session.Run();
  const auto start = Clock::now();
  run.ActionStartExecuteAllExecute();
  WaitForStop(run);
  const double seconds = Seconds(start);
  const bool ended = run.GetRunState() == RunState::Ended;
  run.ActionStartResetExecute();
  return ended ? seconds : -1;
}

}  // namespace

int main() {
  FileSystem& files = SystemFileSystem();
  const std::wstring dir = SystemTempBase() + L"tarnvelock-run-bench/";
  if (!EnsurePrivateDirectory(SystemTempBase()) || !EnsurePrivateDirectory(dir)) return 1;
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
  {
    SessionPlatform platform{files, SystemCodePages(), ProcessEnvironment(),
                             SystemProcessStarter()};
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
  }

  ProcessRequest direct;
  direct.program = interpreter_dir + L"tarnvelock-cmd";
  direct.arguments = {L"/c", batch};
  const auto direct_start = Clock::now();
  SystemProcessStarter().RunAndWait(direct);
  const double original = Seconds(direct_start);
  std::printf("without the debugger: %.2f s\n", original);

  // Every debugged line rewrites an exchange file, so the speed of a free run
  // depends on the file system of the temporary base: measured on the
  // default base and, where there is one, on a memory file system (where
  // $XDG_RUNTIME_DIR of a desktop session points).
  // Each entry is a TMPDIR to run under; empty keeps the environment as it is.
  std::vector<std::wstring> roots = {L""};
  if (files.DirectoryExists(L"/dev/shm") && !SystemTempBase().starts_with(L"/dev/shm/")) {
    roots.push_back(L"/dev/shm/");
  }
  const double lines = static_cast<double>(kIterations) * kBodyLines;
  for (const std::wstring& root : roots) {
    if (!root.empty()) {
      // The runtime directory would come before TMPDIR.
      ProcessEnvironment().Unset(L"XDG_RUNTIME_DIR");
      ProcessEnvironment().Set(L"TMPDIR", root);
    }
    const std::wstring base = SystemTempBase();
    const double instrumented = ExecuteSeconds(batch, interpreter_dir, view);
    if (instrumented < 0) {
      std::fprintf(stderr, "the run did not end\n");
      return 1;
    }
    std::printf(
        "execute %d iterations x %d lines, exchange files under %s: %.2f s, "
        "%.0f instrumented lines/s, ratio instrumented/original %.1f\n",
        kIterations, kBodyLines, ToUtf8(base).c_str(), instrumented, lines / instrumented,
        instrumented / original);
  }
  std::fclose(sink);
  return 0;
}

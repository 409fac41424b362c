// DebugLoop: the command loop of tarnvelock-cli's debugger mode. It reads
// one command a line, carries it out on the session, and while the batch
// runs polls it until it stops, ends or waits for console input, reporting
// each of these through the console view.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <istream>
#include <map>
#include <optional>
#include <string>

#include "cli/command_parser.h"
#include "cli/console_view.h"
#include "cli/debug_options.h"
#include "core/document/line_marks.h"
#include "core/run/debug_session.h"
#include "core/run/log_options.h"

namespace tarnvelock {

class DebugLoop {
 public:
  DebugLoop(const DebugOptions& options, ConsoleView& view, DebugSession& session)
      : options_(options),
        view_(view),
        session_(session),
        run_(session.Run()),
        doc_(session.Doc()),
        log_switches_(session.Doc().Options) {}

  // Reads and carries out commands until "quit", the end of input or a
  // timeout; returns the exit status: the batch's exit code when its run
  // has ended by itself, else kExitDone (or kExitTimeout).
  int Run(std::istream& in, bool prompt);

 private:
  enum class Outcome { Continue, Quit, TimedOut };
  using Clock = std::chrono::steady_clock;

  int EndStatus() const;

  Outcome Execute(const ParsedCommand& command);
  Outcome RunCommand(const ParsedCommand& command);
  // One Line (follow or skip calls), as many times as asked while the run
  // keeps stopping.
  Outcome Steps(const ParsedCommand& command);
  Outcome ConsoleInput(const ParsedCommand& command, std::string bytes);
  Outcome Sleep(std::int32_t ms);
  // Polls until the run stops, ends or waits for console input, and reports
  // what it found (a stop only when report); TimedOut when --timeout passed
  // first.
  Outcome WaitAndReport(bool report = true);
  // Runs until the current call level has returned.
  Outcome Finish();
  // One variable of the stopped batch, watched or not.
  Outcome Print(const std::wstring& name);
  void Backtrace();
  void Help(const std::wstring& command);
  // The batch waits at a line that reads the console: types the queued input
  // there, or returns true when there is none.
  bool WaitsForInput();
  void ReportRun();
  // Ctrl+C ends a wait early, a request to end the program ends the session;
  // nothing when neither arrived.
  std::optional<Outcome> CutShort();
  void Poll();

  void SetBreakpoint(const ParsedCommand& command);
  void Mark(const ParsedCommand& command, LineMark mark, const wchar_t* name);
  void SetOption(const ParsedCommand& command);
  void SetGlobal(const ParsedCommand& command);
  bool Stopped();

  const DebugOptions& options_;
  ConsoleView& view_;
  DebugSession& session_;
  RunControl& run_;
  DebugDocument& doc_;
  LogOptionSwitches log_switches_;
  // Console input given before the batch asked for it, typed when it does.
  std::deque<std::string> typed_ahead_;
  // The visit of a line at which input was last typed: the batch asks again
  // once it has reached a line anew, even the same one in a loop.
  std::optional<LineArrival> typed_at_;
  // Stops at each breakpoint line in this run, for "info breakpoints".
  std::map<std::int32_t, std::int32_t> breakpoint_hits_;
};

}  // namespace tarnvelock

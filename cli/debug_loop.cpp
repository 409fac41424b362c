// The debugger mode's command loop.
#include "cli/debug_loop.h"

#include <cstdio>
#include <thread>

#include "cli/command_help.h"
#include "cli/exit_status.h"
#include "core/base/ascii_case.h"
#include "core/base/exchange_file_names.h"
#include "core/run/exchange_text.h"
#include "core/run/line_refusal.h"
#include "platform/code_page.h"
#include "platform/terminal_signals.h"

namespace tarnvelock {

namespace {

// True when the text of a line that the scanner marked as waiting for the
// console (PAUSE, SET /P, EXIT) really reads from it: PAUSE or SET /P, and
// no input redirected from elsewhere ("set /p x=<file", "<nul set /p").
bool ReadsConsole(const std::wstring& text) {
  std::wstring upper;
  for (wchar_t c : text) upper += AsciiUpper(c);
  const bool reads =
      upper.find(L"PAUSE") != std::wstring::npos || upper.find(L"/P") != std::wstring::npos;
  return reads && upper.find(L'<') == std::wstring::npos;
}

}  // namespace

int DebugLoop::Run(std::istream& in, bool prompt) {
  std::string line;
  while (true) {
    if (TakeTerminalSignal() == TerminalSignal::Quit) break;
    if (prompt) {
      std::fputs("> ", stdout);
      std::fflush(stdout);
    }
    if (!std::getline(in, line)) {
      // Ctrl+C at the prompt only cancels the line being typed.
      if (TakeTerminalSignal() != TerminalSignal::Interrupt) break;
      in.clear();
      std::clearerr(stdin);
      if (prompt) std::fputs("\n", stdout);
      continue;
    }
    const ParseResult parsed = ParseCommand(FromUtf8(line));
    if (!parsed.command) {
      view_.ReportError(parsed.error);
      continue;
    }
    switch (Execute(*parsed.command)) {
      case Outcome::Continue:
        break;
      case Outcome::Quit:
        return EndStatus();
      case Outcome::TimedOut:
        return kExitTimeout;
    }
  }
  return EndStatus();
}

int DebugLoop::EndStatus() const {
  // Only a run that ended by itself has an exit code of its own.
  const std::int32_t reason = run_.StopReason();
  const bool by_itself = reason == srEndOfFile || reason == srExit || reason == srSyntaxError;
  if (run_.GetRunState() != RunState::Ended || !by_itself || !run_.ExitCode()) return kExitDone;
  return *run_.ExitCode();
}

DebugLoop::Outcome DebugLoop::Execute(const ParsedCommand& command) {
  if (RunsBatch(command.verb)) return RunCommand(command);
  const RunState state = run_.GetRunState();
  switch (command.verb) {
    case Verb::None:
      return Outcome::Continue;
    case Verb::Reset:
      run_.ActionStartResetExecute();
      typed_at_.reset();
      breakpoint_hits_.clear();
      view_.ReportState(session_);
      return Outcome::Continue;
    case Verb::Wait:
      if (state != RunState::Running) {
        view_.ReportError(L"wait: the batch is not running");
        return Outcome::Continue;
      }
      return WaitAndReport();
    case Verb::Sleep:
      return Sleep(command.number);
    case Verb::Input:
      return ConsoleInput(command, SystemCodePages().Encode(command.text, CodePage::Oem) + "\r");
    case Verb::Key:
      return ConsoleInput(command, " ");
    case Verb::Break:
      SetBreakpoint(command);
      return Outcome::Continue;
    case Verb::Clear:
      if (command.line < doc_.MaxCurZeile && doc_.Record(command.line).BreakPoint) {
        run_.ActionStartBreakPointExecute(command.line);
      }
      view_.ReportNote(L"line " + std::to_wstring(command.line) + L": no breakpoint");
      return Outcome::Continue;
    case Verb::Ignore:
      Mark(command, LineMark::Ignore, L"ignore");
      return Outcome::Continue;
    case Verb::NoDebug:
      Mark(command, LineMark::NoDebug, L"no debug");
      return Outcome::Continue;
    case Verb::Echo:
      Mark(command, LineMark::Echo, L"echo");
      return Outcome::Continue;
    case Verb::StdErrOk:
      Mark(command, LineMark::StdErr, L"stderr allowed");
      return Outcome::Continue;
    case Verb::ErrOk:
      Mark(command, LineMark::ErrLevel, L"max ERRORLEVEL");
      return Outcome::Continue;
    case Verb::Option:
      SetOption(command);
      return Outcome::Continue;
    case Verb::Set:
      SetGlobal(command);
      return Outcome::Continue;
    case Verb::Vars:
      view_.ReportVariables(session_);
      return Outcome::Continue;
    case Verb::Log:
      view_.ReportLog(session_.Log().Entries());
      return Outcome::Continue;
    case Verb::List:
      view_.ReportListing(session_, command.line < 0 ? 0 : command.line,
                          command.has_number ? command.number : doc_.MaxCurZeile);
      return Outcome::Continue;
    case Verb::Answer:
      view_.QueueAnswer(command.on);
      return Outcome::Continue;
    case Verb::Help:
      Help(command.text);
      return Outcome::Continue;
    case Verb::Print:
      return Print(command.text);
    case Verb::Backtrace:
      Backtrace();
      return Outcome::Continue;
    case Verb::Info:
      view_.ReportBreakpoints(doc_, breakpoint_hits_);
      return Outcome::Continue;
    case Verb::Quit:
      return Outcome::Quit;
    default:  // the verbs that run the batch, taken above
      break;
  }
  return Outcome::Continue;
}

DebugLoop::Outcome DebugLoop::RunCommand(const ParsedCommand& command) {
  const RunState state = run_.GetRunState();
  if (state == RunState::Ready || state == RunState::Ended) breakpoint_hits_.clear();
  // A running batch takes only Terminate and Interrupt, as the wait dialog
  // does; a wake-up now would end the next stop at once.
  const bool stops_a_run = command.verb == Verb::Terminate || command.verb == Verb::Interrupt;
  if (state == RunState::Running && !stops_a_run) {
    view_.ReportError(L"the batch is running (wait, interrupt or terminate)");
    return Outcome::Continue;
  }
  switch (command.verb) {
    case Verb::Step:
    case Verb::Next:
      return Steps(command);
    case Verb::Run:
      run_.ActionStartExecuteAllExecute();
      break;
    case Verb::Finish:
      return Finish();
    case Verb::Goto:
    case Verb::GotoIgnore:
      // An ended run only resets, whatever the line.
      if (state != RunState::Ended && !run_.CanGotoLine(command.line)) {
        view_.ReportError(L"goto: the batch cannot stop at line " + std::to_wstring(command.line) +
                          L": " + LineRefusal(doc_, state, command.line, LineUse::WhileReady));
        return Outcome::Continue;
      }
      if (command.verb == Verb::Goto) {
        run_.ActionStartGotoLineExecute(command.line);
      } else {
        run_.ActionStartGotoLineIgnoreExecute(command.line);
      }
      break;
    case Verb::Add:
      if (!Stopped()) return Outcome::Continue;
      run_.AddCommand(command.text);
      break;
    case Verb::Terminate:
    case Verb::Interrupt:
      if (state != RunState::Running) {
        view_.ReportError(L"the batch is not running");
        return Outcome::Continue;
      }
      if (command.verb == Verb::Terminate) {
        run_.BitBtnTerminateClick();
      } else if (!doc_.Options.EnableBreak) {
        view_.ReportError(L"interrupt: \"Enable Break\" is off");
        return Outcome::Continue;
      } else {
        run_.BitBtnBreakClick();
      }
      break;
    default:
      break;
  }
  if (command.no_wait) return Outcome::Continue;
  return WaitAndReport();
}

DebugLoop::Outcome DebugLoop::Steps(const ParsedCommand& command) {
  for (std::int32_t i = 0; i < command.number; ++i) {
    // Only a run that stopped again takes the next step; an ended one
    // would start over.
    if (i > 0 && run_.GetRunState() != RunState::Stopped) break;
    if (command.verb == Verb::Step) {
      run_.ActionStartExecuteLineF8Execute();
    } else {
      run_.ActionStartExecuteLineF7Execute();
    }
    if (command.no_wait) break;
    if (const Outcome outcome = WaitAndReport(); outcome != Outcome::Continue) return outcome;
  }
  return Outcome::Continue;
}

DebugLoop::Outcome DebugLoop::ConsoleInput(const ParsedCommand& command, std::string bytes) {
  if (run_.GetRunState() != RunState::Running) {
    typed_ahead_.push_back(std::move(bytes));
    view_.ReportNote(L"input kept until the batch reads the console");
    return Outcome::Continue;
  }
  session_.Console().TypeIntoConsole(bytes);
  typed_at_ = session_.Exchange().ReadLineArrival();
  if (command.no_wait) return Outcome::Continue;
  return WaitAndReport();
}

void DebugLoop::Poll() {
  run_.PollStop();
  // A batch that waits for input is not polled by run control alone: its
  // output must still come out.
  session_.Console().DrainConsole();
}

bool DebugLoop::WaitsForInput() {
  // A line that reads the console writes the current-line file each time the
  // batch reaches it, so a loop that comes back to it between two polls is
  // seen by the file's newer time.
  const std::optional<LineArrival> arrival = session_.Exchange().ReadLineArrival();
  if (!arrival || arrival == typed_at_) return false;
  const std::int32_t line = arrival->line;
  if (line < 0 || line >= doc_.MaxCurZeile) return false;
  if (!doc_.Record(line).Pause || !ReadsConsole(doc_.Items[line].text)) return false;
  // The batch writes the current line before it decides whether to stop
  // there, and the last line once it has passed that check: input typed
  // before then would wake the batch's own wait at the stop instead.
  ExchangeFiles& exchange = session_.Exchange();
  if (exchange.Exists(kStopSignalFile) || exchange.ReadLastLine() != line) return false;
  typed_at_ = arrival;
  if (typed_ahead_.empty()) return true;
  session_.Console().TypeIntoConsole(typed_ahead_.front());
  typed_ahead_.pop_front();
  return false;
}

DebugLoop::Outcome DebugLoop::WaitAndReport(bool report) {
  const auto deadline = Clock::now() + std::chrono::seconds(options_.timeout_s);
  while (run_.GetRunState() == RunState::Running && run_.TimerEnabled()) {
    if (const std::optional<Outcome> cut = CutShort()) return *cut;
    if (WaitsForInput()) {
      view_.ReportInputWait(typed_at_->line);
      return Outcome::Continue;
    }
    if (options_.timeout_s > 0 && Clock::now() >= deadline) {
      session_.Console().DrainConsole();
      view_.ReportTimeout();
      return Outcome::TimedOut;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(options_.poll_ms));
    Poll();
  }
  session_.Console().DrainConsole();
  if (report) ReportRun();
  return Outcome::Continue;
}

DebugLoop::Outcome DebugLoop::Finish() {
  if (run_.GetRunState() != RunState::Stopped || run_.CallDepth() == 0) {
    view_.ReportError(L"finish: the batch must be stopped inside a called label or batch");
    return Outcome::Continue;
  }
  // Run control steps on until the level has returned; a breakpoint, an
  // error or the end stops it earlier.
  run_.ActionStartStepOutExecute();
  return WaitAndReport();
}

DebugLoop::Outcome DebugLoop::Print(const std::wstring& name) {
  if (!Stopped()) return Outcome::Continue;
  // The batch alone knows its variables: an added command writes the one
  // asked for into a file, and the batch stops again at the same line.
  const std::wstring file(kPrintFile);
  session_.Exchange().RemoveIfPresent(file);
  const bool log_adds = doc_.Options.LogAdds;
  doc_.Options.LogAdds = false;
  run_.AddCommand(L"@(if defined " + name + L" (echo(1!" + name + L"!) else echo(0)>\"%_dbgTmp%" +
                  file + L"\"");
  doc_.Options.LogAdds = log_adds;
  if (const Outcome outcome = WaitAndReport(false); outcome != Outcome::Continue) return outcome;
  const std::optional<std::vector<std::wstring>> lines = session_.Exchange().ReadStateLines(file);
  session_.Exchange().RemoveIfPresent(file);
  if (run_.GetRunState() != RunState::Stopped || !lines || lines->empty()) {
    ReportRun();
    return Outcome::Continue;
  }
  const std::wstring& line = lines->front();
  view_.ReportValue(name, line.starts_with(L'1') ? std::optional(line.substr(1)) : std::nullopt);
  return Outcome::Continue;
}

void DebugLoop::Backtrace() {
  if (run_.GetRunState() != RunState::Stopped) {
    view_.ReportError(L"backtrace: the batch is not waiting at a stop");
    return;
  }
  std::vector<BacktraceFrame> frames;
  std::int32_t line = run_.AktExeZeile();
  for (std::int32_t level = run_.CallDepth(); level >= 0; --level) {
    BacktraceFrame frame{level, line, doc_.BatchPath, {}};
    if (level > 0) {
      ExchangeFiles& exchange = session_.Exchange();
      if (const auto para = exchange.ReadStateLines(PerCallFile(kParametersPrefix, level))) {
        for (const std::wstring& entry : *para) {
          const size_t equals = entry.find(L'=');
          const std::wstring value =
              equals == std::wstring::npos ? entry : entry.substr(equals + 1);
          if (entry.starts_with(L"0=")) {
            frame.target = value;
          } else {
            frame.arguments.push_back(value);
          }
        }
      }
      const auto called = exchange.ReadStateLines(PerCallFile(kCallLinePrefix, level));
      line = called && !called->empty() ? LeadingInteger(called->front()).value_or(-1) : -1;
    }
    frames.push_back(std::move(frame));
  }
  view_.ReportBacktrace(frames);
}

void DebugLoop::Help(const std::wstring& command) {
  if (command.empty()) {
    view_.ReportHelp(std::wstring(CommandHelpText()) +
                     L"help COMMAND shows one command with its arguments and an example.\n");
    return;
  }
  if (const std::optional<std::wstring> help = CommandHelp(command)) {
    view_.ReportHelp(*help);
  } else {
    view_.ReportError(L"help: no command \"" + command + L"\"");
  }
}

DebugLoop::Outcome DebugLoop::Sleep(std::int32_t ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < until) {
    if (const std::optional<Outcome> cut = CutShort()) return *cut;
    std::this_thread::sleep_for(std::chrono::milliseconds(options_.poll_ms));
    if (run_.GetRunState() != RunState::Running || !run_.TimerEnabled()) continue;
    Poll();
    if (run_.GetRunState() != RunState::Running || !run_.TimerEnabled()) ReportRun();
  }
  return Outcome::Continue;
}

std::optional<DebugLoop::Outcome> DebugLoop::CutShort() {
  switch (TakeTerminalSignal()) {
    case TerminalSignal::None:
      return std::nullopt;
    case TerminalSignal::Interrupt:
      session_.Console().DrainConsole();
      view_.ReportNote(L"stopped waiting; the batch runs on (wait, interrupt or terminate)");
      return Outcome::Continue;
    case TerminalSignal::Quit:
      return Outcome::Quit;
  }
  return std::nullopt;
}

void DebugLoop::ReportRun() {
  switch (run_.GetRunState()) {
    case RunState::Stopped:
    case RunState::Ended:
      typed_at_.reset();
      if (run_.GetRunState() == RunState::Stopped && run_.StopReason() == srBreakPoint) {
        ++breakpoint_hits_[run_.AktExeZeile()];
      }
      view_.ReportStop(session_);
      break;
    default:
      view_.ReportState(session_);
      break;
  }
}

bool DebugLoop::Stopped() {
  if (run_.GetRunState() == RunState::Stopped) return true;
  view_.ReportError(L"the batch is not waiting at a stop");
  return false;
}

void DebugLoop::SetBreakpoint(const ParsedCommand& command) {
  if (!run_.CanToggleBreakPoint(command.line)) {
    view_.ReportError(L"break: line " + std::to_wstring(command.line) +
                      L" cannot take a breakpoint: " +
                      LineRefusal(doc_, run_.GetRunState(), command.line, LineUse::Anytime));
    return;
  }
  BreakpointProperties properties;
  properties.Count = command.has_number ? command.number : 1;
  properties.Condition = command.text;
  const BreakpointCheck check = run_.SetBreakpointProperties(command.line, properties);
  if (check.BadCondition) {
    view_.ReportError(std::wstring(kConditionErrorText) + L" " +
                      std::wstring(kConditionExampleText));
  } else if (!check.Stored) {
    view_.ReportError(L"break: the count must be a whole number above 0");
  } else {
    view_.ReportNote(L"line " + std::to_wstring(command.line) + L": breakpoint");
  }
}

void DebugLoop::Mark(const ParsedCommand& command, LineMark mark, const wchar_t* name) {
  const std::wstring line = std::to_wstring(command.line);
  const RunState state = run_.GetRunState();
  if (!CanSetLineMark(doc_, state, command.line, mark)) {
    const bool before_run =
        mark == LineMark::Ignore || mark == LineMark::NoDebug || mark == LineMark::Echo;
    view_.ReportError(
        std::wstring(name) + L": line " + line + L" cannot take this mark: " +
        LineRefusal(doc_, state, command.line, before_run ? LineUse::BeforeRun : LineUse::Anytime));
    return;
  }
  if (mark == LineMark::ErrLevel) {
    doc_.Record(command.line).ErrLevelOK = command.number;
    view_.ReportNote(L"line " + line + L": " + name + L" " + std::to_wstring(command.number));
    return;
  }
  const bool on = ToggleLineMark(doc_, command.line, mark);
  view_.ReportNote(L"line " + line + L": " + name + (on ? L" on" : L" off"));
}

void DebugLoop::SetOption(const ParsedCommand& command) {
  const RunState state = run_.GetRunState();
  const bool before_run = state == RunState::Ready;
  const LogMenuEnabling log = log_switches_.Enabling(state);
  BatchOptions& options = doc_.Options;
  bool allowed = true;
  // Why an option waits for the next run: the batch is generated with it, or
  // the debugger's window lets it change only then.
  const wchar_t* reason = L"it can be switched only before a run (reset first)";
  switch (command.option) {
    case OptionName::StopOnErr:
      if ((allowed = before_run)) options.StopOnErr = command.on;
      break;
    case OptionName::EnableBreak:
      if ((allowed = before_run)) options.EnableBreak = command.on;
      reason = L"the batch is generated with or without the break test (reset first)";
      break;
    case OptionName::ReplaceToRem:
      if ((allowed = before_run)) session_.SetReplaceToRem(command.on);
      reason = L"it changes the generated lines (reset first)";
      break;
    case OptionName::EchoOn:
      options.EchoOn = command.on;
      // A run under way gets the new state with its next resume.
      if (state == RunState::Running || state == RunState::Stopped) {
        run_.ActionSettingsEchoOnOffExecute(command.on);
      }
      break;
    case OptionName::LogCalls:
      if ((allowed = log.LogCalls)) log_switches_.SetLogCalls(command.on);
      reason = L"the batch is generated with its call logging (reset first)";
      break;
    case OptionName::LogReturns:
      if ((allowed = log.LogReturns)) options.LogReturns = command.on;
      reason = L"it needs logcalls on, and a run is generated with it (reset first)";
      break;
    case OptionName::LogLines:
      if ((allowed = log.LogLines)) log_switches_.SetLogLines(command.on);
      reason = L"the batch is generated with its line logging (reset first)";
      break;
    case OptionName::LogLinesShow:
      reason = L"it needs loglines on";
      if ((allowed = log.LogLinesShow)) {
        options.LogLinesShow = command.on;
        session_.Log().SetShowLineTimes(command.on);
      }
      break;
    case OptionName::LogAdds:
      options.LogAdds = command.on;
      break;
    case OptionName::ShowPercent:
      session_.Variables().SetShowPercent(command.on, true);
      break;
    case OptionName::ShowBlanks:
      session_.Variables().SetShowBlanks(command.on, true);
      break;
  }
  if (!allowed) view_.ReportError(L"option: not now: " + std::wstring(reason));
}

void DebugLoop::SetGlobal(const ParsedCommand& command) {
  if (!Stopped()) return;
  std::int32_t index = -1;
  if (EqualsNoCase(command.text, L"CD")) index = 0;
  if (EqualsNoCase(command.text, L"ERRORLEVEL")) index = 1;
  for (size_t i = 0; index < 0 && i < doc_.GlobalNames.size(); ++i) {
    if (EqualsNoCase(command.text, doc_.GlobalNames[i])) index = static_cast<std::int32_t>(i) + 2;
  }
  if (index < 0) {
    view_.ReportError(L"set: " + command.text + L" is not a watched global variable");
    return;
  }
  VariablePanes& panes = session_.Variables();
  panes.Click(PaneId::Global, index, RunState::Stopped);
  view_.QueueText(command.value);
  panes.EditGlobal(RunState::Stopped);
}

}  // namespace tarnvelock

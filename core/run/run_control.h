// RunControl: drives one debug run at a time. It holds the run state and
// the run-control values (why the batch stopped, the last run command, the
// execution line, the goto target, the pending echo and added command),
// turns the user's run commands into exchange files and a wake-up of the
// batch, and, polled by the front end's timer, handles each stop of the
// running batch. Everything runs on the caller's thread; nothing here
// blocks except the dialogs the view shows.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/document/debug_document.h"
#include "core/document/run_state.h"
#include "core/instrument/instrumented_batch.h"
#include "core/instrument/per_line_result.h"
#include "core/run/breakpoint_properties.h"
#include "core/run/call_stack.h"
#include "core/run/command_enabling.h"
#include "core/run/event_log.h"
#include "core/run/exchange_files.h"
#include "core/run/launcher.h"
#include "core/run/run_view.h"
#include "core/run/stop_reason.h"
#include "core/run/variable_panes.h"
#include "platform/environment.h"

namespace tarnvelock {

// The echo state sent with the next resume.
enum class EchoRequest : std::int32_t { Off = 0, On = 1, None = 2 };

// Where the console window was when a reset closed it.
struct ConsolePosition {
  int left = 0;
  int top = 0;
};

// The models run control fills at the points of a run, and the environment
// the global pane shows while no batch is loaded: the debugger's own, taken
// before it set the variables for the batch.
struct RunPanes {
  VariablePanes& Variables;
  EventLog& Log;
  CommandStates& Commands;
  EnvironmentBlock StartEnvironment;
};

// The poll timer's interval while the wait dialog is hidden.
inline constexpr int kPollIntervalMs = 300;

class RunControl {
 public:
  // rewrite_lines produces the per-line section when the instrumented batch
  // must be generated again.
  RunControl(DebugDocument& document, ExchangeFiles& exchange, InstrumentedBatch& instrumented,
             Launcher& launcher, RunPanes panes, RunView& view,
             std::function<PerLineResult()> rewrite_lines);

  RunState GetRunState() const { return run_state_; }
  // The only way to change the run state: performs the entry sequence of
  // state, then stores it.
  void SetRunState(RunState state);

  // The timer's handler: notices a stop, an end or a dead interpreter and
  // handles it. Does nothing while the timer is off.
  void PollStop();

  // Run commands. The action names carry the opposite key: ...F8 runs on F7.
  void ActionStartExecuteLineF8Execute();  // One Line (follow Call)
  void ActionStartExecuteLineF7Execute();  // One Line (skip call)
  void ActionStartExecuteAllExecute();     // Execute to the next breakpoint
  void ActionStartGotoLineExecute(std::int32_t target);
  void ActionStartGotoLineIgnoreExecute(std::int32_t target);
  // Runs until the call level drops below the current one, stopping earlier
  // at a breakpoint line or an error; at the main level, as Execute.
  void ActionStartStepOutExecute();
  // Asks for a command and runs it at the current stop.
  void ActionStartAddCommandExecute();
  // Runs command at the current stop; an empty one does nothing.
  void AddCommand(const std::wstring& command);
  void ActionStartBreakPointExecute(std::int32_t line);
  void ActionStartEditBreakPointExecute(std::int32_t line);
  // What the breakpoint dialog's OK and the command line's "break" store.
  BreakpointCheck SetBreakpointProperties(std::int32_t line,
                                          const BreakpointProperties& properties);
  // Ends the batch process and returns to Ready. from_command: pressed by
  // the user, not done by loading a batch.
  void ActionStartResetExecute(bool from_command = true);
  // Ends the batch process and closes its console, remembering its place.
  void EndBatchProcess();
  // The shared step of the running commands: starts the batch or wakes it.
  void Resume();
  // The echo command: the state to send with the next resume.
  void ActionSettingsEchoOnOffExecute(bool on);

  // The wait dialog's buttons.
  void BitBtnTerminateClick();
  void BitBtnBreakClick();

  // Enabling that depends on the cursor line.
  bool CanToggleBreakPoint(std::int32_t line) const;
  bool CanGotoLine(std::int32_t line) const;

  tStopReason StopReason() const { return stop_reason_; }
  tRunMode RunMode() const { return run_mode_; }
  std::int32_t AktExeZeile() const { return akt_exe_zeile_; }
  std::int32_t GotoTarget() const { return goto_target_; }
  std::int32_t CallDepth() const { return call_depth_; }
  // The call levels at the last reported stop.
  const CallStack& Calls() const { return calls_; }
  bool ExecMarkVisible() const { return exec_mark_visible_; }
  bool UserBreak() const { return user_break_; }
  bool BreaksChanged() const { return breaks_changed_; }
  EchoRequest PendingEcho() const { return pending_echo_; }
  bool EchoOn() const { return echo_on_; }
  const std::wstring& Cmd() const { return cmd_; }
  const std::wstring& LastCmd() const { return last_cmd_; }
  // The error text of the last reported stop; empty when it found none.
  const std::wstring& StopError() const { return stop_error_; }
  // The batch's exit code once the run has ended by itself: its ERRORLEVEL
  // at the end of the file, or the code EXIT left the interpreter with.
  const std::optional<std::int32_t>& ExitCode() const { return exit_code_; }
  bool TimerEnabled() const { return timer_enabled_; }
  int PollInterval() const { return poll_interval_; }
  bool WaitDialogVisible() const { return wait_visible_; }
  const std::optional<ConsolePosition>& ConsolePos() const { return console_pos_; }

 private:
  // What one poll found out about a stop (stop_handling.cpp).
  struct Stop;

  // A stop the poll found, from the line that ran last to the new run state.
  void ProcessStop(Stop& stop);
  // What ran last and what ERRORLEVEL it may leave: the added command, or
  // the batch's last line with its allowance.
  static bool NewErrorLevel(const Stop& stop);
  void TakeAddedCommandStop(Stop& stop);
  void TakeLineStop(Stop& stop);
  // The stop reason, whether the error is tolerated, and the state to enter.
  void DecideStopReason(Stop& stop);
  // The panes, the execution line, the error box and the new run state.
  void ShowStop(Stop& stop);
  void WhileRunning(std::int32_t line);
  // A single step of a step-out that has not left the level yet: true when
  // the batch was sent on at once.
  bool StepOutGoesOn(const Stop& stop);
  // The call levels at a reported stop at line.
  void UpdateCalls(std::int32_t line);
  void ReportError(Stop& stop);
  void GotoLine(std::int32_t target, bool ignore_breaks, bool from_skip_call);

  void EnterRunning();
  // The log pane and the status panels of the depths as a state shows them.
  void SwitchPanes(bool on, bool entering_running);
  // The Ready content of the panes: the watched names, no locals.
  void ShowGlobalNames();
  void SetTimer(bool enabled);
  void ShowWait(bool visible);
  void Paint(std::int32_t line);
  void SetExecLine(std::int32_t line);
  bool IsDocumentLine(std::int32_t line) const;
  // Four blanks per call level, in front of the debugger's log lines.
  std::wstring LogIndent() const;
  // The record of line; a blank one for an index the batch reported wrongly.
  const LineRecord& RecordOf(std::int32_t line) const;
  // Shows a failed exchange-file operation to the user.
  void Report(const IoStatus& status);

  DebugDocument& doc_;
  ExchangeFiles& exchange_;
  InstrumentedBatch& instrumented_;
  Launcher& launcher_;
  RunPanes panes_;
  RunView& view_;
  std::function<PerLineResult()> rewrite_lines_;

  RunState run_state_ = RunState::NoFile;
  tStopReason stop_reason_ = srNone;
  tRunMode run_mode_ = rmNone;
  std::int32_t akt_exe_zeile_ = -1;
  std::int32_t goto_target_ = -1;
  std::int32_t call_depth_ = 0;
  CallStack calls_;
  // A step-out under way runs until the call depth is below this; 0 when none.
  std::int32_t step_out_below_ = 0;
  bool exec_mark_visible_ = true;
  bool user_break_ = false;
  bool breaks_changed_ = true;
  // The batch holds only the goto target: the user's breakpoints are no
  // reason for a stop.
  bool breaks_ignored_ = false;
  EchoRequest pending_echo_ = EchoRequest::None;
  bool echo_on_ = false;
  std::wstring cmd_;
  std::wstring last_cmd_;
  std::wstring stop_error_;
  std::optional<std::int32_t> exit_code_;
  // The line at which the last added command was sent.
  std::int32_t command_line_ = -1;

  bool timer_enabled_ = false;
  int poll_interval_ = kPollIntervalMs;
  bool wait_visible_ = false;
  // The instrumented batch of the run being started could be written.
  bool run_prepared_ = false;
  std::optional<ConsolePosition> console_pos_;
};

}  // namespace tarnvelock

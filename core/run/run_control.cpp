// RunControl: the run state with its entry sequences, the shared Resume
// step, Reset, and the helpers the commands and stop handling share.
#include "core/run/run_control.h"

#include <utility>

#include "core/base/condition_text.h"
#include "core/base/exchange_file_names.h"
#include "core/document/history.h"

namespace tarnvelock {

RunControl::RunControl(DebugDocument& document, ExchangeFiles& exchange,
                       InstrumentedBatch& instrumented, Launcher& launcher, RunPanes panes,
                       RunView& view, std::function<PerLineResult()> rewrite_lines)
    : doc_(document),
      exchange_(exchange),
      instrumented_(instrumented),
      launcher_(launcher),
      panes_(std::move(panes)),
      view_(view),
      rewrite_lines_(std::move(rewrite_lines)) {}

void RunControl::SetRunState(RunState state) {
  switch (state) {
    case RunState::NoFile:
      view_.ShowStatus(std::wstring(kNoFileText));
      doc_.MaxCurZeile = -1;
      doc_.Items.clear();
      doc_.Records.clear();
      SwitchPanes(false, false);
      panes_.Variables.ShowEnvironment(panes_.StartEnvironment);
      view_.ClearHighlight();
      break;
    case RunState::Ready:
      SwitchPanes(true, false);
      panes_.Variables.ClearSnapshots();
      for (LineRecord& record : doc_.Records) record.ErrorZeile = errNull;
      view_.RepaintSource();
      view_.ShowStatus(std::wstring(kReadyText));
      break;
    case RunState::Running:
      if (run_state_ == RunState::Ready) EnterRunning();
      break;
    case RunState::Stopped:
      view_.ShowStatus(std::wstring(kStoppedText));
      break;
    case RunState::Ended:
      view_.ShowStatus(EndedStatusText(stop_reason_));
      break;
  }
  panes_.Commands.Enter(state, run_state_);
  run_state_ = state;
  view_.PanesChanged();
}

void RunControl::SwitchPanes(bool on, bool entering_running) {
  // Off, the log pane leaves the navigation list and starts empty.
  if (!on) panes_.Log.Clear();
  if (!PaneSwitchFor(on, entering_running).ResetStatusPanels) return;
  view_.ShowStatusPanel(1, std::wstring(kCallPanelText));
  view_.ShowStatusPanel(2, std::wstring(kLocalPanelText));
  view_.ShowStatusPanel(3, std::wstring(kBracketPanelText));
}

void RunControl::EnterRunning() {
  AddToHistory(doc_.Options.ParameterHistory, doc_.Options.Parameters);
  // The pane switch empties the log pane before the start line goes in.
  SwitchPanes(false, true);
  panes_.Log.StartLog(StartLineText(doc_.BatchPath, doc_.Options.Parameters));
  // Leftovers of an earlier run go before the new batch file is written.
  exchange_.CleanRunStart();
  calls_.Clear();
  view_.FocusKeyTarget();
  run_prepared_ = instrumented_.PrepareForRun(doc_, exchange_.Refs(), rewrite_lines_);
}

void RunControl::ShowGlobalNames() {
  panes_.Variables.ShowGlobalNames(-1);
  panes_.Variables.ClearLocals();
}

void RunControl::Resume() {
  if (run_state_ == RunState::NoFile) return;
  if (run_state_ == RunState::Ended) {
    ActionStartResetExecute();
    return;
  }
  if (run_state_ == RunState::Ready) {
    // An interpreter left from a start that failed half-way must not be
    // woken in place of a new one.
    EndBatchProcess();
  }
  if (run_state_ != RunState::Running) {
    run_prepared_ = true;
    SetRunState(RunState::Running);
    // A batch file that could not be written must not be started: the
    // interpreter would run an older one, or none.
    if (!run_prepared_) {
      SetRunState(RunState::Ready);
      view_.ShowStatus(std::wstring(kStartFailedText));
      return;
    }
  }
  stop_reason_ = srNone;
  stop_error_.clear();
  exit_code_.reset();
  if (pending_echo_ != EchoRequest::None) {
    Report(exchange_.AppendEcho(pending_echo_ == EchoRequest::On));
  }
  pending_echo_ = EchoRequest::None;
  if (!cmd_.empty()) {
    Report(exchange_.AppendAction(BindForVariables(cmd_)));
    stop_reason_ = srAddedCommand;
    command_line_ = akt_exe_zeile_;
    cmd_.clear();
  } else {
    Report(exchange_.MarkActionsSettingsOnly());
  }
  exec_mark_visible_ = false;
  Paint(akt_exe_zeile_);
  Report(exchange_.Remove(kStopSignalFile));

  if (launcher_.StartOrResume(doc_.InstrumentedPath)) {
    SetTimer(true);
    view_.ShowStatus(std::wstring(kRunningText));
    panes_.Variables.SetEnabled(false);
    view_.PanesChanged();
  } else {
    SetRunState(RunState::Ready);
    view_.ShowStatus(std::wstring(kStartFailedText));
  }
}

void RunControl::ActionStartResetExecute(bool from_command) {
  const std::int32_t previous = akt_exe_zeile_;
  akt_exe_zeile_ = -1;
  if (from_command && IsDocumentLine(previous)) Paint(previous);
  exchange_.ResetLastErrIndex();
  pending_echo_ = EchoRequest::None;
  // A reset while the batch runs leaves nothing to poll for and nobody to
  // wait for; a break request left behind would stop the next run at once.
  SetTimer(false);
  if (wait_visible_) ShowWait(false);
  if (user_break_) {
    Report(exchange_.Remove(kBreakRequestFile));
    user_break_ = false;
  }
  EndBatchProcess();
  run_mode_ = rmNone;
  step_out_below_ = 0;
  calls_.Clear();
  SetRunState(RunState::Ready);
  ShowGlobalNames();
  view_.PanesChanged();
  breaks_changed_ = true;
}

void RunControl::EndBatchProcess() {
  if (const std::optional<ConsoleRect> rect = launcher_.CloseConsole(); rect && rect->right != 0) {
    console_pos_ = ConsolePosition{rect->left, rect->top};
  }
}

void RunControl::ActionSettingsEchoOnOffExecute(bool on) {
  echo_on_ = on;
  pending_echo_ = on ? EchoRequest::On : EchoRequest::Off;
  view_.ShowEcho(on);
}

void RunControl::SetTimer(bool enabled) {
  timer_enabled_ = enabled;
  view_.SetPollTimer(timer_enabled_, poll_interval_);
}

void RunControl::Paint(std::int32_t line) {
  if (IsDocumentLine(line)) view_.PaintLine(line);
}

void RunControl::SetExecLine(std::int32_t line) {
  // The batch's line numbers come from a file; one that is not in the
  // document is shown on the end-of-file line.
  akt_exe_zeile_ = IsDocumentLine(line) ? line : doc_.MaxCurZeile;
  view_.SetExecLine(akt_exe_zeile_);
}

bool RunControl::IsDocumentLine(std::int32_t line) const {
  return line >= 0 && line <= doc_.MaxCurZeile && static_cast<size_t>(line) < doc_.Records.size() &&
         static_cast<size_t>(line) < doc_.Items.size();
}

std::wstring RunControl::LogIndent() const {
  return std::wstring(static_cast<size_t>(call_depth_ > 0 ? call_depth_ : 0) * 4, L' ');
}

const LineRecord& RunControl::RecordOf(std::int32_t line) const {
  static const LineRecord kNone;
  return IsDocumentLine(line) ? doc_.Record(line) : kNone;
}

void RunControl::Report(const IoStatus& status) {
  if (!status) view_.ShowMessage(status.message());
}

}  // namespace tarnvelock

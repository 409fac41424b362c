// RunControl: the poll of a running batch and the handling of each stop -
// deciding the stop reason, reading the batch's state, judging errors
// against the line's allowances, and either leaving the batch waiting or
// waking it again at once.
#include <cstdlib>
#include <string>
#include <vector>

#include "core/base/exchange_file_names.h"
#include "core/run/run_control.h"

namespace tarnvelock {

struct RunControl::Stop {
  std::int32_t line = 0;  // the line to show
  std::wstring position;  // the pane's position entry; empty at an end
  std::wstring error;     // the error text to report
  std::int32_t error_level = 0;
  // The batch's last check saw another ERRORLEVEL: the value is new here.
  bool error_level_changed = true;
  std::int32_t last = 0;     // the line that ran last
  std::int32_t allowed = 0;  // ERRORLEVEL tolerated at that line
  bool reset_error_level = false;
  bool tolerated = false;
  bool auto_continue = false;
  bool stepped_on = false;  // a step-out went on at once
  RunState new_state = RunState::Stopped;
};

namespace {

std::wstring JoinWithBlanks(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) {
    if (!text.empty()) text += L' ';
    text += line;
  }
  return text;
}

}  // namespace

void RunControl::PollStop() {
  if (!timer_enabled_) return;
  launcher_.DrainConsole();
  if (akt_exe_zeile_ == -1) view_.BringToFront();
  if (run_state_ != RunState::Running) return;

  const bool alive = launcher_.IsRunning();
  // An added command whose stop has not come yet waits like a running batch,
  // so a dead interpreter is noticed then as well.
  const bool awaiting = stop_reason_ == srNone || stop_reason_ == srAddedCommand;
  if (!alive && awaiting) stop_reason_ = srConsoleClosed;

  Stop stop;
  stop.line = exchange_.ReadCurrentLine().value_or(akt_exe_zeile_ >= 0 ? akt_exe_zeile_ : 0);
  if (stop.line == -2) {
    stop_reason_ = srExit;
  } else if (stop.line == -1) {
    stop_reason_ = srEndOfFile;
  } else {
    stop.position = StopEntryText(stop.line);
  }

  if (panes_.Log.ReloadLogIfChanged()) view_.PanesChanged();
  view_.UpdateTrackWindows();

  const bool signalled = exchange_.Exists(kStopSignalFile);
  if (!signalled && (stop_reason_ == srNone || stop_reason_ == srAddedCommand)) {
    WhileRunning(stop.line);
    return;
  }
  // After an added command the batch stops again at the same line; a stop
  // elsewhere means it ran on, and that stop is judged like any other.
  if (stop_reason_ == srAddedCommand && stop.line != command_line_) stop_reason_ = srNone;

  // The stop signal is read before anything is consumed, so that a read that
  // fails while the batch is still writing can be repeated at the next poll.
  std::optional<StopSignal> signal;
  if (stop_reason_ <= srEndOfFile) {
    signal = exchange_.ReadStopSignal();
    if (!signal) {
      if (alive) return;
      stop_reason_ = srConsoleClosed;
    }
  }

  panes_.Variables.SetEnabled(true);
  if (stop_reason_ == srEndOfFile) stop.line = doc_.MaxCurZeile;
  SetTimer(false);

  if (stop_reason_ <= srExit) {
    const std::vector<std::wstring> added = exchange_.ReadNewErrorLines();
    if (!added.empty()) {
      // What the batch printed before the lines comes out first.
      launcher_.DrainConsole();
      view_.ShowErrorOutput(added);
      stop.error = JoinWithBlanks(added);
      if (stop_reason_ == srNone) stop_reason_ = srStdErr;
      if (stop_reason_ == srExit) stop_reason_ = srSyntaxError;
    }
  }

  call_depth_ = 0;
  if (signal) {
    call_depth_ = signal->CallDepth;
    view_.ShowStatusPanel(1, L"Call = " + std::to_wstring(signal->CallDepth));
    if (signal->EchoOn != echo_on_) {
      echo_on_ = signal->EchoOn;
      view_.ShowEcho(echo_on_);
    }
    stop.error_level = signal->ErrorLevel;
    stop.error_level_changed =
        !signal->ErrorLevelBefore || *signal->ErrorLevelBefore != signal->ErrorLevel;
    if (signal->BadErrorLevel) view_.ShowStatus(std::wstring(kBadErrorLevelText));
    view_.ShowStatusPanel(3, L"( = " + std::to_wstring(signal->Klammer));
    view_.ShowStatusPanel(2, L"Local = " + std::to_wstring(signal->Local));
  }
  ProcessStop(stop);
}

void RunControl::ProcessStop(Stop& stop) {
  if (stop_reason_ == srEndOfFile) exit_code_ = stop.error_level;
  if (stop_reason_ == srAddedCommand) {
    TakeAddedCommandStop(stop);
  } else {
    TakeLineStop(stop);
  }
  DecideStopReason(stop);
  if (stop.stepped_on) return;
  ShowStop(stop);
  if (stop.auto_continue) {
    WhileRunning(stop.line);
    Resume();
    return;
  }
  if (!stop.position.empty()) panes_.Log.ShowStopEntry(stop.position);
  run_mode_ = rmNone;
  view_.FocusKeyTarget();
  panes_.Variables.TakeSnapshots();
  view_.PanesChanged();
}

bool RunControl::NewErrorLevel(const Stop& stop) {
  // An ERRORLEVEL is an error at the stop after the line that set it; lines
  // that leave it as it was are not judged by it again.
  return stop.error_level > 0 && stop.error_level_changed;
}

void RunControl::TakeAddedCommandStop(Stop& stop) {
  if (NewErrorLevel(stop) && stop.error.empty()) {
    stop.error = L"ERRORLEVEL=" + std::to_wstring(stop.error_level);
  }
  Report(exchange_.Remove(kActionFile));
  stop.last = akt_exe_zeile_;
}

void RunControl::TakeLineStop(Stop& stop) {
  if (stop_reason_ >= srUserBreak || stop.error_level != 0) {
    stop.last = exchange_.ReadLastLine().value_or(0);
    if (stop_reason_ >= srSyntaxError) stop.line = stop.last;
  }
  if (stop_reason_ == srExit || stop_reason_ == srSyntaxError) {
    exit_code_ = exchange_.ReadExitCode();
  }
  if (stop_reason_ == srExit) {
    const std::wstring code = exit_code_ ? L" " + std::to_wstring(*exit_code_) : L"";
    panes_.Log.AppendLogLine(L"exit" + code + std::wstring(kLineTag) + std::to_wstring(stop.last));
  }
  stop.allowed = RecordOf(stop.last).ErrLevelOK;
  if (stop.allowed < 0) {
    stop.allowed = -stop.allowed;
    stop.reset_error_level = true;
  }
  if (NewErrorLevel(stop) && stop_reason_ <= srErrorLevel) {
    stop_reason_ = srErrorLevel;
    if (stop.error.empty()) stop.error = L"ERRORLEVEL=" + std::to_wstring(stop.error_level);
  }
}

void RunControl::DecideStopReason(Stop& stop) {
  stop.tolerated = !doc_.Options.StopOnErr ||
                   (stop_reason_ == srStdErr && RecordOf(stop.last).StdErrOK) ||
                   (stop_reason_ == srErrorLevel && stop.error_level <= stop.allowed);

  if (stop_reason_ <= srErrorLevel && stop_reason_ != srAddedCommand) {
    if (run_mode_ == rmSingleStep) {
      stop_reason_ = srSingleStep;
    } else if (RecordOf(stop.line).BreakPoint && !breaks_ignored_) {
      stop_reason_ = srBreakPoint;
    } else if (stop.line == goto_target_) {
      stop_reason_ = srGotoTarget;
    } else if (user_break_) {
      stop_reason_ = srUserBreak;
    }
  }
  // A step-out still inside the level is sent on without a report.
  if ((stop.stepped_on = StepOutGoesOn(stop))) return;
  if (stop_reason_ == srNone) view_.ShowMessage(L"No StopReason");
  if (user_break_ && exchange_.Exists(kBreakRequestFile)) {
    Report(exchange_.Remove(kBreakRequestFile));
    user_break_ = false;
  }
  stop.auto_continue = stop.tolerated && (stop_reason_ == srStdErr || stop_reason_ == srErrorLevel);
  stop.new_state = stop_reason_ >= srCancelled ? RunState::Ended
                   : stop.auto_continue        ? RunState::Running
                                               : RunState::Stopped;
}

void RunControl::ShowStop(Stop& stop) {
  if (!stop.auto_continue) {
    goto_target_ = -1;
    if (stop_reason_ >= srSyntaxError) {
      ShowGlobalNames();
    } else {
      panes_.Variables.FillAtStop(call_depth_);
    }
  }
  exec_mark_visible_ = true;
  if (stop_reason_ >= srCancelled && stop_reason_ != srEndOfFile) stop.line = stop.last;

  if (!stop.auto_continue) {
    if (stop.line == akt_exe_zeile_) {
      Paint(stop.line);
    } else {
      SetExecLine(stop.line);
    }
    if (wait_visible_) ShowWait(false);
    UpdateCalls(stop.line);
  }
  if (stop.reset_error_level) panes_.Variables.ResetErrorLevel();
  // The person answers an error looking at the new state.
  view_.PanesChanged();
  if (!stop.error.empty()) ReportError(stop);
  if (!stop.auto_continue) stop_error_ = stop.error;
  if (run_state_ != stop.new_state) SetRunState(stop.new_state);
}

void RunControl::ReportError(Stop& stop) {
  // Cancelling the dialog changes the reason; the log still tells where the
  // error came from.
  const bool from_command = stop_reason_ == srAddedCommand;
  std::wstring context;
  if (from_command) {
    context = L"Check added command:\r\n" + last_cmd_;
  } else {
    if (IsDocumentLine(stop.last)) {
      doc_.Record(stop.last).ErrorZeile = stop_reason_ == srSyntaxError ? errAbort : errWarn;
      Paint(stop.last);
      for (std::int32_t next = stop.last + 1;
           next < doc_.MaxCurZeile && doc_.Record(next).ConcatZeile; ++next) {
        Paint(next);
      }
    }
    context = L"Check last Line " + std::to_wstring(stop.last) + L":\r\n" +
              (IsDocumentLine(stop.last) ? doc_.Items[stop.last].text : std::wstring());
  }
  if (!stop.auto_continue && !stop.tolerated) {
    view_.ShowStatus(std::wstring(kErrorText));
    const bool ok = view_.WarnOkCancel(stop.error + L"\r\n\r\n" + context +
                                       L"\r\n\r\nPress OK to continue, Cancel to reset.");
    if (!ok && stop_reason_ <= srErrorLevel) {
      stop.new_state = RunState::Ended;
      stop_reason_ = srCancelled;
    }
  }
  panes_.Log.AppendLogLine(LogIndent() + L"Err=" + std::to_wstring(stop.error_level) + L": " +
                           (from_command ? L"+" : L"") + stop.error + std::wstring(kLineTag) +
                           std::to_wstring(stop.last));
}

bool RunControl::StepOutGoesOn(const Stop& stop) {
  if (step_out_below_ == 0) return false;
  const bool still_inside = stop_reason_ == srSingleStep && call_depth_ >= step_out_below_;
  if (!still_inside || !stop.error.empty() || user_break_) {
    step_out_below_ = 0;
    return false;
  }
  if (RecordOf(stop.line).BreakPoint) {
    stop_reason_ = srBreakPoint;
    step_out_below_ = 0;
    return false;
  }
  ActionStartExecuteLineF8Execute();
  return true;
}

void RunControl::UpdateCalls(std::int32_t line) {
  std::vector<std::wstring> targets;
  for (std::int32_t level = 1; level <= call_depth_; ++level) {
    const std::optional<std::vector<std::wstring>> parameters =
        exchange_.ReadStateLines(PerCallFile(kParametersPrefix, level));
    std::wstring target = parameters && !parameters->empty() ? parameters->front() : L"";
    if (target.starts_with(L"0=")) target.erase(0, 2);
    targets.push_back(target);
  }
  calls_.Update(doc_, line, targets);
}

void RunControl::WhileRunning(std::int32_t line) {
  if (user_break_ || wait_visible_) {
    exec_mark_visible_ = !exec_mark_visible_;
  } else {
    exec_mark_visible_ = true;
    ShowWait(true);
  }
  if (line == akt_exe_zeile_) {
    Paint(line);
  } else {
    exec_mark_visible_ = true;
    SetExecLine(line);
  }
}

}  // namespace tarnvelock

// RunControl: the run commands - stepping, running to a breakpoint or a
// line, adding a command at a stop, and the breakpoint commands.
#include <string>

#include "core/run/break_files.h"
#include "core/run/line_refusal.h"
#include "core/run/run_control.h"

namespace tarnvelock {

void RunControl::ActionStartExecuteLineF8Execute() {
  if (run_mode_ != rmSingleStep) {
    Report(exchange_.WriteSingleStepBreaks());
    breaks_ignored_ = false;
    run_mode_ = rmSingleStep;
    breaks_changed_ = true;
  }
  Resume();
}

void RunControl::ActionStartExecuteLineF7Execute() {
  if (akt_exe_zeile_ >= 0 && IsDocumentLine(akt_exe_zeile_)) {
    // Deliberately case-sensitive, on the line as the user wrote it.
    const std::wstring& text = doc_.Items[akt_exe_zeile_].text;
    const bool call = text.find(L"call") != std::wstring::npos;
    if (!call || text.find(L"goto") != std::wstring::npos) {
      ActionStartExecuteLineF8Execute();
      return;
    }
  }
  std::int32_t target = doc_.MaxCurZeile;
  for (std::int32_t line = akt_exe_zeile_ + 1; line < doc_.MaxCurZeile; ++line) {
    if (doc_.Record(line).RemZeile == remNoRem) {
      target = line;
      break;
    }
  }
  view_.SelectLine(target);
  GotoLine(target, false, true);
}

void RunControl::ActionStartExecuteAllExecute() {
  if (breaks_changed_) {
    Report(exchange_.WriteBreakFiles(doc_));
    breaks_ignored_ = false;
    breaks_changed_ = false;
  }
  run_mode_ = rmExecute;
  Resume();
}

void RunControl::ActionStartStepOutExecute() {
  if (run_state_ != RunState::Stopped || call_depth_ == 0) {
    ActionStartExecuteAllExecute();
    return;
  }
  // Single steps, each one judged by stop handling, until a shallower stop.
  step_out_below_ = call_depth_;
  ActionStartExecuteLineF8Execute();
}

void RunControl::ActionStartGotoLineExecute(std::int32_t target) {
  GotoLine(target, false, false);
}

void RunControl::ActionStartGotoLineIgnoreExecute(std::int32_t target) {
  GotoLine(target, true, false);
}

void RunControl::GotoLine(std::int32_t target, bool ignore_breaks, bool from_skip_call) {
  if (!IsDocumentLine(target)) return;
  Report(ignore_breaks ? exchange_.WriteLoneBreak(target)
                       : exchange_.WriteBreakFiles(doc_, target));
  breaks_ignored_ = ignore_breaks;
  breaks_changed_ = true;
  run_mode_ = rmGotoLine;
  goto_target_ = target;
  if (!from_skip_call) Paint(target);
  Resume();
}

void RunControl::ActionStartAddCommandExecute() {
  AddCommand(
      view_.AskText(L"Insert Command", L" Enter Batch-Command to be executed now:", last_cmd_)
          .value_or(L""));
}

void RunControl::AddCommand(const std::wstring& command) {
  cmd_ = command;
  if (cmd_.empty()) return;
  last_cmd_ = cmd_;
  if (doc_.Options.LogAdds) {
    panes_.Log.AppendLogFile(LogIndent() + L"Add Cmd \"" + cmd_ + L"\"" + std::wstring(kLineTag) +
                             std::to_wstring(akt_exe_zeile_));
  }
  Resume();
}

void RunControl::ActionStartBreakPointExecute(std::int32_t line) {
  if (!IsDocumentLine(line)) return;
  doc_.Record(line).BreakPoint = !doc_.Record(line).BreakPoint;
  breaks_changed_ = true;
  Paint(line);
}

void RunControl::ActionStartEditBreakPointExecute(std::int32_t line) {
  if (!IsDocumentLine(line)) return;
  doc_.Record(line).BreakPoint = true;
  breaks_changed_ = true;
  view_.EditBreakpointDialog(line);
  Paint(line);
}

BreakpointCheck RunControl::SetBreakpointProperties(std::int32_t line,
                                                    const BreakpointProperties& properties) {
  if (!IsDocumentLine(line)) return {};
  const BreakpointCheck check = StoreBreakpoint(doc_.Record(line), properties);
  if (check.Stored) breaks_changed_ = true;
  return check;
}

bool RunControl::CanToggleBreakPoint(std::int32_t line) const {
  return run_state_ != RunState::Running && CanCarryBreakPoint(doc_, line);
}

bool RunControl::CanGotoLine(std::int32_t line) const {
  if ((run_state_ != RunState::Ready && run_state_ != RunState::Stopped) || !IsDocumentLine(line) ||
      line == doc_.MaxCurZeile) {
    return false;
  }
  const LineRecord& record = doc_.Record(line);
  return record.RemZeile == remNoRem && !record.IgnoreZeile && !record.NoDebugZeile &&
         !record.ConcatZeile;
}

}  // namespace tarnvelock

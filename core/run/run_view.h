// RunView: everything run control asks of the front end while it drives a
// debug run - the source view's execution line, the status bar, the
// dialogs, the wait dialog and its poll timer, the command enabling of a run
// state, and the hand-over to the variable panes, the event log and the
// track windows. Run control decides; the view only shows. The Qt main
// window and the command-line front end implement it, tests record it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/document/document_view.h"
#include "core/document/run_state.h"
#include "core/run/launcher.h"

namespace tarnvelock {

class RunView : public DocumentView, public LauncherView {
 public:
  // Source view. SetExecLine moves the cursor to the new execution line and
  // scrolls it into view; PaintLine redraws one line's glyphs and marks (run
  // control's AktExeZeile, ExecMarkVisible and GotoTarget included).
  virtual void PaintLine(std::int32_t line) = 0;
  virtual void SetExecLine(std::int32_t line) = 0;
  // No variable's references stay marked in the source view.
  virtual void ClearHighlight() = 0;
  // The main window comes to the front (the console took the focus).
  virtual void BringToFront() = 0;

  // Status bar panels 1 to 3 (call, SETLOCAL and bracket depth); panel 0
  // is ShowStatus. The echo glyph of the last panel follows ShowEcho.
  virtual void ShowStatusPanel(int panel, const std::wstring& text) = 0;
  virtual void ShowEcho(bool on) = 0;

  // A warning box with OK and Cancel; true for OK.
  virtual bool WarnOkCancel(const std::wstring& text) = 0;
  // An input box; nothing when the person cancels it.
  virtual std::optional<std::wstring> AskText(const std::wstring& caption,
                                              const std::wstring& prompt,
                                              const std::wstring& initial) = 0;
  // The breakpoint properties of line, modal; the dialog stores its result
  // through StoreBreakpoint.
  virtual void EditBreakpointDialog(std::int32_t line) = 0;

  // The wait dialog, shown while the batch runs, not modal.
  virtual void ShowWaitDialog(bool visible) = 0;
  // The front end's timer that calls RunControl::PollStop.
  virtual void SetPollTimer(bool enabled, int interval_ms) = 0;

  // Command layer: the enabling set and pane switch of a run state.
  virtual void ApplyCommandSet(RunState state) = 0;
  // entering_running: the switch off of a run start, which keeps the
  // status panels of the depths.
  virtual void SetPaneSwitch(bool on, bool entering_running) = 0;

  // Variable panes, named after the pane model's operations.
  virtual void ShowEnvironment() = 0;
  // Ready content: ShowGlobalNames(-1) and an empty local pane.
  virtual void ShowGlobalNames() = 0;
  virtual void FillAtStop(std::int32_t call_depth) = 0;
  virtual void TakeSnapshots() = 0;
  virtual void ClearSnapshots() = 0;
  virtual void SetPanesEnabled(bool enabled) = 0;
  virtual void ResetErrorLevel() = 0;

  // Event log. StartLog rewrites the log file with the start line of a run
  // and makes it the pane's only entry. ReloadLogIfChanged reloads the pane
  // when the batch has written to the file. AppendLogLine goes to the file
  // and the pane; AppendLogFile to the file only; ShowStopEntry is the
  // pane's transient position entry, replaced by the next one.
  virtual void StartLog(const std::wstring& line) = 0;
  virtual void ReloadLogIfChanged() = 0;
  virtual void AppendLogLine(const std::wstring& line) = 0;
  virtual void AppendLogFile(const std::wstring& line) = 0;
  virtual void ShowStopEntry(const std::wstring& line) = 0;

  virtual void UpdateTrackWindows() = 0;
};

}  // namespace tarnvelock

// RunView: everything run control asks of the front end while it drives a
// debug run - the source view's execution line, the status bar, the
// dialogs, the wait dialog and its poll timer, and a word when the pane
// models or the command enabling have changed. Run control decides; the
// view only shows. The Qt main window and the command-line front end
// implement it, tests record it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/document_view.h"
#include "core/run/launcher.h"
#include "core/run/prompt_view.h"

namespace tarnvelock {

// DocumentView is a virtual base, so that a view can take its answers from
// NullDocumentView.
class RunView : public virtual DocumentView, public LauncherView, public PromptView {
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
  // Input boxes are PromptView's AskText.
  // The breakpoint properties of line, modal; the dialog stores its result
  // through RunControl::SetBreakpointProperties.
  virtual void EditBreakpointDialog(std::int32_t line) = 0;

  // The wait dialog, shown while the batch runs, not modal.
  virtual void ShowWaitDialog(bool visible) = 0;
  // The front end's timer that calls RunControl::PollStop.
  virtual void SetPollTimer(bool enabled, int interval_ms) = 0;

  // The variable panes, the log pane or the command enabling have changed:
  // draw them again from their models. Called before any dialog that the
  // person answers looking at them.
  virtual void PanesChanged() = 0;
  virtual void UpdateTrackWindows() = 0;

  // New lines the batch wrote to standard error, in order, each handed over
  // once; a front end that shows the batch's console shows them there.
  virtual void ShowErrorOutput(const std::vector<std::wstring>& lines) = 0;
};

}  // namespace tarnvelock

// DocumentView: what loading, reloading and closing a document need from the
// front end. The main window implements it (through the run view); tests use
// a recording fake. What they need from run control is RunHooks.
#pragma once

#include <cstdint>
#include <string>

#include "core/document/user_view.h"

namespace tarnvelock {

// UserView is a virtual base: the run view extends this and the launcher's
// view, and a front end answers messages once.
class DocumentView : public virtual UserView {
 public:
  virtual void CloseTrackWindows() = 0;

  // The source view: the line count changed; move the cursor; the cursor
  // line; paint again; give the keyboard to the source view.
  virtual void PanelSourceResize() = 0;
  virtual void SelectLine(std::int32_t line) = 0;
  virtual std::int32_t AktCurZeile() const = 0;
  virtual void RepaintSource() = 0;
  virtual void FocusKeyTarget() = 0;

  virtual void SetCaption(const std::wstring& caption) = 0;
  // Where the open and save dialogs start, and the save dialog's file name.
  virtual void SetFileDialogs(const std::wstring& folder, const std::wstring& save_name) = 0;

  // A load or reload has finished: the source view scrolls back to its left
  // edge, the navigation pane selects its first entry, and the instrumenter
  // may warn again about a SETLOCAL that disables what the hooks need.
  virtual void DocumentLoaded() = 0;
  // The document is gone: the pending added command is discarded and the
  // local-variable pane emptied.
  virtual void DocumentUnloaded() = 0;
};

}  // namespace tarnvelock

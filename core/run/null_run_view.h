// NullRunView: a run view with nothing to show - the base of every front
// end's view and of the recording views of the tests. Besides what
// NullDocumentView leaves out, the status bar, the dialogs, the wait dialog
// and the poll timer are ignored, warnings are answered OK and input boxes
// cancelled; the execution line becomes the cursor line, as in the source
// view. A view overrides only what it shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/document/null_document_view.h"
#include "core/run/run_view.h"

namespace tarnvelock {

class NullRunView : public RunView, public NullDocumentView {
 public:
  void ShowStatus(const std::wstring&) override {}

  void PaintLine(std::int32_t) override {}
  void SetExecLine(std::int32_t line) override { SelectLine(line); }
  void ClearHighlight() override {}
  void BringToFront() override {}
  void ShowStatusPanel(int, const std::wstring&) override {}
  void ShowEcho(bool) override {}
  bool WarnOkCancel(const std::wstring&) override { return true; }
  std::optional<std::wstring> AskText(const std::wstring&, const std::wstring&,
                                      const std::wstring&) override {
    return std::nullopt;
  }
  void EditBreakpointDialog(std::int32_t) override {}
  void ShowWaitDialog(bool) override {}
  void SetPollTimer(bool, int) override {}
  void PanesChanged() override {}
  void UpdateTrackWindows() override {}
  void ShowErrorOutput(const std::vector<std::wstring>&) override {}
};

}  // namespace tarnvelock

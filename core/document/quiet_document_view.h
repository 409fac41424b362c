// QuietDocumentView: the front end and run control of a tool that loads a
// batch without a screen and without running it - the CLI's inspecting modes,
// the benchmarks. Nothing is drawn, every question is answered OK, and the
// run state is only recorded. Derived classes may show the messages.
#pragma once

#include "core/document/document_view.h"
#include "core/document/run_hooks.h"

namespace tarnvelock {

class QuietDocumentView : public DocumentView, public RunHooks {
 public:
  void ShowMessage(const std::wstring&) override {}
  bool Confirm(const std::wstring&) override { return true; }

  void CloseTrackWindows() override {}
  void PanelSourceResize() override {}
  void SelectLine(std::int32_t) override {}
  std::int32_t AktCurZeile() const override { return 0; }
  void RepaintSource() override {}
  void FocusKeyTarget() override {}
  void SetCaption(const std::wstring&) override {}
  void SetFileDialogs(const std::wstring&, const std::wstring&) override {}
  void DocumentLoaded() override {}
  void DocumentUnloaded() override {}

  RunState GetRunState() const override { return state_; }
  void SetRunState(RunState state) override { state_ = state; }
  void ActionStartResetExecute() override { state_ = RunState::Ready; }
  void EndBatchProcess() override {}

 private:
  RunState state_ = RunState::NoFile;
};

}  // namespace tarnvelock

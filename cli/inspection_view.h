// InspectionView: the view of tarnvelock-cli's modes that only look at a
// batch (--analyse, --instrument). Messages go to standard error and are kept
// so that the caller can tell why a load failed; questions are answered OK;
// the run state is only recorded, since nothing is run.
#pragma once

#include <string>
#include <vector>

#include "core/document/document_view.h"
#include "core/document/run_hooks.h"

namespace tarnvelock {

class InspectionView final : public DocumentView, public RunHooks {
 public:
  void ShowMessage(const std::wstring& text) override;
  bool Confirm(const std::wstring& question) override;

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

  const std::vector<std::wstring>& messages() const { return messages_; }

 private:
  RunState state_ = RunState::NoFile;
  std::vector<std::wstring> messages_;
};

}  // namespace tarnvelock

// DapView: run control's view and the panes' prompts for the debug adapter.
// An editor has no status bar and no modal boxes, so the view keeps what the
// core tells it until the adapter turns it into protocol messages: the
// status text, the messages for the debug console, and the error that an
// untolerated stop would have shown in its dialog. Boxes are answered the way
// a person who wants to look at the stop answers them: OK; input boxes from
// the text the adapter queued for them (a value set from the editor).
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/run/prompt_view.h"
#include "core/run/run_view.h"

namespace tarnvelock::dap {

class DapView final : public RunView, public PromptView {
 public:
  // The answer for the next input box.
  void QueueText(std::wstring text) { texts_.push_back(std::move(text)); }
  // The messages shown since the last call, in order.
  std::vector<std::wstring> TakeMessages();
  // The text of the error dialog shown since the last call; nothing when none was.
  std::optional<std::wstring> TakeErrorDialog();
  const std::wstring& Status() const { return status_; }

  void ShowMessage(const std::wstring& text) override { messages_.push_back(text); }
  bool Confirm(const std::wstring&) override { return true; }
  void ShowStatus(const std::wstring& text) override { status_ = text; }
  bool WarnOkCancel(const std::wstring& text) override;
  std::optional<std::wstring> AskText(const std::wstring& caption, const std::wstring& prompt,
                                      const std::wstring& initial) override;

  // Nothing of the main window's drawing applies to an editor.
  void CloseTrackWindows() override {}
  void PanelSourceResize() override {}
  void SelectLine(std::int32_t line) override { cursor_ = line; }
  std::int32_t AktCurZeile() const override { return cursor_; }
  void RepaintSource() override {}
  void FocusKeyTarget() override {}
  void SetCaption(const std::wstring&) override {}
  void SetFileDialogs(const std::wstring&, const std::wstring&) override {}
  void DocumentLoaded() override {}
  void DocumentUnloaded() override {}
  void PaintLine(std::int32_t) override {}
  void SetExecLine(std::int32_t line) override { cursor_ = line; }
  void ClearHighlight() override {}
  void BringToFront() override {}
  void ShowStatusPanel(int, const std::wstring&) override {}
  void ShowEcho(bool) override {}
  void EditBreakpointDialog(std::int32_t) override {}
  void ShowWaitDialog(bool) override {}
  void SetPollTimer(bool, int) override {}
  void PanesChanged() override {}
  void UpdateTrackWindows() override {}

 private:
  std::deque<std::wstring> texts_;
  std::vector<std::wstring> messages_;
  std::optional<std::wstring> error_dialog_;
  std::wstring status_;
  std::int32_t cursor_ = 0;
};

}  // namespace tarnvelock::dap

// DapView: run control's view and the panes' prompts for the debug adapter.
// An editor has no status bar and no modal boxes, so the view keeps what the
// core tells it until the adapter turns it into protocol messages: the
// status text, the messages for the debug console, and the error that an
// untolerated stop would have shown in its dialog. Boxes are answered the way
// a person who wants to look at the stop answers them: OK; input boxes from
// the text the adapter queued for them (a value set from the editor).
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/run/null_run_view.h"

namespace tarnvelock::dap {

class DapView final : public NullRunView {
 public:
  // The answer for the next input box.
  void QueueText(std::wstring text) { texts_.push_back(std::move(text)); }
  // The messages shown since the last call, in order.
  std::vector<std::wstring> TakeMessages();
  // The text of the error dialog shown since the last call; nothing when none was.
  std::optional<std::wstring> TakeErrorDialog();
  const std::wstring& Status() const { return status_; }

  void ShowMessage(const std::wstring& text) override { messages_.push_back(text); }
  void ShowStatus(const std::wstring& text) override { status_ = text; }
  bool WarnOkCancel(const std::wstring& text) override;
  std::optional<std::wstring> AskText(const std::wstring& caption, const std::wstring& prompt,
                                      const std::wstring& initial) override;

 private:
  std::deque<std::wstring> texts_;
  std::vector<std::wstring> messages_;
  std::optional<std::wstring> error_dialog_;
  std::wstring status_;
};

}  // namespace tarnvelock::dap

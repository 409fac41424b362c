// What the core tells the adapter's view, kept for the protocol messages.
#include "dap/dap_view.h"

#include <utility>

namespace tarnvelock::dap {

std::vector<std::wstring> DapView::TakeMessages() {
  return std::exchange(messages_, {});
}

std::optional<std::wstring> DapView::TakeErrorDialog() {
  return std::exchange(error_dialog_, std::nullopt);
}

bool DapView::WarnOkCancel(const std::wstring& text) {
  // OK: the batch stays at the error for the person to look at.
  error_dialog_ = text;
  return true;
}

std::optional<std::wstring> DapView::AskText(const std::wstring&, const std::wstring&,
                                             const std::wstring&) {
  if (texts_.empty()) return std::nullopt;
  std::wstring text = std::move(texts_.front());
  texts_.pop_front();
  return text;
}

}  // namespace tarnvelock::dap

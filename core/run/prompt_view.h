// PromptView: the person at the screen as the pane models need them - a
// message box and a one-line input box. Its functions have the signatures
// of the same functions of the document's and run control's views, so one
// front-end class implements them all at once. Tests answer from a script.
#pragma once

#include <optional>
#include <string>

namespace tarnvelock {

class PromptView {
 public:
  virtual ~PromptView() = default;
  // A modal message box with an OK button.
  virtual void ShowMessage(const std::wstring& text) = 0;
  // A modal input box; nothing when the person cancels it.
  virtual std::optional<std::wstring> AskText(const std::wstring& caption,
                                              const std::wstring& prompt,
                                              const std::wstring& initial) = 0;
};

// The answer of an input box the way the panes take it: a cancelled box
// leaves its initial text.
inline std::wstring AnswerOrInitial(PromptView& view, const std::wstring& caption,
                                    const std::wstring& prompt, const std::wstring& initial) {
  return view.AskText(caption, prompt, initial).value_or(initial);
}

}  // namespace tarnvelock

// PromptView: the person at the screen as the pane models need them - a
// message box and a one-line input box. The run view is one, so a front end
// answers both through the same functions. Tests answer from a script.
#pragma once

#include <optional>
#include <string>

#include "core/document/user_view.h"

namespace tarnvelock {

// UserView is a virtual base, shared with the other views of the run view.
class PromptView : public virtual UserView {
 public:
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

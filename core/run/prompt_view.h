// PromptView: the person at the screen as the pane models need them - the
// messages and confirmations of UserView, plus a one-line input box. Front
// ends implement it; tests answer from a script.
#pragma once

#include <optional>
#include <string>

#include "core/document/user_view.h"

namespace tarnvelock {

// What an input box shows: its caption, the prompt above the field and the
// text the field starts with.
struct TextRequest {
  std::wstring Caption;
  std::wstring Prompt;
  std::wstring Default;
};

class PromptView : public UserView {
 public:
  // A modal input box; nothing when the person cancels it.
  virtual std::optional<std::wstring> AskText(const TextRequest& request) = 0;
};

// The answer of an input box the way the panes take it: a cancelled box
// leaves its default.
inline std::wstring AnswerOrDefault(PromptView& view, const TextRequest& request) {
  std::optional<std::wstring> answer = view.AskText(request);
  return answer ? *answer : request.Default;
}

}  // namespace tarnvelock

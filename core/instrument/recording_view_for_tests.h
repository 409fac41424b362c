// RecordingView: a UserView for tests that remembers every message and
// answers confirmations with a preset reply.
#pragma once

#include <string>
#include <vector>

#include "core/document/user_view.h"

namespace tarnvelock {

class RecordingView : public UserView {
 public:
  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  bool Confirm(const std::wstring& question) override {
    messages.push_back(question);
    return confirm_reply;
  }

  std::vector<std::wstring> messages;
  bool confirm_reply = true;
};

}  // namespace tarnvelock

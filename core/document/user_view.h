// UserView: how the document and the scanner speak to the person at the
// screen. Front ends implement it (the run-control view extends it); tests use
// a recording fake. Calls never return before the person has answered.
#pragma once

#include <string>

namespace tarnvelock {

class UserView {
 public:
  virtual ~UserView() = default;
  // A modal message box with an OK button.
  virtual void ShowMessage(const std::wstring& text) = 0;
  // A modal confirmation with OK and Cancel; true for OK.
  virtual bool Confirm(const std::wstring& question) = 0;
};

}  // namespace tarnvelock

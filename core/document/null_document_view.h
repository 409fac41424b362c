// NullDocumentView: a document view with nothing to show. Messages are
// dropped, every question is answered OK, and the cursor line is only
// remembered. Front ends and test views derive from it (or from the run
// view built on it) and override only what they show.
#pragma once

#include <cstdint>
#include <string>

#include "core/document/document_view.h"

namespace tarnvelock {

class NullDocumentView : public virtual DocumentView {
 public:
  void ShowMessage(const std::wstring&) override {}
  bool Confirm(const std::wstring&) override { return true; }

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

 private:
  std::int32_t cursor_ = 0;
};

}  // namespace tarnvelock

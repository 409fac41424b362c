// InspectionView: the view of tarnvelock-cli's modes that only look at a
// batch (--analyse, --instrument). Messages go to standard error; questions
// are answered OK; nothing is drawn or run.
#pragma once

#include <string>

#include "core/document/quiet_document_view.h"

namespace tarnvelock {

class InspectionView final : public QuietDocumentView {
 public:
  void ShowMessage(const std::wstring& text) override;
  bool Confirm(const std::wstring& question) override;
};

}  // namespace tarnvelock

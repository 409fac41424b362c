// Messages of the CLI's inspecting modes.
#include "cli/inspection_view.h"

#include <cstdio>

#include "platform/code_page.h"

namespace tarnvelock {

void InspectionView::ShowMessage(const std::wstring& text) {
  std::fprintf(stderr, "%s\n", ToUtf8(text).c_str());
}

bool InspectionView::Confirm(const std::wstring& question) {
  ShowMessage(question);
  return true;
}

}  // namespace tarnvelock

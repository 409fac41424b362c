// AddToHistory.
#include "core/document/history.h"

#include <algorithm>

namespace tarnvelock {

void AddToHistory(std::vector<std::wstring>& history, const std::wstring& text) {
  if (text.empty()) return;
  const auto found = std::find(history.begin(), history.end(), text);
  if (found == history.end()) {
    history.insert(history.begin(), text);
  } else {
    std::rotate(history.begin(), found, found + 1);
  }
}

}  // namespace tarnvelock

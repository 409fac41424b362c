// NavigationModel: selection, sync with the cursor and edits of the
// navigation list.
#include "core/run/navigation_model.h"

namespace tarnvelock {

NavigationModel::NavigationModel(DebugDocument& doc, PromptView& view) : doc_(doc), view_(view) {}

std::optional<std::int32_t> NavigationModel::Enter(std::int32_t cursorLine) {
  if (cursorLine == doc_.MaxCurZeile) return remembered_top_;
  SyncNavigation(cursorLine, RunState::Ready);
  return std::nullopt;
}

void NavigationModel::SyncNavigation(std::int32_t cursorLine, RunState state) {
  if (state != RunState::Ready) return;
  const std::vector<NavigationEntry>& list = doc_.NavigationList;
  selected_ = -1;
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(list.size()); ++i) {
    if (list[i].line <= cursorLine) selected_ = i;
  }
}

std::optional<std::int32_t> NavigationModel::Click(std::int32_t index) {
  if (!Valid(index)) return std::nullopt;
  selected_ = index;
  return doc_.NavigationList[index].line;
}

void NavigationModel::EditLine() {
  if (!Valid(selected_)) return;
  std::wstring& text = doc_.NavigationList[selected_].text;
  const std::wstring answer = AnswerOrInitial(view_, L"Edit", L"Change to:", text);
  if (answer != text) text = answer;
}

void NavigationModel::DeleteLine() {
  if (!Valid(selected_) || selected_ == 0) return;
  auto& list = doc_.NavigationList;
  const std::int32_t line = list[selected_].line;
  if (line >= 0 && line < static_cast<std::int32_t>(doc_.Records.size())) {
    doc_.Record(line).Navigation = false;
  }
  list.erase(list.begin() + selected_);
  if (selected_ >= static_cast<std::int32_t>(list.size()))
    selected_ = static_cast<std::int32_t>(list.size()) - 1;
}

void NavigationModel::AddToNavigation(std::int32_t cursorLine) {
  // The "<end of file>" line is no place in the batch to come back to.
  if (cursorLine < 0 || cursorLine >= doc_.MaxCurZeile ||
      cursorLine >= static_cast<std::int32_t>(doc_.Records.size())) {
    return;
  }
  doc_.Record(cursorLine).Navigation = true;
  auto& list = doc_.NavigationList;
  selected_ = Valid(selected_) ? selected_ + 1 : static_cast<std::int32_t>(list.size());
  list.insert(list.begin() + selected_, NavigationEntry{doc_.Items[cursorLine].text, cursorLine});
}

}  // namespace tarnvelock

// NavigationModel: the navigation view of the log pane in the run state
// Ready - the document's NavigationList (the batch, its labels, FOR headings
// and the lines the person added), the entry that follows the cursor, and
// the person's edits of the list.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/run_state.h"
#include "core/run/prompt_view.h"

namespace tarnvelock {

class NavigationModel {
 public:
  NavigationModel(DebugDocument& doc, PromptView& view);

  const std::vector<NavigationEntry>& Entries() const { return doc_.NavigationList; }
  std::int32_t Selected() const { return selected_; }

  // The pane leaves the navigation view with top as its first visible entry.
  void RememberTop(std::int32_t top) { remembered_top_ = top; }
  // The pane shows the navigation view again: the first visible entry to
  // restore while the cursor is on the "<end of file>" line; otherwise the
  // cursor line's entry is selected and nothing is returned.
  std::optional<std::int32_t> Enter(std::int32_t cursorLine);
  // Selects the last entry whose line is at or before the cursor line; only in
  // the run state Ready.
  void SyncNavigation(std::int32_t cursorLine, RunState state);
  // A click: the line to move the cursor to.
  std::optional<std::int32_t> Click(std::int32_t index);

  void EditLine();
  // Removes the selected entry (never the first, the batch itself) and the
  // line's mark of having been added by the person.
  void DeleteLine();
  // "Add to navigation": the cursor line joins the list after the selected
  // entry.
  void AddToNavigation(std::int32_t cursorLine);

 private:
  bool Valid(std::int32_t index) const {
    return index >= 0 && index < static_cast<std::int32_t>(doc_.NavigationList.size());
  }

  DebugDocument& doc_;
  PromptView& view_;
  std::int32_t selected_ = -1;
  std::int32_t remembered_top_ = 0;
};

}  // namespace tarnvelock

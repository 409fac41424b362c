// VariablePanes: what the global and the local variable pane show - their
// entries per run state, the change marks against the previous stop, the
// Show Percent and Show Blanks forms - and the commands of the global pane,
// which hand an edited value to the waiting batch through the exchange files.
// Front ends draw Global() and Local() and report clicks; run control fills
// the panes at each stop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/run_state.h"
#include "core/run/exchange_files.h"
#include "core/run/prompt_view.h"
#include "platform/environment.h"

namespace tarnvelock {

struct PaneEntry {
  std::wstring Text;
  bool Changed = false;  // differs from the previous stop; shown selected
};

struct VariablePane {
  std::vector<PaneEntry> Entries;
  std::int32_t Selected = -1;  // the entry the person selected; -1 for none
  bool Enabled = true;         // off while the batch runs

  std::vector<std::wstring> Texts() const;
};

enum class PaneId { Global, Local };

// How the source view marks the references to a clicked variable.
struct ReferenceHighlight {
  std::int32_t HighlightMode = 0;  // 0 %NAME% and !NAME!, 1 parameter, 2 FOR variable
  std::wstring HighlightName;      // empty: mark nothing
};

// What a click on an entry asks of the rest of the window.
struct EntryClick {
  std::wstring StatusText;                      // for the first status bar panel
  std::optional<ReferenceHighlight> Highlight;  // nothing: leave the source view alone
};

// The items of the global pane's menu that are not always enabled.
struct GlobalMenuEnabling {
  bool Add = false;
  bool Delete = false;
  bool Edit = false;
  bool ResetErrorLevel = false;
};

inline constexpr wchar_t kBlockMark = L'!';
inline constexpr wchar_t kPercentMark = L'%';

class VariablePanes {
 public:
  VariablePanes(DebugDocument& doc, ExchangeFiles& exchange, PromptView& view);

  const VariablePane& Global() const { return global_; }
  const VariablePane& Local() const { return local_; }
  // Number of local entries that are parameters or FOR variables; the
  // block-entry values follow them.
  std::int32_t LocalSplit() const { return local_split_; }
  const std::vector<std::wstring>& PreviousGlobals() const { return previous_globals_; }
  const std::vector<std::wstring>& PreviousLocals() const { return previous_locals_; }
  bool ShowPercent() const { return show_percent_; }
  bool ShowBlanks() const { return show_blanks_; }

  // Filling per run state.
  // NoFile: the debugger's own environment, without the "=" entries.
  void ShowEnvironment(const EnvironmentBlock& environment);
  // Ready: "CD=" + StartDir, "ERRORLEVEL=0" and the bare GlobalNames, with
  // entry index + 2 selected (entry 1 for -1).
  void ShowGlobalNames(std::int32_t index);
  void ClearLocals();
  void ClearSnapshots();
  // At a stop at call depth callDepth: both panes from the state files,
  // with block marks, the display options and the change marks.
  void FillAtStop(std::int32_t callDepth);
  // The end of a stop: the panes become the previous entries of the next.
  void TakeSnapshots();
  void SetEnabled(bool enabled);

  // The display options. byUser: switched by the person, so the previous
  // entries are re-taken in the new form as well.
  void SetShowPercent(bool on, bool byUser);
  void SetShowBlanks(bool on, bool byUser);

  // A click on entry index of pane: single selection again, without the
  // change marks.
  EntryClick Click(PaneId pane, std::int32_t index, RunState state);
  GlobalMenuEnabling GlobalMenu(RunState state) const;

  // The commands of the global pane, on its selected entry.
  void EditGlobal(RunState state);
  void AddGlobal(RunState state);
  void DeleteGlobal(RunState state);
  // Entry 1 becomes ERRORLEVEL 0, for the batch too.
  void ResetErrorLevel();
  // The value of the selected entry of pane, for a track window.
  std::optional<std::wstring> TrackFileValue(PaneId pane) const;

 private:
  // Puts freshly loaded plain entries into the form the options ask for.
  void ApplyDisplayOptions();
  void ApplyPercent(bool on);
  void ApplyBlanks(bool on);
  void MarkChanges();
  void Fill(VariablePane& pane, const std::vector<std::wstring>& texts);
  ReferenceHighlight HighlightFor(PaneId pane, std::int32_t index) const;
  void Report(const IoStatus& status);

  DebugDocument& doc_;
  ExchangeFiles& exchange_;
  PromptView& view_;

  VariablePane global_;
  VariablePane local_;
  std::int32_t local_split_ = 0;
  std::vector<std::wstring> previous_globals_;
  std::vector<std::wstring> previous_locals_;
  bool show_percent_ = false;
  bool show_blanks_ = true;
};

}  // namespace tarnvelock

// The command layer as data: which of the main window's commands each run
// state enables or disables, and the switch of the log pane between
// navigation and event log. SetRunState applies them; front ends read
// CommandStates to enable their actions and menu items. (The first status
// panel's texts are run control's, beside the stop reasons.)
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include "core/document/run_state.h"

namespace tarnvelock {

// The commands and items whose enabling depends on the run state.
enum class Command {
  ActionFileNew,
  ActionFileOpen,
  ActionFileSave,
  ActionFileSaveAs,
  ActionFileClose,
  ActionStartReset,
  ActionStartExecuteLineF7,  // "One Line (skip call)"
  ActionStartExecuteLineF8,  // "One Line (follow Call)"
  ActionStartExecuteAll,
  ActionStartGotoLine,
  ActionStartBreakPoint,
  ActionStartEditBreakPoint,
  ActionStartAddCommand,
  ActionStartIgnoreLine,
  ActionSettings,
  ComboBoxMainParameters,
  MenuItemAddLog,  // "Add line ..." of the log pane
  PopupItemGlobalAdd,
  PopupItemGlobalDelete,
  MenuItemSettingsStopOnErr,
  MenuItemSettingsReplaceToRem,
  MenuItemSettingsEnableBreak,
  MenuItemSettingsEnableProzent0,
  ActionCallEditor,
  ActionBearbeitenLineNumbers,
};

struct EnablingChange {
  Command command;
  bool enabled;
};

// What switching the log pane between its two views changes.
struct PaneSwitch {
  std::vector<EnablingChange> Changes;
  bool AddLogLineVisible = false;
  bool AddToNavigationVisible = false;  // the item and its separator
  std::wstring_view LogHeading;
  bool ResetStatusPanels = false;  // panels 2 to 4 back to their idle texts
};

// On for Ready (the navigation view), off for NoFile and Running.
PaneSwitch PaneSwitchFor(bool on, bool enteringRunning);

// The set of commands a state enables and disables on entry; Running and
// Stopped have none.
std::vector<EnablingChange> EnablingSet(RunState state);

// What opening (open) or leaving the internal editor changes on top of the
// run state's set: while it is open only its Save commands work on a file.
std::vector<EnablingChange> InternalEditorSet(bool open);

// Idle texts of status panels 2 to 4.
inline constexpr std::wstring_view kCallPanelText = L"Call";
inline constexpr std::wstring_view kLocalPanelText = L"Local";
inline constexpr std::wstring_view kBracketPanelText = L"(";

// The current enabling of the commands, as the entry sequences leave it.
class CommandStates {
 public:
  // At start-up everything is enabled but the editor's Save commands and
  // the breakpoint properties.
  CommandStates();

  bool Enabled(Command command) const { return enabled_.at(command); }
  bool AddLogLineVisible() const { return add_log_line_visible_; }
  bool AddToNavigationVisible() const { return add_to_navigation_visible_; }
  std::wstring_view LogHeading() const { return log_heading_; }

  void Apply(const std::vector<EnablingChange>& changes);
  void Apply(const PaneSwitch& paneSwitch);
  // The enabling steps of entering state from previous.
  void Enter(RunState state, RunState previous);

 private:
  std::map<Command, bool> enabled_;
  bool add_log_line_visible_ = true;
  bool add_to_navigation_visible_ = false;
  std::wstring_view log_heading_;
};

}  // namespace tarnvelock

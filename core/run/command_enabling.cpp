// The enabling sets and the pane switch per run state.
#include "core/run/command_enabling.h"

namespace tarnvelock {

namespace {

using enum Command;

std::vector<EnablingChange> All(std::initializer_list<Command> commands, bool enabled) {
  std::vector<EnablingChange> changes;
  for (Command command : commands) changes.push_back({command, enabled});
  return changes;
}

std::vector<EnablingChange> Joined(std::vector<EnablingChange> first,
                                   const std::vector<EnablingChange>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

}  // namespace

PaneSwitch PaneSwitchFor(bool on, bool enteringRunning) {
  PaneSwitch paneSwitch;
  // What only makes sense before a run starts is on exactly when the other
  // commands are off.
  paneSwitch.Changes = Joined(All({ActionStartIgnoreLine, PopupItemGlobalAdd, PopupItemGlobalDelete,
                                   MenuItemSettingsStopOnErr, MenuItemSettingsReplaceToRem,
                                   MenuItemSettingsEnableBreak, MenuItemSettingsEnableProzent0},
                                  on),
                              All({ActionStartAddCommand, MenuItemAddLog}, !on));
  paneSwitch.AddLogLineVisible = !on;
  paneSwitch.AddToNavigationVisible = on;
  paneSwitch.LogHeading = on ? L" Navigation" : L" Event Log";
  paneSwitch.ResetStatusPanels = on || !enteringRunning;
  return paneSwitch;
}

std::vector<EnablingChange> EnablingSet(RunState state) {
  switch (state) {
    case RunState::NoFile:
      return All({ActionFileSave, ActionFileSaveAs, ActionFileClose, ActionStartReset,
                  ActionStartExecuteLineF7, ActionStartExecuteLineF8, ActionStartExecuteAll,
                  ActionStartGotoLine, ActionStartBreakPoint, ActionStartAddCommand, ActionSettings,
                  ComboBoxMainParameters, MenuItemAddLog},
                 false);
    case RunState::Ready:
      // Goto Line and the breakpoint toggle wait for a line to be selected.
      return Joined(All({ActionFileClose, ActionStartReset, ActionStartExecuteLineF7,
                         ActionStartExecuteLineF8, ActionStartExecuteAll, ActionSettings,
                         ComboBoxMainParameters},
                        true),
                    All({ActionStartGotoLine, ActionStartBreakPoint}, false));
    case RunState::Ended:
      return All({ActionStartExecuteLineF7, ActionStartExecuteLineF8, ActionStartExecuteAll,
                  ActionStartGotoLine, ActionStartBreakPoint, ActionStartAddCommand},
                 false);
    case RunState::Running:
    case RunState::Stopped:
      break;
  }
  return {};
}

std::vector<EnablingChange> InternalEditorSet(bool open) {
  // Opening enters NoFile, whose set already disables the run commands, and
  // leaving ends in the load's Ready (or stays in NoFile when it fails); so
  // only what the run states leave alone is switched here. The breakpoint
  // properties have no line to act on while the editor is open.
  std::vector<EnablingChange> changes = Joined(
      All({ActionFileSave, ActionFileSaveAs}, open),
      All({ActionFileNew, ActionFileOpen, ActionCallEditor, ActionBearbeitenLineNumbers}, !open));
  if (open) changes.push_back({ActionStartEditBreakPoint, false});
  return changes;
}

CommandStates::CommandStates() {
  for (Command command : {ActionFileNew,
                          ActionFileOpen,
                          ActionFileSave,
                          ActionFileSaveAs,
                          ActionFileClose,
                          ActionStartReset,
                          ActionStartExecuteLineF7,
                          ActionStartExecuteLineF8,
                          ActionStartExecuteAll,
                          ActionStartGotoLine,
                          ActionStartBreakPoint,
                          ActionStartEditBreakPoint,
                          ActionStartAddCommand,
                          ActionStartIgnoreLine,
                          ActionSettings,
                          ComboBoxMainParameters,
                          MenuItemAddLog,
                          PopupItemGlobalAdd,
                          PopupItemGlobalDelete,
                          MenuItemSettingsStopOnErr,
                          MenuItemSettingsReplaceToRem,
                          MenuItemSettingsEnableBreak,
                          MenuItemSettingsEnableProzent0,
                          ActionCallEditor,
                          ActionBearbeitenLineNumbers}) {
    enabled_[command] = true;
  }
  Apply(All({ActionFileSave, ActionFileSaveAs, ActionStartEditBreakPoint}, false));
}

void CommandStates::Apply(const std::vector<EnablingChange>& changes) {
  for (const EnablingChange& change : changes) enabled_[change.command] = change.enabled;
}

void CommandStates::Apply(const PaneSwitch& paneSwitch) {
  Apply(paneSwitch.Changes);
  add_log_line_visible_ = paneSwitch.AddLogLineVisible;
  add_to_navigation_visible_ = paneSwitch.AddToNavigationVisible;
  log_heading_ = paneSwitch.LogHeading;
}

void CommandStates::Enter(RunState state, RunState previous) {
  switch (state) {
    case RunState::NoFile:
      Apply(PaneSwitchFor(false, false));
      break;
    case RunState::Ready:
      Apply(PaneSwitchFor(true, false));
      break;
    case RunState::Running:
      if (previous == RunState::Ready) Apply(PaneSwitchFor(false, true));
      break;
    case RunState::Stopped:
    case RunState::Ended:
      break;
  }
  Apply(EnablingSet(state));
}

}  // namespace tarnvelock

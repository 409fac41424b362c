// The enabling of the commands along the run states a session goes through.
#include "core/run/command_enabling.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

using enum Command;

TEST(CommandEnablingTest, ThroughARun) {
  CommandStates commands;
  EXPECT_FALSE(commands.Enabled(ActionStartEditBreakPoint));
  commands.Enter(RunState::NoFile, RunState::NoFile);
  for (Command command : {ActionStartReset, ActionStartExecuteLineF8, ActionStartExecuteAll,
                          ActionStartAddCommand, ComboBoxMainParameters, MenuItemAddLog}) {
    EXPECT_FALSE(commands.Enabled(command));
  }
  EXPECT_TRUE(commands.AddLogLineVisible());
  EXPECT_EQ(commands.LogHeading(), L" Event Log");

  commands.Enter(RunState::Ready, RunState::NoFile);
  EXPECT_TRUE(commands.Enabled(ActionStartExecuteLineF8));
  EXPECT_TRUE(commands.Enabled(ActionStartIgnoreLine));
  EXPECT_TRUE(commands.Enabled(MenuItemSettingsStopOnErr));
  EXPECT_FALSE(commands.Enabled(ActionStartBreakPoint));
  EXPECT_FALSE(commands.Enabled(ActionStartAddCommand));
  EXPECT_FALSE(commands.Enabled(MenuItemAddLog));
  EXPECT_FALSE(commands.AddLogLineVisible());
  EXPECT_TRUE(commands.AddToNavigationVisible());
  EXPECT_EQ(commands.LogHeading(), L" Navigation");

  commands.Enter(RunState::Running, RunState::Ready);
  for (Command command : {ActionStartExecuteLineF7, ActionStartExecuteLineF8, ActionStartExecuteAll,
                          ActionStartAddCommand, MenuItemAddLog}) {
    EXPECT_TRUE(commands.Enabled(command));
  }
  for (Command command : {ActionStartIgnoreLine, PopupItemGlobalAdd, PopupItemGlobalDelete,
                          MenuItemSettingsStopOnErr, MenuItemSettingsReplaceToRem,
                          MenuItemSettingsEnableBreak, MenuItemSettingsEnableProzent0}) {
    EXPECT_FALSE(commands.Enabled(command));
  }
  EXPECT_EQ(commands.LogHeading(), L" Event Log");

  commands.Enter(RunState::Stopped, RunState::Running);
  EXPECT_TRUE(commands.Enabled(ActionStartAddCommand));
  commands.Enter(RunState::Ended, RunState::Stopped);
  for (Command command : {ActionStartExecuteLineF7, ActionStartExecuteLineF8, ActionStartExecuteAll,
                          ActionStartAddCommand}) {
    EXPECT_FALSE(commands.Enabled(command));
  }
  EXPECT_TRUE(commands.Enabled(ActionStartReset));

  commands.Enter(RunState::Ready, RunState::Ended);
  EXPECT_TRUE(commands.Enabled(ActionStartExecuteAll));
  EXPECT_FALSE(commands.Enabled(ActionStartAddCommand));
}

TEST(CommandEnablingTest, StatusPanelsKeepTheirValuesIntoARun) {
  EXPECT_FALSE(PaneSwitchFor(false, true).ResetStatusPanels);
  EXPECT_TRUE(PaneSwitchFor(false, false).ResetStatusPanels);
  EXPECT_TRUE(PaneSwitchFor(true, false).ResetStatusPanels);
}

}  // namespace
}  // namespace tarnvelock

// The dependent log options keep their former checks across switching.
#include "core/run/log_options.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(LogOptionSwitchesTest, DependentItemRemembersItsCheck) {
  BatchOptions options;
  options.LogCalls = true;
  options.LogReturns = true;
  LogOptionSwitches switches(options);
  switches.SetLogCalls(false);
  EXPECT_FALSE(options.LogReturns);
  EXPECT_FALSE(switches.Enabling(RunState::Ready).LogReturns);
  switches.SetLogCalls(true);
  EXPECT_TRUE(options.LogReturns);

  options.LogLines = false;
  options.LogLinesShow = false;
  switches.SetLogLines(true);
  EXPECT_FALSE(options.LogLinesShow);
  EXPECT_TRUE(switches.Enabling(RunState::Stopped).LogLinesShow);
  EXPECT_FALSE(switches.Enabling(RunState::Stopped).LogLines);
}

}  // namespace
}  // namespace tarnvelock

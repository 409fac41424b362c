// Caught terminal signals are kept as requests, the request to end first.
#include <gtest/gtest.h>
#include <signal.h>

#include "platform/terminal_signals.h"

namespace tarnvelock {
namespace {

TEST(TerminalSignalsTest, CaughtSignalsAreKeptUntilTaken) {
  CatchTerminalSignals();
  EXPECT_EQ(TakeTerminalSignal(), TerminalSignal::None);

  ASSERT_EQ(::raise(SIGINT), 0) << "the program goes on";
  EXPECT_EQ(TakeTerminalSignal(), TerminalSignal::Interrupt);
  EXPECT_EQ(TakeTerminalSignal(), TerminalSignal::None) << "taken once";

  ASSERT_EQ(::raise(SIGINT), 0);
  ASSERT_EQ(::raise(SIGHUP), 0);
  EXPECT_EQ(TakeTerminalSignal(), TerminalSignal::Quit);
  EXPECT_EQ(TakeTerminalSignal(), TerminalSignal::None) << "ending outweighs Ctrl+C";

  ASSERT_EQ(::raise(SIGTERM), 0);
  EXPECT_EQ(TakeTerminalSignal(), TerminalSignal::Quit);
}

}  // namespace
}  // namespace tarnvelock

// The interpreter's own command line and the quote rule of /c.
#include "shell/invocation.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(Invocation, SwitchesAndModes) {
  Variables environment;
  Invocation plain = ParseInvocation("", environment);
  EXPECT_EQ(Invocation::Mode::Interactive, plain.mode);
  Invocation options = ParseInvocation("/q /v:on /e:off /k echo hi", environment);
  EXPECT_EQ(Invocation::Mode::RunAndStay, options.mode);
  EXPECT_TRUE(options.echo_off);
  EXPECT_TRUE(options.delayed_expansion);
  EXPECT_FALSE(options.extensions);
  EXPECT_EQ("echo hi", options.command);
  // Switches after /c belong to the command.
  EXPECT_EQ("dir /q", ParseInvocation("/c dir /q", environment).command);
  EXPECT_TRUE(ParseInvocation("/?", environment).show_help);
  // The command may follow /c and /k without a blank.
  Invocation glued = ParseInvocation("/cecho x", environment);
  EXPECT_EQ(Invocation::Mode::RunAndExit, glued.mode);
  EXPECT_EQ("echo x", glued.command);
  EXPECT_EQ("dir", ParseInvocation("/q /Kdir", environment).command);
}

TEST(Invocation, QuoteRuleOfTheCommand) {
  Variables environment;
  // The first and the last quote go...
  EXPECT_EQ("\"/tmp/x.cmd\" _dbg",
            ParseInvocation("/c \"\"/tmp/x.cmd\" _dbg\"", environment).command);
  EXPECT_EQ("echo a & echo b", ParseInvocation("/c \"echo a & echo b\"", environment).command);
  EXPECT_EQ("/tmp/x.cmd _dbg", ParseInvocation("/c \"/tmp/x.cmd\" _dbg", environment).command);
  // ...unless they enclose exactly an existing program whose name has a blank.
  EXPECT_EQ("a b\" c", ParseInvocation("/s /c \"a b\" c\"", environment).command);
  EXPECT_EQ("no such prog x", ParseInvocation("/c \"no such prog\" x", environment).command);
}

}  // namespace
}  // namespace tarnvelock

// Command words, batch parameters and program argument vectors.
#include "shell/arguments.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

using Words = std::vector<std::string>;

TEST(Arguments, CommandWord) {
  CommandWord word = SplitCommandWord("  \"my prog\" a b");
  EXPECT_EQ("\"my prog\"", word.typed);
  EXPECT_EQ("my prog", word.name);
  EXPECT_EQ(" a b", word.rest);
  EXPECT_EQ("echo.text", SplitCommandWord("echo.text more").typed);
  EXPECT_EQ("=x", SplitCommandWord("set=x").rest);
}

TEST(Arguments, BatchParametersSplitOnAllSeparatorsOutsideQuotes) {
  EXPECT_EQ((Words{"a", "b", "\"c d\"", "e", "f"}), SplitBatchArguments(" a,b;\"c d\"=e\tf "));
  EXPECT_EQ((Words{"x\"y z\""}), SplitBatchArguments("x\"y z\""));
  EXPECT_TRUE(SplitBatchArguments(" ,; ").empty());
}

TEST(Arguments, SwitchesWrittenTogetherAreTakenApart) {
  EXPECT_EQ((Words{"/s", "/q", "dir"}), SplitArgumentsAndSwitches("/s/q dir"));
  EXPECT_EQ((Words{"/b", "/s", "/a-d", "/o:gn"}), SplitArgumentsAndSwitches("/b/s /a-d/o:gn"));
  // A path of this system is no run of switches, and quotes keep a word.
  EXPECT_EQ((Words{"/tmp/work/x.txt"}), SplitArgumentsAndSwitches("/tmp/work/x.txt"));
  EXPECT_EQ((Words{"\"/s/q\""}), SplitArgumentsAndSwitches("\"/s/q\""));
  EXPECT_TRUE(IsSwitchWord("/Y"));
  EXPECT_TRUE(IsSwitchWord("/?"));
  EXPECT_TRUE(IsSwitchWord("/a:-d"));
  EXPECT_FALSE(IsSwitchWord("/tmp"));
  EXPECT_FALSE(IsSwitchWord("/"));
  EXPECT_FALSE(IsSwitchWord("/a:"));
  EXPECT_FALSE(IsSwitchWord("x"));
}

TEST(Arguments, ProgramArgumentsFollowTheWindowsRules) {
  EXPECT_EQ((Words{"a b", "c"}), SplitProgramArguments("\"a b\" c"));
  EXPECT_EQ((Words{"a\\\\b", "x\"y"}), SplitProgramArguments("a\\\\b x\\\"y"));
  EXPECT_EQ((Words{"path\\", "q"}), SplitProgramArguments("\"path\\\\\" q"));
  EXPECT_EQ((Words{"say \"hi\""}), SplitProgramArguments("\"say \"\"hi\"\"\""));
  EXPECT_EQ((Words{"a,b;c=d"}), SplitProgramArguments("a,b;c=d"));
}

}  // namespace
}  // namespace tarnvelock

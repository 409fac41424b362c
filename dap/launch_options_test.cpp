// Launch arguments as editors send them: args as one parameter text or as
// words, the console kinds, and what is refused.
#include "dap/launch_options.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace tarnvelock::dap {
namespace {

using nlohmann::json;

TEST(LaunchOptionsTest, ArgsAreTheParameterTextOrWordsJoinedAsTyped) {
  const LaunchParse text = ParseLaunchOptions({{"program", "a.bat"}, {"args", "x \"y z\""}});
  ASSERT_TRUE(text.Options);
  EXPECT_EQ(text.Options->Parameters, L"x \"y z\"");
  EXPECT_FALSE(text.Options->StopOnEntry);
  EXPECT_EQ(text.Options->Console, ConsoleKind::Internal);

  const LaunchParse words = ParseLaunchOptions({{"program", "a.bat"},
                                                {"args", {"x", "y z", ""}},
                                                {"cwd", "/w"},
                                                {"stopOnEntry", true},
                                                {"noDebug", true},
                                                {"console", "integratedTerminal"}});
  ASSERT_TRUE(words.Options);
  EXPECT_EQ(words.Options->Parameters, L"x \"y z\" \"\"");
  EXPECT_EQ(words.Options->Cwd, L"/w");
  EXPECT_TRUE(words.Options->StopOnEntry);
  EXPECT_TRUE(words.Options->NoDebug);
  EXPECT_EQ(words.Options->Console, ConsoleKind::Terminal);
}

TEST(LaunchOptionsTest, RefusesWhatCannotBeRun) {
  EXPECT_FALSE(ParseLaunchOptions(json::object()).Options);
  EXPECT_FALSE(ParseLaunchOptions({{"program", ""}}).Options);
  EXPECT_FALSE(ParseLaunchOptions({{"program", "a.bat"}, {"args", 3}}).Options);
  EXPECT_FALSE(ParseLaunchOptions({{"program", "a.bat"}, {"args", {1}}}).Options);
  const LaunchParse console = ParseLaunchOptions({{"program", "a.bat"}, {"console", "tty"}});
  EXPECT_FALSE(console.Options);
  EXPECT_EQ(console.Error,
            "\"console\" must be internalConsole, integratedTerminal or externalTerminal");
}

}  // namespace
}  // namespace tarnvelock::dap

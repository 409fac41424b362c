// The table of internal commands and their help texts.
#include <gtest/gtest.h>

#include "shell/builtins/builtins.h"
#include "shell/builtins/help_texts.h"

namespace tarnvelock {
namespace {

TEST(Builtins, EveryCommandHasAHelpText) {
  for (const BuiltinCommand& command : Builtins()) {
    EXPECT_TRUE(HasHelpText(command.name)) << command.name;
  }
  EXPECT_TRUE(HasHelpText("if"));
  EXPECT_TRUE(HasHelpText("FOR"));
  // Help texts end their lines as everything the interpreter prints.
  std::string text = HelpText("set");
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && text[at - 1] == '\r');
  }
}

TEST(Builtins, NamesJoinedToTheirArguments) {
  std::size_t length = 0;
  EXPECT_EQ(FindBuiltin("echo"), FindBuiltinPrefix("echo.text", &length));
  EXPECT_EQ(4u, length);
  EXPECT_EQ(FindBuiltin("cd"), FindBuiltinPrefix("cd..", &length));
  EXPECT_EQ(FindBuiltin("call"), FindBuiltinPrefix("call:label", &length));
  EXPECT_EQ(FindBuiltin("rmdir"), FindBuiltinPrefix("RMDIR\\x", &length));
  EXPECT_EQ(5u, length);
  EXPECT_EQ(nullptr, FindBuiltinPrefix("echoes", &length));
  EXPECT_EQ(nullptr, FindBuiltinPrefix("setup.exe", &length));
  EXPECT_EQ(FindBuiltin("ERASE"), FindBuiltin("erase"));
}

}  // namespace
}  // namespace tarnvelock

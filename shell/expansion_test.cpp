// Percent, FOR-variable and delayed expansion.
#include "shell/expansion.h"

#include <gtest/gtest.h>

#include <map>

namespace tarnvelock {
namespace {

class FakeVariables : public VariableLookup {
 public:
  std::optional<std::string> Variable(std::string_view name) const override {
    auto found = values.find(std::string(name));
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, std::string> values{{"S", "Hello World"}, {"X", "abc"}, {"A:", "colon"}};
};

BatchArguments Arguments() {
  BatchArguments arguments;
  arguments.values = {"test.bat", "\"a b\"", "two"};
  arguments.all = "\"a b\" two";
  return arguments;
}

TEST(PercentExpansion, BatchModeRules) {
  FakeVariables variables;
  BatchArguments arguments = Arguments();
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"100%% %S%", "100% Hello World"},
      {"[%UNDEFINED%]", "[]"},
      {"%1|%~1|%2|%3|%*", "\"a b\"|a b|two||\"a b\" two"},
      {"%S:~6%|%S:~-5,2%|%S:~2,-3%|%S:~20%", "World|Wo|llo Wo|"},
      {"%S:o=0%|%S:*o=X%|%S:WORLD=There%", "Hell0 W0rld|X World|Hello There"},
      {"[%UNDEFINED:~1%]", "[~1]"},  // "%NAME:" of an undefined variable goes
      {"a % b", "a  b"},             // a lone percent sign disappears
      {"%A:%", "colon"},             // a colon right before the closing percent
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ExpandPercents(c.line, variables, &arguments)) << c.line;
  }
}

// An edit that is neither a substring nor a replacement counts like an
// undefined name: "%NAME:" goes and the scan goes on after it.
TEST(PercentExpansion, MalformedEditsDropTheNameAndColon) {
  FakeVariables variables;
  BatchArguments arguments = Arguments();
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"[%X:~2a%]", "[~2a]"},
      {"[%X:~a%]", "[~a]"},
      {"[%X:~2,x%]", "[~2,x]"},
      {"[%X:~08%]", "[~08]"},    // 08 is no octal number
      {"[%X:~,%]", "[]"},        // both numbers absent: from 0, length 0
      {"[%X:~%]", "[abc]"},      // no numbers: the whole value
      {"[%X:~0x1%]", "[bc]"},    // numbers may be hexadecimal
      {"[%X:~2a=Z%]", "[abc]"},  // no substring, so a replacement of "~2a"
      {"[%X:nonsense%]", "[nonsense]"},
      {"[%X:~1", "[~1"},  // no closing percent
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ExpandPercents(c.line, variables, &arguments)) << c.line;
  }
  // On the command line the text stays as written.
  EXPECT_EQ("[%X:~2a%]", ExpandPercents("[%X:~2a%]", variables, nullptr));
}

TEST(PercentExpansion, ReplacementWithoutSearchTextIsASyntaxError) {
  FakeVariables variables;
  BatchArguments arguments = Arguments();
  for (const char* line : {"echo %X:=y%", "echo %X:*=y%"}) {
    std::string error;
    ExpandPercents(line, variables, &arguments, &error);
    EXPECT_EQ("The syntax of the command is incorrect.", error) << line;
  }
  std::string error;
  EXPECT_EQ("[=y]", ExpandPercents("[%UNDEFINED:=y%]", variables, &arguments, &error));
  EXPECT_EQ("", error);
}

TEST(PercentExpansion, CommandLineModeKeepsWhatIsUndefined) {
  FakeVariables variables;
  EXPECT_EQ("%UNDEFINED% abc %%", ExpandPercents("%UNDEFINED% %X% %%", variables, nullptr));
  EXPECT_EQ("%1 50%", ExpandPercents("%1 50%", variables, nullptr));
  EXPECT_EQ("%abc%", ExpandPercents("%%X%%", variables, nullptr));
}

TEST(PercentExpansion, SubroutinePathModifiersOfZeroNameTheFile) {
  FakeVariables variables;
  BatchArguments arguments;
  arguments.values = {":sub"};
  arguments.batch_path = "/scripts/run.bat";

  EXPECT_EQ(":sub run.bat /scripts/", ExpandPercents("%0 %~nx0 %~dp0", variables, &arguments));
}

TEST(ValueEdits, SubstringBoundsAndInvalidEdits) {
  EXPECT_EQ("bc", EditValue("abc", "~1"));
  EXPECT_EQ("", EditValue("abc", "~1,-5"));
  EXPECT_EQ("abc", EditValue("abc", "~-10"));
  EXPECT_EQ("a", EditValue("abc", "~0,1"));
  EXPECT_EQ("abc", EditValue("abc", "=x"));  // nothing to replace
  EXPECT_FALSE(EditValue("abc", "nonsense").has_value());
  EXPECT_FALSE(EditValue("abc", "~1,2x").has_value());
}

TEST(ForVariables, ModifiersAndLetterAmbiguity) {
  FakeVariables variables;
  ForBindings bindings{{'a', "\"/dir/file.txt\""}, {'f', "x"}};
  EXPECT_EQ("\"/dir/file.txt\" /dir/file.txt",
            SubstituteForVariables("%a %~a", bindings, variables));
  EXPECT_EQ("file.txt file .txt", SubstituteForVariables("%~nxa %~na %~xa", bindings, variables));
  // "f" is both a modifier and a bound variable: alone it is the variable.
  EXPECT_EQ("x", SubstituteForVariables("%~f", bindings, variables));
  EXPECT_EQ("/dir/file.txt", SubstituteForVariables("%~fa", bindings, variables));
  EXPECT_EQ("%b %", SubstituteForVariables("%b %", bindings, variables));
}

TEST(DelayedExpansion, CaretsCountOnlyInTokensWithExclamationMarks) {
  FakeVariables variables;
  EXPECT_EQ("abc aXc bc", ExpandDelayed("!X! !X:b=X! !X:~1!", variables));
  EXPECT_EQ("a^b !", ExpandDelayed("a^b ^!", variables));
  EXPECT_EQ("[]", ExpandDelayed("[!UNDEFINED!]", variables));
  EXPECT_EQ("ab", ExpandDelayedToken("a!b", variables));  // a lone "!" disappears
  EXPECT_EQ("\"x y\"abc", ExpandDelayed("\"x y\"!X!", variables));
}

}  // namespace
}  // namespace tarnvelock

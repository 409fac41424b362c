// Which breakpoint conditions reach the batch: those that a batch IF takes,
// and none that would end the run with a syntax error.
#include "core/base/condition_check.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(ConditionCheckTest, ConditionsAnIfTakesPass) {
  for (const wchar_t* good :
       {L"", L"a==b", L"\"%x%\"==\"a & b\"", L"(%a%)==(1)", L"%~1==x", L"\"%~dp0\"==\"c:\\\"",
        L"%~$PATH:1==x", L"%%~nA==x", L"%%a==100%%", L"x^&y==1", L"\"a|b\" NEQ \"<>\"",
        L"not errorlevel 1", L"exist \"c:\\a b\""}) {
    EXPECT_EQ(ConditionProblem(good), L"") << good;
  }
}

TEST(ConditionCheckTest, ConditionsThatWouldBreakTheIfLineAreRefusedWithTheReason) {
  const struct {
    const wchar_t* condition;
    const wchar_t* problem;
  } cases[] = {
      {L"((((( \"%~zzzz\" == ^^^", L"\"%~\" is not followed by a parameter's modifiers and number"},
      {L"((((( \"%~1\" == ^^^", L"it ends with a caret"},
      {L"((((( \"%~1\" == x", L"unbalanced brackets"},
      {L"\"%~zzzz\" == x", L"\"%~\" is not followed by a parameter's modifiers and number"},
      {L"\"a==b", L"unbalanced double quotes"},
      {L"a)==(b", L"a closing bracket has no opening one"},
      {L"%a%==1 & echo x", L"\"&\" outside double quotes"},
      {L"%a%==1|x", L"\"|\" outside double quotes"},
      {L"a==b >x", L"\">\" outside double quotes"},
      {L"<nul a==b", L"\"<\" outside double quotes"},
      {L"a==b^", L"it ends with a caret"},
      {L"if a==b", L"the IF itself must not be typed"},
      {L"abc", L"no comparison word or operator"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConditionProblem(c.condition), c.problem) << c.condition;
    EXPECT_FALSE(IsBatchCondition(c.condition)) << c.condition;
  }
}

}  // namespace
}  // namespace tarnvelock

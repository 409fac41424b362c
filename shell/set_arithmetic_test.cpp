// SET /A expressions.
#include "shell/set_arithmetic.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

std::int32_t Value(std::string_view expression, Variables& variables) {
  ArithmeticResult result = EvaluateArithmetic(expression, variables);
  EXPECT_EQ("", result.error) << expression;
  return result.value;
}

TEST(SetArithmetic, PrecedenceAndNumberForms) {
  Variables variables;
  struct Case {
    const char* expression;
    std::int32_t expected;
  } cases[] = {
      {"1+2*3", 7},       {"(1+2)*3", 9},     {"7/2", 3},
      {"-7/2", -3},       {"-7%3", -1},       {"1<<4|1", 17},
      {"6&3^1", 3},       {"0x10+010", 24},   {"!0+!5", 1},
      {"~0", -1},         {"--5", 5},         {"2147483647+1", -2147483647 - 1},
      {"0xFFFFFFFF", -1}, {" 1 , 2 , 3 ", 3}, {"\"4*(2+1)\"", 12},
      {"1<<33", 0},       {"3--3", 6},        {"1 --2", 3},
      {"2++3", 5},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Value(c.expression, variables)) << c.expression;
}

TEST(SetArithmetic, AssignmentsAndVariables) {
  Variables variables;
  EXPECT_EQ(10, Value("x=5, x*=2", variables));
  EXPECT_EQ("10", *variables.Find("x"));
  EXPECT_EQ(3, Value("y = x %= 7", variables));
  EXPECT_EQ("3", *variables.Find("y"));
  EXPECT_EQ(1, Value("undefined+=1", variables));
  variables.Set("text", "12abc");
  variables.Set("word", "abc");
  EXPECT_EQ(12, Value("text", variables));  // a value counts up to its first non-digit
  EXPECT_EQ(0, Value("word", variables));
  EXPECT_EQ(17, Value("a<<=3,a=x+text+2", variables));
  variables.Set("_dbgBP7", "4");
  EXPECT_EQ(5, Value("_dbgBP7=_dbgBP7+1", variables));
}

TEST(SetArithmetic, ErrorsNameTheProblemAndAssignNothing) {
  Variables variables;
  struct Case {
    const char* expression;
    const char* message;
  } cases[] = {
      {"5/0", "Divide by zero error."},
      {"1+", "Missing operand."},
      {"(1+2", "Unbalanced parenthesis."},
      {"1 2", "Missing operator."},
      {"09",
       "Invalid number.  Numeric constants are either decimal (17), hexadecimal (0x11), or "
       "octal (021)."},
      {"x=7%0", "Divide by zero error."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.message, EvaluateArithmetic(c.expression, variables).error) << c.expression;
  }
  EXPECT_EQ(nullptr, variables.Find("x"));
  EXPECT_EQ(1073750993, EvaluateArithmetic("1/0", variables).error_level);
}

}  // namespace
}  // namespace tarnvelock

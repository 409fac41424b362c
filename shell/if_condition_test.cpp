// The conditions of IF: comparisons, ERRORLEVEL, DEFINED, EXIST and
// CMDEXTVERSION, evaluated against a running interpreter's state.
#include "shell/if_condition.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "shell/interpreter.h"

namespace tarnvelock {
namespace {

std::string Unchanged(const std::string& text) {
  return text;
}

class IfConditionTest : public testing::Test {
 protected:
  std::optional<bool> Evaluate(IfStatement::Kind kind, std::string left) {
    IfStatement statement;
    statement.kind = kind;
    statement.left = std::move(left);
    return EvaluateCondition(statement, Unchanged, shell_);
  }
  Interpreter shell_{InterpreterOptions{}, Variables::FromEntries({"DEFINED_ONE=x"})};
};

TEST(CompareOperands, NumbersCompareAsNumbersInEveryNotation) {
  EXPECT_TRUE(CompareOperands("10", "GTR", "9", false));
  EXPECT_TRUE(CompareOperands("0x10", "EQU", "16", false));
  EXPECT_TRUE(CompareOperands("010", "EQU", "8", false));
  EXPECT_TRUE(CompareOperands("-3", "LSS", "2", false));
  EXPECT_TRUE(CompareOperands("2", "LEQ", "2", false));
  EXPECT_TRUE(CompareOperands("2", "GEQ", "2", false));
  EXPECT_TRUE(CompareOperands("1", "NEQ", "2", false));
}

TEST(CompareOperands, OtherTextComparesAsText) {
  // Quoted numbers are text: "10" sorts before "9".
  EXPECT_FALSE(CompareOperands("\"10\"", "GTR", "\"9\"", false));
  EXPECT_TRUE(CompareOperands("abc", "LSS", "abd", false));
  EXPECT_FALSE(CompareOperands("ABC", "EQU", "abc", false));
  EXPECT_TRUE(CompareOperands("ABC", "EQU", "abc", true));
  // "==" never compares numbers: 010 and 8 differ as text.
  EXPECT_FALSE(CompareOperands("010", "==", "8", false));
  EXPECT_TRUE(CompareOperands("Ab", "==", "aB", true));
  EXPECT_FALSE(CompareOperands("Ab", "==", "aB", false));
}

TEST_F(IfConditionTest, ErrorLevelIsAtLeastADecimalNumber) {
  shell_.set_error_level(3);
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::ErrorLevel, "3"));
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::ErrorLevel, "-1"));
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::ErrorLevel, "4"));
  // Text after the number makes a test that fails, hexadecimal included.
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::ErrorLevel, "1a"));
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::ErrorLevel, "0x1"));
  // No number at all is a syntax error.
  EXPECT_EQ(std::nullopt, Evaluate(IfStatement::Kind::ErrorLevel, "abc"));
  EXPECT_EQ(std::nullopt, Evaluate(IfStatement::Kind::ErrorLevel, ""));
  // A number too large for ERRORLEVEL is still a number, and larger.
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::ErrorLevel, "99999999999999999999"));
}

TEST_F(IfConditionTest, DefinedAndCommandExtensionVersion) {
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::Defined, "defined_one"));
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::Defined, "other"));
  // Dynamic variables are no defined variables.
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::Defined, "ERRORLEVEL"));
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::CmdExtVersion, "2"));
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::CmdExtVersion, "3"));
  EXPECT_EQ(std::nullopt, Evaluate(IfStatement::Kind::CmdExtVersion, "x"));
}

TEST_F(IfConditionTest, ExistTakesQuotesAndWildcards) {
  namespace fs = std::filesystem;
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::string root =
      (fs::temp_directory_path() / ("tarnvelock-if-" + std::to_string(stamp))).string();
  fs::create_directories(root + "/a dir");
  std::ofstream(root + "/a dir/file.txt") << "x";
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::Exist, "\"" + root + "/a dir/file.txt\""));
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::Exist, root + "\\a dir\\"));
  EXPECT_EQ(true, Evaluate(IfStatement::Kind::Exist, "\"" + root + "/a dir/*.txt\""));
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::Exist, "\"" + root + "/a dir/*.bat\""));
  EXPECT_EQ(false, Evaluate(IfStatement::Kind::Exist, root + "/missing"));
  fs::remove_all(root);
}

TEST_F(IfConditionTest, OperandsArePreparedBeforeTheTest) {
  IfStatement statement;
  statement.kind = IfStatement::Kind::Compare;
  statement.left = "!A!";
  statement.op = "==";
  statement.right = "value";
  auto prepare = [](const std::string& text) {
    return text == "!A!" ? std::string("value") : text;
  };
  EXPECT_EQ(true, EvaluateCondition(statement, prepare, shell_));
}

}  // namespace
}  // namespace tarnvelock

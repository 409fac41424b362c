// The reading phase: operators, blocks, IF, FOR, REM and redirections.
#include "shell/parser.h"

#include <gtest/gtest.h>

#include <deque>

namespace tarnvelock {
namespace {

// Parses line with more lines available from rest.
ParseResult Parse(std::string line, std::deque<std::string> rest = {}) {
  LineSupplier more = [&rest]() -> std::optional<std::string> {
    if (rest.empty()) return std::nullopt;
    std::string next = rest.front();
    rest.pop_front();
    return next;
  };
  return ParseLine(std::move(line), more);
}

const std::string& Text(const Node& node) {
  return std::get<SimpleCommand>(node.value).text;
}

TEST(Parser, OperatorPrecedence) {
  ParseResult result = Parse("a & b && c | d || e");
  ASSERT_TRUE(result.node);
  const auto& then = std::get<Chain>(result.node->value);
  EXPECT_EQ(Chain::Op::Then, then.op);
  EXPECT_EQ("a ", Text(*then.left));
  const auto& orr = std::get<Chain>(then.right->value);
  EXPECT_EQ(Chain::Op::Or, orr.op);
  const auto& andd = std::get<Chain>(orr.left->value);
  EXPECT_EQ(Chain::Op::And, andd.op);
  EXPECT_EQ(Chain::Op::Pipe, std::get<Chain>(andd.right->value).op);
}

TEST(Parser, EscapesAndQuotes) {
  EXPECT_EQ("echo a&b \"c&d^\" <x>", Text(*Parse("echo a^&b \"c&d^\" ^<x^>").node));
  ParseResult continued = Parse("echo one^", {"&two"});
  EXPECT_EQ("echo one&two", Text(*continued.node));
}

TEST(Parser, RedirectionsLeaveTheCommandText) {
  ParseResult result = Parse("echo x 2>nul >> \"out file\" <in 1>&2");
  const Node& node = *result.node;
  EXPECT_EQ("echo x    ", Text(node));
  ASSERT_EQ(4u, node.redirections.size());
  EXPECT_EQ(2, node.redirections[0].handle);
  EXPECT_EQ("nul", node.redirections[0].target);
  EXPECT_EQ(Redirection::Kind::Append, node.redirections[1].kind);
  EXPECT_EQ("\"out file\"", node.redirections[1].target);
  EXPECT_EQ(Redirection::Kind::Input, node.redirections[2].kind);
  EXPECT_EQ(Redirection::Kind::Duplicate, node.redirections[3].kind);
  EXPECT_EQ("2", node.redirections[3].target);
  // A digit glued to a word is text, not a handle.
  EXPECT_EQ("echo a2", Text(*Parse("echo a2>nul").node));
}

TEST(Parser, BlocksSpanLinesSkipLabelsAndTakeRedirections) {
  ParseResult result = Parse("(echo a", {":label", "  echo b", ") > out.txt"});
  ASSERT_TRUE(result.node);
  const auto& block = std::get<Block>(result.node->value);
  ASSERT_EQ(2u, block.commands.size());
  EXPECT_EQ("echo b", Text(*block.commands[1]));
  EXPECT_EQ("out.txt", result.node->redirections.at(0).target);
  EXPECT_FALSE(Parse("(echo never closed", {"echo x"}).node);
  EXPECT_TRUE(Parse("(echo never closed").error.empty());
}

TEST(Parser, IfTakesTheRestOfTheLineAndElseAfterABlock) {
  ParseResult plain = Parse("if exist f a & b & goto :x");
  const auto& statement = std::get<IfStatement>(plain.node->value);
  EXPECT_EQ(IfStatement::Kind::Exist, statement.kind);
  EXPECT_TRUE(std::holds_alternative<Chain>(statement.then_branch->value));
  EXPECT_FALSE(statement.else_branch);

  ParseResult with_else = Parse("if /i not \"a b\"==x (echo 1) else echo 2 & echo 3");
  const auto& other = std::get<IfStatement>(with_else.node->value);
  EXPECT_TRUE(other.ignore_case);
  EXPECT_TRUE(other.negate);
  EXPECT_EQ("\"a b\"", other.left);
  EXPECT_EQ("x", other.right);
  ASSERT_TRUE(other.else_branch);
  EXPECT_TRUE(std::holds_alternative<Chain>(other.else_branch->value));

  ParseResult hook = Parse("if %a.!b!==!c!.0 call x");
  const auto& numeric = std::get<IfStatement>(hook.node->value);
  EXPECT_EQ("%a.!b!", numeric.left);
  EXPECT_EQ("!c!.0", numeric.right);
  ParseResult glued = Parse("if \"a\"==\"a\"(echo yes)");
  EXPECT_EQ("\"a\"", std::get<IfStatement>(glued.node->value).right);
  ParseResult word_operator = Parse("if 1 geq 2 echo");
  EXPECT_EQ("GEQ", std::get<IfStatement>(word_operator.node->value).op);
  EXPECT_EQ("foo was unexpected at this time.", Parse("if 1 foo 2 echo").error);
}

TEST(Parser, ForParts) {
  ParseResult result =
      Parse("for /F \"usebackq skip=2 tokens=1,2,*\" %i in (file.txt) do @(", {"echo %i", ")"});
  const auto& statement = std::get<ForStatement>(result.node->value);
  EXPECT_EQ(ForStatement::Kind::Lines, statement.kind);
  EXPECT_EQ("usebackq skip=2 tokens=1,2,*", statement.options);
  EXPECT_EQ('i', statement.variable);
  EXPECT_EQ("file.txt", statement.set);
  EXPECT_TRUE(statement.body->quiet);

  ParseResult recursive = Parse("for /r \"my dir\" %f in (*.txt) do echo %f");
  EXPECT_EQ("\"my dir\"", std::get<ForStatement>(recursive.node->value).options);
  ParseResult nested = Parse("for %a in (a (b) \"c)\") do x");
  EXPECT_EQ("a (b) \"c)\"", std::get<ForStatement>(nested.node->value).set);
}

TEST(Parser, ElseAfterABracketedElseBelongsToTheOuterIf) {
  ParseResult result = Parse("if 1==1 if 2==2 (echo a1) else (echo a2) else echo a3");
  ASSERT_EQ("", result.error);
  const auto& outer = std::get<IfStatement>(result.node->value);
  ASSERT_TRUE(outer.else_branch);
  EXPECT_EQ("echo a3", Text(*outer.else_branch));
  const auto& inner = std::get<IfStatement>(outer.then_branch->value);
  ASSERT_TRUE(inner.else_branch);
  EXPECT_TRUE(std::holds_alternative<Block>(inner.else_branch->value));
  // Without a block before it, ELSE is an argument of the command.
  ParseResult plain = Parse("if 1==1 echo a else echo b");
  EXPECT_EQ("echo a else echo b", Text(*std::get<IfStatement>(plain.node->value).then_branch));
  EXPECT_EQ("1(", std::get<IfStatement>(Parse("if 1(==1( (x)").node->value).left);
}

TEST(Parser, ForOptionsWithoutQuotes) {
  EXPECT_EQ("usebackq",
            std::get<ForStatement>(Parse("for /f usebackq %i in ('a') do x").node->value).options);
  EXPECT_EQ(
      "tokens=2",
      std::get<ForStatement>(Parse("for /f tokens^=2 %i in (\"a b\") do x").node->value).options);
  EXPECT_EQ(
      "eol= delims=",
      std::get<ForStatement>(Parse("for /f eol^= delims^= %i in (f) do x").node->value).options);
}

TEST(Parser, RedirectionsBeforeABlockAndLabelsAfterAt) {
  ParseResult block = Parse(">out.txt (echo foo)");
  ASSERT_TRUE(block.node);
  EXPECT_TRUE(std::holds_alternative<Block>(block.node->value));
  ASSERT_EQ(1u, block.node->redirections.size());
  EXPECT_EQ("out.txt", block.node->redirections[0].target);
  EXPECT_FALSE(Parse("@   :  label>x").node);
  EXPECT_EQ("", Parse("@   :  label>x").error);
}

// A caret escapes the line end; an escaped line end escapes the character
// after it, which for an empty next line is that line's own line feed.
TEST(Parser, CaretBeforeAnEmptyLineKeepsItsLineFeed) {
  struct Case {
    std::deque<std::string> lines;  // the first is the line parsed
    std::string text;
    std::deque<std::string> left;
  } cases[] = {
      {{"echo hello^", "", "world", "next"}, "echo hello\nworld", {"next"}},
      {{"set LF=^", "", "", "next"}, "set LF=\n", {"next"}},
      {{"echo a^", "", "b^", "", "", "next"}, "echo a\nb\n", {"next"}},
      {{"echo end^", ""}, "echo end", {}},
  };
  for (Case& c : cases) {
    std::string first = c.lines.front();
    c.lines.pop_front();
    LineSupplier more = [&c]() -> std::optional<std::string> {
      if (c.lines.empty()) return std::nullopt;
      std::string next = c.lines.front();
      c.lines.pop_front();
      return next;
    };
    ParseResult result = ParseLine(first, more);
    ASSERT_TRUE(result.node) << first;
    EXPECT_EQ(c.text, Text(*result.node)) << first;
    EXPECT_EQ(c.left, c.lines) << first;
  }
}

// A line feed that an expanded value brought in ends the line; in a block
// it separates commands, and after a caret it is dropped.
TEST(Parser, UnescapedLineFeedEndsTheLine) {
  EXPECT_EQ("echo a", Text(*Parse("echo a\necho b & echo c").node));
  EXPECT_EQ(nullptr, Parse("\necho b").node);
  ParseResult block = Parse("(echo a\necho b)");
  ASSERT_TRUE(block.node);
  EXPECT_EQ(2u, std::get<Block>(block.node->value).commands.size());
  EXPECT_EQ("echo ab", Text(*Parse("echo a^\nb").node));
  EXPECT_EQ("echo a\nb", Text(*Parse("echo a^\n\nb").node));
}

TEST(Parser, RefusesWhatWouldExhaustTheStack) {
  EXPECT_EQ("The input line is too long.", Parse(std::string(9000, 'x')).error);
  std::string deep = std::string(300, '(') + "echo" + std::string(300, ')');
  EXPECT_EQ("The syntax of the command is incorrect.", Parse(deep).error);
  std::string nested_ifs;
  for (int i = 0; i < 300; ++i) nested_ifs += "if 1==1 ";
  EXPECT_EQ("The syntax of the command is incorrect.", Parse(nested_ifs + "echo").error);
  std::string fine = std::string(50, '(') + "echo" + std::string(50, ')');
  EXPECT_EQ("", Parse(fine).error);
}

TEST(Parser, RemJoinsTheNextLineOnlyAfterACaretEndingItsFirstWord) {
  EXPECT_EQ("rem wordecho x", Text(*Parse("rem word^", {"echo x"}).node));
  EXPECT_EQ("rem a b^", Text(*Parse("rem a b^", {"echo x"}).node));
  EXPECT_EQ("rem a^^", Text(*Parse("rem a^^", {"echo x"}).node));
  std::deque<std::string> rest{"more^", "last", "echo x"};
  LineSupplier more = [&rest]() -> std::optional<std::string> {
    if (rest.empty()) return std::nullopt;
    std::string next = rest.front();
    rest.pop_front();
    return next;
  };
  EXPECT_EQ("rem wordmorelast", Text(*ParseLine("rem word^", more).node));
  EXPECT_EQ((std::deque<std::string>{"echo x"}), rest);
}

TEST(Parser, RemLabelsAndStrayBrackets) {
  EXPECT_EQ("rem a & b > c", Text(*Parse("rem a & b > c").node));
  EXPECT_TRUE(Parse("rem x > c").node->redirections.empty());
  EXPECT_FALSE(Parse("  :label & echo").node);
  EXPECT_EQ("", Text(*Parse(") echo ignored").node));
  EXPECT_TRUE(Parse("@echo x & echo y").node->quiet);
}

}  // namespace
}  // namespace tarnvelock

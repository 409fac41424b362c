// The command syntax of the debugger mode: what each form yields and which
// lines are refused with a reason.
#include "cli/command_parser.h"
#include "core/document/line_marks.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

ParsedCommand Parsed(std::wstring_view line) {
  const ParseResult result = ParseCommand(line);
  EXPECT_TRUE(result.command.has_value()) << std::string(line.begin(), line.end());
  return result.command.value_or(ParsedCommand{});
}

TEST(CommandParserTest, BreakTakesAnOptionalCountAndCondition) {
  ParsedCommand plain = Parsed(L"break 12");
  EXPECT_EQ(plain.verb, Verb::Break);
  EXPECT_EQ(plain.line, 12);
  EXPECT_FALSE(plain.has_number);

  ParsedCommand full = Parsed(L"  BREAK 4 3 IF  \"%x%\"==\"a b\"  ");
  EXPECT_EQ(full.line, 4);
  EXPECT_EQ(full.number, 3);
  EXPECT_EQ(full.text, L"\"%x%\"==\"a b\"");

  ParsedCommand condition_only = Parsed(L"break 4 if %%i==c");
  EXPECT_FALSE(condition_only.has_number);
  EXPECT_EQ(condition_only.text, L"%%i==c");

  // A count that is no number is the dialog's business, not a syntax error.
  EXPECT_EQ(Parsed(L"break 4 x").number, -1);
  EXPECT_FALSE(ParseCommand(L"break 4 2 if").command);
  EXPECT_FALSE(ParseCommand(L"break x").command);
}

TEST(CommandParserTest, TextArgumentsKeepTheirBlanksAndSymbols) {
  EXPECT_EQ(Parsed(L"add echo a & echo  b").text, L"echo a & echo  b");
  const ParsedCommand set = Parsed(L"set My Var = a=b ");
  EXPECT_EQ(set.text, L"My Var");
  EXPECT_EQ(set.value, L" a=b ") << "the value as typed, trailing blank included";
  EXPECT_EQ(Parsed(L"input").text, L"");
  EXPECT_FALSE(ParseCommand(L"set =1").command);
  EXPECT_FALSE(ParseCommand(L"add").command);
}

TEST(CommandParserTest, NumbersOptionsAndAnswers) {
  EXPECT_EQ(Parsed(L"errok 3 -12").number, -12);
  EXPECT_EQ(Parsed(L"errok 3 $1F").number, 31);
  EXPECT_EQ(Parsed(L"errok 3 0x10").number, 16);
  EXPECT_FALSE(ParseCommand(L"errok 3 1.5").command);
  EXPECT_EQ(ParseWholeNumber(L"99999999999"), std::nullopt);

  const ParsedCommand option = Parsed(L"option StopOnError OFF");
  EXPECT_EQ(option.option, OptionName::StopOnErr);
  EXPECT_FALSE(option.on);
  EXPECT_FALSE(ParseCommand(L"option loud on").command);
  EXPECT_FALSE(Parsed(L"answer cancel").on);

  const ParsedCommand list = Parsed(L"list 2 5");
  EXPECT_EQ(list.line, 2);
  EXPECT_EQ(list.number, 5);
  EXPECT_FALSE(ParseCommand(L"list 2").command);
}

TEST(CommandParserTest, NoWaitOnlyBeforeRunningCommands) {
  const ParsedCommand run = Parsed(L"nowait run");
  EXPECT_EQ(run.verb, Verb::Run);
  EXPECT_TRUE(run.no_wait);
  EXPECT_EQ(Parsed(L"goto! 7").verb, Verb::GotoIgnore);
  EXPECT_FALSE(ParseCommand(L"nowait vars").command);
}

TEST(CommandParserTest, BlankLinesAndCommentsAreNoCommands) {
  EXPECT_EQ(Parsed(L"").verb, Verb::None);
  EXPECT_EQ(Parsed(L"   # a note").verb, Verb::None);
  const ParseResult unknown = ParseCommand(L"jump 3");
  EXPECT_FALSE(unknown.command);
  EXPECT_NE(unknown.error.find(L"jump"), std::wstring::npos);
}

TEST(CommandParserTest, StepsMayBeRepeated) {
  EXPECT_EQ(Parsed(L"step").number, 1);
  const ParsedCommand three = Parsed(L"next 3");
  EXPECT_EQ(three.verb, Verb::Next);
  EXPECT_EQ(three.number, 3);
  for (const wchar_t* bad : {L"step 0", L"step x", L"step 2 3", L"next -1"}) {
    EXPECT_FALSE(ParseCommand(bad).command) << bad;
  }
}

TEST(CommandParserTest, TheTerminalDebuggersInspectionCommands) {
  EXPECT_EQ(ParseCommand(L"print PATH").command->text, L"PATH");
  EXPECT_FALSE(ParseCommand(L"print").command);
  EXPECT_FALSE(ParseCommand(L"print a b").command);
  EXPECT_EQ(ParseCommand(L"bt").command->verb, Verb::Backtrace);
  EXPECT_EQ(ParseCommand(L"backtrace").command->verb, Verb::Backtrace);
  EXPECT_EQ(ParseCommand(L"info breakpoints").command->verb, Verb::Info);
  EXPECT_FALSE(ParseCommand(L"info locals").command);
  EXPECT_EQ(ParseCommand(L"help break").command->text, L"break");
  EXPECT_TRUE(ParseCommand(L"nowait finish").command->no_wait) << "finish runs the batch";
}

}  // namespace
}  // namespace tarnvelock

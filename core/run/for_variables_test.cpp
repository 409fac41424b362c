// Turning the saved FOR-variable lines into local pane entries.
#include "core/run/for_variables.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

using Lines = std::vector<std::wstring>;

TEST(ForVariableEntriesTest, DropsInactiveAndHookLinesAndRemovesTheMarker) {
  const Lines lines = {L"gA=%A", L"ka=hello", L"kz=\"C:\\Tmp\\_dbgTmp\\_dbgError.txt\"",
                       L"gB=two words", L"kc=%c"};
  EXPECT_EQ(ForVariableEntries(lines, L'\\'), (Lines{L"a=hello", L"B=two words"}));
}

TEST(ForVariableEntriesTest, OnlyTheExactInactiveFormIsDropped) {
  // "%b" as the value of a, or a longer value beginning with "%a", is a value;
  // a lone marker is nothing.
  const Lines lines = {L"ka=%b", L"ka=%ab", L"gA=%a", L"k", L""};
  EXPECT_EQ(ForVariableEntries(lines, L'/'), (Lines{L"a=%b", L"a=%ab", L"A=%a"}));
}

TEST(ForVariableEntriesTest, HookLineIsRecognisedByTheSystemsSeparator) {
  const Lines lines = {L"kz=\"/tmp/_dbgTmp/_dbgError.txt\"", L"ky=\"C:\\t\\_dbgError.txt\"",
                       L"kx=my_dbgError.txt\""};
  EXPECT_EQ(ForVariableEntries(lines, L'/'),
            (Lines{L"y=\"C:\\t\\_dbgError.txt\"", L"x=my_dbgError.txt\""}));
}

}  // namespace
}  // namespace tarnvelock

// The reference search on the lines a batch writes: the spellings that are
// references, the ones that only look alike, and the places never searched.
#include "core/run/reference_search.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

std::vector<std::int32_t> Positions(const std::wstring& line, std::int32_t mode,
                                    const std::wstring& name, std::int32_t rem_pos = 0) {
  std::vector<std::int32_t> positions;
  for (const ReferenceMark& mark : FindReferences(line, rem_pos, {mode, name})) {
    positions.push_back(mark.Position);
  }
  return positions;
}

using P = std::vector<std::int32_t>;

TEST(ReferenceSearchTest, GlobalNamesBetweenPercentOrBangOrAfterBlanks) {
  EXPECT_EQ(Positions(L"echo %count% !Count! %count:~1%", 0, L"COUNT"), (P{6, 14, 22}));
  // %COUNTER% is another variable; "%count" without its closing sign is not a reference.
  EXPECT_EQ(Positions(L"echo %counter% %count", 0, L"COUNT"), P{});
  EXPECT_EQ(Positions(L"if \"count\"==\"x\" set count=1", 0, L"COUNT"), (P{4, 20}));
  const std::vector<ReferenceMark> marks = FindReferences(L"echo %count%", 0, {0, L"COUNT"});
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].Text, L"COUNT");  // drawn as the pane spells it
}

TEST(ReferenceSearchTest, ArithmeticLinesMarkBareNames) {
  EXPECT_EQ(Positions(L"set /a total=count+1", 0, L"COUNT"), P{13});
  EXPECT_EQ(Positions(L"set total=count+1", 0, L"COUNT"), P{});
  // "/A" at the very start of the line does not count.
  EXPECT_EQ(Positions(L"/a   x=count+1", 0, L"COUNT"), P{});
}

TEST(ReferenceSearchTest, FirstFourCharactersAndTrailingCommentsAreNotSearched) {
  EXPECT_EQ(Positions(L"%x% echo %x%", 0, L"X"), P{10});
  EXPECT_EQ(Positions(L"echo %x% & rem %x%", 0, L"X", 9), P{6});
  EXPECT_EQ(Positions(L"ab", 0, L"X"), P{});
}

TEST(ReferenceSearchTest, ParametersWithAndWithoutModifiers) {
  // Plain %1 marks the digit; %~f1 and %~dp1 are found in the second pass.
  EXPECT_EQ(Positions(L"echo %1 %~f1 %~dp1", 1, L"%1"), (P{6, 11, 17}));
  // %~1 takes the 1 as its modifier and is not marked; %10 is still a %1.
  EXPECT_EQ(Positions(L"echo %~1", 1, L"%1"), P{});
  EXPECT_EQ(Positions(L"echo %2 %~n2x", 1, L"%1"), P{});
}

TEST(ReferenceSearchTest, ForVariablesWithModifiersAndPathSearch) {
  EXPECT_EQ(Positions(L"for %%f in (*) do echo %%f %%~nxf", 2, L"%%f"), (P{6, 25, 32}));
  EXPECT_EQ(Positions(L"echo %%~$PATH:f", 2, L"%%f"), P{14});
  // %%~nfile: the letter is followed by more letters, so no reference.
  EXPECT_EQ(Positions(L"echo %%~nfile", 2, L"%%f"), P{});
  // FOR variables are case-sensitive.
  EXPECT_EQ(Positions(L"echo %%F", 2, L"%%f"), P{});
}

}  // namespace
}  // namespace tarnvelock

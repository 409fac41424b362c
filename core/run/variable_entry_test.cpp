// The name marks of variable entries must undo cleanly, whatever the value holds.
#include "core/run/variable_entry.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(VariableEntryTest, WrapAndUnwrapRoundTrip) {
  EXPECT_EQ(WrapName(L"PATH=a=b", L'%'), L"%PATH%=a=b");
  EXPECT_EQ(WrapName(L"NAME", L'%'), L"%NAME%");
  EXPECT_EQ(WrapName(L"1=x%y", L'%'), L"%1=x%y");
  EXPECT_EQ(WrapName(L"X=1", L'!'), L"!X!=1");
  for (const wchar_t* entry : {L"PATH=a%b%c", L"NAME", L"1=x%y%", L"0=", L"X=!y!", L""}) {
    EXPECT_EQ(UnwrapName(WrapName(entry, L'%')), entry);
    EXPECT_EQ(UnwrapName(WrapName(entry, L'!')), entry);
  }
}

TEST(VariableEntryTest, BlanksAndParts) {
  EXPECT_EQ(ShowBlanks(L"A=x  y"), L"A=x\u2022\u2022y");
  EXPECT_EQ(HideBlanks(ShowBlanks(L" a b ")), L" a b ");
  EXPECT_EQ(EntryName(L"A=b=c"), L"A");
  EXPECT_EQ(EntryValue(L"A=b=c"), L"b=c");
  EXPECT_EQ(EntryName(L"BARE"), L"BARE");
  EXPECT_EQ(EntryValue(L"BARE"), L"");
}

}  // namespace
}  // namespace tarnvelock

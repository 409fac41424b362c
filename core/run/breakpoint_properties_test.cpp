// The breakpoint checks: which conditions pass, how the count is read and
// stepped, and what a refused or accepted OK leaves in the line's record.
#include "core/run/breakpoint_properties.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(BreakpointPropertiesTest, ConditionTestAcceptsComparisonsAndRefusesTheRest) {
  for (const wchar_t* good :
       {L"a==b", L"exist c:\\x", L"defined x", L"%n% GEQ 3", L"errorlevel 2", L"not errorlevel 1",
        L"", L"  \t ", L"%x% equ 1", L"cmdextversion 2"}) {
    EXPECT_TRUE(IsBatchCondition(good)) << good;
  }
  for (const wchar_t* bad : {L"if a==b", L"  If exist x", L"abc", L"%x%", L"a=b"}) {
    EXPECT_FALSE(IsBatchCondition(bad)) << bad;
  }
}

TEST(BreakpointPropertiesTest, CountIsReadSteppedAndOpenedAsTheDialogDoes) {
  EXPECT_EQ(ParseBreakCount(L"12"), 12);
  EXPECT_EQ(ParseBreakCount(L""), -1);
  EXPECT_EQ(ParseBreakCount(L"3x"), -1);

  EXPECT_EQ(StepBreakCount(1, -1), 1);
  EXPECT_EQ(StepBreakCount(4, -1), 3);
  EXPECT_EQ(StepBreakCount(-1, 1), -1);
  EXPECT_EQ(StepBreakCount(4, 1), 5);
  EXPECT_EQ(StepBreakCount(-1, 0), 1);

  LineRecord record;
  EXPECT_EQ(InitialBreakCount(record), 1);
  record.BreakCount = 1;
  EXPECT_EQ(InitialBreakCount(record), 1);
  record.BreakCount = 5;
  EXPECT_EQ(InitialBreakCount(record), 5);
}

TEST(BreakpointPropertiesTest, RefusedPropertiesLeaveTheRecordAndNameTheBadField) {
  LineRecord record;
  record.BreakPoint = true;
  record.BreakCount = 3;
  record.BreakCond = L"x==1";
  const LineRecord before = record;

  BreakpointCheck check = StoreBreakpoint(record, {true, -1, L"a==b"});
  EXPECT_TRUE(check.BadCount);
  EXPECT_FALSE(check.BadCondition);
  EXPECT_FALSE(check.Stored);

  check = StoreBreakpoint(record, {true, 2, L"if a==b"});
  EXPECT_FALSE(check.BadCount);
  EXPECT_TRUE(check.BadCondition);
  EXPECT_FALSE(check.Stored);

  // Count 0 is refused without marking either field.
  check = StoreBreakpoint(record, {true, 0, L""});
  EXPECT_FALSE(check.BadCount || check.BadCondition || check.Stored);

  EXPECT_EQ(record.BreakCount, before.BreakCount);
  EXPECT_EQ(record.BreakCond, before.BreakCond);
}

TEST(BreakpointPropertiesTest, AcceptedPropertiesAreStoredTrimmedWithTheirBatchText) {
  LineRecord record;
  const BreakpointCheck check = StoreBreakpoint(record, {true, 3, L"  %%a==x \t"});
  EXPECT_TRUE(check.Stored);
  EXPECT_TRUE(record.BreakPoint);
  EXPECT_EQ(record.BreakCount, 3);
  EXPECT_EQ(record.BreakCond, L"%%a==x");
  EXPECT_EQ(record.BreakCondX, L"@for %%a in (%_dbgFORka%) do @if %%a==x set _dbgBC=0\r\n@exit /b");
}

TEST(BreakpointPropertiesTest, InactiveBreakpointIsStoredWithoutAnyCheck) {
  LineRecord record;
  record.BreakPoint = true;
  const BreakpointCheck check = StoreBreakpoint(record, {false, -1, L"nonsense"});
  EXPECT_TRUE(check.Stored);
  EXPECT_FALSE(record.BreakPoint);
  EXPECT_EQ(record.BreakCount, -1);
  EXPECT_EQ(record.BreakCond, L"nonsense");
}

}  // namespace
}  // namespace tarnvelock

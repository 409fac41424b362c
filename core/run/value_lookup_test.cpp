// A hover on a reference shows what that reference yields at the stop:
// inside a block the percent form and the exclamation form differ, FOR
// variables keep their case, and the panes' display options change nothing.
#include "core/run/value_lookup.h"

#include <gtest/gtest.h>

#include "core/run/pane_fakes_for_tests.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

class ValueLookupTest : public ::testing::Test, protected PanesOverDisk {
 protected:
  ValueLookupTest() {
    doc.BatchPath = L"/work/job.bat";
    doc.GlobalNames = {L"Count", L"Name"};
    // In a block that was entered while Count was 1 and Name was "a b".
    disk.Create(L"/_dbgAktPara0.txt", "0=job\r\n1=first arg\r\n");
    disk.Create(L"/_dbgAktLSets0.txt", "ki=lower\r\ngI=upper\r\nkj=%j\r\n");
    disk.Create(L"/_dbgAktGSets.txt", "CD=/w\r\nERRORLEVEL=2\r\nCount=3\r\nName=a b\r\n");
    disk.Create(L"/_dbgAltGSets0.txt", "CD=/w\r\nERRORLEVEL=2\r\nCount=1\r\nName=a b\r\n");
  }

  std::optional<std::wstring> At(std::wstring_view reference) {
    return LookupValue(panes, reference);
  }
};

TEST_F(ValueLookupTest, EachFormOfReferenceYieldsWhatTheBatchWouldSee) {
  for (const bool percent : {false, true}) {
    for (const bool blanks : {false, true}) {
      panes.SetShowPercent(percent, false);
      panes.SetShowBlanks(blanks, false);
      panes.FillAtStop(0);
      SCOPED_TRACE(testing::Message() << "percent " << percent << " blanks " << blanks);
      EXPECT_EQ(At(L"%Count%"), L"1") << "the value at block entry";
      EXPECT_EQ(At(L"count"), L"1");
      EXPECT_EQ(At(L"!COUNT!"), L"3") << "the current value";
      EXPECT_EQ(At(L"%Name%"), L"a b");
      EXPECT_EQ(At(L" %%i "), L"lower");
      EXPECT_EQ(At(L"%%I"), L"upper");
      EXPECT_EQ(At(L"%i"), L"lower");
      EXPECT_EQ(At(L"%1"), L"first arg");
      EXPECT_EQ(At(L"%0"), L"/work/job.bat");
      EXPECT_EQ(At(L"ERRORLEVEL"), L"2");
      EXPECT_EQ(At(L"%CD%"), L"/w");
    }
  }
}

TEST_F(ValueLookupTest, UnknownOrInactiveVariablesHaveNoValue) {
  panes.FillAtStop(0);
  EXPECT_EQ(At(L"%%j"), std::nullopt) << "not active at this stop";
  EXPECT_EQ(At(L"%2"), std::nullopt);
  EXPECT_EQ(At(L"%Other%"), std::nullopt) << "not a watched global";
  EXPECT_EQ(At(L""), std::nullopt);
  EXPECT_EQ(At(L"%%"), std::nullopt);
  EXPECT_EQ(At(L"echo %Count%"), std::nullopt);
}

}  // namespace
}  // namespace tarnvelock

#include "core/base/condition_text.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(ReplaceCmdCmdLine, ReplacesEveryOccurrenceInAnyCase) {
  EXPECT_EQ(ReplaceCmdCmdLine(L"echo %cmdCmdLine% x %CMDCMDLINE%"), L"echo %ComSpec% x %ComSpec%");
  EXPECT_EQ(ReplaceCmdCmdLine(L"%CMDCMDLINE"), L"%CMDCMDLINE");
  EXPECT_EQ(ReplaceCmdCmdLine(L""), L"");
  // The replacement itself is not searched again.
  EXPECT_EQ(ReplaceCmdCmdLine(L"%%CMDCMDLINE%%"), L"%%ComSpec%%");
}

TEST(CondToBatch, WrapsConditionIntoIfLineAndExit) {
  EXPECT_EQ(CondToBatch(L"%x%==1"), L"@if %x%==1 set _dbgBC=0\r\n@exit /b");
  EXPECT_EQ(CondToBatch(L" a "), L"@if  a  set _dbgBC=0\r\n@exit /b");
}

TEST(BindForVariables, BindsConditionVariable) {
  EXPECT_EQ(BindForVariables(CondToBatch(L"%%a==2")),
            L"@for %%a in (%_dbgFORka%) do @if %%a==2 set _dbgBC=0\r\n@exit /b");
  EXPECT_EQ(BindForVariables(L"echo %%B"), L"@for %%B in (%_dbgFORgB%) do echo %%B");
}

TEST(BindForVariables, LeavesTextWithoutForVariablesAloneButForCmdCmdLine) {
  EXPECT_EQ(BindForVariables(L"echo 100% sure %CmdCmdLine%"), L"echo 100% sure %ComSpec%");
  EXPECT_EQ(BindForVariables(L""), L"");
}

TEST(BindForVariables, BindsEachVariableWithTheLaterOneOutermost) {
  EXPECT_EQ(BindForVariables(L"%%a==%%b"),
            L"@for %%b in (%_dbgFORkb%) do @for %%a in (%_dbgFORka%) do %%a==%%b");
}

TEST(BindForVariables, BindsRepeatedVariableOnceAndStillFindsLaterOnes) {
  EXPECT_EQ(BindForVariables(L"%%a==%%a"), L"@for %%a in (%_dbgFORka%) do %%a==%%a");
  // A repeat of the variable just bound must not hide the one that follows it.
  EXPECT_EQ(BindForVariables(L"%%a==%%a if %%c==1"),
            L"@for %%c in (%_dbgFORkc%) do @for %%a in (%_dbgFORka%) do %%a==%%a if %%c==1");
}

TEST(BindForVariables, SkipsModifiersToTheVariableLetter) {
  EXPECT_EQ(BindForVariables(L"echo %%~nxf"), L"@for %%f in (%_dbgFORkf%) do echo %%~nxf");
  EXPECT_EQ(BindForVariables(L"%%~a.x"), L"@for %%a in (%_dbgFORka%) do %%~a.x");
  EXPECT_EQ(BindForVariables(L"%%~dpF %%G"),
            L"@for %%G in (%_dbgFORgG%) do @for %%F in (%_dbgFORgF%) do %%~dpF %%G");
}

TEST(BindForVariables, DanglingPercentsAtTheEndAreLeftAlone) {
  EXPECT_EQ(BindForVariables(L"echo %%"), L"echo %%");
  EXPECT_EQ(BindForVariables(L"echo %%~"), L"echo %%~");
}

}  // namespace
}  // namespace tarnvelock

// The stop signal file's lines and what is made of short or damaged ones.
#include "core/run/stop_signal.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(StopSignalTest, SixLinesAsTheBatchWritesThem) {
  const StopSignal s =
      ParseStopSignal({L"2", L"ECHO ist eingeschaltet (ON).", L"3", L"1", L"4", L"9"});
  EXPECT_EQ(s.CallDepth, 2);
  EXPECT_TRUE(s.EchoOn);
  EXPECT_EQ(s.ErrorLevel, 3);
  EXPECT_FALSE(s.BadErrorLevel);
  EXPECT_EQ(s.Klammer, 1);
  EXPECT_EQ(s.Local, 4);
  EXPECT_EQ(s.StopCode, 9);
  EXPECT_TRUE(s.Complete);
}

TEST(StopSignalTest, TheSeventhLineIsTheErrorLevelOfTheCheckBefore) {
  const StopSignal s = ParseStopSignal({L"0", L"x", L"3", L"0", L"0", L"9", L"0"});
  EXPECT_EQ(s.ErrorLevelBefore, 0);
  EXPECT_FALSE(ParseStopSignal({L"0", L"x", L"3", L"0", L"0", L"9"}).ErrorLevelBefore);
  EXPECT_FALSE(ParseStopSignal({L"0", L"x", L"3", L"0", L"0", L"9", L"ECHO"}).ErrorLevelBefore);
}

TEST(StopSignalTest, EchoIsOnForTheBracketedOnOrTheEnglishMessage) {
  auto echo = [](const wchar_t* line) {
    return ParseStopSignal({L"0", line, L"0", L"0", L"0", L"1"}).EchoOn;
  };
  EXPECT_FALSE(echo(L"ECHO ist ausgeschaltet (OFF)."));
  EXPECT_TRUE(echo(L"ECHO is on."));
  EXPECT_FALSE(echo(L"ECHO is off."));
  EXPECT_FALSE(echo(L"ECHO is on. "));
  EXPECT_FALSE(echo(L"ECHO ist eingeschaltet (on)."));
  EXPECT_FALSE(echo(L"ECHO ist eingeschaltet (ON). "));
  EXPECT_TRUE(echo(L"ECHO est activ\u00E9 (ON)."));
}

TEST(StopSignalTest, ErrorLevelThatIsNoNumberIsTheBadValue) {
  const StopSignal s = ParseStopSignal({L"0", L"x", L"abc", L"0", L"0", L"1"});
  EXPECT_EQ(s.ErrorLevel, kBadErrorLevel);
  EXPECT_TRUE(s.BadErrorLevel);
  // A hidden ERRORLEVEL is the batch's normal output, not a damaged file.
  EXPECT_TRUE(s.Complete);
  EXPECT_EQ(ParseStopSignal({L"0", L"x", L"-1", L"0", L"0", L"1"}).ErrorLevel, -1);
}

TEST(StopSignalTest, ShortOrDamagedFileKeepsDefaultsAndSaysSo) {
  const StopSignal short_file = ParseStopSignal({L"1", L"ECHO (ON)."});
  EXPECT_FALSE(short_file.Complete);
  EXPECT_EQ(short_file.CallDepth, 1);
  EXPECT_TRUE(short_file.EchoOn);
  EXPECT_EQ(short_file.ErrorLevel, 0);
  EXPECT_FALSE(short_file.BadErrorLevel);

  const StopSignal damaged = ParseStopSignal({L"..\\x", L"", L"0", L"(", L"1a", L""});
  EXPECT_FALSE(damaged.Complete);
  EXPECT_EQ(damaged.CallDepth, 0);
  EXPECT_EQ(damaged.Klammer, 0);
  EXPECT_EQ(damaged.Local, 0);
  EXPECT_EQ(damaged.StopCode, 0);

  EXPECT_FALSE(ParseStopSignal({}).Complete);
}

}  // namespace
}  // namespace tarnvelock

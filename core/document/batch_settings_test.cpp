#include "core/document/batch_settings.h"

#include <gtest/gtest.h>

#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

DebugDocument DocumentWithLines(int count) {
  DebugDocument doc;
  for (int i = 0; i < count; ++i) doc.Items.push_back({L"echo " + std::to_wstring(i), 0});
  doc.Items.push_back({std::wstring(kEndOfFileLine), 0});
  doc.Records.resize(count + 1);
  doc.Records[count].IgnoreZeile = true;
  doc.MaxCurZeile = count;
  doc.BatchDir = L"/b/";
  doc.StartDir = L"/b/";
  doc.IniPath = L"/b/job.bat.ini";
  return doc;
}

DebugDocument MarkedDocument() {
  DebugDocument doc = DocumentWithLines(14);
  doc.StartDir = L"/work dir";
  doc.StartUp = L"set X=1";
  doc.GlobalAdds = L"PATH TEMP";
  doc.NaviString = L"::-";
  doc.Master = L"m";
  doc.Options.VarWidth = 250;
  doc.Options.LogWidth = 200;
  doc.Options.GlobalHeight = 120;
  doc.Options.Prozent0 = true;
  doc.Options.Parameters = L"\"a b\" c";
  doc.Options.LogLinesShow = false;  // always written as on
  doc.Options.LogReturns = true;
  doc.Records[1].IgnoreZeile = true;
  doc.Records[3].IgnoreZeile = true;
  doc.Records[2].NoDebugZeile = true;
  doc.Records[12].BreakPoint = true;
  doc.Records[12].BreakCount = 3;
  doc.Records[12].BreakCond = L"\"%x%\"==\"1\"";
  doc.Records[4].BreakPoint = true;  // toggled on: count 0, no condition
  doc.Records[5].ErrLevelOK = -3;
  doc.Records[0].ErrLevelOK = 2;
  doc.Records[7].StdErrOK = true;
  doc.Records[9].Navigation = true;
  doc.Records[14].BreakPoint = true;  // the sentinel is never written
  doc.Records[14].Navigation = true;
  return doc;
}

constexpr std::string_view kMarkedFile =
    "[Main]\r\nVersion=1.1\r\nVarWidth=250\r\nLogWidth=200\r\nGlobalHeight=120\r\nProzent0=1\r\n"
    "GlobalAdds=PATH TEMP\r\n"
    "[Run]\r\nMaster=m\r\nStartDir=/work dir\r\nParameters=\xC3\x9E"
    "a b\xC3\x9E c\r\nStartUp=set X=1\r\nStopOnErr=1\r\nFormatAnsi=0\r\nEnableBreak=0\r\n"
    "EchoOn=0\r\nEventLog=1101100000\r\nIgnore=1 3 \r\nNoDebug=2 \r\nEcho=\r\n"
    "StdErrOK=7 \r\nNaviString=::-\r\nNavigation=9 \r\n"
    "[BreakPoint4]\r\nBreakCount=0\r\n"
    "[BreakPoint12]\r\nBreakCount=3\r\nBreakCond=\"%x%\"==\"1\"\r\n"
    "[ErrLine0]\r\nErrLevelOK=2\r\n"
    "[ErrLine5]\r\nErrLevelOK=-3\r\n";

TEST(BatchSettingsTest, WritesEveryKeyInItsOrder) {
  VirtualFileSystem fs;
  EXPECT_TRUE(fs.CreateDirectory(L"/b"));
  ASSERT_TRUE(WriteBatchSettings(fs, MarkedDocument()));
  EXPECT_EQ(fs.Contents(L"/b/job.bat.ini"), kMarkedFile);
}

TEST(BatchSettingsTest, ReadingBackRestoresMarksAndValues) {
  VirtualFileSystem fs;
  EXPECT_TRUE(fs.CreateDirectory(L"/work dir"));
  const DebugDocument written = MarkedDocument();
  DebugDocument doc = DocumentWithLines(14);
  doc.Options.ParameterHistory = {L"old", L"\"a b\" c"};
  EXPECT_TRUE(ApplyBatchSettings(BatchSettingsIni(written), fs, L"default", doc));

  // Everything read comes back out unchanged.
  EXPECT_EQ(BatchSettingsIni(doc).Text(), BatchSettingsIni(written).Text());
  EXPECT_FALSE(doc.Records[14].BreakPoint);
  EXPECT_EQ(doc.Records[12].BreakCondX, L"@if \"%x%\"==\"1\" set _dbgBC=0\r\n@exit /b");
  EXPECT_EQ(doc.Options.Parameters, L"\"a b\" c");
  EXPECT_EQ(doc.Options.ParameterHistory, (std::vector<std::wstring>{L"\"a b\" c", L"old"}));
  EXPECT_TRUE(doc.Options.LogLinesShow);
}

TEST(BatchSettingsTest, MissingFileGivesDefaults) {
  VirtualFileSystem fs;
  DebugDocument doc = DocumentWithLines(3);
  doc.Options.VarWidth = 77;
  doc.Options.Prozent0 = true;  // left over from the previous batch
  doc.Options.StopOnErr = false;
  doc.Options.LogAdds = false;
  EXPECT_FALSE(ApplyBatchSettings(IniFile(), fs, L"@echo.start", doc));
  EXPECT_EQ(doc.Options.VarWidth, 77);
  EXPECT_FALSE(doc.Options.Prozent0);
  EXPECT_TRUE(doc.Options.StopOnErr);
  EXPECT_EQ(doc.StartUp, L"@echo.start");
  EXPECT_EQ(doc.StartDir, L"/b/");
  EXPECT_TRUE(doc.Options.LogCalls && !doc.Options.LogReturns && !doc.Options.LogLines &&
              doc.Options.LogLinesShow && doc.Options.LogAdds);
  EXPECT_TRUE(doc.Options.ParameterHistory.empty());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(doc.Records[i].HasUserAttributes());
}

TEST(BatchSettingsTest, BadValuesAreSkipped) {
  VirtualFileSystem fs;
  DebugDocument doc = DocumentWithLines(5);
  const IniFile ini = IniFile::Parse(
      L"[Main]\nVarWidth=wide\nProzent0=yes\n"
      L"[Run]\nStartDir=/gone\nStopOnErr=x\nEventLog=1\n"
      L"Ignore=1 x -2 5 99 0x2  3\nNoDebug=  \nEcho=4 4\nNavigation=abc\n"
      L"[BreakPoint1]\nBreakCount=many\n[BreakPoint5]\nBreakCount=2\n[BreakPoint-1]\n"
      L"[BreakPoint02]\n[ErrLine3]\nErrLevelOK=?\n[ErrLine4]\nErrLevelOK=0x10\n");
  doc.Options.VarWidth = 10;
  EXPECT_TRUE(ApplyBatchSettings(ini, fs, L"", doc));
  EXPECT_EQ(doc.Options.VarWidth, 10);
  EXPECT_FALSE(doc.Options.Prozent0);
  EXPECT_TRUE(doc.Options.StopOnErr);
  EXPECT_EQ(doc.StartDir, L"/b/");
  EXPECT_TRUE(doc.Options.LogCalls);
  EXPECT_FALSE(doc.Options.LogLinesShow || doc.Options.LogAdds);

  std::vector<int> ignored;
  for (int i = 0; i <= 5; ++i) {
    if (doc.Records[i].IgnoreZeile) ignored.push_back(i);
  }
  EXPECT_EQ(ignored, (std::vector<int>{1, 2, 3, 5}));  // 5 is the sentinel's own flag
  EXPECT_TRUE(doc.Records[4].EchoZeile);
  EXPECT_TRUE(doc.Records[1].BreakPoint);
  EXPECT_EQ(doc.Records[1].BreakCount, 1);
  EXPECT_FALSE(doc.Records[2].BreakPoint);
  EXPECT_FALSE(doc.Records[5].BreakPoint);
  EXPECT_EQ(doc.Records[3].ErrLevelOK, 0);
  EXPECT_EQ(doc.Records[4].ErrLevelOK, 16);
  for (const LineRecord& record : doc.Records) EXPECT_FALSE(record.Navigation);
}

TEST(BatchSettingsTest, ParameterThornComesBackAsQuote) {
  VirtualFileSystem fs;
  DebugDocument doc = DocumentWithLines(1);
  ApplyBatchSettings(IniFile::Parse(L"[Run]\nParameters=\u00DEx\u00DE"), fs, L"", doc);
  EXPECT_EQ(doc.Options.Parameters, L"\"x\"");
}

TEST(BatchSettingsTest, PaneSizesStayInsideTheWindow) {
  BatchOptions options;
  options.VarWidth = 400;
  options.LogWidth = 100;
  options.GlobalHeight = 500;
  LimitPaneSizes(options, 1001, 301);
  EXPECT_EQ(options.VarWidth, 250);
  EXPECT_EQ(options.LogWidth, 100);
  EXPECT_EQ(options.GlobalHeight, 240);
}

}  // namespace
}  // namespace tarnvelock

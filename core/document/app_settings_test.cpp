#include "core/document/app_settings.h"

#include <gtest/gtest.h>

#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

TEST(AppSettingsTest, WritesEveryKeyInItsOrder) {
  AppSettings s;
  s.TmpPath = L"/tmp/";
  s.LastFile = L"/home/ülla/job.bat";
  s.Left = 10;
  s.Top = 20;
  s.Width = 800;
  s.Height = 600;
  s.ConsoleLeft = 5;
  s.ConsoleTop = 6;
  VirtualFileSystem fs;
  fs.Create(L"/opt/t/tarnvelock", "");
  ASSERT_TRUE(WriteAppSettings(fs, AppSettingsPath(L"/opt/t/"), s));
  EXPECT_EQ(fs.Contents(L"/opt/t/Tarnvelock.ini"),
            "[Tarnvelock]\r\nVersion=1.1\r\nLanguage=0\r\nTmpPath=/tmp/\r\n"
            "LastFile=/home/\xC3\xBClla/job.bat\r\nFontSize=10\r\nEditor=notepad.exe %n\r\n"
            "Width=800\r\nLeft=10\r\nTop=20\r\nHeight=600\r\nScrollBar=1\r\nPercent=0\r\n"
            "Blanks=1\r\nRems=0\r\n"
            "[Cmd]\r\nStartUp=@echo.No Startup-Command defined&echo.\r\nLeft=5\r\nTop=6\r\n");
}

TEST(AppSettingsTest, MaximizedWindowKeepsOnlyWidthMinusOne) {
  AppSettings s;
  s.Maximized = true;
  const IniFile ini = AppSettingsIni(s);
  EXPECT_EQ(ini.GetInt(L"Tarnvelock", L"Width"), -1);
  EXPECT_FALSE(ini.Get(L"Tarnvelock", L"Left") || ini.Get(L"Tarnvelock", L"Top") ||
               ini.Get(L"Tarnvelock", L"Height"));

  AppSettings designed;
  const AppSettings back = ReadAppSettings(
      IniFile::Parse(L"[Tarnvelock]\nWidth=-1\nLeft=1\nTop=2\nHeight=3\n"), designed);
  EXPECT_TRUE(back.Maximized);
  EXPECT_EQ(back.Left, designed.Left);
  EXPECT_EQ(back.Height, designed.Height);
}

TEST(AppSettingsTest, ReadingRoundTripsAndFallsBackToDesignedValues) {
  AppSettings s;
  s.TmpPath = L"/var/tmp/";
  s.LastFile = L"/a b/c.cmd";
  s.FontSize = 14;
  s.Editor = L"vi +%z %n";
  s.Left = 500;
  s.Top = 400;
  s.Blanks = false;
  s.Rems = true;
  s.DefaultStartUp = L"set A=1";
  s.ConsoleLeft = 7;
  const AppSettings back = ReadAppSettings(AppSettingsIni(s), AppSettings());
  EXPECT_EQ(back.TmpPath, s.TmpPath);
  EXPECT_EQ(back.LastFile, s.LastFile);
  EXPECT_EQ(back.FontSize, 14);
  EXPECT_EQ(back.Editor, s.Editor);
  EXPECT_EQ(back.Left, 500);
  EXPECT_FALSE(back.Blanks);
  EXPECT_TRUE(back.Rems);
  EXPECT_EQ(back.DefaultStartUp, s.DefaultStartUp);
  EXPECT_EQ(back.ConsoleLeft, 7);

  AppSettings designed;
  designed.TmpPath = L"/tmp/";
  const AppSettings fresh = ReadAppSettings(
      IniFile::Parse(L"[Tarnvelock]\nLeft=150\nTop=x\nFontSize=big\n[Cmd]\nTop=oops\n"), designed);
  EXPECT_EQ(fresh.TmpPath, L"/tmp/");
  EXPECT_EQ(fresh.Editor, L"notepad.exe %n");
  EXPECT_EQ(fresh.FontSize, designed.FontSize);
  EXPECT_EQ(fresh.Top, designed.Top);
  EXPECT_EQ(fresh.ConsoleLeft, 0);  // 150 - 200, at least 0
  EXPECT_EQ(fresh.ConsoleTop, 11);  // 111 - 100
  EXPECT_TRUE(fresh.ScrollBar);
}

}  // namespace
}  // namespace tarnvelock

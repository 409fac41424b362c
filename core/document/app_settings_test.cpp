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
  s.Editor = L"notepad.exe %n";
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

TEST(AppSettingsTest, ReadingFallsBackToDesignedValuesAndHonoursMaximized) {
  AppSettings maximized;
  maximized.Maximized = true;
  const IniFile ini = AppSettingsIni(maximized);
  EXPECT_EQ(ini.GetInt(L"Tarnvelock", L"Width"), -1);
  EXPECT_FALSE(ini.Get(L"Tarnvelock", L"Left") || ini.Get(L"Tarnvelock", L"Height"));

  AppSettings designed;
  designed.TmpPath = L"/tmp/";
  const AppSettings back = ReadAppSettings(
      IniFile::Parse(L"[Tarnvelock]\nWidth=-1\nLeft=1\nHeight=3\nEditor=vi %n\nFontSize=big\n"),
      designed);
  EXPECT_TRUE(back.Maximized);
  EXPECT_EQ(back.Left, designed.Left);
  EXPECT_EQ(back.Height, designed.Height);
  EXPECT_EQ(back.Editor, L"vi %n");
  EXPECT_EQ(back.FontSize, designed.FontSize);
  EXPECT_EQ(back.TmpPath, L"/tmp/");
  EXPECT_EQ(back.ConsoleLeft, 100);  // 200 left of the main window
  EXPECT_EQ(back.ConsoleTop, 11);

  const AppSettings near_edge =
      ReadAppSettings(IniFile::Parse(L"[Tarnvelock]\nLeft=150\n[Cmd]\nTop=7\n"), designed);
  EXPECT_EQ(near_edge.ConsoleLeft, 0);
  EXPECT_EQ(near_edge.ConsoleTop, 7);
}

TEST(AppSettingsTest, KeepOnDesktopMovesBackInStepsOfOneHundred) {
  AppSettings s;
  s.Left = 1900;
  s.Top = -40;
  s.Width = 800;
  s.Height = 600;
  s.ConsoleLeft = 1850;
  s.ConsoleTop = 1000;
  KeepOnDesktop(s, 1920, 1080);
  EXPECT_EQ(s.Left, 1100);  // right edge 1900 is on the desktop again
  EXPECT_EQ(s.Top, 100);    // a negative top becomes 100
  EXPECT_EQ(s.ConsoleLeft, 1750);
  EXPECT_EQ(s.ConsoleTop, 900);

  // A window wider than the desktop cannot fit: the loop must end anyway.
  AppSettings wide;
  wide.Left = 0;
  wide.Width = 5000;
  wide.ConsoleLeft = 10;
  KeepOnDesktop(wide, 1024, 768);
  EXPECT_LE(wide.Left, 0);
  EXPECT_EQ(wide.ConsoleLeft, 10);

  // A maximized window keeps its restored bounds untouched.
  AppSettings maximized;
  maximized.Maximized = true;
  maximized.Left = 5000;
  KeepOnDesktop(maximized, 1024, 768);
  EXPECT_EQ(maximized.Left, 5000);
}

}  // namespace
}  // namespace tarnvelock

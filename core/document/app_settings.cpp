// Reading and writing the application settings file.
#include "core/document/app_settings.h"

#include <algorithm>

#include "core/document/product.h"

namespace tarnvelock {

namespace {

constexpr std::wstring_view kApp = kProductName;
constexpr std::wstring_view kCmd = L"Cmd";

}  // namespace

std::wstring AppSettingsPath(const std::wstring& exe_dir) {
  return exe_dir + L"Tarnvelock.ini";
}

AppSettings ReadAppSettings(const IniFile& ini, const AppSettings& designed) {
  AppSettings s = designed;
  s.TmpPath = ini.Get(kApp, L"TmpPath").value_or(designed.TmpPath);
  s.LastFile = ini.Get(kApp, L"LastFile").value_or(L"");
  s.FontSize = ini.GetInt(kApp, L"FontSize").value_or(designed.FontSize);
  s.Editor = ini.Get(kApp, L"Editor").value_or(designed.Editor);
  const auto width = ini.GetInt(kApp, L"Width");
  s.Maximized = width == -1;
  if (!s.Maximized) {
    s.Width = width.value_or(designed.Width);
    s.Left = ini.GetInt(kApp, L"Left").value_or(designed.Left);
    s.Top = ini.GetInt(kApp, L"Top").value_or(designed.Top);
    s.Height = ini.GetInt(kApp, L"Height").value_or(designed.Height);
  }
  s.ScrollBar = ini.GetBool(kApp, L"ScrollBar").value_or(designed.ScrollBar);
  s.Percent = ini.GetBool(kApp, L"Percent").value_or(designed.Percent);
  s.Blanks = ini.GetBool(kApp, L"Blanks").value_or(designed.Blanks);
  s.Rems = ini.GetBool(kApp, L"Rems").value_or(designed.Rems);
  s.DefaultStartUp = ini.Get(kCmd, L"StartUp").value_or(designed.DefaultStartUp);
  s.ConsoleLeft = ini.GetInt(kCmd, L"Left").value_or(std::max(s.Left - 200, 0));
  s.ConsoleTop = ini.GetInt(kCmd, L"Top").value_or(std::max(s.Top - 100, 0));
  return s;
}

IniFile AppSettingsIni(const AppSettings& s) {
  IniFile ini;
  ini.Set(kApp, L"Version", kProductVersion);
  ini.SetInt(kApp, L"Language", 0);
  ini.Set(kApp, L"TmpPath", s.TmpPath);
  ini.Set(kApp, L"LastFile", s.LastFile);
  ini.SetInt(kApp, L"FontSize", s.FontSize);
  ini.Set(kApp, L"Editor", s.Editor);
  if (s.Maximized) {
    ini.SetInt(kApp, L"Width", -1);
  } else {
    ini.SetInt(kApp, L"Width", s.Width);
    ini.SetInt(kApp, L"Left", s.Left);
    ini.SetInt(kApp, L"Top", s.Top);
    ini.SetInt(kApp, L"Height", s.Height);
  }
  ini.SetBool(kApp, L"ScrollBar", s.ScrollBar);
  ini.SetBool(kApp, L"Percent", s.Percent);
  ini.SetBool(kApp, L"Blanks", s.Blanks);
  ini.SetBool(kApp, L"Rems", s.Rems);
  ini.Set(kCmd, L"StartUp", s.DefaultStartUp);
  ini.SetInt(kCmd, L"Left", s.ConsoleLeft);
  ini.SetInt(kCmd, L"Top", s.ConsoleTop);
  return ini;
}

void KeepOnDesktop(AppSettings& settings, int desktop_width, int desktop_height) {
  constexpr int kStep = 100;
  if (!settings.Maximized) {
    while (settings.Left + settings.Width > desktop_width && settings.Left > -settings.Width) {
      settings.Left -= kStep;
    }
    while (settings.Top + settings.Height > desktop_height && settings.Top > -settings.Height) {
      settings.Top -= kStep;
    }
    if (settings.Top < 0) settings.Top = kStep;
  }
  while (settings.ConsoleLeft > desktop_width - kStep && settings.ConsoleLeft > 0) {
    settings.ConsoleLeft -= kStep;
  }
  while (settings.ConsoleTop > desktop_height - kStep && settings.ConsoleTop > 0) {
    settings.ConsoleTop -= kStep;
  }
}

IoStatus WriteAppSettings(FileSystem& fs, const std::wstring& path, const AppSettings& settings) {
  return WriteIniFile(fs, path, AppSettingsIni(settings));
}

}  // namespace tarnvelock

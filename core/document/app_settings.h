// The application settings file beside the program ("Tarnvelock.ini"): the
// temporary base directory, the last batch, the editor command, the main
// window's place and a few view options. Read once at start, written afresh
// when the main window closes.
#pragma once

#include <string>

#include "core/document/ini_file.h"
#include "platform/desktop_editor.h"
#include "platform/file_system.h"
#include "platform/io_status.h"

namespace tarnvelock {

struct AppSettings {
  std::wstring TmpPath;   // base of the temporary directory; empty = the system's
  std::wstring LastFile;  // the batch open at the end; empty when none
  int FontSize = 10;      // points of the source font
  std::wstring Editor = DefaultEditorTemplate();  // the external editor's command template
  // The main window; while Maximized the other four keep the restored bounds.
  bool Maximized = false;
  int Left = 300;
  int Top = 111;
  int Width = 1095;
  int Height = 611;
  bool ScrollBar = true;  // the source view may show its vertical scroll bar
  bool Percent = false;   // "Show &Percent"
  bool Blanks = true;     // "Show &Blanks"
  bool Rems = false;      // Replace "::" to "REM"
  std::wstring DefaultStartUp = L"@echo.No Startup-Command defined&echo.";
  int ConsoleLeft = 0;  // where the batch's console window opens
  int ConsoleTop = 0;
};

// ExeDir + "Tarnvelock.ini".
std::wstring AppSettingsPath(const std::wstring& exe_dir);

// The settings in ini; a missing or bad value takes the one of designed. The
// console position defaults to 200 left of and 100 above the main window, at
// least 0.
AppSettings ReadAppSettings(const IniFile& ini, const AppSettings& designed);

// The file's content: every key in its order; a maximized window is written
// as Width -1 without Left, Top and Height.
IniFile AppSettingsIni(const AppSettings& settings);

// Keeps the main window and the console on a desktop of the given size:
// moved back in steps of 100 pixels while they stick out to the right or
// below, and a main window above the top edge comes down to 100. (The left
// edge is not corrected.)
void KeepOnDesktop(AppSettings& settings, int desktop_width, int desktop_height);

IoStatus WriteAppSettings(FileSystem& fs, const std::wstring& path, const AppSettings& settings);

}  // namespace tarnvelock

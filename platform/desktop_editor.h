// The external editor a fresh installation starts: the command template
// ("%n" the quoted batch path, "%z" the 1-based cursor line) used until the
// application settings file names another.
#pragma once

#include <string>

namespace tarnvelock {

// "notepad.exe %n" on Windows; the desktop's opener for the file elsewhere.
std::wstring DefaultEditorTemplate();

}  // namespace tarnvelock

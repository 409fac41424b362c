// The default external editor on POSIX desktops: there is no notepad.exe, so
// the file goes to whatever program the desktop opens it with.
#include "platform/desktop_editor.h"

namespace tarnvelock {

std::wstring DefaultEditorTemplate() {
  return L"xdg-open %n";
}

}  // namespace tarnvelock

// The default external editor on Windows.
#include "platform/desktop_editor.h"

namespace tarnvelock {

std::wstring DefaultEditorTemplate() {
  return L"notepad.exe %n";
}

}  // namespace tarnvelock

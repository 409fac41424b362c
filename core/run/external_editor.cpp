// Building and starting the external editor's command.
#include "core/run/external_editor.h"

#include "core/run/launcher.h"

namespace tarnvelock {

namespace {

constexpr std::wstring_view kFileMark = L"%n";
constexpr std::wstring_view kLineMark = L"%z";

}  // namespace

std::wstring ExternalEditorCommand(std::wstring_view editor_template,
                                   const std::optional<EditorTarget>& target) {
  if (!target) {
    const size_t file = editor_template.find(kFileMark);
    if (file == std::wstring_view::npos || file == 0) return {};
    return std::wstring(editor_template.substr(0, file - 1));
  }
  const std::wstring quoted = L"\"" + target->Path + L"\"";
  const std::wstring line = std::to_wstring(static_cast<std::int64_t>(target->Line) + 1);
  std::wstring command;
  for (size_t pos = 0; pos < editor_template.size();) {
    const std::wstring_view rest = editor_template.substr(pos);
    if (rest.starts_with(kFileMark)) {
      command += quoted;
      pos += kFileMark.size();
    } else if (rest.starts_with(kLineMark)) {
      command += line;
      pos += kLineMark.size();
    } else {
      command += editor_template[pos++];
    }
  }
  return command;
}

void ActionCallEditorExecute(Launcher& launcher, UserView& view, std::wstring_view editor_template,
                             const std::optional<EditorTarget>& target) {
  const std::wstring command = ExternalEditorCommand(editor_template, target);
  // An empty command names no program; the launcher would only fail on it.
  const int started = command.empty() ? -1 : launcher.StartEditor(command);
  if (started != 0) view.ShowMessage(L" Error starting Editor by command\n\n" + command);
}

}  // namespace tarnvelock

// Applying the start-up settings and the command box's "@".
#include "core/document/startup_settings.h"

#include "core/document/history.h"

namespace tarnvelock {

StartupOutcome ApplyStartupSettings(DebugDocument& doc, const FileSystem& fs,
                                    const StartupChoice& choice, StartupHistories& histories) {
  StartupOutcome outcome;
  if (choice.Dir != doc.StartDir) {
    if (fs.DirectoryExists(choice.Dir)) {
      doc.StartDir = choice.Dir;
      AddToHistory(histories.Dir, choice.Dir);
      outcome.StartDirChanged = true;
    } else {
      outcome.Message = L"Directory " + choice.Dir + L" not found!";
    }
  }
  if (choice.Parameters != doc.Options.Parameters) {
    doc.Options.Parameters = choice.Parameters;
    outcome.ParametersChanged = true;
  }
  if (choice.Command != doc.StartUp) {
    doc.StartUp = choice.Command;
    AddToHistory(histories.Cmd, choice.Command);
    outcome.StartUpChanged = true;
  }
  // The batch changes to its directory and runs the command in its header;
  // without a new header the note "take effect after Restart" would not hold.
  if (outcome.StartDirChanged || outcome.StartUpChanged) doc.InstrumentStale = true;
  return outcome;
}

CommandEchoButton EchoButtonFor(std::wstring_view command) {
  CommandEchoButton button;
  button.Enabled = !command.empty();
  button.Down = button.Enabled && command.front() == L'@';
  return button;
}

std::wstring WithCommandEcho(std::wstring_view command, bool down) {
  if (down) {
    if (!command.empty() && command.front() == L'@') return std::wstring(command);
    return L"@" + std::wstring(command);
  }
  const size_t first = command.find_first_not_of(L'@');
  return first == std::wstring_view::npos ? std::wstring() : std::wstring(command.substr(first));
}

std::wstring ParameterForFile(std::wstring_view path) {
  const size_t separator = path.find_last_of(L"\\/");
  const std::wstring name(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
  if (name.find(L' ', 1) != std::wstring::npos) return L"\"" + name + L"\"";
  return name;
}

}  // namespace tarnvelock

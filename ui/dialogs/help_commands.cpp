// The command help and the help file, from the command to the help window.
#include "ui/dialogs/help_commands.h"

#include <QCoreApplication>
#include <QDir>

#include "core/base/exchange_file_names.h"
#include "core/run/command_help.h"
#include "ui/dialogs/help_form.h"

namespace tarnvelock {

namespace {

constexpr wchar_t kHelpNotFound[] = L"Help not found";

}  // namespace

HelpCommands::HelpCommands(QWidget& main_window, DebugSession& session, PromptView& view)
    : QObject(&main_window),
      main_window_(main_window),
      session_(session),
      view_(view),
      help_file_(
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Tarnvelock.txt"))) {
}

void HelpCommands::ActionHelpCommandExecute(bool ask, std::int32_t cursor) {
  Launcher& launcher = session_.Console();
  CommandHelp help(
      SystemFileSystem(), SystemCodePages(), view_,
      [&launcher](const std::wstring& word) { launcher.RunHelp(word); },
      session_.Exchange().TempDir() + std::wstring(kHelpFile));
  const CommandHelp::Result result = help.ForWord(HelpWordOfLine(session_.Doc(), cursor), ask);
  if (result.What == CommandHelp::Outcome::NotFound) view_.ShowMessage(kHelpNotFound);
  if (result.What == CommandHelp::Outcome::Found) Show(result.Lines);
}

void HelpCommands::ActionHelpHelpExecute() {
  const std::optional<std::vector<std::wstring>> lines =
      ReadHelpFile(SystemFileSystem(), SystemCodePages(), help_file_.toStdWString());
  if (!lines) {
    view_.ShowMessage(kHelpNotFound);
    return;
  }
  Show(*lines);
}

void HelpCommands::Show(const std::vector<std::wstring>& lines) {
  if (!form_) form_ = new TFormHelp(&main_window_);
  form_->ShowLines(lines);
}

}  // namespace tarnvelock

// HelpCommands: the Help menu's text commands - the interpreter's help for
// the command of the cursor line or a named one, and the program's help
// file "Tarnvelock.txt" beside the program - shown in the one help window.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "core/run/debug_session.h"
#include "core/run/prompt_view.h"

namespace tarnvelock {

class TFormHelp;

class HelpCommands final : public QObject {
  Q_OBJECT

 public:
  // The help file defaults to ExeDir + "Tarnvelock.txt".
  HelpCommands(QWidget& main_window, DebugSession& session, PromptView& view);

  void SetHelpFile(const QString& path) { help_file_ = path; }
  const QString& HelpFile() const { return help_file_; }

  // "&Actual command" (ask false) and "&Command..." (ask true) for the
  // cursor line.
  void ActionHelpCommandExecute(bool ask, std::int32_t cursor);
  // "&Help": the program's help file.
  void ActionHelpHelpExecute();

  // The help window; null until the first help was shown.
  TFormHelp* Form() const { return form_; }

 private:
  void Show(const std::vector<std::wstring>& lines);

  QWidget& main_window_;
  DebugSession& session_;
  PromptView& view_;
  QString help_file_;
  TFormHelp* form_ = nullptr;
};

}  // namespace tarnvelock

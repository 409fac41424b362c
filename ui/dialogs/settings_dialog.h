// SettingsDialog ("Startup - Settings"): the start directory, the parameters
// and the start-up command of the batch, with their drop-down histories. It
// is made once and kept, so the directory and command histories last as long
// as the program does, whichever batches are opened meanwhile.
#pragma once

#include <QDialog>
#include <QStringList>

#include "core/document/startup_settings.h"

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace tarnvelock {

class SettingsDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit SettingsDialog(QWidget* parent);

  // Runs the dialog on doc's values, the parameter box's text and list
  // standing beside them. Nothing changes unless the person confirms with OK;
  // the outcome says what did. restart_note: a run is under way, so the
  // changes wait for the next one.
  StartupOutcome Edit(DebugDocument& doc, const FileSystem& fs, bool restart_note,
                      const QString& parameters, const QStringList& parameter_list);

  const StartupHistories& Histories() const { return histories_; }

 private:
  void ButtonSelectDirClick();
  void ButtonSelectFileClick();
  void ComboBoxCmdChange();
  void SpeedButtonEchoClick(bool down);
  void SpeedButtonXClick();

  StartupHistories histories_;
  QLabel* label_take_effect_ = nullptr;
  QComboBox* combo_dir_ = nullptr;
  QComboBox* combo_para_ = nullptr;
  QComboBox* combo_cmd_ = nullptr;
  QToolButton* button_echo_ = nullptr;
  QToolButton* button_x_ = nullptr;
};

}  // namespace tarnvelock

// The start-up settings dialog's controls and its choice dialogs.
#include "ui/dialogs/settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarnvelock {

namespace {

constexpr int kBoxCharacters = 44;
const QColor kNoteRed(255, 0, 0);
const QColor kNoteGrey(128, 128, 128);

QLabel* ColouredLabel(const QString& text, const QColor& colour, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QPalette ink = label->palette();
  ink.setColor(QPalette::WindowText, colour);
  label->setPalette(ink);
  return label;
}

QComboBox* HistoryBox(const char* name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMinimumContentsLength(kBoxCharacters);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return box;
}

void ShowList(QComboBox* box, const QStringList& items, const QString& text) {
  box->clear();
  box->addItems(items);
  box->setEditText(text);
}

QStringList ToList(const std::vector<std::wstring>& texts) {
  QStringList list;
  for (const std::wstring& text : texts) list.append(QString::fromStdWString(text));
  return list;
}

// A choice dialog of the file system: title, "Select" and the directory box's folder.
QString ChooseFromFileSystem(QWidget* parent, const QString& title, QFileDialog::FileMode mode,
                             const QString& folder) {
  QFileDialog dialog(parent, title, folder);
  dialog.setObjectName(QStringLiteral("SelectDialog"));
  dialog.setFileMode(mode);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Select"));
  if (mode == QFileDialog::Directory) dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSettings"));
  setWindowTitle(QStringLiteral("Startup - Settings"));

  label_take_effect_ =
      ColouredLabel(QStringLiteral("Changes will take effect after Restart!"), kNoteRed, this);
  label_take_effect_->setObjectName(QStringLiteral("LabelTakeEffect"));
  QSizePolicy keep = label_take_effect_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  label_take_effect_->setSizePolicy(keep);

  combo_dir_ = HistoryBox("ComboBoxDir", this);
  combo_para_ = HistoryBox("ComboBoxPara", this);
  combo_cmd_ = HistoryBox("ComboBoxCmd", this);
  auto* select_dir = new QPushButton(QStringLiteral("Select Dir"), this);
  select_dir->setObjectName(QStringLiteral("ButtonSelectDir"));
  select_dir->setAutoDefault(false);
  auto* select_file = new QPushButton(QStringLiteral("Select File"), this);
  select_file->setObjectName(QStringLiteral("ButtonSelectFile"));
  select_file->setAutoDefault(false);
  button_echo_ = new QToolButton(this);
  button_echo_->setObjectName(QStringLiteral("SpeedButtonEcho"));
  button_echo_->setText(QStringLiteral("@"));
  button_echo_->setToolTip(QStringLiteral("echo command on/off"));
  button_echo_->setCheckable(true);
  button_echo_->setEnabled(false);
  button_x_ = new QToolButton(this);
  button_x_->setObjectName(QStringLiteral("SpeedButtonX"));
  button_x_->setText(QStringLiteral("X"));
  button_x_->setToolTip(QStringLiteral("delete command"));
  for (QToolButton* button : {button_echo_, button_x_}) {
    button->setFixedSize(select_dir->sizeHint().height(), select_dir->sizeHint().height());
  }

  auto* label_dir = new QLabel(QStringLiteral("Directory"), this);
  label_dir->setObjectName(QStringLiteral("LabelDir"));
  label_dir->setBuddy(combo_dir_);
  auto* label_para = new QLabel(QStringLiteral("Parameter"), this);
  label_para->setObjectName(QStringLiteral("LabelParameter"));
  label_para->setBuddy(combo_para_);
  auto* label_cmd = new QLabel(QStringLiteral("Command"), this);
  label_cmd->setObjectName(QStringLiteral("LabelCommand"));
  label_cmd->setBuddy(combo_cmd_);

  auto* command_row = new QHBoxLayout;
  command_row->setSpacing(4);
  command_row->addWidget(combo_cmd_, 1);
  command_row->addWidget(button_echo_);
  command_row->addWidget(button_x_);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->addWidget(label_dir, 0, 0);
  grid->addWidget(combo_dir_, 0, 1);
  grid->addWidget(select_dir, 0, 2);
  grid->addWidget(label_para, 1, 0);
  grid->addWidget(combo_para_, 1, 1);
  grid->addWidget(select_file, 1, 2);
  grid->addWidget(label_cmd, 2, 0);
  grid->addLayout(command_row, 2, 1, 1, 2);
  grid->addWidget(
      ColouredLabel(QStringLiteral("Command to bei executed prior to Batch-File"), kNoteGrey, this),
      3, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtnOkay"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtnCancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_take_effect_);
  layout->addSpacing(4);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(select_dir, &QPushButton::clicked, this, &SettingsDialog::ButtonSelectDirClick);
  connect(select_file, &QPushButton::clicked, this, &SettingsDialog::ButtonSelectFileClick);
  connect(combo_cmd_, &QComboBox::editTextChanged, this, &SettingsDialog::ComboBoxCmdChange);
  connect(button_echo_, &QToolButton::clicked, this, &SettingsDialog::SpeedButtonEchoClick);
  connect(button_x_, &QToolButton::clicked, this, &SettingsDialog::SpeedButtonXClick);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

StartupOutcome SettingsDialog::Edit(DebugDocument& doc, const FileSystem& fs, bool restart_note,
                                    const QString& parameters, const QStringList& parameter_list) {
  label_take_effect_->setVisible(restart_note);
  ShowList(combo_dir_, ToList(histories_.Dir), QString::fromStdWString(doc.StartDir));
  ShowList(combo_para_, parameter_list, parameters);
  ShowList(combo_cmd_, ToList(histories_.Cmd), QString::fromStdWString(doc.StartUp));
  ComboBoxCmdChange();
  combo_dir_->setFocus(Qt::OtherFocusReason);
  if (exec() != QDialog::Accepted) return {};
  const StartupChoice choice{combo_dir_->currentText().toStdWString(),
                             combo_para_->currentText().toStdWString(),
                             combo_cmd_->currentText().toStdWString()};
  return ApplyStartupSettings(doc, fs, choice, histories_);
}

void SettingsDialog::ButtonSelectDirClick() {
  const QString chosen = ChooseFromFileSystem(this, QStringLiteral("Select Directory"),
                                              QFileDialog::Directory, combo_dir_->currentText());
  if (!chosen.isEmpty()) combo_dir_->setEditText(chosen);
}

void SettingsDialog::ButtonSelectFileClick() {
  const QString chosen = ChooseFromFileSystem(this, QStringLiteral("Select File"),
                                              QFileDialog::ExistingFile, combo_dir_->currentText());
  if (chosen.isEmpty()) return;
  combo_para_->setEditText(QString::fromStdWString(ParameterForFile(chosen.toStdWString())));
}

void SettingsDialog::ComboBoxCmdChange() {
  const CommandEchoButton state = EchoButtonFor(combo_cmd_->currentText().toStdWString());
  button_echo_->setEnabled(state.Enabled);
  button_echo_->setChecked(state.Down);
}

void SettingsDialog::SpeedButtonEchoClick(bool down) {
  combo_cmd_->setEditText(
      QString::fromStdWString(WithCommandEcho(combo_cmd_->currentText().toStdWString(), down)));
}

void SettingsDialog::SpeedButtonXClick() {
  combo_cmd_->setEditText(QString());
  ComboBoxCmdChange();
}

}  // namespace tarnvelock

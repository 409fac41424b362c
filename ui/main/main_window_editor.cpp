// The main window's editors: the internal editor pane in place of the source
// view and the log pane, Save and Save as of its text, and the external
// editor. What leaving the editor does with the file and the marks is the
// core's InternalEditor; this file shows it.
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "core/run/external_editor.h"
#include "core/run/internal_editor.h"
#include "platform/code_page.h"
#include "ui/main/editor_pane.h"
#include "ui/main/log_pane.h"
#include "ui/main/main_window.h"
#include "ui/main/source_view.h"
#include "ui/main/status_panels.h"

namespace tarnvelock {

namespace {

QString Q(std::wstring_view text) {
  return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MainWindow::CreateEditorPane() {
  internal_editor_ = std::make_unique<InternalEditor>(session_->Document(), session_->Commands());
  editor_pane_ = new EditorPane(
      [this](const QString& text) {
        const CodePage page = session_->Doc().Encoding;
        const CodePageConverter& pages = SystemCodePages();
        return QString::fromStdWString(pages.Decode(pages.Encode(text.toStdWString(), page), page));
      },
      this);
  columns_->addWidget(editor_pane_);
  editor_pane_->hide();
}

bool MainWindow::InternalEditorOpen() const {
  return internal_editor_->IsOpen();
}

void MainWindow::ActionEditorExecute() {
  if (internal_editor_->IsOpen()) {
    LeaveInternalEditor();
    return;
  }
  const int line = source_->AktCurZeile();
  const QString text = Q(internal_editor_->Open());
  editor_sizes_ = columns_->sizes();
  source_->hide();
  log_->hide();
  editor_pane_->Start(text, source_->Font(), line);
  editor_pane_->show();
  // The editor takes the width of both, the variable column keeps its own.
  if (editor_sizes_.size() == 4) {
    columns_->setSizes({editor_sizes_[0], 0, 0, editor_sizes_[1] + editor_sizes_[2]});
  }
  editor_pane_->setFocus(Qt::OtherFocusReason);
  status_->SetText(0, Q(kInternalEditorStatus));
}

bool MainWindow::LeaveInternalEditor() {
  if (editor_pane_->Modified()) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnvelock"), Q(kSaveQuestion),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("SaveQuestion"));
    const int answer = box.exec();
    if (answer == QMessageBox::Cancel) return false;
    // A save that failed or whose dialog was cancelled keeps the text here.
    if (answer == QMessageBox::Yes && !ActionFileSaveExecute()) return false;
  }
  const int caret = editor_pane_->CaretLine();
  internal_editor_->Leave();
  editor_pane_->hide();
  source_->show();
  log_->show();
  columns_->setSizes(editor_sizes_);
  const DebugDocument& doc = session_->Doc();
  if (doc.Loaded()) source_->SelectLine(std::min(caret, doc.MaxCurZeile));
  FocusKeyTarget();
  PanesChanged();
  return true;
}

bool MainWindow::ActionFileSaveExecute() {
  if (save_name_.isEmpty()) return ActionFileSaveAsExecute();
  const IoStatus saved =
      internal_editor_->Save(save_name_.toStdWString(), editor_pane_->toPlainText().toStdWString());
  if (!saved) {
    ShowMessage(saved.message());
    return false;
  }
  editor_pane_->SetModified(false);
  return true;
}

bool MainWindow::ActionFileSaveAsExecute() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({QStringLiteral("Alle Dateien(*.*) (*)"),
                         QStringLiteral("Batch (*.bat *.cmd)"),
                         QStringLiteral("Tarnvelock (*.vexmorl)")});
  dialog.selectNameFilter(QStringLiteral("Batch (*.bat *.cmd)"));
  if (save_name_.isEmpty()) {
    dialog.setDirectory(open_folder_);
  } else {
    dialog.selectFile(save_name_);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty()) {
    return false;
  }
  save_name_ = QDir::toNativeSeparators(dialog.selectedFiles().value(0));
  return ActionFileSaveExecute();
}

void MainWindow::ActionCallEditorExecute() {
  std::optional<EditorTarget> target;
  if (session_->Run().GetRunState() != RunState::NoFile) {
    target = EditorTarget{session_->Doc().SourcePath, source_->AktCurZeile()};
  }
  tarnvelock::ActionCallEditorExecute(session_->Console(), *this, settings_.Editor, target);
}

}  // namespace tarnvelock

// The help window.
#include "ui/dialogs/help_form.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/dialogs/fixed_font.h"

namespace tarnvelock {

TFormHelp::TFormHelp(QWidget* main_window)
    : QWidget(main_window, Qt::Window), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("FormHelp"));
  setWindowTitle(QStringLiteral("FormHelp"));
  list_->setObjectName(QStringLiteral("ListBoxHelp"));
  list_->setFont(FixedPitchFont(13));
  list_->setUniformItemSizes(true);
  list_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(774, 469);
}

void TFormHelp::ShowLines(const std::vector<std::wstring>& lines) {
  FillLines(*list_, lines);
  // The keyboard starts at the top; nothing is selected until the person moves.
  list_->clearSelection();
  if (list_->count() > 0) list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  list_->scrollToTop();
  if (!placed_ && parentWidget()) {
    placed_ = true;
    QRect frame = geometry();
    frame.moveCenter(parentWidget()->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
  list_->setFocus(Qt::OtherFocusReason);
}

bool TFormHelp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    hide();
    return true;
  }
  return false;
}

}  // namespace tarnvelock

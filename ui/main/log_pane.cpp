// The log pane's list and heading.
#include "ui/main/log_pane.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarnvelock {

LogPane::LogPane(QWidget* parent)
    : QWidget(parent), heading_(new QLabel(this)), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("PanelLog"));
  heading_->setObjectName(QStringLiteral("LabelLog"));
  list_->setObjectName(QStringLiteral("ListBoxLog"));
  list_->setUniformItemSizes(true);
  list_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(heading_);
  layout->addWidget(list_, 1);
}

void LogPane::SetHeading(const QString& heading) {
  heading_->setText(heading);
}
QString LogPane::Heading() const {
  return heading_->text();
}

void LogPane::Show(const std::vector<std::wstring>& entries, int selected) {
  const QSignalBlocker blocker(list_);
  const int rows = static_cast<int>(entries.size());
  while (list_->count() > rows) delete list_->takeItem(list_->count() - 1);
  for (int i = 0; i < rows; ++i) {
    const QString text = QString::fromStdWString(entries[i]);
    if (i < list_->count()) {
      if (list_->item(i)->text() != text) list_->item(i)->setText(text);
    } else {
      list_->addItem(text);
    }
  }
  if (selected >= 0 && selected < rows) {
    list_->setCurrentRow(selected);
    list_->scrollToItem(list_->item(selected));
  } else {
    list_->clearSelection();
  }
}

bool LogPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_->viewport()) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    int row = list_->indexAt(mouse->position().toPoint()).row();
    if (mouse->button() == Qt::RightButton) {
      if (row < 0) row = list_->count() - 1;
      emit menuRequested(row, mouse->globalPosition().toPoint());
      return true;
    }
    if (row >= 0) emit entryClicked(row);
    return true;
  }
  if (event->type() == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const int row = list_->indexAt(mouse->position().toPoint()).row();
    if (row >= 0) emit entryDoubleClicked(row);
    return true;
  }
  return false;
}

}  // namespace tarnvelock

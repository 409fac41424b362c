// Drawing of a variable pane and its clicks.
#include "ui/main/variable_pane_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tarnvelock {

namespace {

// The panes' designed font: Arial, 10 points, rows of 18 pixels.
QFont PaneFont() {
  QFont font(QStringLiteral("Arial"), 10);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

VariablePaneView::VariablePaneView(const QString& object_name, QWidget* parent)
    : QListWidget(parent) {
  setObjectName(object_name);
  setFont(PaneFont());
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void VariablePaneView::Show(const VariablePane& pane) {
  const QSignalBlocker blocker(this);
  const int top = verticalScrollBar()->value();
  const int rows = static_cast<int>(pane.Entries.size());
  while (count() > rows) delete takeItem(count() - 1);
  for (int i = 0; i < rows; ++i) {
    const QString text = QString::fromStdWString(pane.Entries[i].Text);
    if (i < count()) {
      if (item(i)->text() != text) item(i)->setText(text);
    } else {
      auto* row = new QListWidgetItem(text, this);
      row->setSizeHint(QSize(0, 18));
    }
  }
  bool marked = false;
  for (const PaneEntry& entry : pane.Entries) marked = marked || entry.Changed;
  clearSelection();
  setSelectionMode(marked ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
  for (int i = 0; i < rows; ++i) {
    const bool selected = marked ? pane.Entries[i].Changed : i == pane.Selected;
    item(i)->setSelected(selected);
  }
  if (!marked && pane.Selected >= 0 && pane.Selected < rows) {
    setCurrentRow(pane.Selected, QItemSelectionModel::NoUpdate);
  }
  setEnabled(pane.Enabled);
  verticalScrollBar()->setValue(top);
}

void VariablePaneView::keyPressEvent(QKeyEvent* event) {
  // Up, Down, Page and Home/End choose an entry as a click does.
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() >= 0 && currentRow() != before) emit entryClicked(currentRow());
}

void VariablePaneView::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  setFocus(Qt::MouseFocusReason);
  if (index.isValid()) emit entryClicked(index.row());
}

void VariablePaneView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && event->button() == Qt::LeftButton) {
    emit entryDoubleClicked(index.row(), event->modifiers() & Qt::ShiftModifier);
  }
}

}  // namespace tarnvelock

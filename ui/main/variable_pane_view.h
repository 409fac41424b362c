// VariablePaneView: one of the two variable panes (global or local) drawn
// from its core model. The change marks of a stop show as a multiple
// selection; after a click the pane selects one entry again. Clicks, and
// moving to another entry with the keys, go back to the model through the
// main window.
#pragma once

#include <QListWidget>

#include "core/run/variable_panes.h"

namespace tarnvelock {

class VariablePaneView final : public QListWidget {
  Q_OBJECT

 public:
  explicit VariablePaneView(const QString& object_name, QWidget* parent = nullptr);

  // Draws pane, keeping the first visible entry.
  void Show(const VariablePane& pane);

 signals:
  void entryClicked(int index);
  void entryDoubleClicked(int index, bool shift);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace tarnvelock

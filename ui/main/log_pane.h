// LogPane: the pane at the right of the main window with its heading. In
// the run state Ready it lists the navigation entries, otherwise the event
// log; both come from core models, and clicks go back to them through the
// main window.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <string>
#include <vector>

namespace tarnvelock {

class LogPane final : public QWidget {
  Q_OBJECT

 public:
  explicit LogPane(QWidget* parent = nullptr);

  void SetHeading(const QString& heading);
  void Show(const std::vector<std::wstring>& entries, int selected);
  QListWidget* List() const { return list_; }
  QString Heading() const;

 signals:
  void entryClicked(int index);
  void entryDoubleClicked(int index);
  // A right click: the entry under the mouse (at most the last one).
  void menuRequested(int index, const QPoint& global_pos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* heading_;
  QListWidget* list_;
};

}  // namespace tarnvelock

// TFormHelp: the plain window that shows a help text - the interpreter's
// help for a command or the program's help file - one line per list entry
// in a fixed-pitch font. Made on first use, then kept and shown again; not
// modal. Escape hides it.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <string>
#include <vector>

namespace tarnvelock {

class TFormHelp final : public QWidget {
  Q_OBJECT

 public:
  explicit TFormHelp(QWidget* main_window);

  // Replaces the text and shows the window, centred on the main window the
  // first time.
  void ShowLines(const std::vector<std::wstring>& lines);
  QListWidget* ListBoxHelp() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list_;
  bool placed_ = false;
};

}  // namespace tarnvelock

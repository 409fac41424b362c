// ConsoleWindow: the batch's console on systems where the interpreter runs
// on a pseudo-terminal. A top-level window of its own that shows what the
// batch prints - kept by a terminal state machine (libvterm), so carriage
// returns, backspaces, screen clears and colours come out as a terminal
// shows them - and types what the person presses into the batch. Closing it
// by hand ends the interpreter.
#pragma once

#include <QPoint>
#include <QWidget>
#include <string_view>

struct VTerm;
struct VTermScreen;

namespace tarnvelock {

class Launcher;

class ConsoleWindow final : public QWidget {
 public:
  ConsoleWindow(Launcher& launcher, QWidget* owner);
  ~ConsoleWindow() override;

  // The interpreter's output, as it wrote it.
  void Feed(std::string_view bytes);
  // A run's console: shown (at its remembered place) under title.
  void ShowFor(const QString& title);
  void PlaceAt(const QPoint& position);
  // Where the window was when it was last hidden or closed.
  bool Placed() const { return placed_; }
  QPoint LastPosition() const { return last_position_; }
  // The screen's text, one line per row without trailing blanks.
  QString ScreenText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  static int Damage(int start_row, int end_row, int start_col, int end_col, void* user);
  static void Output(const char* bytes, size_t length, void* user);

  Launcher& launcher_;
  VTerm* term_;
  VTermScreen* screen_;
  QFont font_;
  int cell_width_ = 8;
  int cell_height_ = 16;
  bool placed_ = false;
  QPoint last_position_;
};

}  // namespace tarnvelock

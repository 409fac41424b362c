// What the desktop tests share: a private folder for batches and the
// debugger's temporary files, a main window on the real interpreter, waits
// for run states, and answers for the modal boxes the window opens.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "core/document/run_state.h"
#include "ui/main/main_window.h"

namespace tarnvelock {

class UiTestBench {
 public:
  UiTestBench();
  ~UiTestBench();

  // Writes a batch into the folder (lines joined with CR LF) and returns its path.
  QString WriteBatch(const QString& name, const QStringList& lines) const;
  QString Path(const QString& name) const;

  // A main window with the bundled interpreter, started and shown.
  MainWindow& Window();
  void Open(const QString& path);
  void CloseWindow();

  // Polls until the run state is state; false after timeout_ms.
  bool WaitFor(RunState state, int timeout_ms = 15000);
  // Presses key on the source view of the active main window.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Presses key on the source view and waits for the next stop or end.
  bool Step(int key, RunState expected = RunState::Stopped);

 private:
  QTemporaryDir dir_;
  QByteArray old_tmpdir_;
  std::unique_ptr<MainWindow> window_;
};

// The next modal box gets this answer: answer(box) presses its button or
// fills it in. Boxes are answered in the order they are queued.
void AnswerNextModal(std::function<void(QWidget*)> answer);
// Presses the box's button with this text ("OK", "Cancel").
void PressButton(QWidget* box, const QString& text);
// Puts text into an input box and presses OK.
void EnterText(QWidget* box, const QString& text);
// True when every queued answer was used.
bool AllModalsAnswered();
// Drops the answers that were not needed.
void ForgetModalAnswers();

// Interpreters started from this test process that still run.
int LiveInterpreters();

}  // namespace tarnvelock

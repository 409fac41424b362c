// The desktop tests' bench.
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QTest>
#include <QTimer>
#include <deque>

#include "core/run/debug_session.h"
#include "tests/support/leftover_processes.h"
#include "ui/main/source_view.h"

namespace tarnvelock {

namespace {

std::deque<std::function<void(QWidget*)>>& Answers() {
  static std::deque<std::function<void(QWidget*)>> answers;
  return answers;
}

// Looks for an open modal box while answers are queued.
void WatchModals() {
  static QTimer* timer = [] {
    auto* t = new QTimer(qApp);
    t->setInterval(20);
    QObject::connect(t, &QTimer::timeout, [] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box || Answers().empty()) return;
      auto answer = std::move(Answers().front());
      Answers().pop_front();
      answer(box);
    });
    t->start();
    return t;
  }();
  (void)timer;
}

}  // namespace

void AnswerNextModal(std::function<void(QWidget*)> answer) {
  WatchModals();
  Answers().push_back(std::move(answer));
}

bool AllModalsAnswered() {
  return Answers().empty();
}
void ForgetModalAnswers() {
  Answers().clear();
}

void PressButton(QWidget* box, const QString& text) {
  for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
    if (button->text().remove(QLatin1Char('&')) == text) {
      button->click();
      return;
    }
  }
  QFAIL(qPrintable(QStringLiteral("no button ") + text));
}

void EnterText(QWidget* box, const QString& text) {
  auto* input = qobject_cast<QInputDialog*>(box);
  QVERIFY2(input, "the open box is not an input box");
  input->setTextValue(text);
  input->accept();
}

UiTestBench::UiTestBench() : old_tmpdir_(qgetenv("TMPDIR")) {
  // The debugger's temporary directory lies under TMPDIR: keep it private.
  qputenv("TMPDIR", QDir(dir_.path()).filePath(QStringLiteral("tmp")).toUtf8());
  QDir(dir_.path()).mkpath(QStringLiteral("tmp"));
  qunsetenv("ComSpec");
}

UiTestBench::~UiTestBench() {
  CloseWindow();
  qputenv("TMPDIR", old_tmpdir_);
}

QString UiTestBench::Path(const QString& name) const {
  return QDir(dir_.path()).filePath(name);
}

QString UiTestBench::WriteBatch(const QString& name, const QStringList& lines) const {
  QFile file(Path(name));
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
  return file.fileName();
}

MainWindow& UiTestBench::Window() {
  if (!window_) {
    AppSettings settings;
    settings.Left = 10;
    settings.Top = 10;
    settings.Width = 1000;
    settings.Height = 640;
    const std::wstring shell =
        QDir(QStringLiteral(TARNVELOCK_BINARY_DIR "/shell")).absolutePath().toStdWString() + L"/";
    window_ = std::make_unique<MainWindow>(settings, shell);
    window_->Start();
    window_->show();
    (void)QTest::qWaitForWindowExposed(window_.get());
  }
  return *window_;
}

void UiTestBench::Open(const QString& path) {
  // A test that failed half-way leaves its run behind; the next one starts afresh.
  RunControl& run = Window().Session().Run();
  if (run.GetRunState() != RunState::Ready && run.GetRunState() != RunState::NoFile) {
    run.ActionStartResetExecute();
  }
  Window().Session().Document().OpenDocument(path.toStdWString());
  Window().PanesChanged();
}

void UiTestBench::CloseWindow() {
  if (!window_) return;
  window_->close();
  window_.reset();
}

bool UiTestBench::WaitFor(RunState state, int timeout_ms) {
  return QTest::qWaitFor([&] { return Window().Session().Run().GetRunState() == state; },
                         timeout_ms);
}

void UiTestBench::Press(int key, Qt::KeyboardModifiers modifiers) {
  // A window hidden a moment ago (the console, the wait dialog) may still
  // hold the keyboard until the pending activation events have run.
  QCoreApplication::processEvents();
  Window().activateWindow();
  (void)QTest::qWaitFor(
      [this] { return QGuiApplication::focusWindow() == Window().windowHandle(); }, 2000);
  QTest::keyClick(&Window().Source(), static_cast<Qt::Key>(key), modifiers);
}

bool UiTestBench::Step(int key, RunState expected) {
  Press(key);
  return WaitFor(expected);
}

int LiveInterpreters() {
  return static_cast<int>(test::InterpretersRunning({}).size());
}

}  // namespace tarnvelock

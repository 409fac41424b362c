// Pictures of the main window in its three working states, written under
// build/screenshots/ for people to look at (the README shows one).
#include <QDir>
#include <QTest>

#include "core/run/debug_session.h"
#include "ui/main/source_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  void Save(const QString& name) {
    QCoreApplication::processEvents();
    const QString dir = QStringLiteral(TARNVELOCK_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    const QImage image = bench_.Window().grab().toImage();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(QDir(dir).filePath(name)));
  }

 private slots:
  void readyStoppedEnded() {
    const QString batch = QStringLiteral(TARNVELOCK_SOURCE_DIR "/examples/build_release.bat");
    const QString copy = bench_.Path(QStringLiteral("build_release.bat"));
    QVERIFY(QFile::copy(batch, copy));
    bench_.Window().resize(1100, 640);
    bench_.Open(copy);
    bench_.Window().Source().SetLineNumbers(true);
    Save(QStringLiteral("ready.png"));

    RunControl& run = bench_.Window().Session().Run();
    BreakpointProperties every_second;
    every_second.Count = 2;
    QVERIFY(run.SetBreakpointProperties(11, every_second).Stored);
    for (int i = 0; i < 6; ++i) QVERIFY(bench_.Step(Qt::Key_F7));
    Save(QStringLiteral("stopped.png"));

    // Run on to the end; the error of the missing module is answered with OK.
    // (The box opens inside a poll, so it is answered from the queue.)
    for (int i = 0; i < 50; ++i) {
      AnswerNextModal([](QWidget* box) { PressButton(box, QStringLiteral("OK")); });
    }
    QVERIFY(QTest::qWaitFor(
        [&] {
          if (run.GetRunState() == RunState::Stopped) {
            bench_.Step(Qt::Key_F9, RunState::Running);
          }
          return run.GetRunState() == RunState::Ended;
        },
        30000));
    ForgetModalAnswers();
    Save(QStringLiteral("ended.png"));
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::ScreenshotsTest)
#include "screenshots_test.moc"

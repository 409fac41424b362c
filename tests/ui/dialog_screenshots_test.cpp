// Pictures of the breakpoint, wait and start-up settings dialogs, written
// under build/screenshots/ for people to look at.
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/run/debug_session.h"
#include "ui/dialogs/wait_dialog.h"
#include "ui/main/source_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

class DialogScreenshotsTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& W() { return bench_.Window(); }
  static void Save(QWidget* widget, const QString& name) {
    QCoreApplication::processEvents();
    const QString dir = QStringLiteral(TARNVELOCK_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    const QImage image = widget->grab().toImage();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(QDir(dir).filePath(name)));
  }

 private slots:
  void initTestCase() {
    bench_.Open(bench_.WriteBatch(
        QStringLiteral("pictures.bat"),
        {QStringLiteral("@echo off"), QStringLiteral("set n=1"), QStringLiteral("echo %n%")}));
  }

  void breakpointDialog() {
    QTest::mouseClick(W().Source().viewport(), Qt::LeftButton, {},
                      QPoint(200, W().Source().RowRect(2).center().y()));
    AnswerNextModal([](QWidget* box) {
      Save(box, QStringLiteral("breakpoint_dialog.png"));
      auto* condition = box->findChild<QLineEdit*>(QStringLiteral("EditCondX"));
      QTest::keyClicks(condition, QStringLiteral("%n%"));
      box->findChild<QPushButton*>(QStringLiteral("BitBtnOk"))->click();
      Save(box, QStringLiteral("breakpoint_dialog_refused.png"));
      static_cast<QDialog*>(box)->reject();
    });
    bench_.Press(Qt::Key_F5, Qt::ControlModifier);
    QVERIFY(AllModalsAnswered());
  }

  void waitDialog() {
    auto* wait = W().findChild<WaitDialog*>(QStringLiteral("FormWait"));
    QVERIFY(wait);
    wait->SetBreakEnabled(true);
    W().ShowWaitDialog(true);
    QVERIFY(QTest::qWaitForWindowExposed(wait));
    Save(wait, QStringLiteral("wait_dialog.png"));
    W().ShowWaitDialog(false);
    QTRY_VERIFY(W().isActiveWindow());  // the keyboard went back to the main window
  }

  void settingsDialog() {
    QVERIFY(bench_.Step(Qt::Key_F7));  // stopped: the dialog shows its red note
    AnswerNextModal([](QWidget* box) {
      Save(box, QStringLiteral("settings_dialog.png"));
      static_cast<QDialog*>(box)->reject();
    });
    bench_.Press(Qt::Key_F10);
    QVERIFY(AllModalsAnswered());
    bench_.Press(Qt::Key_F2);
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::DialogScreenshotsTest)
#include "dialog_screenshots_test.moc"

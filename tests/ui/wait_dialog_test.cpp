// The wait dialog over whole runs with the real interpreter: shown while the
// batch runs with the slower poll and the blinking arrow, Break (with Enable
// Break) stopping at the next debugged line, Terminate ending the run, and
// no interpreter left behind.
#include "ui/dialogs/wait_dialog.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

#include "core/run/debug_session.h"
#include "core/run/stop_reason.h"
#include "ui/main/source_view.h"
#include "ui/main/status_panels.h"
#include "ui_test_support.h"

namespace tarnvelock {

class WaitDialogTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& W() { return bench_.Window(); }
  RunControl& Run() { return W().Session().Run(); }
  WaitDialog* Wait() { return W().findChild<WaitDialog*>(QStringLiteral("FormWait")); }
  // A loop that runs until it is broken off; line 3 is one long line.
  void OpenLoop(const QString& name) {
    bench_.Open(bench_.WriteBatch(
        name,
        {QStringLiteral("@echo off"), QStringLiteral("set n=0"), QStringLiteral(":loop"),
         QStringLiteral("for /l %%i in (1,1,400) do set /a n+=1"), QStringLiteral("goto loop")}));
  }

 private slots:
  void breakDisabledThenTerminate() {
    OpenLoop(QStringLiteral("loop.bat"));
    QVERIFY(Wait());
    QVERIFY(!Wait()->isVisible());
    bench_.Press(Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(Wait()->isVisible(), 5000);
    QCOMPARE(Wait()->windowTitle(), QStringLiteral("Batch is running ..."));
    QVERIFY(Wait()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!Wait()->isModal());
    QCOMPARE(Wait()->frameGeometry().center(), W().frameGeometry().center());
    QCOMPARE(Run().PollInterval(), 600);
    // Without Enable Break the button stays disabled and Escape does nothing.
    QVERIFY(!Wait()->BreakButton()->isEnabled());
    QTest::keyClick(Wait(), Qt::Key_Escape);
    QVERIFY(Wait()->isVisible());
    QCOMPARE(Run().GetRunState(), RunState::Running);
    // The execution arrow blinks while the batch stays on a line.
    QTRY_VERIFY_WITH_TIMEOUT(!Run().ExecMarkVisible(), 8000);

    QTest::mouseClick(Wait()->TerminateButton(), Qt::LeftButton);
    QVERIFY(!Wait()->isVisible());
    QVERIFY(bench_.WaitFor(RunState::Ended));
    QCOMPARE(Run().StopReason(), srTerminated);
    QCOMPARE(W().Status().Text(0), QStringLiteral("Terminated by User  -  Press F2 for Reset."));
    QVERIFY(Run().AktExeZeile() >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(LiveInterpreters(), 0, 5000);
    bench_.Press(Qt::Key_F2);
    QCOMPARE(Run().GetRunState(), RunState::Ready);
  }

  void breakStopsAtTheNextDebuggedLine() {
    OpenLoop(QStringLiteral("loop2.bat"));
    // Switched after loading and after a first run alike, the next run's
    // batch is generated with the break test.
    bench_.Press(Qt::Key_F7);
    QVERIFY(bench_.WaitFor(RunState::Stopped));
    bench_.Press(Qt::Key_F2);
    W().Action(CommandId::EnableBreak)->trigger();
    QVERIFY(W().Session().Doc().Options.EnableBreak);
    bench_.Press(Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(Wait()->isVisible(), 5000);
    QVERIFY(Wait()->BreakButton()->isEnabled());
    // Escape presses Break.
    Wait()->activateWindow();
    QTest::keyClick(Wait(), Qt::Key_Escape);
    QVERIFY(!Wait()->isVisible());
    QVERIFY(bench_.WaitFor(RunState::Stopped));
    QCOMPARE(Run().StopReason(), srUserBreak);
    QVERIFY(Run().AktExeZeile() >= 1 && Run().AktExeZeile() <= 4);
    QVERIFY(!Run().UserBreak());
    QCOMPARE(Run().PollInterval(), 300);

    // Run on; Break with the mouse this time, then Terminate the next run on.
    bench_.Press(Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(Wait()->isVisible(), 5000);
    QTest::mouseClick(Wait()->BreakButton(), Qt::LeftButton);
    QVERIFY(bench_.WaitFor(RunState::Stopped));
    QCOMPARE(Run().StopReason(), srUserBreak);
    bench_.Press(Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(Wait()->isVisible(), 5000);
    QTest::mouseClick(Wait()->TerminateButton(), Qt::LeftButton);
    QVERIFY(bench_.WaitFor(RunState::Ended));
    QTRY_COMPARE_WITH_TIMEOUT(LiveInterpreters(), 0, 5000);
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::WaitDialogTest)
#include "wait_dialog_test.moc"

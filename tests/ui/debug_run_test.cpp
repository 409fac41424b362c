// Whole debug runs in the main window with the real interpreter: the keys
// of the run commands, the panes and status panels at each stop, an error
// stop answered in its box, the end and the reset, and the enabling of the
// commands in every run state.
#include <QAction>
#include <QTest>

#include "core/base/exchange_file_names.h"
#include "core/run/debug_session.h"
#include "core/run/stop_reason.h"
#include "tests/support/leftover_processes.h"
#include "ui/main/log_pane.h"
#include "ui/main/source_view.h"
#include "ui/main/status_panels.h"
#include "ui/main/variable_pane_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

namespace {

// Interpreters started by this process and still alive.
int LiveInterpreters() {
  return static_cast<int>(test::InterpretersRunning({}).size());
}

// The entry of the variable whose name starts the entry, in any letter case.
int IndexOfEntry(const VariablePane& pane, const QString& start) {
  for (size_t i = 0; i < pane.Entries.size(); ++i) {
    if (QString::fromStdWString(pane.Entries[i].Text).startsWith(start, Qt::CaseInsensitive)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

class DebugRunTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& W() { return bench_.Window(); }
  RunControl& Run() { return W().Session().Run(); }
  bool Enabled(CommandId id) { return W().Action(id)->isEnabled(); }
  QString Panel(int panel) { return W().Status().Text(panel); }
  // A key pressed on the source view of the active main window.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    W().activateWindow();
    (void)QTest::qWaitForWindowActive(&W());
    QTest::keyClick(&W().Source(), key, modifiers);
  }
  void Select(int line) {
    QTest::mouseClick(W().Source().viewport(), Qt::LeftButton, {},
                      QPoint(200, W().Source().RowRect(line).center().y()));
  }

 private slots:
  void wholeRoadOfOneRun() {
    const QString batch = bench_.WriteBatch(QStringLiteral("road.bat"),
                                            {QStringLiteral("@echo off"),          // 0
                                             QStringLiteral("set name=world"),     // 1
                                             QStringLiteral("call :greet"),        // 2
                                             QStringLiteral("set /a n=1"),         // 3
                                             QStringLiteral("echo %name% %n%"),    // 4
                                             QStringLiteral("echo after"),         // 5
                                             QStringLiteral("echo oops 1>&2"),     // 6
                                             QStringLiteral("echo last"),          // 7
                                             QStringLiteral("goto :eof"),          // 8
                                             QStringLiteral(":greet"),             // 9
                                             QStringLiteral("echo hello %name%"),  // 10
                                             QStringLiteral("exit /b 0")});        // 11
    bench_.Open(batch);
    QCOMPARE(Run().GetRunState(), RunState::Ready);
    QCOMPARE(Panel(0), QString::fromWCharArray(kReadyText.data(), kReadyText.size()));
    QCOMPARE(W().Log().Heading(), QStringLiteral(" Navigation"));
    // Right after loading, F5 does nothing until a line is selected.
    QVERIFY(!Enabled(CommandId::StartBreakPoint));
    Key(Qt::Key_F5);
    QVERIFY(!W().Session().Doc().Records[0].BreakPoint);

    // F7 starts the run and stops at the first line.
    QVERIFY(bench_.Step(Qt::Key_F7));
    QCOMPARE(Run().AktExeZeile(), 0);
    QCOMPARE(Panel(0), QStringLiteral("Ready to execute next Line(s)"));
    QCOMPARE(Panel(1), QStringLiteral("Call = 0"));
    QCOMPARE(W().Log().Heading(), QStringLiteral(" Event Log"));
    // The first stop marks every parameter entry and no global one.
    const VariablePanes& panes = W().Session().Variables();
    QVERIFY(!panes.Local().Entries.empty());
    QVERIFY(panes.Local().Entries[0].Changed);
    for (const PaneEntry& entry : panes.Global().Entries) QVERIFY(!entry.Changed);

    QVERIFY(bench_.Step(Qt::Key_F7));
    QVERIFY(bench_.Step(Qt::Key_F7));
    QCOMPARE(Run().AktExeZeile(), 2);
    const int name = IndexOfEntry(panes.Global(), QStringLiteral("name="));
    QVERIFY(name >= 2);
    QCOMPARE(panes.Global().Entries[name].Text, std::wstring(L"name=world"));
    QVERIFY(panes.Global().Entries[name].Changed);
    QVERIFY(W().GlobalPane().item(name)->isSelected());

    // F8 runs the call as one step.
    QVERIFY(bench_.Step(Qt::Key_F8));
    QCOMPARE(Run().AktExeZeile(), 3);
    QCOMPARE(Panel(1), QStringLiteral("Call = 0"));

    // A breakpoint set with F5 and F9 to it.
    Select(5);
    QVERIFY(Enabled(CommandId::StartBreakPoint));
    Key(Qt::Key_F5);
    QVERIFY(W().Session().Doc().Records[5].BreakPoint);
    QVERIFY(bench_.Step(Qt::Key_F9));
    QCOMPARE(Run().AktExeZeile(), 5);
    QCOMPARE(Run().StopReason(), srBreakPoint);

    // Editing a global and ERRORLEVEL in the pane: the boxes' captions and
    // prompts, then the values reach the batch.
    const int name_now = IndexOfEntry(panes.Global(), QStringLiteral("name="));
    QString asked;
    AnswerNextModal([&asked](QWidget* box) {
      asked = box->windowTitle();
      EnterText(box, QStringLiteral("there"));
    });
    QTest::mouseDClick(W().GlobalPane().viewport(), Qt::LeftButton, {},
                       W().GlobalPane().visualItemRect(W().GlobalPane().item(name_now)).center());
    QCOMPARE(asked, QStringLiteral("Edit Set"));
    QCOMPARE(panes.Global().Entries[name_now].Text, std::wstring(L"name=there"));
    AnswerNextModal([](QWidget* box) { EnterText(box, QStringLiteral("3")); });
    QTest::mouseDClick(W().GlobalPane().viewport(), Qt::LeftButton, {},
                       W().GlobalPane().visualItemRect(W().GlobalPane().item(1)).center());
    QCOMPARE(panes.Global().Entries[1].Text, std::wstring(L"ERRORLEVEL=3"));
    // ... and the source view marks the clicked variable.
    QTest::mouseClick(W().GlobalPane().viewport(), Qt::LeftButton, {},
                      W().GlobalPane().visualItemRect(W().GlobalPane().item(name_now)).center());
    QCOMPARE(Panel(0), QStringLiteral("name=there"));

    // An added command runs at the stop.
    AnswerNextModal([](QWidget* box) { EnterText(box, QStringLiteral("set added=1")); });
    Key(Qt::Key_A, Qt::ControlModifier);
    QVERIFY(bench_.WaitFor(RunState::Stopped));
    QVERIFY(AllModalsAnswered());

    // F4 to the cursor line runs past the error output of line 6: the box
    // is answered with OK and the run goes on to the goto target.
    Select(7);
    QVERIFY(Enabled(CommandId::StartGotoLine));
    QString warning;
    AnswerNextModal([&warning](QWidget* box) {
      warning = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
      PressButton(box, QStringLiteral("OK"));
    });
    Key(Qt::Key_F4);
    QVERIFY(QTest::qWaitFor(
        [&] { return Run().GetRunState() == RunState::Stopped && Run().AktExeZeile() == 7; },
        15000));
    QVERIFY2(warning.contains(QStringLiteral("oops")), qPrintable(warning));
    QVERIFY(AllModalsAnswered());

    // F7 to the end: Ended, its status text, and F2 back to Ready.
    while (Run().GetRunState() == RunState::Stopped) {
      Key(Qt::Key_F7);
      QVERIFY(QTest::qWaitFor([&] { return Run().GetRunState() != RunState::Running; }, 15000));
    }
    QCOMPARE(Run().GetRunState(), RunState::Ended);
    QCOMPARE(Panel(0), QStringLiteral("Reached <end of file>  -  Press F2 for Reset."));
    QVERIFY(!Enabled(CommandId::StartExecuteLineF8));
    QVERIFY(!Enabled(CommandId::StartExecuteAll));
    Key(Qt::Key_F2);
    QCOMPARE(Run().GetRunState(), RunState::Ready);
    QCOMPARE(W().Log().Heading(), QStringLiteral(" Navigation"));
  }

  void enablingWhileRunningAndNoInterpreterAfterClose() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("endless.bat"),
        {QStringLiteral("@echo off"), QStringLiteral("set n=0"), QStringLiteral(":loop"),
         QStringLiteral("set /a n+=1"), QStringLiteral("goto loop")});
    bench_.Open(batch);
    Key(Qt::Key_F9);
    QCOMPARE(Run().GetRunState(), RunState::Running);
    QTest::qWait(300);
    QCOMPARE(Run().GetRunState(), RunState::Running);
    QVERIFY(Enabled(CommandId::StartExecuteLineF8));
    QVERIFY(Enabled(CommandId::StartExecuteLineF7));
    QVERIFY(Enabled(CommandId::StartExecuteAll));
    QVERIFY(Enabled(CommandId::StartAddCommand));
    QVERIFY(!Enabled(CommandId::StartIgnoreLine));
    QVERIFY(!Enabled(CommandId::StopOnErr));
    QVERIFY(!Enabled(CommandId::ReplaceToRem));
    QVERIFY(!Enabled(CommandId::EnableBreak));
    QVERIFY(!Enabled(CommandId::EnableProzent0));
    QVERIFY(!W().Session().Commands().Enabled(Command::PopupItemGlobalAdd));
    QVERIFY(!W().GlobalPane().isEnabled());
    QVERIFY(LiveInterpreters() > 0);
    bench_.CloseWindow();
    QTRY_COMPARE_WITH_TIMEOUT(LiveInterpreters(), 0, 5000);
  }

  void noFileState() {
    UiTestBench empty;
    MainWindow& window = empty.Window();
    QCOMPARE(window.Session().Run().GetRunState(), RunState::NoFile);
    QCOMPARE(window.Status().Text(0),
             QStringLiteral("no file  -  Open Debug-Object via Ctrl-O  or  Drag-and-Drop"));
    QVERIFY(!window.Action(CommandId::StartExecuteLineF7)->isEnabled());
    QVERIFY(!window.Action(CommandId::StartExecuteAll)->isEnabled());
    QVERIFY(window.Action(CommandId::FileOpen)->isEnabled());
    window.activateWindow();
    QTest::keyClick(&window.Source(), Qt::Key_F2);
    QCOMPARE(window.Session().Run().GetRunState(), RunState::NoFile);
    // The global pane shows the debugger's own environment.
    QVERIFY(window.GlobalPane().count() > 0);
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::DebugRunTest)
#include "debug_run_test.moc"

// Track windows in the main window with the real interpreter: a file the
// batch writes, deletes and writes again is followed stop by stop, a value
// with blanks is tracked by Shift + double click, several windows cascade
// and close (Shift+Esc), and all go with the document and with the program.
#include "ui/dialogs/track_windows.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>

#include "core/run/debug_session.h"
#include "ui/dialogs/track_form.h"
#include "ui/main/variable_pane_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

namespace {

QStringList Lines(const TTrackForm& form) {
  QStringList lines;
  for (int i = 0; i < form.ListBox()->count(); ++i) lines << form.ListBox()->item(i)->text();
  return lines;
}

bool LooksMissing(const TTrackForm& form) {
  return form.Missing() && form.ListBox()->count() == 0 &&
         form.ListBox()->palette().color(QPalette::Base) == QColor(128, 128, 128);
}

}  // namespace

class TrackWindowsTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& W() { return bench_.Window(); }
  TrackWindows& Tracks() { return W().Tracks(); }
  // One line on (F7); true at a stop at line.
  bool StepTo(int line) {
    return bench_.Step(Qt::Key_F7) && W().Session().Run().AktExeZeile() == line;
  }

 private slots:
  void cleanup() {
    Tracks().CloseAll();
    ForgetModalAnswers();
  }

  void followsTheFileTheBatchWritesStopByStop() {
    const QString batch =
        bench_.WriteBatch(QStringLiteral("writer.bat"),
                          {QStringLiteral("@echo off"), QStringLiteral("echo first>out.txt"),
                           QStringLiteral("echo second>>out.txt"), QStringLiteral("del out.txt"),
                           QStringLiteral("echo again>out.txt"), QStringLiteral("echo done")});
    QFile::remove(bench_.Path(QStringLiteral("out.txt")));
    bench_.Open(batch);
    QVERIFY(StepTo(0));

    // Ctrl+T asks for the name; a bare name is the batch's current directory's.
    AnswerNextModal([](QWidget* box) { EnterText(box, QStringLiteral("out.txt")); });
    W().Action(CommandId::TrackFile)->trigger();
    QVERIFY(AllModalsAnswered());
    QCOMPARE(Tracks().Windows().size(), size_t{1});
    TTrackForm& form = *Tracks().Windows().front();
    QCOMPARE(form.windowTitle(), bench_.Path(QStringLiteral("out.txt")));
    QVERIFY2(LooksMissing(form), "a file that does not exist yet: grey and empty");

    QVERIFY(StepTo(1));
    QVERIFY(StepTo(2));  // after echo first>out.txt
    QVERIFY(StepTo(3));  // after echo second>>out.txt
    QCOMPARE(Lines(form), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QCOMPARE(form.ListBox()->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(form.ListBox()->currentRow(), 1);

    QVERIFY(StepTo(4));  // after del out.txt
    QVERIFY2(LooksMissing(form), "a deleted file: grey and empty again");
    QVERIFY(StepTo(5));  // after echo again>out.txt
    QCOMPARE(Lines(form), QStringList{QStringLiteral("again")});
    QVERIFY(!form.Missing());

    W().Session().Run().ActionStartResetExecute();
    W().Session().Document().ActionFileCloseExecute();
    QVERIFY2(Tracks().Windows().empty(), "closing the batch closes its track windows");
  }

  void shiftDoubleClickTracksAValueWithBlanks() {
    QFile log(bench_.Path(QStringLiteral("my log.txt")));
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("line one\r\nline two\r\n");
    log.close();
    const QString batch =
        bench_.WriteBatch(QStringLiteral("blanks.bat"),
                          {QStringLiteral("@echo off"), QStringLiteral("set LOG=my log.txt"),
                           QStringLiteral("echo")});
    bench_.Open(batch);
    QVERIFY(StepTo(0));
    QVERIFY(StepTo(1));
    QVERIFY(StepTo(2));
    VariablePaneView& pane = W().GlobalPane();
    int row = -1;
    for (int i = 0; i < pane.count(); ++i) {
      if (pane.item(i)->text().startsWith(QStringLiteral("LOG="))) row = i;
    }
    QVERIFY2(row >= 0, "the global pane lists LOG");
    QVERIFY2(pane.item(row)->text().contains(QChar(0x2022)), "blanks are shown as bullets");
    const QPoint at = pane.visualItemRect(pane.item(row)).center();
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, Qt::ShiftModifier, at);
    QVERIFY2(AllModalsAnswered() && !QApplication::activeModalWidget(),
             "an existing file opens without a question");
    QCOMPARE(Tracks().Windows().size(), size_t{1});
    QCOMPARE(Lines(*Tracks().Windows().front()),
             (QStringList{QStringLiteral("line one"), QStringLiteral("line two")}));
    W().Session().Run().ActionStartResetExecute();
  }

  void windowsCascadeAndTheMiddleOneCloses() {
    W().move(400, 300);
    QTRY_COMPARE(W().frameGeometry().topLeft(), QPoint(400, 300));
    const int main_top = W().frameGeometry().top();
    std::vector<TTrackForm*> opened;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      opened.push_back(Tracks().New(bench_.Path(QLatin1String(name)).toStdWString()));
    }
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(opened[i]->frameGeometry().top(), main_top - 40 + 40 * i);
      QCOMPARE(opened[i]->frameGeometry().left(), 400 - 150);
    }
    QTest::keyClick(opened[1]->ListBox(), Qt::Key_Escape);
    QCOMPARE(Tracks().Windows().size(), size_t{3});  // Esc alone only goes back to the main window
    QTest::keyClick(opened[1]->ListBox(), Qt::Key_Escape, Qt::ShiftModifier);
    QCOMPARE(Tracks().Windows(), (std::vector<TTrackForm*>{opened[0], opened[2]}));
    TTrackForm* fourth = Tracks().New(bench_.Path(QStringLiteral("d.txt")).toStdWString());
    QCOMPARE(fourth->frameGeometry().top(), opened[2]->frameGeometry().top() + 40);

    W().move(100, 300);
    QTRY_COMPARE(W().frameGeometry().left(), 100);
    Tracks().CloseAll();
    QCOMPARE(
        Tracks().New(bench_.Path(QStringLiteral("e.txt")).toStdWString())->frameGeometry().left(),
        0);
  }

  void screenshotAndCloseWithTheProgram() {
    QFile file(bench_.Path(QStringLiteral("build.log")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 1; i <= 40; ++i) {
      file.write(QStringLiteral("[%1] compiling module_%2.c ... ok\r\n")
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(i)
                     .toUtf8());
    }
    file.close();
    TTrackForm* form = Tracks().New(file.fileName().toStdWString());
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QString dir = QStringLiteral(TARNVELOCK_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    QVERIFY(form->grab().save(QDir(dir).filePath(QStringLiteral("track_window.png"))));
    QCOMPARE(form->ListBox()->currentRow(), 39);

    const QPointer<TTrackForm> watched(form);
    W().close();
    QVERIFY2(Tracks().Windows().empty() && (watched.isNull() || !watched->isVisible()),
             "the program's end closes the track windows");
    bench_.CloseWindow();
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::TrackWindowsTest)
#include "track_windows_test.moc"

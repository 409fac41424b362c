// The internal editor in the main window: F3 in and out, the question for a
// changed text with each answer, F2 and Save as, the commands while it is
// open, the marks after it, and the reload of a batch changed outside (as
// the external editor changes it) when the debugger is activated.
#include <QAbstractItemView>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "core/run/debug_session.h"
#include "core/run/internal_editor.h"
#include "ui/main/editor_pane.h"
#include "ui/main/log_pane.h"
#include "ui/main/source_view.h"
#include "ui/main/status_panels.h"
#include "ui_test_support.h"

namespace tarnvelock {

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the next box with button; *asked tells whether it came.
void AnswerWith(const QString& button, bool* asked = nullptr) {
  AnswerNextModal([button, asked](QWidget* box) {
    if (asked) *asked = true;
    PressButton(box, button);
  });
}

// Answers the next save dialog with path, typed as a person types it. (The
// dialog's own selection follows its file system model, which fills itself
// on a thread of its own, so the test types instead and accepts the dialog
// as a plain one.)
void SaveAs(const QString& path) {
  AnswerNextModal([path](QWidget* box) {
    auto* dialog = qobject_cast<QFileDialog*>(box);
    QVERIFY2(dialog, "the open box is not the save dialog");
    // selectFile leaves a focused name field alone, and a file preselected
    // in the dialog's list would win over the typed name.
    dialog->setDirectory(QFileInfo(path).absolutePath());
    for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>()) {
      if (view->selectionModel()) view->selectionModel()->clearSelection();
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY2(name, "the save dialog has no file name field");
    name->setText(QFileInfo(path).fileName());
    dialog->QDialog::accept();
  });
}

}  // namespace

class EditorTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& Window() { return bench_.Window(); }
  DebugDocument& Doc() { return Window().Session().Doc(); }

  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Window().activateWindow();
    (void)QTest::qWaitForWindowActive(&Window());
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Window();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }
  // Types text at the start of the editor's first line.
  void TypeAtTop(const QString& text) {
    EditorPane& editor = Window().Editor();
    QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(&editor, text);
    QTest::keyClick(&editor, Qt::Key_Return);
  }
  QString Line(int i) { return QString::fromStdWString(Doc().Items.at(i).text); }

 private slots:
  void init() { ForgetModalAnswers(); }

  void aNewBatchIsWrittenAndThenLoaded() {
    Window().Action(CommandId::FileNew)->trigger();  // no file name for Save
    Key(Qt::Key_F3);
    QVERIFY(Window().InternalEditorOpen());
    QCOMPARE(Window().Editor().toPlainText(), QString());
    QTest::keyClicks(&Window().Editor(), QStringLiteral("echo new"));
    const QString path = bench_.Path(QStringLiteral("new.bat"));
    SaveAs(path);
    Key(Qt::Key_F2);  // Save without a name asks for one
    QVERIFY(AllModalsAnswered());
    QCOMPARE(Contents(path), QByteArray("echo new\r\n"));
    Key(Qt::Key_F3);
    QVERIFY(!Window().InternalEditorOpen());
    QCOMPARE(QString::fromStdWString(Doc().BatchPath), path);
    QCOMPARE(Window().Session().Run().GetRunState(), RunState::Ready);
  }

  void editAndLeaveWithEachAnswer() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("edit.bat"),
        {QStringLiteral("@echo off"), QStringLiteral("echo one"), QStringLiteral("echo two")});
    bench_.Open(batch);
    Doc().Records[1].BreakPoint = true;
    Doc().Records[2].IgnoreZeile = true;
    Window().Source().SelectLine(2);

    Key(Qt::Key_F3);
    QVERIFY(Window().InternalEditorOpen());
    EditorPane& editor = Window().Editor();
    QCOMPARE(editor.toPlainText(), QStringLiteral("@echo off\necho one\necho two"));
    QCOMPARE(editor.CaretLine(), 2);
    QVERIFY(editor.hasFocus());
    QVERIFY(editor.isVisible() && !Window().Source().isVisible() && !Window().Log().isVisible());
    QCOMPARE(Window().Status().Text(0),
             QString::fromWCharArray(kInternalEditorStatus.data(), kInternalEditorStatus.size()));
    QCOMPARE(Window().Session().Run().GetRunState(), RunState::NoFile);
    for (CommandId on : {CommandId::FileSave, CommandId::FileSaveAs, CommandId::Editor}) {
      QVERIFY(Window().Action(on)->isEnabled());
    }
    for (CommandId off :
         {CommandId::FileNew, CommandId::FileOpen, CommandId::CallEditor, CommandId::LineNumbers,
          CommandId::StartReset, CommandId::StartExecuteLineF8, CommandId::StartExecuteAll,
          CommandId::StartBreakPoint, CommandId::Settings}) {
      QVERIFY2(!Window().Action(off)->isEnabled(), Spec(off).name);
    }

    TypeAtTop(QStringLiteral("rem top"));
    QVERIFY(editor.Modified());
    AnswerWith(QStringLiteral("Cancel"));
    Key(Qt::Key_F3);
    QVERIFY(AllModalsAnswered());
    QVERIFY(Window().InternalEditorOpen());
    QVERIFY(editor.toPlainText().startsWith(QStringLiteral("rem top\n")));

    AnswerWith(QStringLiteral("No"));
    Key(Qt::Key_F3);
    QVERIFY(!Window().InternalEditorOpen());
    QVERIFY(Window().Source().isVisible() && Window().Log().isVisible());
    QCOMPARE(Line(0), QStringLiteral("@echo off"));
    QVERIFY(Doc().Records[1].BreakPoint);
    QVERIFY(Doc().Records[2].IgnoreZeile);
    QCOMPARE(Window().Source().AktCurZeile(), 1);  // the caret's line, below the typed one
    QVERIFY(Window().Action(CommandId::FileOpen)->isEnabled());
    QVERIFY(!Window().Action(CommandId::FileSave)->isEnabled());

    Key(Qt::Key_F3);
    TypeAtTop(QStringLiteral("rem top"));
    AnswerWith(QStringLiteral("Yes"));
    Key(Qt::Key_F3);
    QVERIFY(AllModalsAnswered());
    QCOMPARE(Contents(batch), QByteArray("rem top\r\n@echo off\r\necho one\r\necho two\r\n"));
    QCOMPARE(Doc().MaxCurZeile, 4);
    QCOMPARE(Line(0), QStringLiteral("rem top"));
    QVERIFY(Doc().Records[2].BreakPoint);  // the marks moved down with their lines
    QVERIFY(Doc().Records[3].IgnoreZeile);
    QVERIFY(!Doc().Records[1].BreakPoint);
    QCOMPARE(Window().Session().Run().GetRunState(), RunState::Ready);
  }

  void f2SavesAndLeavingAsksNothing() {
    const QString batch = bench_.WriteBatch(QStringLiteral("f2.bat"), {QStringLiteral("echo a")});
    bench_.Open(batch);
    Key(Qt::Key_F3);
    TypeAtTop(QStringLiteral("echo b"));
    Key(Qt::Key_F2);
    QVERIFY(!Window().Editor().Modified());
    QCOMPARE(Contents(batch), QByteArray("echo b\r\necho a\r\n"));
    bool asked = false;
    AnswerWith(QStringLiteral("No"), &asked);
    Key(Qt::Key_F3);
    QVERIFY(!asked);
    QCOMPARE(Doc().MaxCurZeile, 2);
    // Outside the editor F2 is Reset again and writes nothing.
    Key(Qt::Key_F2);
    QCOMPARE(Contents(batch), QByteArray("echo b\r\necho a\r\n"));
  }

  void saveAsElsewhereThenF3ReloadsTheBatch() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("orig.bat"), {QStringLiteral("echo one"), QStringLiteral("echo two")});
    bench_.Open(batch);
    Doc().Records[1].BreakPoint = true;
    Key(Qt::Key_F3);
    TypeAtTop(QStringLiteral("echo zero"));
    const QString copy = bench_.Path(QStringLiteral("copy.bat"));
    SaveAs(copy);
    Window().Action(CommandId::FileSaveAs)->trigger();
    QVERIFY(AllModalsAnswered());
    QCOMPARE(Contents(copy), QByteArray("echo zero\r\necho one\r\necho two\r\n"));
    bool asked = false;
    AnswerWith(QStringLiteral("No"), &asked);
    Key(Qt::Key_F3);
    QVERIFY(!asked);
    QCOMPARE(QString::fromStdWString(Doc().BatchPath), batch);
    QCOMPARE(Line(0), QStringLiteral("echo one"));
    QVERIFY(Doc().Records[1].BreakPoint);
  }

  void anOutsideChangeReloadsWithTheMarksOnActivation() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("outside.bat"),
        {QStringLiteral("echo one"), QStringLiteral("echo two"), QStringLiteral("echo three")});
    bench_.Open(batch);
    Doc().Records[1].BreakPoint = true;
    Doc().Records[2].EchoZeile = true;
    // What an external editor leaves: the first line rewritten, one line added.
    bench_.WriteBatch(QStringLiteral("outside.bat"),
                      {QStringLiteral("echo ONE"), QStringLiteral("echo two"),
                       QStringLiteral("echo three"), QStringLiteral("echo four")});
    QFile file(batch);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                             QFileDevice::FileModificationTime));
    file.close();
    Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Window()));
    QEvent activation(QEvent::ActivationChange);
    QCoreApplication::sendEvent(&Window(), &activation);
    QCOMPARE(Doc().MaxCurZeile, 4);
    QCOMPARE(Line(0), QStringLiteral("echo ONE"));
    QVERIFY(Doc().Records[1].BreakPoint);
    QVERIFY(Doc().Records[2].EchoZeile);
    QVERIFY(Window().Action(CommandId::CallEditor)->isEnabled());
  }

  void onlyCharactersOfTheCodePageGetIn() {
    const QString batch = bench_.WriteBatch(QStringLiteral("ansi.bat"), {QStringLiteral("echo a")});
    bench_.Open(batch);
    Doc().Options.FormatAnsi = true;  // Windows-1252, which has no Greek
    Window().Session().Document().MenuItemSettingsFormatAnsiClick();
    Key(Qt::Key_F3);
    EditorPane& editor = Window().Editor();
    QTest::keyClick(&editor, Qt::Key_End);
    for (const QChar typed : QStringLiteral("\u00E4\u03A9")) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
      QCoreApplication::sendEvent(&editor, &press);
    }
    QCOMPARE(editor.toPlainText(), QStringLiteral("echo a\u00E4"));
    QApplication::clipboard()->setText(QStringLiteral("x\u03A9y"));
    editor.paste();
    QCOMPARE(editor.toPlainText(), QStringLiteral("echo a\u00E4x?y"));
    Key(Qt::Key_F2);
    QCOMPARE(Contents(batch), QByteArray("echo a\xE4x?y\r\n"));
    Key(Qt::Key_F3);
    QCOMPARE(Line(0), QStringLiteral("echo a\u00E4x?y"));
  }

  void closingTheWindowAsksForTheEditedText() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("exit.bat"), {QStringLiteral("echo one"), QStringLiteral("echo two")});
    bench_.Open(batch);
    Doc().Records[1].BreakPoint = true;
    Key(Qt::Key_F3);
    TypeAtTop(QStringLiteral("echo zero"));
    AnswerWith(QStringLiteral("Cancel"));
    QVERIFY(!Window().close());
    QVERIFY(Window().InternalEditorOpen());
    AnswerWith(QStringLiteral("Yes"));
    bench_.CloseWindow();
    QVERIFY(AllModalsAnswered());
    QCOMPARE(Contents(batch), QByteArray("echo zero\r\necho one\r\necho two\r\n"));
    // The batch was closed as usual: its mark, one line further down, is kept.
    QVERIFY(Contents(batch + QStringLiteral(".ini")).contains("[BreakPoint2]"));
  }

  void screenshotWithTheEditorOpen() {
    const QString copy = bench_.Path(QStringLiteral("build_release.bat"));
    QVERIFY(QFile::copy(QStringLiteral(TARNVELOCK_SOURCE_DIR "/examples/build_release.bat"), copy));
    Window().resize(1100, 640);
    bench_.Open(copy);
    Window().Source().SelectLine(5);
    Key(Qt::Key_F3);
    QVERIFY(Window().InternalEditorOpen());
    QCoreApplication::processEvents();
    const QString dir = QStringLiteral(TARNVELOCK_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    const QString name = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? QStringLiteral("editor_scaled.png")
                             : QStringLiteral("editor.png");
    QVERIFY(Window().grab().toImage().save(QDir(dir).filePath(name)));
    Key(Qt::Key_F3);
    QVERIFY(!Window().InternalEditorOpen());
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::EditorTest)
#include "editor_test.moc"

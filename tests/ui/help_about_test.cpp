// The Help menu in the main window: the interpreter's help for the command
// of the cursor line and for a named one (through tarnvelock-cmd), the
// program's help file on F1, "Help not found", Escape in the help window,
// and the About box on Alt+F1 and at the very first start.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

#include "app/application.h"
#include "core/base/exchange_file_names.h"
#include "core/run/debug_session.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/help_commands.h"
#include "ui/dialogs/help_form.h"
#include "ui/main/source_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

namespace {

const QString kScreenshots = QStringLiteral(TARNVELOCK_BINARY_DIR "/screenshots");

QStringList Lines(const TFormHelp& form) {
  QStringList lines;
  for (int i = 0; i < form.ListBoxHelp()->count(); ++i) {
    lines << form.ListBoxHelp()->item(i)->text();
  }
  return lines;
}

void SaveShot(QWidget& widget, const QString& name) {
  QDir().mkpath(kScreenshots);
  QVERIFY(widget.grab().save(QDir(kScreenshots).filePath(name)));
}

}  // namespace

class HelpAboutTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& W() { return bench_.Window(); }
  void Press(int key, Qt::KeyboardModifiers modifiers) {
    W().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&W()));
    QTest::keyClick(&W().Source(), static_cast<Qt::Key>(key), modifiers);
  }
  bool CaptureLeft() {
    return QFile::exists(
        QString::fromStdWString(W().Session().Exchange().TempDir() + std::wstring(kHelpFile)));
  }

 private slots:
  void cleanup() { ForgetModalAnswers(); }

  void actualCommandIsTheWordOfTheCursorLine() {
    bench_.Open(bench_.WriteBatch(QStringLiteral("words.bat"),
                                  {QStringLiteral("@echo off"), QStringLiteral(":label")}));
    W().Source().SelectLine(0);
    Press(Qt::Key_F1, Qt::ControlModifier);
    QVERIFY2(AllModalsAnswered() && !QApplication::activeModalWidget(), "no question asked");
    TFormHelp* form = W().Help().Form();
    QVERIFY(form && form->isVisible());
    const QStringList lines = Lines(*form);
    QVERIFY(lines.size() > 6);
    QCOMPARE(lines.mid(0, 4),
             (QStringList{QString(), QStringLiteral("          Help for Batch-Command  \"echo\""),
                          QString(65, QLatin1Char('=')), QString()}));
    QVERIFY2(lines.join(QLatin1Char('\n')).contains(QStringLiteral("ECHO"), Qt::CaseSensitive),
             qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY2(!lines.join(QLatin1Char('\n')).contains(QStringLiteral("code page")),
             "the chcp before the help writes into the console, not into the capture");
    QVERIFY2(!CaptureLeft(), "the capture file is deleted");
    QCOMPARE(form->ListBoxHelp()->font().pixelSize(), 13);
    QVERIFY(QFontInfo(form->ListBoxHelp()->font()).fixedPitch());
    SaveShot(*form, QStringLiteral("help_command.png"));

    QTest::keyClick(form->ListBoxHelp(), Qt::Key_Down);
    QVERIFY2(form->isVisible(), "other keys go to the list");
    QTest::keyClick(form->ListBoxHelp(), Qt::Key_Escape);
    QVERIFY2(!form->isVisible(), "Escape closes the help window");

    // A label gives no word: even "Actual command" asks, offering nothing.
    W().Source().SelectLine(1);
    AnswerNextModal([](QWidget* box) { PressButton(box, QStringLiteral("Cancel")); });
    Press(Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(AllModalsAnswered());
    QVERIFY2(!form->isVisible(), "a cancelled question shows nothing");
  }

  void commandAsksForANamedOne() {
    W().Session().Document().ActionFileCloseExecute();
    QString offered;
    AnswerNextModal([&offered](QWidget* box) {
      offered = qobject_cast<QInputDialog*>(box)->textValue();
      EnterText(box, QStringLiteral("goto"));
    });
    Press(Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(AllModalsAnswered());
    QCOMPARE(offered, QStringLiteral("SET"));  // no document: SET is offered
    TFormHelp* form = W().Help().Form();
    QVERIFY(form && form->isVisible());
    QCOMPARE(Lines(*form).value(1), QStringLiteral("          Help for Batch-Command  \"goto\""));
    QVERIFY(Lines(*form).join(QLatin1Char('\n')).contains(QStringLiteral("label")));
    QVERIFY(!CaptureLeft());
  }

  void f1ShowsTheHelpFileBesideTheProgram() {
    const QString installed = QStringLiteral(TARNVELOCK_BINARY_DIR "/app/Tarnvelock.txt");
    QFile file(installed);
    QVERIFY2(file.open(QIODevice::ReadOnly), "the build puts the help file beside the program");
    const QStringList expected =
        QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')).mid(0, 5);
    W().Help().SetHelpFile(installed);
    Press(Qt::Key_F1, Qt::NoModifier);
    TFormHelp* form = W().Help().Form();
    QVERIFY(form && form->isVisible());
    QCOMPARE(Lines(*form).mid(0, 5), expected);
    QVERIFY2(Lines(*form).size() > 200, "a real manual");
    SaveShot(*form, QStringLiteral("help_file.png"));
    form->hide();

    W().Help().SetHelpFile(bench_.Path(QStringLiteral("missing.txt")));
    QString message;
    AnswerNextModal([&message](QWidget* box) {
      message = qobject_cast<QMessageBox*>(box)->text();
      PressButton(box, QStringLiteral("OK"));
    });
    Press(Qt::Key_F1, Qt::NoModifier);
    QVERIFY(AllModalsAnswered());
    QCOMPARE(message, QStringLiteral("Help not found"));
    QVERIFY(!form->isVisible());
  }

  void altF1ShowsTheAboutBox() {
    QString product;
    QString caption;
    AnswerNextModal([&](QWidget* box) {
      auto* about = qobject_cast<TFormAbout*>(box);
      QVERIFY(about);
      caption = about->windowTitle();
      product = about->ProductLine()->text();
      QCOMPARE(about->size(), QSize(457, 237));
      SaveShot(*about, QStringLiteral("about.png"));
      QTest::keyClick(about, Qt::Key_Escape);
    });
    Press(Qt::Key_F1, Qt::AltModifier);
    QVERIFY(AllModalsAnswered());
    QCOMPARE(caption, QStringLiteral("Info"));
    QCOMPARE(product, QStringLiteral("Tarnvelock 1.1"));
  }

  void aboutBoxAtTheVeryFirstStartOnly() {
    bench_.CloseWindow();
    StartOptions options;
    options.program_dir = QStringLiteral(TARNVELOCK_BINARY_DIR "/shell/");
    options.settings_path = bench_.Path(QStringLiteral("Tarnvelock.ini"));
    options.instance_name = bench_.Path(QStringLiteral("instance"));
    QFile::remove(options.settings_path);
    for (const bool first : {true, false}) {
      bool shown = false;
      AnswerNextModal([&shown](QWidget* box) {
        shown = qobject_cast<TFormAbout*>(box) != nullptr;
        PressButton(box, QStringLiteral("OK"));
      });
      Application app(options);
      QCOMPARE(app.Start(), Application::Outcome::Running);
      if (first) {
        QTRY_VERIFY(shown);
      } else {
        QTest::qWait(300);
        QVERIFY2(!shown, "a settings file exists: no About box");
      }
      ForgetModalAnswers();
      app.Window()->close();
      QVERIFY(QFile::exists(options.settings_path));
    }
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::HelpAboutTest)
#include "help_about_test.moc"

// The start-up settings dialog and the small Settings commands in the main
// window: what the dialog shows and takes, its "@" and "X", the file choice,
// Edit Parameter, and the values and histories after the batch was closed and
// opened again.
#include "ui/dialogs/settings_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/run/debug_session.h"
#include "ui/main/source_view.h"
#include "ui/main/variable_pane_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

namespace {

// The open dialog's controls by name.
struct Form {
  QWidget* dialog;
  QComboBox* Box(const char* name) const {
    return dialog->findChild<QComboBox*>(QLatin1String(name));
  }
  QToolButton* Echo() const {
    return dialog->findChild<QToolButton*>(QStringLiteral("SpeedButtonEcho"));
  }
  QToolButton* X() const { return dialog->findChild<QToolButton*>(QStringLiteral("SpeedButtonX")); }
  bool NoteShown() const {
    return dialog->findChild<QLabel*>(QStringLiteral("LabelTakeEffect"))->isVisible();
  }
  QStringList Items(const char* name) const {
    QStringList items;
    for (int i = 0; i < Box(name)->count(); ++i) items.append(Box(name)->itemText(i));
    return items;
  }
  void Type(const char* name, const QString& text) const {
    QLineEdit* edit = Box(name)->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
};

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;
  QString batch_;

  MainWindow& W() { return bench_.Window(); }
  DebugDocument& Doc() { return W().Session().Doc(); }
  // Opens the dialog with F10 and runs checks in it; whatever they leave
  // open is cancelled, so a failed check cannot hang the test.
  void WithDialog(const std::function<void(const Form&)>& checks) {
    bool ran = false;
    AnswerNextModal([checks, &ran](QWidget* box) {
      ran = qobject_cast<SettingsDialog*>(box) != nullptr;
      if (ran) checks(Form{box});
      if (box->isVisible()) static_cast<QDialog*>(box)->reject();
    });
    bench_.Press(Qt::Key_F10);
    QVERIFY(AllModalsAnswered());
    QVERIFY(ran);
  }
  QString Native(const QString& path) { return QDir::toNativeSeparators(path); }
  // The choice dialog about to open takes path; its title and OK button
  // are noted in titles.
  static void ChooseNext(const QString& path, QString* titles) {
    auto* wait = new QTimer(qApp);
    wait->setInterval(50);
    QObject::connect(wait, &QTimer::timeout, [wait, path, titles] {
      auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!files) return;
      wait->deleteLater();
      wait->stop();
      *titles += files->windowTitle() + QLatin1Char('/') + files->labelText(QFileDialog::Accept) +
                 QLatin1Char('/');
      if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setText(path);
      }
      static_cast<QDialog*>(files)->accept();
      if (files->isVisible()) files->reject();
    });
    wait->start();
  }

 private slots:
  void initTestCase() {
    QDir().mkpath(bench_.Path(QStringLiteral("start")));
    batch_ = bench_.WriteBatch(QStringLiteral("job.bat"),
                               {QStringLiteral("@echo off"), QStringLiteral("echo %1")});
    bench_.Open(batch_);
  }

  void showsTheValuesAndTakesThemOnOk() {
    const QString batch_dir = QString::fromStdWString(Doc().BatchDir);
    W().ParameterBox().setEditText(QStringLiteral("one"));
    WithDialog([&](const Form& form) {
      QCOMPARE(form.dialog->windowTitle(), QStringLiteral("Startup - Settings"));
      QVERIFY(!form.NoteShown());
      QCOMPARE(form.Box("ComboBoxDir")->currentText(), batch_dir);
      QCOMPARE(form.Box("ComboBoxPara")->currentText(), QStringLiteral("one"));
      QCOMPARE(form.Items("ComboBoxCmd"),
               (QStringList{QStringLiteral("cls"), QStringLiteral("echo off"),
                            QStringLiteral("echo %*")}));
      // "@" follows the command and switches its leading "@".
      form.Type("ComboBoxCmd", QStringLiteral("@@cls"));
      QVERIFY(form.Echo()->isEnabled() && form.Echo()->isChecked());
      QTest::mouseClick(form.Echo(), Qt::LeftButton);
      QCOMPARE(form.Box("ComboBoxCmd")->currentText(), QStringLiteral("cls"));
      QTest::mouseClick(form.Echo(), Qt::LeftButton);
      QCOMPARE(form.Box("ComboBoxCmd")->currentText(), QStringLiteral("@cls"));
      QTest::mouseClick(form.X(), Qt::LeftButton);
      QCOMPARE(form.Box("ComboBoxCmd")->currentText(), QString());
      QVERIFY(!form.Echo()->isEnabled() && !form.Echo()->isChecked());

      form.Type("ComboBoxDir", Native(bench_.Path(QStringLiteral("start"))));
      form.Type("ComboBoxPara", QStringLiteral("\"a b\" c"));
      form.Type("ComboBoxCmd", QStringLiteral("echo hi"));
      QTest::mouseClick(form.dialog->findChild<QPushButton*>(QStringLiteral("BitBtnOkay")),
                        Qt::LeftButton);
    });
    const QString start = Native(bench_.Path(QStringLiteral("start")));
    QCOMPARE(QString::fromStdWString(Doc().StartDir), start);
    QCOMPARE(Doc().StartUp, std::wstring(L"echo hi"));
    QCOMPARE(W().ParameterBox().currentText(), QStringLiteral("\"a b\" c"));
    QCOMPARE(W().GlobalPane().item(0)->text(), QStringLiteral("CD=") + start);

    // A directory that does not exist is refused alone, with its message.
    QString message;
    AnswerNextModal([](QWidget* box) {
      Form{box}.Type("ComboBoxDir", QStringLiteral("/no/such/dir"));
      Form{box}.Type("ComboBoxCmd", QStringLiteral("echo %*"));
      static_cast<QDialog*>(box)->accept();
    });
    AnswerNextModal([&message](QWidget* box) {
      message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
      PressButton(box, QStringLiteral("OK"));
    });
    bench_.Press(Qt::Key_F10);
    QTRY_VERIFY_WITH_TIMEOUT(AllModalsAnswered(), 5000);
    QCOMPARE(message, QStringLiteral("Directory /no/such/dir not found!"));
    QCOMPARE(QString::fromStdWString(Doc().StartDir), start);
    QCOMPARE(Doc().StartUp, std::wstring(L"echo %*"));

    // Cancel changes nothing, whatever the choice dialogs put into the boxes.
    const QString chosen = bench_.Path(QStringLiteral("my file.txt"));
    bench_.WriteBatch(QStringLiteral("my file.txt"), {QStringLiteral("x")});
    const QString folder = Native(bench_.Path(QStringLiteral("tmp")));
    QString para, dir, titles;
    WithDialog([&](const Form& form) {
      ChooseNext(chosen, &titles);
      QTest::mouseClick(form.dialog->findChild<QPushButton*>(QStringLiteral("ButtonSelectFile")),
                        Qt::LeftButton);
      para = form.Box("ComboBoxPara")->currentText();
      ChooseNext(folder, &titles);
      QTest::mouseClick(form.dialog->findChild<QPushButton*>(QStringLiteral("ButtonSelectDir")),
                        Qt::LeftButton);
      dir = form.Box("ComboBoxDir")->currentText();
    });
    QCOMPARE(titles, QStringLiteral("Select File/Select/Select Directory/Select/"));
    QCOMPARE(para, QStringLiteral("\"my file.txt\""));
    QCOMPARE(dir, folder);
    QCOMPARE(W().ParameterBox().currentText(), QStringLiteral("\"a b\" c"));
    QCOMPARE(QString::fromStdWString(Doc().StartDir), start);
  }

  void editParameterAndTheNoteWhileStopped() {
    bench_.Press(Qt::Key_P, Qt::ControlModifier);
    QLineEdit* params = W().ParameterBox().lineEdit();
    QVERIFY(params->hasFocus());
    QCOMPARE(params->selectedText(), params->text());

    QVERIFY(bench_.Step(Qt::Key_F7));
    bool note = false;
    WithDialog([&note](const Form& form) { note = form.NoteShown(); });
    QVERIFY(note);
    bench_.Press(Qt::Key_F2);
  }

  void valuesAndHistoriesSurviveClosingAndReopening() {
    W().Action(CommandId::EnableBreak)->trigger();
    W().Action(CommandId::EchoOnOff)->trigger();  // echo on
    QVERIFY(Doc().Options.EnableBreak);
    QVERIFY(Doc().Options.EchoOn);
    const std::wstring start_dir = Doc().StartDir;
    W().Action(CommandId::FileClose)->trigger();
    QCOMPARE(W().Session().Run().GetRunState(), RunState::NoFile);
    bench_.Open(batch_);
    QCOMPARE(Doc().StartDir, start_dir);
    QCOMPARE(Doc().StartUp, std::wstring(L"echo %*"));
    QCOMPARE(W().ParameterBox().currentText(), QStringLiteral("\"a b\" c"));
    QVERIFY(W().Action(CommandId::EnableBreak)->isChecked());
    QVERIFY(W().Action(CommandId::EchoOnOff)->isChecked());
    WithDialog([&](const Form& form) {
      QCOMPARE(form.Items("ComboBoxDir"), QStringList{QString::fromStdWString(start_dir)});
      QCOMPARE(form.Items("ComboBoxCmd"),
               (QStringList{QStringLiteral("echo %*"), QStringLiteral("echo hi"),
                            QStringLiteral("cls"), QStringLiteral("echo off")}));
      QVERIFY(form.Items("ComboBoxPara").contains(QStringLiteral("\"a b\" c")));
    });
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::SettingsDialogTest)
#include "settings_dialog_test.moc"

// The breakpoint properties dialog driven by keys and mouse: what it opens
// with, its count buttons and keys, the condition test with its marks, and
// what OK and Cancel leave in the line's record.
#include "ui/dialogs/breakpoint_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/run/debug_session.h"
#include "ui/main/source_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

namespace {

const QColor kRed(255, 0, 0);

// The open dialog's controls by name.
struct Form {
  BreakpointDialog* dialog;
  QCheckBox* Active() const {
    return dialog->findChild<QCheckBox*>(QStringLiteral("CheckBoxActive"));
  }
  QLineEdit* Count() const { return dialog->findChild<QLineEdit*>(QStringLiteral("EditCountX")); }
  QLineEdit* Cond() const { return dialog->findChild<QLineEdit*>(QStringLiteral("EditCondX")); }
  QLabel* If() const { return dialog->findChild<QLabel*>(QStringLiteral("LabelIf")); }
  QLabel* Error() const { return dialog->findChild<QLabel*>(QStringLiteral("LabelCondErr")); }
  QPushButton* Button(const char* name) const {
    return dialog->findChild<QPushButton*>(QLatin1String(name));
  }
  // A key on a control that has the focus, as a person presses it.
  void Press(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
    control->setFocus();
    QTest::keyClick(control, key, modifiers);
  }
  bool Red(QLineEdit* field) const { return field->palette().color(QPalette::Base) == kRed; }
  // Replaces the condition by typing.
  void TypeCondition(const QString& text) const {
    Cond()->setFocus();
    Cond()->selectAll();
    QTest::keyClick(Cond(), Qt::Key_Backspace);
    QTest::keyClicks(Cond(), text);
  }
};

}  // namespace

class BreakpointDialogTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;

  MainWindow& W() { return bench_.Window(); }
  LineRecord& Record(int line) { return W().Session().Doc().Records[line]; }

  void Select(int line) {
    QTest::mouseClick(W().Source().viewport(), Qt::LeftButton, {},
                      QPoint(200, W().Source().RowRect(line).center().y()));
  }
  // Opens the dialog for line with Ctrl+F5 and runs checks in it; whatever
  // they leave open is cancelled, so a failed check cannot hang the test.
  void WithDialog(int line, const std::function<void(const Form&)>& checks) {
    Select(line);
    bool ran = false;
    AnswerNextModal([checks, &ran](QWidget* box) {
      auto* dialog = qobject_cast<BreakpointDialog*>(box);
      ran = dialog != nullptr;
      if (dialog) checks(Form{dialog});
      if (box->isVisible()) static_cast<QDialog*>(box)->reject();
    });
    bench_.Press(Qt::Key_F5, Qt::ControlModifier);
    QVERIFY(AllModalsAnswered());
    QVERIFY(ran);
  }

 private slots:
  void initTestCase() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("marks.bat"),
        {QStringLiteral("@echo off"), QStringLiteral("set n=1"), QStringLiteral("echo %n%"),
         QStringLiteral("set x=2"), QStringLiteral("echo done")});
    bench_.Open(batch);
  }

  void opensBelowTheRowWithTheLinesCount() {
    Record(1).BreakCount = 0;
    QString line_text;
    WithDialog(1, [&](const Form& form) {
      line_text = form.dialog->findChild<QLabel*>(QStringLiteral("LabelLineNumber"))->text();
      QCOMPARE(form.Count()->text(), QStringLiteral("1"));
      QVERIFY(form.Active()->isChecked());
      QVERIFY(form.Active()->hasFocus());
      QCOMPARE(form.If()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
      QCOMPARE(form.Cond()->placeholderText(), QStringLiteral("<no condition>"));
      const QRect row = W().Source().RowRect(1);
      const QPoint below = W().Source().viewport()->mapToGlobal(row.bottomLeft());
      QVERIFY(form.dialog->frameGeometry().top() > below.y());
      QCOMPARE(form.dialog->frameGeometry().left(), below.x() + 50);
    });
    QCOMPARE(line_text, QStringLiteral("1"));
    // Edit breakpoint sets the breakpoint; Cancel keeps it.
    QVERIFY(Record(1).BreakPoint);

    Record(2).BreakCount = 5;
    Record(2).BreakCond = L"%n%==1";
    WithDialog(2, [](const Form& form) {
      QCOMPARE(form.Count()->text(), QStringLiteral("5"));
      QCOMPARE(form.Cond()->text(), QStringLiteral("%n%==1"));
      QCOMPARE(form.If()->palette().color(QPalette::WindowText),
               form.dialog->palette().color(QPalette::WindowText));
    });

    // A double click in the gutter opens it too.
    bool opened = false;
    AnswerNextModal([&opened](QWidget* box) {
      opened = qobject_cast<BreakpointDialog*>(box) != nullptr;
      static_cast<QDialog*>(box)->reject();
    });
    QTest::mouseDClick(W().Source().viewport(), Qt::LeftButton, {},
                       QPoint(5, W().Source().RowRect(3).center().y()));
    QVERIFY(opened);
  }

  void countButtonsAndKeys() {
    Record(1) = LineRecord{};
    WithDialog(1, [](const Form& form) {
      // "-" at 1 keeps 1; "+" and the arrows raise and lower.
      QTest::mouseClick(form.Button("ButtonMinus"), Qt::LeftButton);
      QCOMPARE(form.Count()->text(), QStringLiteral("1"));
      QTest::mouseClick(form.Button("ButtonPlus"), Qt::LeftButton);
      form.Press(form.Active(), Qt::Key_Up);
      QCOMPARE(form.dialog->DialogCount(), 3);
      form.Press(form.Active(), Qt::Key_Down);
      form.Press(form.Active(), Qt::Key_Minus, Qt::KeypadModifier);
      QCOMPARE(form.Count()->text(), QStringLiteral("1"));
      form.Press(form.Active(), Qt::Key_Plus, Qt::KeypadModifier);
      QCOMPARE(form.Count()->text(), QStringLiteral("2"));
      // "1" resets the count, also in the count field, without typing it twice.
      form.Count()->setFocus();
      form.Press(form.Count(), Qt::Key_End);
      form.Press(form.Count(), Qt::Key_1);
      QCOMPARE(form.Count()->text(), QStringLiteral("1"));
      QTest::keyClicks(form.Count(), QStringLiteral("4"));
      QCOMPARE(form.dialog->DialogCount(), 14);

      // "+" on an invalid count keeps it invalid, and is never typed.
      form.Count()->selectAll();
      form.Press(form.Count(), Qt::Key_Backspace);
      QCOMPARE(form.dialog->DialogCount(), -1);
      form.Press(form.Count(), Qt::Key_Plus, Qt::KeypadModifier);
      QCOMPARE(form.dialog->DialogCount(), -1);
      QCOMPARE(form.Count()->text(), QString());
      form.Press(form.Count(), Qt::Key_1);

      // Right in the condition field moves the caret and raises the count;
      // "+", "-", "1" and "X" are typed there like any other text.
      form.TypeCondition(QStringLiteral("a+-1X=b"));
      QCOMPARE(form.Cond()->text(), QStringLiteral("a1X=b"));
      QCOMPARE(form.Count()->text(), QStringLiteral("1"));
      form.Press(form.Cond(), Qt::Key_Home);
      form.Press(form.Cond(), Qt::Key_Right);
      QCOMPARE(form.Cond()->cursorPosition(), 1);
      QCOMPARE(form.Count()->text(), QStringLiteral("2"));

      // "X" elsewhere clears the condition.
      form.Press(form.Active(), Qt::Key_X);
      QCOMPARE(form.Cond()->text(), QString());

      // F12 unchecks Active with its fields, and checks it again into the count.
      form.Press(form.Active(), Qt::Key_F12);
      QVERIFY(!form.Active()->isChecked());
      QVERIFY(!form.Count()->isEnabled());
      QVERIFY(!form.Cond()->isEnabled());
      QVERIFY(!form.Button("ButtonPlus")->isEnabled());
      QVERIFY(form.Button("Button1")->isEnabled());
      QVERIFY(form.Button("ButtonCondX")->isEnabled());
      form.Press(form.Active(), Qt::Key_F12);
      QVERIFY(form.Active()->isChecked());
      QVERIFY(form.Count()->hasFocus());
      // Tab passes over the small buttons: Active, count, condition, OK.
      form.Press(form.Active(), Qt::Key_Tab);
      QVERIFY(form.Count()->hasFocus());
      QTest::keyClick(form.Count(), Qt::Key_Tab);
      QVERIFY(form.Cond()->hasFocus());
      QTest::keyClick(form.Cond(), Qt::Key_Tab);
      QVERIFY(form.Button("BitBtnOk")->hasFocus());
    });
    QCOMPARE(Record(1).BreakCount, 0);  // cancelled
  }

  void refusedConditionsAndCounts() {
    Record(2) = LineRecord{};
    for (const QString& refused :
         {QStringLiteral("if a==b"), QStringLiteral("abc"), QStringLiteral("%x%")}) {
      bool stayed = false;
      WithDialog(2, [&](const Form& form) {
        form.TypeCondition(refused);
        QTest::mouseClick(form.Button("BitBtnOk"), Qt::LeftButton);
        stayed = form.dialog->isVisible();
        QVERIFY(form.Red(form.Cond()));
        QVERIFY(form.Cond()->hasFocus());
        QVERIFY(form.Error()->isVisible());
        QCOMPARE(form.Error()->text(),
                 QStringLiteral("Syntaxerror: Insert Condition for Batch IF-command!"));
        // The next change takes the marks away.
        form.Press(form.Cond(), Qt::Key_Z);
        QVERIFY(!form.Red(form.Cond()));
        QVERIFY(!form.Error()->isVisible());
      });
      QVERIFY2(stayed, qPrintable(refused));
    }
    WithDialog(2, [](const Form& form) {
      // An empty count turns red and takes the focus.
      form.Count()->selectAll();
      form.Press(form.Count(), Qt::Key_Backspace);
      form.Press(form.Count(), Qt::Key_Return);
      QVERIFY(form.dialog->isVisible());
      QVERIFY(form.Red(form.Count()));
      QVERIFY(form.Count()->hasFocus());
      QTest::keyClicks(form.Count(), QStringLiteral("0"));
      QVERIFY(!form.Red(form.Count()));
      // Count 0 is refused without a mark.
      QTest::mouseClick(form.Button("BitBtnOk"), Qt::LeftButton);
      QVERIFY(form.dialog->isVisible());
      QVERIFY(!form.Red(form.Count()));
      QVERIFY(!form.Error()->isVisible());
    });
    QVERIFY(Record(2).BreakCond.empty());
    QCOMPARE(Record(2).BreakCount, 0);
  }

  void okStoresTheFourFieldsAndCancelNothing() {
    for (const QString& accepted :
         {QStringLiteral("a==b"), QStringLiteral("exist c:\\x"), QStringLiteral("defined x"),
          QStringLiteral("%n% GEQ 3"), QStringLiteral("errorlevel 2"),
          QStringLiteral("not errorlevel 1")}) {
      Record(3) = LineRecord{};
      Record(3).StdErrOK = true;
      Record(3).ErrLevelOK = 4;
      WithDialog(3, [&](const Form& form) {
        QTest::mouseClick(form.Button("ButtonPlus"), Qt::LeftButton);
        form.TypeCondition(QStringLiteral("  ") + accepted + QStringLiteral(" "));
        form.Press(form.Cond(), Qt::Key_Return);
        QVERIFY2(!form.dialog->isVisible(), qPrintable(accepted));
      });
      const LineRecord& record = Record(3);
      QVERIFY(record.BreakPoint);
      QCOMPARE(record.BreakCount, 2);
      QCOMPARE(QString::fromStdWString(record.BreakCond), accepted);
      QVERIFY(!record.BreakCondX.empty());
      // Nothing else of the record changes.
      QVERIFY(record.StdErrOK);
      QCOMPARE(record.ErrLevelOK, 4);
      QVERIFY(!record.IgnoreZeile && !record.NoDebugZeile && !record.EchoZeile);
    }

    // An empty condition with count 1 is a plain breakpoint.
    WithDialog(3, [](const Form& form) {
      QTest::mouseClick(form.Button("ButtonCondX"), Qt::LeftButton);
      QTest::mouseClick(form.Button("Button1"), Qt::LeftButton);
      QTest::mouseClick(form.Button("BitBtnOk"), Qt::LeftButton);
    });
    QCOMPARE(Record(3).BreakCount, 1);
    QVERIFY(Record(3).BreakCond.empty());

    // Unchecked, the values are stored without a check and the breakpoint is off.
    WithDialog(3, [](const Form& form) {
      form.TypeCondition(QStringLiteral("abc"));
      form.Press(form.Active(), Qt::Key_F12);
      QTest::mouseClick(form.Button("BitBtnOk"), Qt::LeftButton);
    });
    QVERIFY(!Record(3).BreakPoint);
    QCOMPARE(Record(3).BreakCond, std::wstring(L"abc"));

    // Cancel leaves count and condition; Edit breakpoint has set the breakpoint.
    WithDialog(3, [](const Form& form) {
      form.TypeCondition(QStringLiteral("x==y"));
      QTest::mouseClick(form.Button("ButtonPlus"), Qt::LeftButton);
      QTest::mouseClick(form.Button("BitBtnCancel"), Qt::LeftButton);
    });
    QVERIFY(Record(3).BreakPoint);
    QCOMPARE(Record(3).BreakCond, std::wstring(L"abc"));
    QCOMPARE(Record(3).BreakCount, 1);
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::BreakpointDialogTest)
#include "breakpoint_dialog_test.moc"

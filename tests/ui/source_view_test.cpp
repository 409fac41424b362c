// The source view as a person sees and uses it: the colours and glyphs of
// its rows in pixels, its keys and its mouse.
#include "ui/main/source_view.h"

#include <QAction>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "core/run/debug_session.h"
#include "ui/main/status_panels.h"
#include "ui_test_support.h"

namespace tarnvelock {

class SourceViewTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;
  QString batch_;

  SourceView& View() { return bench_.Window().Source(); }
  DebugDocument& Doc() { return bench_.Window().Session().Doc(); }

  QImage Grab() {
    QCoreApplication::processEvents();
    return View().viewport()->grab().toImage();
  }
  // The pixel at x of row line, in the row's vertical middle.
  QColor At(const QImage& image, int line, int x, int dy = 0) {
    const QRect row = View().RowRect(line);
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(QPoint(x, row.center().y() + dy) * ratio);
  }
  // True when some pixel of the row's text area has colour.
  bool RowHas(const QImage& image, int line, const QColor& colour, int from_x = 38,
              int to_x = 10000) {
    const QRect row = View().RowRect(line);
    const qreal ratio = image.devicePixelRatio();
    for (int y = row.top() * ratio; y < row.bottom() * ratio; ++y) {
      for (int x = from_x * ratio; x < std::min<int>(to_x * ratio, image.width()); ++x) {
        if (image.pixelColor(x, y) == colour) return true;
      }
    }
    return false;
  }
  // True when the row has a strongly red pixel between from_x and to_x.
  bool RowHasRed(const QImage& image, int line, int from_x, int to_x) {
    const QRect row = View().RowRect(line);
    const qreal ratio = image.devicePixelRatio();
    for (int y = row.top() * ratio; y < row.bottom() * ratio; ++y) {
      for (int x = from_x * ratio; x < to_x * ratio; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 100 && c.blue() < 100) return true;
      }
    }
    return false;
  }
  // True when the row has dark text pixels between from_x and to_x.
  bool RowHasInk(const QImage& image, int line, int from_x, int to_x) {
    const QRect row = View().RowRect(line);
    const qreal ratio = image.devicePixelRatio();
    for (int y = row.top() * ratio; y < row.bottom() * ratio; ++y) {
      for (int x = from_x * ratio; x < to_x * ratio; ++x) {
        if (image.pixelColor(x, y).value() < 100) return true;
      }
    }
    return false;
  }
  int TextX(int column) { return 38 + static_cast<int>(column * View().CharWidth()); }

 private slots:
  void initTestCase() {
    batch_ = bench_.WriteBatch(
        QStringLiteral("view.bat"),
        {QStringLiteral("@echo off"), QStringLiteral(":start"),
         QStringLiteral("rem a comment line"), QStringLiteral("set count=1"),
         QStringLiteral("echo %count% & rem trailing %count%"),
         QStringLiteral("set /a total=count+1"), QStringLiteral("echo done"),
         QStringLiteral("call :sub"), QStringLiteral("goto :eof"), QStringLiteral(":sub"),
         QStringLiteral("echo in sub"), QStringLiteral("exit /b 0")});
    bench_.Open(batch_);
    QCOMPARE(Doc().MaxCurZeile, 12);
  }

  // Every test starts from a document without marks.
  void init() {
    for (size_t i = 0; i + 1 < Doc().Records.size(); ++i) {
      LineRecord& r = Doc().Records[i];
      r.BreakPoint = r.IgnoreZeile = r.EchoZeile = r.StdErrOK = false;
      r.BreakCount = r.ErrLevelOK = 0;
      r.ErrorZeile = errNull;
    }
    bench_.Window().activateWindow();
    (void)QTest::qWaitForWindowActive(&bench_.Window());
    View().SelectLine(0);
    View().SetHighlight({});
    View().SetIndent(0);
  }

  void rowColours() {
    View().SelectLine(3);
    Doc().Records[5].IgnoreZeile = true;
    Doc().Records[6].ErrorZeile = errWarn;
    Doc().Records[7].ErrorZeile = errAbort;
    View().RepaintSource();
    const QImage image = Grab();
    QCOMPARE(At(image, 3, 300), QColor(166, 202, 240));  // cursor line
    QCOMPARE(At(image, 1, 300), QColor(224, 224, 224));  // label line
    QCOMPARE(At(image, 0, 300), QColor(Qt::white));
    QVERIFY(RowHas(image, 2, QColor(0, 128, 0)));      // comment line
    QVERIFY(RowHas(image, 5, QColor(128, 128, 128)));  // ignored
    QVERIFY(RowHas(image, 6, QColor(255, 128, 0)));    // errWarn
    QVERIFY(RowHas(image, 7, QColor(255, 0, 0), 38));  // errAbort
    // The trailing comment of line 4 is green only from its column on.
    QVERIFY(!RowHas(image, 4, QColor(0, 128, 0), 38, TextX(10)));
    QVERIFY(RowHas(image, 4, QColor(0, 128, 0), TextX(10)));
  }

  void glyphColumns() {
    Doc().Records[3].BreakPoint = true;
    Doc().Records[4].BreakPoint = true;
    Doc().Records[4].BreakCount = 3;
    Doc().Records[6].IgnoreZeile = true;
    View().RepaintSource();
    const QImage image = Grab();
    const QColor breakpoint = At(image, 3, 10);
    QVERIFY2(breakpoint.red() > 150 && breakpoint.green() < 120, "filled red ball");
    QCOMPARE(At(image, 4, 10), QColor(Qt::white));  // white centre of the ring
    QVERIFY(At(image, 4, 10, -5).red() > 150);      // on the ring
    QCOMPARE(At(image, 0, 10), QColor(Qt::white));  // the stop place is an outline
    QVERIFY(RowHasRed(image, 0, 0, 20));
    QVERIFY(At(image, 6, 10).value() < 80);  // the black cross
    // The "<end of file>" row: the cross and grey text.
    QVERIFY(At(image, 12, 10).value() < 80);
    QVERIFY(RowHas(image, 12, QColor(128, 128, 128)));
  }

  void referenceMarksOnYellow() {
    const QColor yellow(255, 255, 0);
    View().SelectLine(12);
    View().SetHighlight({0, L"COUNT"});
    QImage image = Grab();
    QVERIFY(!RowHas(image, 3, yellow, 38, TextX(4) - 1));  // positions 0..3 are not searched
    QVERIFY(RowHas(image, 3, yellow));                     // set count=1
    QVERIFY(RowHas(image, 4, yellow, 38, TextX(10)));      // echo %count%
    QVERIFY(!RowHas(image, 4, yellow, TextX(13)));         // not in the trailing comment
    QVERIFY(RowHas(image, 5, yellow));                     // set /a total=count+1
    View().SetHighlight({2, L"%%x"});
    image = Grab();
    QVERIFY(!RowHas(image, 5, yellow));
  }

  void errLevelKeysAndStdErr() {
    View().SelectLine(3);
    QTest::keyClick(&View(), Qt::Key_1);
    QTest::keyClick(&View(), Qt::Key_2);
    QTest::keyClick(&View(), Qt::Key_Minus);
    QCOMPARE(Doc().Records[3].ErrLevelOK, -12);
    QTest::keyClick(&View(), Qt::Key_Backspace);
    QCOMPARE(Doc().Records[3].ErrLevelOK, -1);
    QTest::keyClick(&View(), Qt::Key_Delete);
    QCOMPARE(Doc().Records[3].ErrLevelOK, 0);
    QTest::keyClick(&View(), Qt::Key_T);
    QVERIFY(Doc().Records[3].StdErrOK);
    QTest::keyClick(&View(), Qt::Key_T);
    QVERIFY(!Doc().Records[3].StdErrOK);
    // A label takes no ERRORLEVEL allowance; the keys are consumed all the same.
    View().SelectLine(1);
    QTest::keyClick(&View(), Qt::Key_5);
    QCOMPARE(Doc().Records[1].ErrLevelOK, 0);
  }

  void horizontalScrollStopsAtOneHundred() {
    View().SetIndent(95);
    QTest::keyClick(&View(), Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(View().Indent(), 105);
    QTest::keyClick(&View(), Qt::Key_Right);
    QCOMPARE(View().Indent(), 105);
    QTest::keyClick(&View(), Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(View().Indent(), 0);
    QTest::keyClick(&View(), Qt::Key_Home);
    QCOMPARE(View().AktCurZeile(), 0);
    QTest::keyClick(&View(), Qt::Key_End);
    QCOMPARE(View().AktCurZeile(), 12);
  }

  void mouseSelectsAndToggles() {
    // A click below the last row selects the "<end of file>" line.
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {},
                      QPoint(200, View().viewport()->height() - 2));
    QCOMPARE(View().AktCurZeile(), 12);
    // A click in the gutter toggles the breakpoint of a command line.
    const QPoint gutter(8, View().RowRect(3).center().y());
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, gutter);
    QCOMPARE(View().AktCurZeile(), 3);
    QVERIFY(Doc().Records[3].BreakPoint);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, gutter);
    QVERIFY(!Doc().Records[3].BreakPoint);
    // A single click on the text only selects; a double click toggles.
    const QPoint text(200, View().RowRect(6).center().y());
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, text);
    QVERIFY(!Doc().Records[6].BreakPoint);
    QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, text);
    QVERIFY(Doc().Records[6].BreakPoint);
    QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, text);
    QVERIFY(!Doc().Records[6].BreakPoint);
  }

  void nextMarkedLineWithShiftF5() {
    Doc().Records[7].EchoZeile = true;
    View().SelectLine(8);
    QTest::keyClick(&View(), Qt::Key_F5, Qt::ShiftModifier);
    QCOMPARE(View().AktCurZeile(), 7);
  }

  void wheelAndPagesOnALongBatch() {
    QStringList lines;
    for (int i = 0; i < 150; ++i) lines << QStringLiteral("echo line %1").arg(i);
    bench_.Open(bench_.WriteBatch(QStringLiteral("long.bat"), lines));
    View().SelectLine(0);
    QCOMPARE(View().TopLine(), 0);
    const int page = View().PageStep();
    QVERIFY(page > 3 && page < 150);
    // One row per notch; the cursor moves only when it would leave the rows.
    QWheelEvent down(QPointF(100, 20), View().viewport()->mapToGlobal(QPointF(100, 20)), {},
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(View().viewport(), &down);
    QCOMPARE(View().TopLine(), 1);
    QCOMPARE(View().AktCurZeile(), 1);
    QTest::keyClick(&View(), Qt::Key_PageDown);
    QCOMPARE(View().TopLine(), 1 + page);
    QCOMPARE(View().AktCurZeile(), 1 + page);
    QTest::keyClick(&View(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(View().TopLine(), page);
    // A jump places the line a quarter page below the top.
    View().SelectLine(120);
    QCOMPARE(View().TopLine(), 120 - page / 4);
    bench_.Open(batch_);
  }

  void lineNumbersWithF11() {
    QAction* numbers = bench_.Window().Action(CommandId::LineNumbers);
    QVERIFY(!numbers->isChecked());
    QTest::keyClick(&View(), Qt::Key_F11);
    QVERIFY(View().LineNumbers());
    QVERIFY(numbers->isChecked());
    QTest::keyClick(&View(), Qt::Key_F11);
    QVERIFY(!View().LineNumbers());
  }

  void lineNumberPrefixWidensAtOneHundredLines() {
    // Line 0 reads " 0  echo" below 100 lines and "  0  echo" from 100 on.
    auto digit_column = [this](int lines) {
      bench_.Open(bench_.WriteBatch(QStringLiteral("numbered%1.bat").arg(lines),
                                    QStringList(lines, QStringLiteral("echo x"))));
      View().SetLineNumbers(true);
      View().SelectLine(0);
      const QImage image = Grab();
      int column = 0;
      while (column < 4 && !RowHasInk(image, 0, TextX(column) + 1, TextX(column + 1) - 1)) ++column;
      View().SetLineNumbers(false);
      return column;
    };
    QCOMPARE(digit_column(99), 1);
    QCOMPARE(digit_column(100), 2);
    bench_.Open(batch_);
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::SourceViewTest)
#include "source_view_test.moc"

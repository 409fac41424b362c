// Start-up and shutdown of the desktop debugger: the settings file written
// at close and read at start, the batch of the command line or the last
// one, and the single-instance hand-over.
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <atomic>
#include <thread>

#include "app/application.h"
#include "core/run/debug_session.h"
#include "platform/single_instance.h"
#include "ui/main/source_view.h"
#include "ui_test_support.h"

namespace tarnvelock {

class StartupTest : public QObject {
  Q_OBJECT

 private:
  UiTestBench bench_;  // the private temporary folder and batches

  StartOptions Options(const QStringList& arguments = {}) {
    StartOptions options;
    options.arguments = arguments;
    options.program_dir = QStringLiteral(TARNVELOCK_BINARY_DIR "/shell/");
    options.settings_path = bench_.Path(QStringLiteral("Tarnvelock.ini"));
    options.instance_name = InstanceName();
    return options;
  }
  QString Settings() {
    QFile file(bench_.Path(QStringLiteral("Tarnvelock.ini")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  // A guard name of this test run's own, so that parallel runs and a
  // debugger the person has open do not meet.
  static QString InstanceName() {
    return QStringLiteral("TarnvelockStartupTest%1").arg(QCoreApplication::applicationPid());
  }
  static QString MainSection(const QString& ini) {
    return ini.left(ini.indexOf(QStringLiteral("[Cmd]")));
  }

 private slots:
  // An empty settings file: every default, and no About box of the very
  // first start waiting for an answer.
  void init() {
    QFile file(bench_.Path(QStringLiteral("Tarnvelock.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  }

  void maximizedWindowIsWrittenAsWidthMinusOne() {
    {
      Application app(Options());
      QCOMPARE(app.Start(), Application::Outcome::Running);
      app.Window()->showMaximized();
      QTRY_VERIFY(app.Window()->isMaximized());
      app.Window()->close();
    }
    const QString main = MainSection(Settings());
    QVERIFY2(main.contains(QStringLiteral("Width=-1")), qPrintable(main));
    QVERIFY(!main.contains(QStringLiteral("Left=")));
    QVERIFY(!main.contains(QStringLiteral("Top=")));
    QVERIFY(!main.contains(QStringLiteral("Height=")));
    QVERIFY(Settings().contains(QStringLiteral("[Cmd]")));
  }

  void settingsAreReadAndLastFileIsOpened() {
    const QString batch = bench_.WriteBatch(QStringLiteral("last.bat"), {QStringLiteral("echo")});
    QFile file(bench_.Path(QStringLiteral("Tarnvelock.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Tarnvelock]\r\nLastFile=%1\r\nFontSize=14\r\nPercent=1\r\n"
                              "Blanks=0\r\nWidth=700\r\nLeft=20\r\nTop=30\r\nHeight=400\r\n")
                   .arg(batch)
                   .toUtf8());
    file.close();
    Application app(Options());
    QCOMPARE(app.Start(), Application::Outcome::Running);
    QTRY_COMPARE(QString::fromStdWString(app.Window()->Session().Doc().BatchPath), batch);
    QCOMPARE(app.Window()->Source().FontSize(), 14);
    QVERIFY(app.Window()->Session().Variables().ShowPercent());
    QVERIFY(!app.Window()->Session().Variables().ShowBlanks());
    app.Window()->close();
    QVERIFY(Settings().contains(QStringLiteral("LastFile=") + batch));
    QVERIFY(Settings().contains(QStringLiteral("FontSize=14")));
  }

  void unquotedPathWithBlanksIsJoined() {
    const QString batch =
        bench_.WriteBatch(QStringLiteral("my batch.bat"), {QStringLiteral("echo")});
    Application app(Options({bench_.Path(QStringLiteral("my")), QStringLiteral("batch.bat")}));
    QCOMPARE(app.Start(), Application::Outcome::Running);
    QTRY_COMPARE(QString::fromStdWString(app.Window()->Session().Doc().BatchPath), batch);
    app.Window()->close();
  }

  void secondInstanceHandsOverItsFile() {
    const QString first = bench_.WriteBatch(QStringLiteral("first.bat"), {QStringLiteral("echo")});
    const QString second =
        bench_.WriteBatch(QStringLiteral("second.bat"), {QStringLiteral("echo 2")});
    Application app(Options({first}));
    QCOMPARE(app.Start(), Application::Outcome::Running);
    QTRY_COMPARE(QString::fromStdWString(app.Window()->Session().Doc().BatchPath), first);
    std::atomic<int> role{-1};
    std::thread other([&] {
      const InstanceStart later =
          StartSingleInstance(InstanceName().toStdWString(), second.toStdWString());
      role = later.guard ? static_cast<int>(later.guard->Role()) : -2;
    });
    // The answer comes once the file is open; the window's guard timer takes it.
    QTRY_VERIFY_WITH_TIMEOUT(role != -1, 8000);
    other.join();
    QCOMPARE(role.load(), static_cast<int>(InstanceRole::HandedOver));
    QCOMPARE(QString::fromStdWString(app.Window()->Session().Doc().BatchPath), second);
    app.Window()->close();
  }

  void withoutAFileASecondInstanceRunsOnItsOwn() {
    Application first(Options());
    QCOMPARE(first.Start(), Application::Outcome::Running);
    Application second(Options());
    QCOMPARE(second.Start(), Application::Outcome::Running);
    second.Window()->close();
    first.Window()->close();
  }

  void droppedFilesOpenTheFirstOnly() {
    const QString first = bench_.WriteBatch(QStringLiteral("drop1.bat"), {QStringLiteral("echo")});
    const QString second = bench_.WriteBatch(QStringLiteral("drop2.bat"), {QStringLiteral("echo")});
    MainWindow& window = bench_.Window();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    QCOMPARE(QString::fromStdWString(window.Session().Doc().BatchPath), first);
  }

  void anOutsideChangeIsReloadedOnActivation() {
    const QString batch = bench_.WriteBatch(
        QStringLiteral("changed.bat"), {QStringLiteral("echo one"), QStringLiteral("echo two")});
    MainWindow& window = bench_.Window();
    bench_.Open(batch);
    window.Session().Doc().Records[1].BreakPoint = true;
    bench_.WriteBatch(QStringLiteral("changed.bat"),
                      {QStringLiteral("rem new first line"), QStringLiteral("echo one"),
                       QStringLiteral("echo two")});
    QFile file(batch);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                             QFileDevice::FileModificationTime));
    file.close();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QEvent activation(QEvent::ActivationChange);
    QCoreApplication::sendEvent(&window, &activation);
    QCOMPARE(window.Session().Doc().MaxCurZeile, 3);
    // The mark followed its line down.
    QVERIFY(window.Session().Doc().Records[2].BreakPoint);
  }
};

}  // namespace tarnvelock

QTEST_MAIN(tarnvelock::StartupTest)
#include "startup_test.moc"

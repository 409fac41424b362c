// gui_bench: how fast the main window opens and paints a 100 000-line batch,
// what a page of scrolling costs, how much memory the loaded batch takes,
// and how long one F7 takes until the new arrow is painted. Runs on the
// offscreen platform; prints its figures.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "../bench_support.h"
#include "core/run/debug_session.h"
#include "platform/memory_use.h"
#include "ui/main/main_window.h"
#include "ui/main/source_view.h"

namespace {

using tarnvelock::MainWindow;
using tarnvelock::RunState;

// The resident memory of this process in megabytes (0 where the system does
// not say).
double ResidentMegabytes() {
  return static_cast<double>(tarnvelock::ResidentMemoryBytes().value_or(0)) / (1024 * 1024);
}

QString WriteBatch(const QTemporaryDir& dir, const QString& name, int lines) {
  QFile file(QDir(dir.path()).filePath(name));
  if (!file.open(QIODevice::WriteOnly)) return {};
  for (const std::wstring& line : tarnvelock::bench::GeneratedBatch(lines)) {
    file.write(QString::fromStdWString(line).toUtf8() + "\r\n");
  }
  return file.fileName();
}

void Paint(MainWindow& window) {
  window.Source().viewport()->repaint();
  QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("TMPDIR", dir.path().toUtf8());
  const QString shell = QStringLiteral(TARNVELOCK_BINARY_DIR "/shell/");
  const double before = ResidentMegabytes();
  MainWindow window(tarnvelock::AppSettings{}, shell.toStdWString());
  window.Start();
  window.resize(1100, 700);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);

  const QString big = WriteBatch(dir, QStringLiteral("big.bat"), 100000);
  QElapsedTimer timer;
  timer.start();
  window.Session().Document().OpenDocument(big.toStdWString());
  Paint(window);
  std::printf("open 100000 lines until painted: %.0f ms (goal < 1000)\n",
              static_cast<double>(timer.nsecsElapsed()) / 1e6);
  std::printf(
      "memory with the batch loaded: %.0f MB resident, %.0f MB more than before "
      "(goal < 150)\n",
      ResidentMegabytes(), ResidentMegabytes() - before);

  std::vector<double> pages;
  for (int i = 0; i < 50; ++i) {
    timer.restart();
    QTest::keyClick(&window.Source(), Qt::Key_PageDown);
    Paint(window);
    pages.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(pages.begin(), pages.end());
  std::printf("one page down with its repaint (%d visible rows of 100001): median %.2f ms\n",
              window.Source().PageStep() + 1, pages[pages.size() / 2]);

  const QString steps = WriteBatch(dir, QStringLiteral("steps.bat"), 400);
  window.Session().Document().OpenDocument(steps.toStdWString());
  tarnvelock::RunControl& run = window.Session().Run();
  QTest::keyClick(&window.Source(), Qt::Key_F7);
  if (!QTest::qWaitFor([&] { return run.GetRunState() == RunState::Stopped; }, 20000)) {
    std::printf("the batch did not stop\n");
    return 1;
  }
  std::vector<double> step_ms;
  for (int i = 0; i < 40 && run.GetRunState() == RunState::Stopped; ++i) {
    timer.restart();
    QTest::keyClick(&window.Source(), Qt::Key_F7);
    if (!QTest::qWaitFor([&] { return run.GetRunState() != RunState::Running; }, 20000)) break;
    Paint(window);
    step_ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  if (step_ms.empty()) return 1;
  std::sort(step_ms.begin(), step_ms.end());
  std::printf(
      "one F7 until the new arrow is painted: median %.1f ms over %zu steps "
      "(goal < 50)\n",
      step_ms[step_ms.size() / 2], step_ms.size());
  window.close();
  return 0;
}

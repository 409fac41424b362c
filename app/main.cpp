// tarnvelock: the desktop debugger for batch files.
#include <QApplication>
#include <QDir>

#include "app/application.h"
#include "app/settings_location.h"

namespace {

// The bundled interpreter lies beside the program when it is installed, in
// the sibling shell folder of a build tree.
QString InterpreterDirectory() {
  const QDir own(QCoreApplication::applicationDirPath());
  if (!own.exists(QStringLiteral("tarnvelock-cmd")) &&
      QDir(own.filePath(QStringLiteral("../shell"))).exists(QStringLiteral("tarnvelock-cmd"))) {
    return QDir::cleanPath(own.filePath(QStringLiteral("../shell")));
  }
  return own.absolutePath();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnvelock"));
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  tarnvelock::StartOptions options;
  options.arguments = arguments;
  options.program_dir = InterpreterDirectory() + QLatin1Char('/');
  options.settings_path = tarnvelock::SettingsFilePath(QCoreApplication::applicationDirPath());
  tarnvelock::Application application(options);
  switch (application.Start()) {
    case tarnvelock::Application::Outcome::HandedOver:
      return 0;
    case tarnvelock::Application::Outcome::Failed:
      return 1;
    case tarnvelock::Application::Outcome::Running:
      break;
  }
  return QApplication::exec();
}

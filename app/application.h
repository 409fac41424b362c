// Application: the desktop debugger from start to end - the single-instance
// guard, the application settings, the main window and its first paint, and
// the settings written when the window closes.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "app/single_instance.h"
#include "core/document/app_settings.h"
#include "ui/main/main_window.h"

namespace tarnvelock {

struct StartOptions {
  QStringList arguments;  // the command line after the program's name
  QString program_dir;    // where the bundled interpreter lies
  QString settings_path;  // the application settings file
  QString instance_name = SingleInstance::DefaultName();
};

class Application {
 public:
  explicit Application(StartOptions options);

  enum class Outcome {
    HandedOver,  // a running instance took the file: end now
    Running,     // the main window is shown
    Failed,      // the debugger cannot work here (already said why)
  };
  Outcome Start();

  MainWindow* Window() { return window_.get(); }
  // The batch named by the command line: all arguments joined with one blank.
  QString CommandLineFile() const { return options_.arguments.join(QLatin1Char(' ')); }

 private:
  AppSettings ReadSettings(bool* first_start) const;

  StartOptions options_;
  SingleInstance guard_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tarnvelock

// Application: the desktop debugger from start to end - the single-instance
// guard, the application settings, the main window and its first paint, and
// the settings written when the window closes.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "core/document/app_settings.h"
#include "platform/single_instance.h"
#include "ui/main/main_window.h"

namespace tarnvelock {

struct StartOptions {
  QStringList arguments;  // the command line after the program's name
  QString program_dir;    // where the bundled interpreter lies
  QString settings_path;  // the application settings file
  // The single-instance guard's name; tests pass their own.
  QString instance_name = QStringLiteral("Quendrix");
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
  void TakeHandOver(const std::wstring& arguments);

  StartOptions options_;
  std::unique_ptr<SingleInstance> guard_;
  QTimer guard_timer_;  // takes the later instances' hand-overs
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tarnvelock

// Start-up and shutdown of the desktop debugger.
#include "app/application.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "core/document/ini_file.h"
#include "platform/file_system.h"
#include "ui/dialogs/about_form.h"

namespace tarnvelock {

namespace {

// How often the guard looks for hand-overs of later instances.
constexpr int kGuardPollMs = 100;

// The designed main window: left 300, top 111, a client area of 1095 by 611
// at 120 dots per inch, so 876 by 489 in the toolkit's 96-dpi pixels.
AppSettings DesignedSettings() {
  AppSettings designed;
  designed.Width = 876;
  designed.Height = 489;
  return designed;
}

}  // namespace

Application::Application(StartOptions options) : options_(std::move(options)) {}

AppSettings Application::ReadSettings(bool* first_start) const {
  const std::wstring path = options_.settings_path.toStdWString();
  IniFile ini;
  *first_start = !SystemFileSystem().FileExists(path);
  if (*first_start || !ReadIniFile(SystemFileSystem(), path, &ini)) return DesignedSettings();
  return ReadAppSettings(ini, DesignedSettings());
}

Application::Outcome Application::Start() {
  const QString file = CommandLineFile();
  // With a file to hand over, a running instance takes it; without one,
  // this instance runs on its own beside it. A guard that cannot be made
  // costs only the hand-over.
  InstanceStart instance =
      StartSingleInstance(options_.instance_name.toStdWString(), file.toStdWString());
  guard_ = std::move(instance.guard);
  if (guard_ &&
      (guard_->Role() == InstanceRole::HandedOver || guard_->Role() == InstanceRole::GaveUp)) {
    return Outcome::HandedOver;
  }

  bool first_start = false;
  AppSettings settings = ReadSettings(&first_start);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desktop = screen->virtualGeometry();
    KeepOnDesktop(settings, desktop.width(), desktop.height());
  }
  window_ = std::make_unique<MainWindow>(settings, options_.program_dir.toStdWString());
  const std::wstring settings_path = options_.settings_path.toStdWString();
  window_->SetSettingsWriter([settings_path, this](const AppSettings& current) {
    if (const IoStatus written = WriteAppSettings(SystemFileSystem(), settings_path, current);
        !written) {
      window_->ShowMessage(written.message());
    }
  });
  if (!window_->Start()) return Outcome::Failed;
  if (guard_ && guard_->Role() == InstanceRole::First) {
    guard_->SetReceiver([this](const std::wstring& arguments) { TakeHandOver(arguments); });
    QObject::connect(&guard_timer_, &QTimer::timeout, [this] { guard_->Poll(); });
    guard_timer_.start(kGuardPollMs);
  }
  if (settings.Maximized) {
    window_->showMaximized();
  } else {
    window_->show();
  }
  // The first paint shows the About box on the very first start (no
  // settings file yet), then opens the batch.
  QTimer::singleShot(0, window_.get(), [this, file, first_start] {
    if (first_start) TFormAbout(window_.get()).exec();
    window_->OpenAtStart(file.toStdWString());
  });
  return Outcome::Running;
}

void Application::TakeHandOver(const std::wstring& arguments) {
  // The question "Exit and load new file?" runs an event loop of its own:
  // a further hand-over waits for the guard's next poll after this one.
  guard_timer_.stop();
  window_->OpenFromOtherInstance(arguments);
  guard_timer_.start(kGuardPollMs);
}

}  // namespace tarnvelock

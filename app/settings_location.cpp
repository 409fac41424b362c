// The settings file's folder.
#include "app/settings_location.h"

#include <QDir>
#include <QFileInfo>

#include "core/document/app_settings.h"

namespace tarnvelock {

QString SettingsFilePath(const QString& program_dir) {
  const QString beside = QString::fromStdWString(
      AppSettingsPath(QDir(program_dir).absolutePath().toStdWString() + L"/"));
  if (QFileInfo(program_dir).isWritable()) return beside;
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) {
    config = QDir::home().filePath(QStringLiteral(".config"));
  }
  const QString folder = QDir(config).filePath(QStringLiteral("Tarnvelock"));
  QDir().mkpath(folder);
  return QDir(folder).filePath(QFileInfo(beside).fileName());
}

}  // namespace tarnvelock

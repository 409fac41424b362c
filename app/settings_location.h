// Where the application settings file lives: "Tarnvelock.ini" beside the
// program, or - for an installed program whose folder the user cannot
// write - in the user's configuration folder ($XDG_CONFIG_HOME/Tarnvelock,
// else ~/.config/Tarnvelock).
#pragma once

#include <QString>

namespace tarnvelock {

QString SettingsFilePath(const QString& program_dir);

}  // namespace tarnvelock

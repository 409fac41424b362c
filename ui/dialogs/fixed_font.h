// The fixed-pitch font of the windows that show plain text files (the track
// windows and the help window), and the filling of their line lists.
#pragma once

#include <QFont>
#include <QListWidget>
#include <string>
#include <vector>

namespace tarnvelock {

// Courier New where it is installed, the system's fixed-pitch font otherwise.
QFont FixedPitchFont(int pixel_size);

// Replaces the entries of list with lines, one entry per line.
void FillLines(QListWidget& list, const std::vector<std::wstring>& lines);

}  // namespace tarnvelock
